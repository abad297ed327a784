// WidgetTree: the children accessor and the screen position of a widget.
#include "WidgetTree.h"

namespace vt {

namespace {
// Children is protected; a pointer to it taken in a derived class's scope reads it from any
// widget.
struct ChildrenAccess : VWidget {
  static const std::list<VWidget*>& of(VWidget* w) { return w->*(&ChildrenAccess::Children); }
};
}  // namespace

std::vector<VWidget*> childrenOf(VWidget* w) {
  const std::list<VWidget*>& children = ChildrenAccess::of(w);
  return {children.begin(), children.end()};
}

ScreenPoint screenOrigin(VWidget* w) {
  ScreenPoint p{0, 0};
  for (VWidget* at = w; at != nullptr; at = at->getOwner()) {
    p.x += at->getLeft();
    p.y += at->getTop();
  }
  return p;
}

std::ostream& operator<<(std::ostream& os, const Box& b) {
  return os << "(" << b.left << ", " << b.top << ") " << b.width << "x" << b.height;
}

Box boxOf(VWidget* w) { return {w->getLeft(), w->getTop(), w->getWidth(), w->getHeight()}; }

}  // namespace vt
