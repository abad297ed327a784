// VScreen: dispatch, the deferred free queue, the end of focus requests and the host methods.
#include "screen/VScreen.h"

#include <GL/freeglut.h>

#include <iostream>
#include <vector>

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
  ++FreeRequests;
  dequeue(w);
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

// Empties the queue one widget at a time, in request order, until it is empty, entries added
// on the way included: take the first widget, take it out of its owner through the owner's
// remove() (the screen's own for a top-level widget, so a subclass sees every child leave),
// delete it with its subtree, drop its entry. A widget freed from a destructor or from a
// remove() or childrenChanged() override is therefore gone before this dispatch routes.
//
// Before a widget is deleted, its subtree is walked once: the entries of its descendants leave
// the queue (they go with it, and must not be deleted twice), and the focus target is cleared
// when it lies there. That test compares pointers only: the focus target may name a widget the
// application has already deleted itself, which must never be read.
void VScreen::deleteQueuedWidgets() {
  std::vector<VWidget*> subtree;
  while (!WidgetsToRemove.empty()) {
    VWidget* w = WidgetsToRemove.front();
    WidgetsToRemove.pop_front();
    QueueIndex.erase(w);

    const unsigned long requestsBefore = FreeRequests;
    if (VWidget* owner = w->getOwner()) {
      owner->remove(w);
    }
    subtree.clear();
    subtree.push_back(w);
    for (std::size_t i = 0; i < subtree.size(); ++i) {
      for (VWidget* child : childrenOf(subtree[i])) {
        if (child != nullptr) {
          subtree.push_back(child);
        }
      }
    }
    for (VWidget* doomed : subtree) {
      if (doomed == ScreenFocusedWidget) {
        ScreenFocusedWidget = nullptr;
      }
      dequeue(doomed);
    }
    delete w;
    // Requests made while it went (by remove, childrenChanged or a destructor) may name a
    // widget of the deleted subtree, the widget itself included.
    if (FreeRequests != requestsBefore) {
      for (VWidget* doomed : subtree) {
        dequeue(doomed);
      }
    }
  }
}

void VScreen::dequeue(VWidget* w) {
  auto found = QueueIndex.find(w);
  if (found != QueueIndex.end()) {
    WidgetsToRemove.erase(found->second);
    QueueIndex.erase(found);
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
