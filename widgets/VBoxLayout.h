// VBoxLayout: a layout that places its children one after the other in a row or a column.
#pragma once

#include "VLayout.h"

/// Which way a box runs: a row left to right, a column top to bottom.
enum VLayoutDirection : int { ldRow = 0, ldColumn = 1 };

/// Where each child sits across a box's direction (vertically in a row, horizontally in a
/// column): at the start (top, left), in the centre (rounded down) or at the end.
enum VLayoutAlignment : int { laStart = 0, laCenter = 1, laEnd = 2 };

/// The visible children, oldest first, run along the direction from Margin, each Spacing pixels
/// after the previous one. Across the direction the box is as thick as its thickest child, and
/// each child is aligned in that thickness. Size: along, the children and the spacings between
/// them; across, the thickest child; the margin on both sides of each (2 * Margin with no
/// visible child). When it follows its children is VLayout's contract.
///
///   auto* column = new VBoxLayout(window, ldColumn);
///   new VLabel(column);                   // each child below the one before
class VBoxLayout : public VLayout {
 protected:
  VLayoutDirection Direction;  ///< fixed at construction
  int Spacing;
  VLayoutAlignment Alignment;

 public:
  VBoxLayout(VWidget* owner, VLayoutDirection direction);
  VBoxLayout(const VBoxLayout&) = delete;
  VBoxLayout& operator=(const VBoxLayout&) = delete;

  void Init() override;
  ~VBoxLayout() override;

  virtual VLayoutDirection getDirection();
  virtual int getSpacing();
  /// Stored: the children move at the next pass.
  virtual void setSpacing(int newValue);
  virtual VLayoutAlignment getAlignment();
  /// Stored (laStart for a value outside the enumeration): the children move at the next pass.
  virtual void setAlignment(VLayoutAlignment newValue);

  void print();

 protected:
  void arrange(const VWidget* skip) override;
  void fold(VWidget* child) override;
  void placeNext(VWidget* child) override;

 private:
  /// What arrange and fold saw: where the last visible child ends along the direction, and the
  /// thickest one across; none seen yet when Seen is false.
  long long End = 0;
  long long Thickness = 0;
  bool Seen = false;
  long long along(VWidget* child);
  long long across(VWidget* child);
  /// Puts child at `start` along the direction, aligned in `thickness` across.
  void place(VWidget* child, long long start, long long thickness);
};
