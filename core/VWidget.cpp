// VWidget: tree operations, properties, and the routing of events, focus and drags.
#include "core/VWidget.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <unordered_map>
#include <vector>

#include "core/VClamp.h"
#include "core/VMessages.h"

namespace {
// A dragged widget closer than this to an edge of its owner's client area sticks to it.
constexpr int kSnapDistance = 5;
}  // namespace

VWidget::VWidget(VWidget* owner)
    : Width(20),
      Height(10),
      Top(owner != nullptr ? owner->getClientBorderTop() : 0),
      Left(owner != nullptr ? owner->getClientBorderLeft() : 0),
      Enabled(true),
      Visible(true),
      Dragging(false),
      PendingLayout(nullptr),
      PlacedChild(nullptr),
      DragStartX(0),
      DragStartY(0),
      ListedIn(nullptr),
      DragRelease(0),
      Walks(nullptr),
      QueuedIn(nullptr),
      MinWidth(0),
      MinHeight(0),
      ClientBorderLeft(0),
      ClientBorderRight(0),
      ClientBorderTop(0),
      ClientBorderBottom(0),
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

unsigned long VWidget::MouseReleases = 0;
void (*VWidget::DropFromQueue)(VWidget* screen, VWidget* w) = nullptr;
void (*VWidget::TooltipGone)(VWidget* w) = nullptr;
int VWidget::ClippedOut = 0;
double VWidget::RootPixelScale = 0;
int VWidget::OpenPopups = 0;

namespace {

// The tooltips, out of the widgets: few widgets have one, and every widget stays as small as
// the routing walks want it.
std::unordered_map<const VWidget*, std::string>& tooltips() {
  static std::unordered_map<const VWidget*, std::string> table;
  return table;
}

}  // namespace

// A walk over Children in progress: Next is the entry it visits next, Children.end() when
// none is left. Walks nest (a handler routes into the same list), innermost first.
struct VWidget::ChildWalk {
  std::list<VWidget*>::iterator Next;
  bool Reversed;
  ChildWalk* Outer;
};

VWidget::~VWidget() {
  if (ListedIn != nullptr) {
    ListedIn->remove(this);
  }
  if (QueuedIn != nullptr && DropFromQueue != nullptr) {
    DropFromQueue(QueuedIn, this);
  }
  if (HasTooltip) {
    setTooltip(std::string());
  }
  freeChildren();
  VWidget::CleanUp();
}

// --- tree -------------------------------------------------------------------------------------

void VWidget::add(VWidget* child) {
  if (child == nullptr || child->ListedIn == this) {
    return;
  }
  for (VWidget* w = this; w != nullptr; w = w->ListedIn) {
    if (w == child) {
      VMessages::write(VMessages::msError,
                       "Vuna: a widget cannot be added to itself or to a widget inside it; the "
                       "add is ignored");
      return;
    }
  }
  if (child->ListedIn != nullptr) {
    child->ListedIn->remove(child);  // the old owner sees it leave
    if (child->ListedIn != nullptr || lists(child)) {
      return;  // that owner's remove put it somewhere again: leave it there
    }
  }
  Children.push_front(child);
  child->ListedIn = this;
  child->Place = Children.begin();
  child->Owner = this;
  childrenChanged();
}

void VWidget::remove(VWidget* child) {
  if (FocusPath == child) {
    FocusPath = nullptr;
  }
  if (lists(child)) {
    stepWalksPast(child->Place);
    Children.erase(child->Place);
    child->ListedIn = nullptr;
    if (child->Owner == this) {
      child->Owner = nullptr;
    }
  }
  childrenChanged();
}

void VWidget::stepWalksPast(std::list<VWidget*>::iterator entry) {
  for (ChildWalk* walk = Walks; walk != nullptr; walk = walk->Outer) {
    if (walk->Next != entry) {
      continue;
    }
    if (!walk->Reversed) {
      ++walk->Next;
    } else {
      walk->Next = entry == Children.begin() ? Children.end() : std::prev(entry);
    }
  }
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

// Every press raises each widget on its way, so this runs at every level of every press: the
// child's own place makes it constant time.
void VWidget::bringToFront(VWidget* child) {
  if (!lists(child) || Children.front() == child) {
    return;
  }
  stepWalksPast(child->Place);
  Children.splice(Children.begin(), Children, child->Place);
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
    stepWalksPast(Children.begin());
    Children.pop_front();
    child->ListedIn = nullptr;
    if (FocusPath == child) {
      FocusPath = nullptr;
    }
    delete child;
  }
}

void VWidget::layoutIfPending() {
  if (PendingLayout != nullptr) {
    void (*finish)(VWidget*, const VWidget*) = PendingLayout;
    const VWidget* placed = PlacedChild;
    cancelLayoutRequest();
    finish(this, placed);
  }
}

bool VWidget::isInFront(VWidget* child) { return !Children.empty() && Children.front() == child; }

// --- hooks ------------------------------------------------------------------------------------

void VWidget::draw(VEvent*) {}
void VWidget::layout() {}
bool VWidget::takesText() { return false; }
bool VWidget::processWheel(VEvent*) { return false; }
VPopupLayer* VWidget::getPopupLayer() {
  return Owner != nullptr ? Owner->getPopupLayer() : nullptr;
}
void VWidget::popupClosed(VWidget*) {}
void VWidget::processHover(int, int) {}
bool VWidget::takesTabFocus() { return false; }

void VWidget::getPlaceInRoot(long long& left, long long& top) {
  left = 0;
  top = 0;
  for (VWidget* w = this; w != nullptr; w = w->Owner) {
    left += w->getLeft();  // the getters: a layout places its children first
    top += w->getTop();
  }
}

bool VWidget::isReachable() {
  for (VWidget* w = this; w != nullptr; w = w->Owner) {
    if (!w->getVisible() || !w->getEnabled()) {
      return false;
    }
  }
  return true;
}

bool VWidget::readsBefore(VWidget* a, VWidget* b) {
  long long aLeft = 0;
  long long aTop = 0;
  long long bLeft = 0;
  long long bTop = 0;
  a->getPlaceInRoot(aLeft, aTop);
  b->getPlaceInRoot(bLeft, bTop);
  return aTop != bTop ? aTop < bTop : aLeft < bLeft;
}
bool VWidget::processNavigationKey(VEvent*) { return false; }

// A widget being deleted leaves the table, and the screen showing its tooltip hides it.
void VWidget::setTooltip(const std::string& text) {
  if (text.empty()) {
    if (HasTooltip) {
      tooltips().erase(this);
      HasTooltip = false;
      if (TooltipGone != nullptr) {
        TooltipGone(this);
      }
    }
    return;
  }
  tooltips()[this] = text;
  HasTooltip = true;
}

std::string VWidget::getTooltip() const {
  return HasTooltip ? tooltips().at(this) : std::string();
}

bool VWidget::anyTooltips() { return !tooltips().empty(); }
bool VWidget::wantsPassiveMotion() { return anyTooltips() || OpenPopups > 0; }

void VWidget::setClipChildren(bool clip) {
  ClipChildren = clip;
  redraw();
}

// Half-open, as pixels are: the columns ClientBorderLeft to Width - ClientBorderRight - 1 are
// the ones the scissor lets through.
bool VWidget::insideClientArea(int x, int y) const {
  const long long lx = x;
  const long long ly = y;
  return lx >= ClientBorderLeft && ly >= ClientBorderTop &&
         lx < static_cast<long long>(Width) - ClientBorderRight &&
         ly < static_cast<long long>(Height) - ClientBorderBottom;
}
bool VWidget::takesKey(int key, bool special) { return takesText() && !special && key != 27; }
VHostServices* VWidget::getHostServices() {
  return Owner != nullptr ? Owner->getHostServices() : nullptr;
}
bool VWidget::canDrag(VEvent*) { return false; }
bool VWidget::processEvent(VEvent*) { return false; }
bool VWidget::processMouseOwner(VEvent*) { return false; }
void VWidget::childrenChanged() {}
bool VWidget::canFocus(VEvent*) { return false; }
void VWidget::Init() {}
void VWidget::CleanUp() {}

// --- properties -------------------------------------------------------------------------------

// The geometry getters and setters first run a layout the owner has deferred, so whoever reads
// or changes a child's place sees and changes the row its owner will draw.
int VWidget::getWidth() {
  ownerLayoutIfPending();
  return Width;
}

void VWidget::setWidth(int newValue) {
  ownerLayoutIfPending();
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

int VWidget::getHeight() {
  ownerLayoutIfPending();
  return Height;
}

void VWidget::setHeight(int newValue) {
  ownerLayoutIfPending();
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

int VWidget::getTop() {
  ownerLayoutIfPending();
  return Top;
}
void VWidget::setTop(int newValue) {
  ownerLayoutIfPending();
  Top = newValue;
}
int VWidget::getLeft() {
  ownerLayoutIfPending();
  return Left;
}
void VWidget::setLeft(int newValue) {
  ownerLayoutIfPending();
  Left = newValue;
}
int VWidget::getMinWidth() { return MinWidth; }
void VWidget::setMinWidth(int newValue) {
  ownerLayoutIfPending();
  MinWidth = newValue;
}
int VWidget::getMinHeight() { return MinHeight; }
void VWidget::setMinHeight(int newValue) {
  ownerLayoutIfPending();
  MinHeight = newValue;
}
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
  // Keys are routed by the focus chain, not by position: a pending layout of the children
  // can wait for the next draw or mouse event (or geometry read), which keeps the key path,
  // the hottest one of a typing user, as short as the design's.
  if (type == etKeyboard || type == etSpecialKey || type == etKeyboardUp) {
    if (!Enabled) {
      return false;
    }
    return handleKeyboardEvent(e);
  }
  if (PendingLayout != nullptr) {
    layoutIfPending();
  }
  if (type == etDraw) {
    changeContext();
    draw(e);
    if (onCustomDraw != nullptr) {
      onCustomDraw(this, e);
    }
    if (ClipChildren && !Children.empty()) {
      drawChildrenClipped(e);
    } else {
      eventToChildrenReversed(e);
    }
    restoreContext();
    return false;
  }
  if (!Enabled) {
    return false;
  }
  if (type == etMouseWheel) {
    return routeWheel(e) != wrMissed;
  }
  return handleMouseEvent(e);
}

// Like a press, the wheel goes to the frontmost child under the pointer, depth first, and a
// child that contains the point ends the search among its siblings whether or not it takes the
// step: a step over a window never reaches the window behind it. Unlike a press it changes no
// focus, no front position and no drag, and the owners on the way are offered it only after
// their children, innermost first.
VWidget::WheelResult VWidget::routeWheel(VEvent* e, bool* childHit) {
  if (!Visible || !Enabled) {
    return wrMissed;
  }
  if (PendingLayout != nullptr) {
    layoutIfPending();
  }
  const int x = e->getX();
  const int y = e->getY();
  const int lx = vuna::subClamped(x, Left);
  const int ly = vuna::subClamped(y, Top);
  WheelResult below = wrMissed;
  if (!Children.empty() && (!ClipChildren || insideClientArea(lx, ly))) {
    e->setX(lx);
    e->setY(ly);
    ChildWalk walk{Children.begin(), false, Walks};
    Walks = &walk;
    while (walk.Next != Children.end() && below == wrMissed) {
      VWidget* child = *walk.Next;
      ++walk.Next;
      below = child->routeWheel(e);
    }
    Walks = walk.Outer;
    e->setX(x);
    e->setY(y);
  }
  if (childHit != nullptr) {
    *childHit = below != wrMissed;
  }
  if (below == wrTaken) {
    return wrTaken;
  }
  const bool inside = lx >= 0 && ly >= 0 && lx <= Width && ly <= Height;
  if (below == wrMissed && !inside) {
    return wrMissed;
  }
  const bool taken = processWheel(e);
  if (onMouseWheel != nullptr) {
    onMouseWheel(this, e);
    return wrTaken;
  }
  return taken ? wrTaken : wrHit;
}

namespace {

// A search over thousands of windows is bound by memory, not by work: each visit waits for a
// list entry and a widget that the caches no longer hold. While one child (and its subtree) is
// visited, the next sibling's widget and the entry after it are fetched, so the waits overlap
// instead of adding up. A prefetch never faults, and only entries the walk keeps valid are read.
void prefetchSibling(std::list<VWidget*>::iterator next, std::list<VWidget*>::iterator end) {
#if defined(__GNUC__) || defined(__clang__)
  const char* widget = reinterpret_cast<const char*>(*next);
  __builtin_prefetch(widget);
  __builtin_prefetch(widget + 64);
  const auto after = std::next(next);
  if (after != end) {
    __builtin_prefetch(&*after);
  }
#else
  (void)next;
  (void)end;
#endif
}

}  // namespace

// Handlers that run inside a walk may change the list walked: a child raises itself to the
// front when pressed, a handler opens a window (added at the front), removes or moves a
// sibling, or removes the child being visited. The walk keeps its next entry in a ChildWalk
// that remove and bringToFront step past an entry leaving or moving, so it never reads a
// freed list node and never visits an entry twice by way of a move. The mouse walk ends the
// moment a child consumes the event.
bool VWidget::eventToChildren(VEvent* e) {
  ChildWalk walk{Children.begin(), false, Walks};
  Walks = &walk;
  bool consumed = false;
  while (walk.Next != Children.end()) {
    VWidget* child = *walk.Next;
    ++walk.Next;
    if (walk.Next != Children.end()) {
      prefetchSibling(walk.Next, Children.end());
    }
    if (child->event(e)) {
      consumed = true;
      break;
    }
  }
  Walks = walk.Outer;
  return consumed;
}

bool VWidget::eventToChildrenReversed(VEvent* e) {
  ChildWalk walk{Children.empty() ? Children.end() : std::prev(Children.end()), true, Walks};
  Walks = &walk;
  bool consumed = false;
  while (walk.Next != Children.end()) {
    VWidget* child = *walk.Next;
    walk.Next = walk.Next == Children.begin() ? Children.end() : std::prev(walk.Next);
    if (child->event(e)) {
      consumed = true;
      break;
    }
  }
  Walks = walk.Outer;
  return consumed;
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
namespace {

// A clip in the root's pixels, half-open; the innermost last. The draw pass is one at a time.
struct ClipRect {
  long long left, top, right, bottom;
};
std::vector<ClipRect> clips;

GLint toGlInt(double v) {
  return static_cast<GLint>(std::max(-1e9, std::min(1e9, std::floor(v + 0.5))));
}

// The root's pixels span the viewport (one unit per pixel under the screen's projection, more
// device pixels per unit on a scaled display); GL counts scissor rows from the bottom.
void scissorTo(const ClipRect& c, int rootWidth, int rootHeight, double rootPixelScale) {
  GLint view[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, view);
  const double sx = rootPixelScale > 0 ? rootPixelScale
                                       : static_cast<double>(view[2]) / std::max(1, rootWidth);
  const double sy = rootPixelScale > 0 ? rootPixelScale
                                       : static_cast<double>(view[3]) / std::max(1, rootHeight);
  const GLint left = toGlInt(view[0] + static_cast<double>(c.left) * sx);
  const GLint right = toGlInt(view[0] + static_cast<double>(c.right) * sx);
  const GLint top = toGlInt(view[1] + view[3] - static_cast<double>(c.top) * sy);
  const GLint bottom = toGlInt(view[1] + view[3] - static_cast<double>(c.bottom) * sy);
  glEnable(GL_SCISSOR_TEST);
  glScissor(left, bottom, std::max(0, right - left), std::max(0, top - bottom));
}

}  // namespace

// The whole subtree still draws (its draw hooks keep their effects) under a scissor that lets
// through only this widget's client area within every clip around it.
void VWidget::drawChildrenClipped(VEvent* e) {
  long long originX = 0;
  long long originY = 0;
  const VWidget* root = this;
  for (const VWidget* w = this; w != nullptr; w = w->Owner) {
    originX += w->Left;
    originY += w->Top;
    root = w;
  }
  ClipRect c{originX + ClientBorderLeft, originY + ClientBorderTop,
             originX + Width - ClientBorderRight, originY + Height - ClientBorderBottom};
  if (!clips.empty()) {
    const ClipRect& outer = clips.back();
    c = {std::max(c.left, outer.left), std::max(c.top, outer.top),
         std::min(c.right, outer.right), std::min(c.bottom, outer.bottom)};
  }
  c.right = std::max(c.right, c.left);
  c.bottom = std::max(c.bottom, c.top);
  clips.push_back(c);
  scissorTo(c, root->Width, root->Height, RootPixelScale);
  eventToChildrenReversed(e);
  clips.pop_back();
  if (clips.empty()) {
    glDisable(GL_SCISSOR_TEST);
  } else {
    scissorTo(clips.back(), root->Width, root->Height, RootPixelScale);
  }
}

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
  if (Dragging && DragRelease != MouseReleases) {
    Dragging = false;  // a release it never saw ended it
  }
  if (Dragging && type == etMouseMotion) {
    handleDragging(e);
    return true;
  }
  const int x = e->getX();
  const int y = e->getY();
  const int lx = vuna::subClamped(x, Left);
  const int ly = vuna::subClamped(y, Top);
  const bool inside = ClippedOut == 0 && lx >= 0 && ly >= 0 && lx <= Width && ly <= Height;

  if (inside && type == etMouseDown) {
    doFocus(e);
  }

  // Most widgets the search passes are leaves (buttons, fields): with no child to see the
  // rewritten coordinates, the four writes are skipped.
  if (!Children.empty()) {
    e->setX(lx);
    e->setY(ly);
    const bool clippedOut = ClipChildren && !insideClientArea(lx, ly);
    ClippedOut += clippedOut ? 1 : 0;
    const bool consumed = eventToChildren(e);
    ClippedOut -= clippedOut ? 1 : 0;
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
        DragRelease = MouseReleases;
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
  // In 64 bits: a program may have put the widget, its owner or their borders anywhere.
  using Wide = long long;
  Wide left = static_cast<Wide>(e->getX()) - DragStartX;
  Wide top = static_cast<Wide>(e->getY()) - DragStartY;

  const Wide minLeft = Owner->getClientBorderLeft();
  const Wide maxLeft = static_cast<Wide>(Owner->getWidth()) - Width - Owner->getClientBorderRight();
  const Wide minTop = Owner->getClientBorderTop();
  const Wide maxTop = static_cast<Wide>(Owner->getHeight()) - Height - Owner->getClientBorderBottom();

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
  setLeft(vuna::clampToInt(left));
  setTop(vuna::clampToInt(top));
}

bool VWidget::isDragging() const { return Dragging && DragRelease == MouseReleases; }

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
  ownerLayoutIfPending();
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
