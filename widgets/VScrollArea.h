// VScrollArea: a view onto one widget larger than itself, moved by scroll bars.
#pragma once

#include "../core/VWidget.h"

class VScrollBar;

/// The content is one widget: the one the program makes with the area as its owner (the area
/// hands it to its viewport) or gives to setContent. A later content takes the place of the
/// earlier one, which is hidden and stays the area's until the area goes.
///
/// The area shows the content through a viewport, an inner widget that clips its children to
/// itself, so only the part of the content inside the view is drawn or hit. A vertical bar
/// stands at the right edge while the content is taller than the view, a horizontal bar at the
/// bottom while it is wider, each 16 pixels thick (the view narrows for one bar, which may make
/// the other needed too); where both stand, the corner square between them is plain. The bars
/// count pixels: a line is 20, a page the view's size.
///
/// The content's Left and Top are its negative scroll offsets: the area sets them, the program
/// does not. The area follows the content's size without a notice from it: it measures it again
/// before it is drawn or routed a mouse event and before any of its own children's geometry is
/// read or set (VWidget's deferred layout, kept requested), and then holds the offsets in the
/// new range.
///
/// Input: each wheel step over the area moves three lines, up and down along the vertical bar
/// (along the horizontal one when there is no vertical bar), left and right along the
/// horizontal bar. A press gives the area the focus; with it, Page Up and Page Down move one
/// view up and down (left and right without a vertical bar), unless a widget inside the content
/// that holds the focus takes the key itself.
class VScrollArea : public VWidget {
 protected:
  VWidget* Viewport;        ///< owned as a child; clips the content
  VScrollBar* VerticalBar;  ///< owned as a child; hidden while not needed
  VScrollBar* HorizontalBar;
  bool Building;  ///< the area's own children are being made: add keeps them

 public:
  explicit VScrollArea(VWidget* owner);
  VScrollArea(const VScrollArea&) = delete;
  VScrollArea& operator=(const VScrollArea&) = delete;

  /// A widget the program adds goes into the viewport as the content.
  void add(VWidget* child) override;
  /// The corner square where both bars stand.
  void draw(VEvent* e) override;
  /// Places the viewport and the bars for the content's size now.
  void layout() override;
  bool canDrag(VEvent* e) override;   ///< never
  bool canFocus(VEvent* e) override;  ///< true
  bool takesTabFocus() override;  ///< true: Tab stops here
  bool processEvent(VEvent* e) override;
  bool takesKey(int key, bool special) override;
  bool processWheel(VEvent* e) override;  ///< takes every step
  ~VScrollArea() override;

  /// The viewport's front child, the last one it took; null for none.
  virtual VWidget* getContent();
  /// Moves w into the viewport as the content (see the class).
  virtual void setContent(VWidget* w);
  /// The scroll offsets, in pixels: how far the content's left and top edges are past the
  /// view's. Held in 0 to the content's extent minus the view's.
  virtual int getScrollX();
  virtual void setScrollX(int newValue);
  virtual int getScrollY();
  virtual void setScrollY(int newValue);

  VWidget* getViewport();
  VScrollBar* getVerticalBar();
  VScrollBar* getHorizontalBar();
  void print();

  /// The bars' thickness.
  static constexpr int kBarThickness = 16;

 private:
  static void barChanged(VWidget* bar, VEvent* e);
  static void finishLayout(VWidget* self, const VWidget* placed);
  /// Moves the content to the bars' values.
  void placeContent();
  void scrollBy(VScrollBar* bar, long long pixels);
};
