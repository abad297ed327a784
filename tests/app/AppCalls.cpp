// AppCalls: picking the widgets an application call may touch, and making the call.
#include "AppCalls.h"

#include <algorithm>
#include <string>
#include <vector>

#include "TreeInvariants.h"
#include "app/MyWindow.h"
#include "screen/VScreen.h"
#include "support/WidgetTree.h"
#include "widgets/VButton.h"
#include "widgets/VTextEdit.h"

namespace vt {

namespace {

const void* deletedLast = nullptr;
int tripwires = 0;
long long made[opCount] = {};
constexpr int kMostTripwires = 8;

// Every widget of the tree under screen, screen first, breadth first, front to back.
std::vector<VWidget*> liveTree(VScreen* screen) {
  std::vector<VWidget*> all{screen};
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (VWidget* child : childrenOf(all[i])) {
      all.push_back(child);
    }
  }
  return all;
}

// Held by a pointer that its holder reads later.
bool heldElsewhere(VWidget* w) {
  VWidget* owner = w->getOwner();
  if (auto* window = dynamic_cast<VWindow*>(owner)) {
    if (w == window->getCloseButton() || w == window->getMaximizeButton()) {
      return true;
    }
  }
  auto* demo = dynamic_cast<MyWindow*>(owner);
  return demo != nullptr && w == demo->textedit;
}

bool mayFree(VScreen* screen, VWidget* w) { return w != screen && !heldElsewhere(w); }

// A hidden widget whose destructor frees the pick-th freeable widget of the live tree, which
// is never the dying subtree: that left the tree before its deletion began.
class Tripwire : public VWidget {
 public:
  Tripwire(VWidget* owner, VScreen* screen, int pick)
      : VWidget(owner), screen_(screen), pick_(pick) {
    Visible = false;
    ++tripwires;
  }
  ~Tripwire() override {
    --tripwires;
    std::vector<VWidget*> freeable;
    for (VWidget* w : liveTree(screen_)) {
      if (mayFree(screen_, w)) {
        freeable.push_back(w);
      }
    }
    if (!freeable.empty()) {
      freeable[static_cast<std::size_t>(pick_) % freeable.size()]->free();
    }
  }

 private:
  VScreen* screen_;
  int pick_;
};

int handlerCalls = 0;

// Frees the pressed widget; every other time its owner too, after it.
void freeFromHandler(VWidget* w, VEvent*) {
  w->free();
  if (++handlerCalls % 2 == 0 && w->getOwner() != nullptr) {
    w->getOwner()->free();
  }
}

bool inSubtreeOfQueued(VWidget* w, const std::vector<VWidget*>& sortedQueue) {
  std::vector<VWidget*> walk{w};
  for (std::size_t i = 0; i < walk.size(); ++i) {
    if (std::binary_search(sortedQueue.begin(), sortedQueue.end(), walk[i])) {
      return true;
    }
    for (VWidget* child : childrenOf(walk[i])) {
      walk.push_back(child);
    }
  }
  return false;
}

}  // namespace

const char* appOpName(int op) {
  switch (op) {
    case opDeleteDirectly: return "deleteDirectly";
    case opFree: return "free";
    case opFreeWithAncestor: return "freeWithAncestor";
    case opFreeFromDestructor: return "freeFromDestructor";
    case opFreeFromHandler: return "freeFromHandler";
    case opToggleVisible: return "toggleVisible";
    case opToggleEnabled: return "toggleEnabled";
    case opBringToFront: return "bringToFront";
    default: return "?";
  }
}

void performAppCall(VScreen* screen, int op, int pick) {
  deletedLast = nullptr;
  std::vector<VWidget*> queue = TreeInvariants::queueOf(screen);
  std::sort(queue.begin(), queue.end());
  std::vector<VWidget*> targets;
  for (VWidget* w : liveTree(screen)) {
    const bool planted = dynamic_cast<Tripwire*>(w) != nullptr;
    bool fits = false;
    switch (op) {
      case opDeleteDirectly: fits = mayFree(screen, w) && !inSubtreeOfQueued(w, queue); break;
      case opFree:
      case opFreeWithAncestor: fits = mayFree(screen, w); break;
      case opFreeFromDestructor: fits = tripwires < kMostTripwires; break;
      case opFreeFromHandler: fits = mayFree(screen, w) && w->onMouseDown == nullptr; break;
      case opToggleVisible:
      case opToggleEnabled: fits = w != screen && !planted; break;
      case opBringToFront: fits = w != screen; break;
      default: break;
    }
    if (fits) {
      targets.push_back(w);
    }
  }
  // The focused widget is the one a program most often tears down by hand: favour it.
  VWidget* focused = screen->getScreenFocusedWidget();
  const bool focusedLive = std::find(targets.begin(), targets.end(), focused) != targets.end();
  if (targets.empty()) {
    return;
  }
  VWidget* w = op == opDeleteDirectly && focusedLive && pick % 2 == 0
                   ? focused
                   : targets[static_cast<std::size_t>(pick) % targets.size()];
  ++made[op];
  switch (op) {
    case opDeleteDirectly:
      w->getOwner()->remove(w);
      deletedLast = w;
      delete w;
      break;
    case opFree: w->free(); break;
    case opFreeWithAncestor: {
      std::vector<VWidget*> ancestors;
      for (VWidget* up = w->getOwner(); up != nullptr && up != screen; up = up->getOwner()) {
        if (mayFree(screen, up)) {
          ancestors.push_back(up);
        }
      }
      VWidget* ancestor = ancestors.empty() ? nullptr : ancestors[pick / 2 % ancestors.size()];
      if (pick % 2 == 0) {
        w->free();
      }
      if (ancestor != nullptr) {
        ancestor->free();
      }
      if (pick % 2 != 0) {
        w->free();
      }
      break;
    }
    case opFreeFromDestructor: new Tripwire(w, screen, pick / 7); break;
    case opFreeFromHandler: w->onMouseDown = freeFromHandler; break;
    case opToggleVisible: w->setVisible(!w->getVisible()); break;
    case opToggleEnabled: w->setEnabled(!w->getEnabled()); break;
    case opBringToFront: w->getOwner()->bringToFront(w); break;
    default: break;
  }
}

const void* lastDeletedByApplication() { return deletedLast; }
std::string appCallSummary() {
  std::string text;
  for (int op = 0; op < opCount; ++op) {
    text += std::string(op == 0 ? "" : " ") + appOpName(op) + "=" + std::to_string(made[op]);
  }
  return text;
}

}  // namespace vt
