// VWidget: tree operations, properties, and the routing of events, focus and drags.
#include "core/VWidget.h"

#include <GL/gl.h>

#include <iostream>
#include <vector>

namespace {
// A dragged widget closer than this to an edge of its owner's client area sticks to it.
constexpr int kSnapDistance = 5;
}  // namespace

VWidget::VWidget(VWidget* owner)
    : DragStartX(0),
      DragStartY(0),
      Listings(0),
      ListedIn(nullptr),
      Width(20),
      Height(10),
      Top(owner != nullptr ? owner->getClientBorderTop() : 0),
      Left(owner != nullptr ? owner->getClientBorderLeft() : 0),
      MinWidth(0),
      MinHeight(0),
      ClientBorderLeft(0),
      ClientBorderRight(0),
      ClientBorderTop(0),
      ClientBorderBottom(0),
      Enabled(true),
      Visible(true),
      Dragging(false),
      LookAndFeel(owner != nullptr ? owner->getLookAndFeel() : nullptr),
      Owner(owner),
      FocusPath(nullptr),
      onClick(nullptr),
      onMouseDown(nullptr),
      onMouseUp(nullptr),
      onMouseMove(nullptr),
      onKey(nullptr),
      onCustomDraw(nullptr),
      onResize(nullptr) {
  if (Owner != nullptr) {
    Owner->add(this);
  }
  VWidget::Init();
  VWidget::layout();
}

VWidget::~VWidget() {
  freeChildren();
  VWidget::CleanUp();
}

// --- tree -------------------------------------------------------------------------------------

void VWidget::add(VWidget* child) {
  Children.push_front(child);
  if (child != nullptr) {
    ++child->Listings;
    child->ListedIn = child->Listings == 1 ? this : nullptr;
    child->Place = Children.begin();
  }
  childrenChanged();
}

void VWidget::remove(VWidget* child) {
  if (FocusPath == child) {
    FocusPath = nullptr;
  }
  if (child != nullptr && child->Listings == 1 && child->ListedIn == this) {
    Children.erase(child->Place);
    child->Listings = 0;
  } else {
    const std::size_t before = Children.size();
    Children.remove(child);
    if (child != nullptr) {
      child->Listings -= static_cast<int>(before - Children.size());
    }
  }
  if (child != nullptr) {
    child->ListedIn = nullptr;  // whatever entry is left elsewhere, its place is unknown
  }
  childrenChanged();
}

void VWidget::freeWidget(VWidget* w) {
  if (Owner != nullptr) {
    Owner->freeWidget(w);
  }
}

void VWidget::redraw() {
  if (Owner != nullptr) {
    Owner->redraw();
  }
}

// Every press raises each widget on its way, so this runs at every level of every press. A
// child already in front and listed nowhere else costs nothing; otherwise one walk counts its
// entries and either moves the only one to the front (no allocation) or drops them all.
void VWidget::bringToFront(VWidget* child) {
  if (child != nullptr && !Children.empty() && Children.front() == child &&
      child->Listings == 1) {
    return;
  }
  if (child != nullptr && child->Listings == 1 && child->ListedIn == this) {
    Children.splice(Children.begin(), Children, child->Place);
    return;
  }
  auto found = Children.end();
  std::size_t entries = 0;
  for (auto it = Children.begin(); it != Children.end(); ++it) {
    if (*it == child) {
      found = it;
      ++entries;
    }
  }
  if (entries == 1) {
    Children.splice(Children.begin(), Children, found);
    if (child != nullptr && child->Listings == 1) {
      child->ListedIn = this;
      child->Place = found;
    }
  } else if (entries > 1) {
    Children.remove(child);
    if (child != nullptr) {
      child->Listings -= static_cast<int>(entries);
    }
  }
}

void VWidget::requestFocus(VWidget* child, VWidget* target) {
  if (FocusPath != nullptr && FocusPath != child) {
    FocusPath->clearFocusPath();
  }
  FocusPath = child;
  if (Owner != nullptr) {
    Owner->requestFocus(this, target);
  }
}

void VWidget::free() {
  if (Owner != nullptr) {
    Owner->freeWidget(this);
  }
}

void VWidget::freeChildren() {
  while (!Children.empty()) {
    VWidget* child = Children.front();
    Children.pop_front();
    if (child != nullptr) {
      --child->Listings;
      child->ListedIn = nullptr;
    }
    delete child;  // deleting null is a no-op, so null entries are skipped
  }
}

bool VWidget::isInFront(VWidget* child) { return !Children.empty() && Children.front() == child; }

// --- hooks ------------------------------------------------------------------------------------

void VWidget::draw(VEvent*) {}
void VWidget::layout() {}
bool VWidget::canDrag(VEvent*) { return false; }
bool VWidget::processEvent(VEvent*) { return false; }
bool VWidget::processMouseOwner(VEvent*) { return false; }
void VWidget::childrenChanged() {}
bool VWidget::canFocus(VEvent*) { return false; }
void VWidget::Init() {}
void VWidget::CleanUp() {}

// --- properties -------------------------------------------------------------------------------

int VWidget::getWidth() { return Width; }

void VWidget::setWidth(int newValue) {
  if (newValue < MinWidth) {
    newValue = MinWidth;
  }
  if (newValue != Width) {
    Width = newValue;
    layout();
    if (onResize != nullptr) {
      onResize(this);
    }
  }
}

int VWidget::getHeight() { return Height; }

void VWidget::setHeight(int newValue) {
  if (newValue < MinHeight) {
    newValue = MinHeight;
  }
  if (newValue != Height) {
    Height = newValue;
    layout();
    if (onResize != nullptr) {
      onResize(this);
    }
  }
}

int VWidget::getTop() { return Top; }
void VWidget::setTop(int newValue) { Top = newValue; }
int VWidget::getLeft() { return Left; }
void VWidget::setLeft(int newValue) { Left = newValue; }
int VWidget::getMinWidth() { return MinWidth; }
void VWidget::setMinWidth(int newValue) { MinWidth = newValue; }
int VWidget::getMinHeight() { return MinHeight; }
void VWidget::setMinHeight(int newValue) { MinHeight = newValue; }
int VWidget::getClientBorderLeft() { return ClientBorderLeft; }
void VWidget::setClientBorderLeft(int newValue) { ClientBorderLeft = newValue; }
int VWidget::getClientBorderRight() { return ClientBorderRight; }
void VWidget::setClientBorderRight(int newValue) { ClientBorderRight = newValue; }
int VWidget::getClientBorderTop() { return ClientBorderTop; }
void VWidget::setClientBorderTop(int newValue) { ClientBorderTop = newValue; }
int VWidget::getClientBorderBottom() { return ClientBorderBottom; }
void VWidget::setClientBorderBottom(int newValue) { ClientBorderBottom = newValue; }
bool VWidget::getEnabled() { return Enabled; }
void VWidget::setEnabled(bool newValue) { Enabled = newValue; }
bool VWidget::getVisible() { return Visible; }
void VWidget::setVisible(bool newValue) { Visible = newValue; }
VLookAndFeel* VWidget::getLookAndFeel() { return LookAndFeel; }
void VWidget::setLookAndFeel(VLookAndFeel* newValue) { LookAndFeel = newValue; }
VWidget* VWidget::getOwner() { return Owner; }
void VWidget::setOwner(VWidget* newValue) { Owner = newValue; }
VWidget* VWidget::getFocusPath() { return FocusPath; }
void VWidget::setFocusPath(VWidget* newValue) { FocusPath = newValue; }

// --- focus ------------------------------------------------------------------------------------

void VWidget::clearFocusPath() {
  if (FocusPath != nullptr) {
    FocusPath->clearFocusPath();
    FocusPath = nullptr;
  }
}

bool VWidget::getFocused() { return Owner != nullptr && Owner->getFocusPath() == this; }

// --- routing ----------------------------------------------------------------------------------

bool VWidget::event(VEvent* e) {
  if (!Visible) {
    return false;
  }
  const VEventType type = e->getType();
  if (type == etDraw) {
    changeContext();
    draw(e);
    if (onCustomDraw != nullptr) {
      onCustomDraw(this, e);
    }
    eventToChildrenReversed(e);
    restoreContext();
    return false;
  }
  if (!Enabled) {
    return false;
  }
  if (type == etKeyboard || type == etSpecialKey || type == etKeyboardUp) {
    return handleKeyboardEvent(e);
  }
  return handleMouseEvent(e);
}

// A child may raise itself to the front while it handles a press, and a handler may add
// widgets at the front of any list; the iterator stays valid through both. The walk ends the
// moment a child consumes the event, so a child that moved is never stepped past.
bool VWidget::eventToChildren(VEvent* e) {
  for (auto it = Children.begin(); it != Children.end(); ++it) {
    if ((*it)->event(e)) {
      return true;
    }
  }
  return false;
}

bool VWidget::eventToChildrenReversed(VEvent* e) {
  for (auto it = Children.rbegin(); it != Children.rend(); ++it) {
    if ((*it)->event(e)) {
      return true;
    }
  }
  return false;
}

namespace {

// The draw pass pushes one model-view matrix for each of the first kPushedLevels levels of
// nesting, as designed; a widget nested deeper keeps its owner's matrix by value and loads it
// back. So nesting of any depth costs the stack at most kPushedLevels entries: GL promises only
// 32, and the widgets' own drawing (a font pushes one) and the program around the toolkit need
// some of them. VScreen::drawOverlay keeps this much room free on a program's stack.
constexpr int kPushedLevels = 8;

struct KeptMatrix {
  GLfloat m[16];
};

int drawLevels = 0;                    // changeContext calls not yet restored
std::vector<KeptMatrix> keptMatrices;  // the matrices of the levels past kPushedLevels

}  // namespace

void VWidget::changeContext() {
  if (drawLevels < kPushedLevels) {
    glPushMatrix();
  } else {
    const auto kept = static_cast<std::size_t>(drawLevels - kPushedLevels);
    if (keptMatrices.size() <= kept) {
      keptMatrices.resize(kept + 1);
    }
    glGetFloatv(GL_MODELVIEW_MATRIX, keptMatrices[kept].m);
  }
  ++drawLevels;
  glTranslatef(static_cast<float>(Left), static_cast<float>(Top), 0.0f);
}

// Undoes whatever the widget's drawing left in the matrix as well: a pop, or the kept matrix
// loaded again.
void VWidget::restoreContext() {
  if (drawLevels > kPushedLevels) {
    --drawLevels;
    glLoadMatrixf(keptMatrices[static_cast<std::size_t>(drawLevels - kPushedLevels)].m);
    return;
  }
  if (drawLevels > 0) {
    --drawLevels;
  }
  glPopMatrix();
}

// Every widget on the focus chain sees the key, outermost first, hook before handler. Key
// events keep window coordinates.
bool VWidget::handleKeyboardEvent(VEvent* e) {
  processEvent(e);
  if (onKey != nullptr) {
    onKey(this, e);
  }
  if (FocusPath != nullptr) {
    FocusPath->event(e);
  }
  return true;
}

// Mouse routing, in order:
//   1. a dragging widget takes every motion at once (no hit test, nothing else sees it);
//   2. a press inside raises the widget and moves the focus, before any child sees it;
//   3. the children are searched (in this widget's space) whether or not the point is inside;
//      a consuming child ends the event here;
//   4. a mouse-up ends a drag; processMouseOwner sees the event, inside or not;
//   5. only inside: processEvent, the drag start on a press, then the handler of the type.
// The hit test includes the right and bottom edges: a widget 20 wide is hit at 21 columns.
bool VWidget::handleMouseEvent(VEvent* e) {
  const VEventType type = e->getType();
  if (Dragging && type == etMouseMotion) {
    handleDragging(e);
    return true;
  }
  const int x = e->getX();
  const int y = e->getY();
  const int lx = x - Left;
  const int ly = y - Top;
  const bool inside = lx >= 0 && ly >= 0 && lx <= Width && ly <= Height;

  if (inside && type == etMouseDown) {
    doFocus(e);
  }

  // Most widgets the search passes are leaves (buttons, fields): with no child to see the
  // rewritten coordinates, the four writes are skipped.
  if (!Children.empty()) {
    e->setX(lx);
    e->setY(ly);
    const bool consumed = eventToChildren(e);
    e->setX(x);
    e->setY(y);
    if (consumed) {
      return true;
    }
  }

  if (Dragging && type == etMouseUp) {
    Dragging = false;
  }
  processMouseOwner(e);
  if (!inside) {
    return false;
  }

  processEvent(e);
  switch (type) {
    case etMouseUp:
      if (onMouseUp != nullptr) {
        onMouseUp(this, e);
      }
      break;
    case etMouseDown:
      if (canDrag(e)) {
        Dragging = true;
        DragStartX = lx;
        DragStartY = ly;
      }
      if (onMouseDown != nullptr) {
        onMouseDown(this, e);
      }
      break;
    case etMouseMotion:
      if (onMouseMove != nullptr) {
        onMouseMove(this, e);
      }
      break;
    case etMouseClick:
      if (onClick != nullptr) {
        onClick(this, e);
      }
      break;
    default:
      break;
  }
  return true;
}

// Follows the pointer (owner space), keeping the widget inside the owner's client area with a
// snap: a candidate within kSnapDistance of an edge sticks to it. The low edge is tested
// first, so when the free room is under twice the snap distance, candidates near the low edge
// go there and all others to the high edge.
void VWidget::handleDragging(VEvent* e) {
  if (Owner == nullptr) {
    return;
  }
  int left = e->getX() - DragStartX;
  int top = e->getY() - DragStartY;

  const int minLeft = Owner->getClientBorderLeft();
  const int maxLeft = Owner->getWidth() - Width - Owner->getClientBorderRight();
  const int minTop = Owner->getClientBorderTop();
  const int maxTop = Owner->getHeight() - Height - Owner->getClientBorderBottom();

  if (left < minLeft + kSnapDistance) {
    left = minLeft;
  } else if (left > maxLeft - kSnapDistance) {
    left = maxLeft;
  }
  if (top < minTop + kSnapDistance) {
    top = minTop;
  } else if (top > maxTop - kSnapDistance) {
    top = maxTop;
  }
  setLeft(left);
  setTop(top);
}

void VWidget::doFocus(VEvent* e) {
  if (Owner == nullptr) {
    return;
  }
  Owner->bringToFront(this);
  if (canFocus(e)) {
    Owner->requestFocus(this, this);
  }
}

// --- diagnostics ------------------------------------------------------------------------------

void VWidget::print() {
  std::cout << "Class : VWidget" << std::endl;
  std::cout << "Width = " << Width << std::endl;
  std::cout << "Height = " << Height << std::endl;
  std::cout << "Top = " << Top << std::endl;
  std::cout << "Left = " << Left << std::endl;
  std::cout << "Enabled = " << Enabled << std::endl;
  std::cout << "Visible = " << Visible << std::endl;
  std::cout << "Owner = " << static_cast<const void*>(Owner) << std::endl;
  std::cout << "Children = " << Children.size() << std::endl;
}
