// VScreen: dispatch, the deferred free queue, the end of focus requests and the host methods.
#include "screen/VScreen.h"

#include <GL/freeglut.h>

#include <iostream>
#include <unordered_set>

#include "draw/VLookAndFeel.h"

namespace {

// Pointer positions from a caller are held within +-2^24 before they enter the tree: routing
// subtracts each widget's offset on the way down, and a position near the int limits would
// overflow there. A real window never reports positions that far out.
constexpr int kCoordinateLimit = 1 << 24;

int clampCoordinate(int v) {
  return v < -kCoordinateLimit ? -kCoordinateLimit : v > kCoordinateLimit ? kCoordinateLimit : v;
}

}  // namespace

VScreen::VScreen(VWidget* owner)
    : VWidget(owner), ScreenFocusedWidget(nullptr), LastEvent(new VEvent()) {
  VScreen::Init();
  VScreen::layout();
}

VScreen::~VScreen() {
  delete LastEvent;
  LastEvent = nullptr;
  VScreen::CleanUp();
  // Queued widgets are still in the tree: the base destructor deletes them with the children.
  WidgetsToRemove.clear();
  QueueIndex.clear();
}

// The look and feel loads the control images, so the GL context must exist by now.
void VScreen::Init() { LookAndFeel = new VLookAndFeel(); }

void VScreen::CleanUp() {
  delete LookAndFeel;
  LookAndFeel = nullptr;
}

// --- tree and focus ---------------------------------------------------------------------------

void VScreen::remove(VWidget* child) {
  if (FocusPath == child) {
    ScreenFocusedWidget = nullptr;
  }
  VWidget::remove(child);
}

// Queues w once, at the end (a repeated request moves it there). The screen itself and null
// are never queued: deleting the root in the middle of a dispatch would pull the tree away
// from under the event being routed.
void VScreen::freeWidget(VWidget* w) {
  if (w == nullptr || w == this) {
    return;
  }
  auto found = QueueIndex.find(w);
  if (found != QueueIndex.end()) {
    WidgetsToRemove.erase(found->second);
  }
  QueueIndex[w] = WidgetsToRemove.insert(WidgetsToRemove.end(), w);
}

void VScreen::redraw() { glutPostRedisplay(); }

void VScreen::requestFocus(VWidget* child, VWidget* target) {
  if (FocusPath != nullptr && FocusPath != child) {
    FocusPath->clearFocusPath();
  }
  FocusPath = child;
  ScreenFocusedWidget = target;
  redraw();
}

VWidget* VScreen::getScreenFocusedWidget() { return ScreenFocusedWidget; }
void VScreen::setScreenFocusedWidget(VWidget* newValue) { ScreenFocusedWidget = newValue; }
VEvent* VScreen::getLastEvent() { return LastEvent; }

// --- hooks ------------------------------------------------------------------------------------

void VScreen::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  glColor3f(0.3f, 0.3f, 0.5f);
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(0.0f, 0.0f, static_cast<float>(Width), static_cast<float>(Height));
  glEnd();
}

void VScreen::layout() {}
bool VScreen::canDrag(VEvent*) { return false; }
bool VScreen::processEvent(VEvent*) { return false; }
bool VScreen::processMouseOwner(VEvent*) { return false; }
void VScreen::childrenChanged() {}
bool VScreen::canFocus(VEvent*) { return false; }

// --- dispatch ---------------------------------------------------------------------------------

void VScreen::sendEvent() {
  deleteQueuedWidgets();
  event(LastEvent);
}

// Removes every queued widget from its owner and deletes it with its subtree, in request order.
// A widget queued together with one of its ancestors goes with that ancestor, so nothing is
// deleted twice; and the screen's focus target is cleared when it lies in a deleted subtree, so
// it never names a deleted widget. Ancestry is decided before anything is deleted, while every
// owner chain is still intact.
//
// The screen's own children (top-level windows, toolbars) leave its list in one pass, with one
// childrenChanged() for the turn: removing them one by one would scan the list once each, and a
// turn that closes thousands of windows would cost the square of their number. Widgets deeper in
// the tree still leave through their owner's remove(), which a widget class may extend.
void VScreen::deleteQueuedWidgets() {
  if (WidgetsToRemove.empty()) {
    return;
  }
  std::list<VWidget*> batch;
  batch.swap(WidgetsToRemove);
  QueueIndex.clear();

  const std::unordered_set<VWidget*> queued(batch.begin(), batch.end());
  batch.remove_if([&queued](VWidget* w) {
    for (VWidget* up = w->getOwner(); up != nullptr; up = up->getOwner()) {
      if (queued.count(up) != 0) {
        return true;
      }
    }
    return false;
  });

  const std::size_t before = Children.size();
  Children.remove_if([&queued](VWidget* c) { return queued.count(c) != 0; });
  if (Children.size() != before) {
    if (FocusPath != nullptr && queued.count(FocusPath) != 0) {
      FocusPath = nullptr;
      ScreenFocusedWidget = nullptr;
    }
    childrenChanged();
  }

  for (VWidget* w : batch) {
    for (VWidget* p = ScreenFocusedWidget; p != nullptr; p = p->getOwner()) {
      if (p == w) {
        ScreenFocusedWidget = nullptr;
        break;
      }
    }
    VWidget* owner = w->getOwner();
    if (owner != nullptr && owner != this) {
      owner->remove(w);
    }
    delete w;
  }
}

void VScreen::glutResize(int, int) {}

void VScreen::glutKeyboard(unsigned char key, int x, int y) {
  LastEvent->setType(etKeyboard);
  LastEvent->setKey(key);
  LastEvent->setX(clampCoordinate(x));
  LastEvent->setY(clampCoordinate(y));
  sendEvent();
  redraw();
}

void VScreen::glutKeyboardUp(unsigned char key, int x, int y) {
  LastEvent->setType(etKeyboardUp);
  LastEvent->setKey(key);
  LastEvent->setX(clampCoordinate(x));
  LastEvent->setY(clampCoordinate(y));
  sendEvent();
  redraw();
}

void VScreen::glutSpecialFunc(int key, int x, int y) {
  LastEvent->setType(etSpecialKey);
  LastEvent->setKey(key);
  LastEvent->setX(clampCoordinate(x));
  LastEvent->setY(clampCoordinate(y));
  sendEvent();
  redraw();
}

void VScreen::glutMotion(int x, int y) {
  LastEvent->setType(etMouseMotion);
  LastEvent->setX(clampCoordinate(x));
  LastEvent->setY(clampCoordinate(y));
  sendEvent();
  redraw();
}

void VScreen::glutMouse(int button, int state, int x, int y) {
  LastEvent->setX(clampCoordinate(x));
  LastEvent->setY(clampCoordinate(y));
  const bool known = button == GLUT_LEFT_BUTTON || button == GLUT_MIDDLE_BUTTON ||
                     button == GLUT_RIGHT_BUTTON;
  if (known) {
    LastEvent->setButton(button == GLUT_LEFT_BUTTON     ? mbLeft
                         : button == GLUT_MIDDLE_BUTTON ? mbCenter
                                                        : mbRight);
    if (state == GLUT_DOWN) {
      LastEvent->setType(etMouseDown);
      sendEvent();
    } else if (state == GLUT_UP) {
      LastEvent->setType(etMouseUp);
      sendEvent();
      LastEvent->setType(etMouseClick);
      sendEvent();
    }
  }
  redraw();
}

void VScreen::glutDisplay() {
  LastEvent->setType(etDraw);
  sendEvent();
}

void VScreen::print() {
  std::cout << "Class : VScreen" << std::endl;
  std::cout << "ScreenFocusedWidget = " << static_cast<const void*>(ScreenFocusedWidget)
            << std::endl;
}
