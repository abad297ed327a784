// VToolBar: a raised strip with a mover grip that lays out its children in one row of equal slots.
#pragma once

#include <cstddef>

#include "../core/VWidget.h"

/// Row: with n children, each is s = (Width - MoverWidth) / n - 2 wide (truncating) and
/// Height - 4 high, 2 pixels below the top edge, the oldest child first at x = MoverWidth, then
/// every s + 2 pixels; what the division leaves over stays empty at the right end. The child
/// setters apply each child's own minimum and run its own layout, so children that cannot
/// shrink to s overlap. The toolbar sizes its children to itself, never itself to them.
///
/// The row is laid out again on every child added or removed and on every real size change.
/// A child that joins is placed at once, in the slot of the new row; moving the others into
/// their new slots waits until the row is next seen (another child's geometry read or set, the
/// toolbar drawn or routed to), so building a row of n children costs one pass, not n, and
/// looks the same. A child still being built when it joins (a caption button sizes itself in
/// its own Init) may leave the slot it was given; the next layout puts it back.
///
/// A press in the mover strip (x < MoverWidth) drags the toolbar with any mouse button; a press
/// elsewhere only brings it to the front of its owner. Pressing a child never reorders the row.
class VToolBar : public VWidget {
 protected:
  int MoverWidth;  ///< first child's x, and the strip that starts a drag

 public:
  explicit VToolBar(VWidget* owner);
  VToolBar(const VToolBar&) = delete;
  VToolBar& operator=(const VToolBar&) = delete;

  void bringToFront(VWidget* child) override;  ///< nothing: the child order is the row order
  /// Background, raised frame, and the grip of two raised bars at x = 2 and x = 5 (fixed,
  /// whatever MoverWidth is).
  void draw(VEvent* e) override;
  void layout() override;
  bool canDrag(VEvent* e) override;  ///< the press lies in the mover strip
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;
  /// Places a child that joined, and defers the rest of the row (see above).
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;  ///< false; a focusable child still puts it on the chain
  void Init() override;               ///< 100 x 25, stored without running layout or onResize
  void CleanUp() override;
  ~VToolBar() override;

  virtual int getMoverWidth();
  /// Stored only: the children move at the next layout.
  virtual void setMoverWidth(int newValue);

  void print();

 private:
  /// Set while layout() runs. A child's resize handler may add or remove toolbar children from
  /// inside it; the nested request is remembered and served when the running pass ends, so the
  /// row always reflects the final child list.
  bool LayingOut = false;
  bool LayoutAgain = false;
  std::size_t RowLength = 0;  ///< children at the last childrenChanged: was the change an add?
  /// Lays out the row, leaving out `placed` (a child placed when it joined), null for none.
  void layoutRow(const VWidget* placed);
  /// Puts child into slot `index` of a row of n.
  void place(VWidget* child, int index, int n);
  static void finishRow(VWidget* self, const VWidget* placed);
};
