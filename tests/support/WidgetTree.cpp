// WidgetTree: the children accessor.
#include "support/WidgetTree.h"

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

}  // namespace vt
