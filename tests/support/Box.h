// Box: the one rectangle type of the tests, and the rectangles of a widget.
#pragma once

#include <ostream>

class VWidget;

namespace vt {

// Left, top, width and height in pixels: comparable, and printed as "(left, top) WxH" in test
// messages.
struct Box {
  int left;
  int top;
  int width;
  int height;

  bool operator==(const Box& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
  int centreX() const { return left + width / 2; }
  int centreY() const { return top + height / 2; }
};

std::ostream& operator<<(std::ostream& os, const Box& b);

// The widget's rectangle in its owner's space (its Left, Top, Width and Height).
Box boxOf(VWidget* w);

// The widget's rectangle in window pixels: its Left and Top summed over it and its owners.
Box screenBoxOf(VWidget* w);

}  // namespace vt
