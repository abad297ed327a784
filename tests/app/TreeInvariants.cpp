// TreeInvariants: the walk over the tree and the free queue, and the reports of what is broken.
#include "TreeInvariants.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <list>
#include <memory>
#include <sstream>
#include <typeinfo>
#include <unordered_set>

#include "screen/VScreen.h"

namespace vt {

namespace {

// Children and the free queue are protected; pointers to them taken in a derived class's scope
// read them from any widget or screen.
struct ChildrenAccess : VWidget {
  static const std::list<VWidget*>& of(VWidget* w) { return w->*(&ChildrenAccess::Children); }
};

struct QueueAccess : VScreen {
  static const auto& of(VScreen* s) { return s->*(&QueueAccess::WidgetsToRemove); }
};

std::string className(VWidget* w) {
  const char* mangled = typeid(*w).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> plain(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  return status == 0 && plain ? std::string(plain.get()) : std::string(mangled);
}

bool contains(const std::vector<VWidget*>& sorted, const VWidget* w) {
  return std::binary_search(sorted.begin(), sorted.end(), w);
}

}  // namespace

TreeInvariants::TreeInvariants(VScreen* screen) : screen_(screen) {}

std::vector<VWidget*> TreeInvariants::queueOf(VScreen* screen) {
  const auto& queue = QueueAccess::of(screen);
  return {queue.begin(), queue.end()};
}

std::string TreeInvariants::describe(VWidget* w) {
  std::ostringstream os;
  os << className(w) << " at (" << w->getLeft() << ", " << w->getTop() << ") " << w->getWidth()
     << "x" << w->getHeight();
  return os.str();
}

void TreeInvariants::beforeCall() { queuedBefore_ = queueOf(screen_); }

std::string TreeInvariants::checkTree() {
  std::ostringstream problems;
  reached_.clear();
  reached_.push_back(screen_);
  std::unordered_set<VWidget*> seen{screen_};
  // A widget met twice is reported, not entered again, so even a cycle cannot hang the check.
  for (std::size_t i = 0; i < reached_.size(); ++i) {
    VWidget* w = reached_[i];
    const std::list<VWidget*>& children = ChildrenAccess::of(w);
    for (VWidget* child : children) {
      if (child == nullptr) {
        problems << describe(w) << " lists a null child\n";
        continue;
      }
      if (!seen.insert(child).second) {
        problems << describe(child) << " is listed more than once in the tree\n";
        continue;
      }
      if (child->getOwner() != w) {
        problems << describe(child) << " is a child of " << describe(w)
                 << " but names another owner\n";
      }
      reached_.push_back(child);
    }
    VWidget* focus = w->getFocusPath();
    if (focus != nullptr && std::find(children.begin(), children.end(), focus) == children.end()) {
      problems << "the FocusPath of " << describe(w) << " is not one of its children\n";
    }
  }
  sortedReached_ = reached_;
  std::sort(sortedReached_.begin(), sortedReached_.end());

  VWidget* target = screen_->getScreenFocusedWidget();
  if (target != nullptr && !contains(sortedReached_, target) &&
      std::find(deletedByApplication_.begin(), deletedByApplication_.end(), target) ==
          deletedByApplication_.end()) {
    problems << "the screen's focus target is not in the tree\n";
  }

  std::vector<VWidget*> queue = queueOf(screen_);
  for (VWidget* w : queue) {
    if (!contains(sortedReached_, w)) {
      problems << "a widget waiting in the free queue is no longer in the tree\n";
    }
  }
  std::sort(queue.begin(), queue.end());
  if (std::adjacent_find(queue.begin(), queue.end()) != queue.end()) {
    problems << "a widget is queued for freeing more than once\n";
  }
  return problems.str();
}

std::string TreeInvariants::afterCall(bool dispatched, FreedTest freedDuringCall) {
  std::string problems = checkTree();
  if (dispatched) {
    for (VWidget* w : queuedBefore_) {
      const bool reborn = freedDuringCall != nullptr && freedDuringCall(w);
      if (contains(sortedReached_, w) && !reborn) {
        problems += describe(w) + " was queued for freeing before an event and is still in the tree";
        problems += " after it\n";
      }
    }
  }
  return problems;
}

}  // namespace vt
