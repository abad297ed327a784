// Box: printing, and the rectangles of a widget.
#include "support/Box.h"

#include "core/VWidget.h"

namespace vt {

std::ostream& operator<<(std::ostream& os, const Box& b) {
  return os << "(" << b.left << ", " << b.top << ") " << b.width << "x" << b.height;
}

Box boxOf(VWidget* w) { return {w->getLeft(), w->getTop(), w->getWidth(), w->getHeight()}; }

Box screenBoxOf(VWidget* w) {
  Box b = boxOf(w);
  for (VWidget* owner = w->getOwner(); owner != nullptr; owner = owner->getOwner()) {
    b.left += owner->getLeft();
    b.top += owner->getTop();
  }
  return b;
}

}  // namespace vt
