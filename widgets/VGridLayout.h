// VGridLayout: a layout that places its children in the cells of a grid of a number of columns.
#pragma once

#include <vector>

#include "VLayout.h"

/// The visible children, oldest first, fill the cells row by row, left to right, Columns to a
/// row. Each column is as wide as its widest child and each row as high as its highest, with
/// ColumnSpacing pixels between columns and RowSpacing between rows (4 each); a child sits at
/// the top-left corner of its cell. Size: the columns and rows in use with the spacings between
/// them and the margin on every side (2 * Margin with no visible child). When it follows its
/// children is VLayout's contract.
///
///   auto* form = new VGridLayout(window, 2);
///   new VLabel(form);     // row 0, column 0
///   new VSlider(form);    // row 0, column 1
///   new VLabel(form);     // row 1, column 0
class VGridLayout : public VLayout {
 protected:
  int Columns;  ///< at least 1
  int ColumnSpacing;
  int RowSpacing;

 public:
  VGridLayout(VWidget* owner, int columns);
  VGridLayout(const VGridLayout&) = delete;
  VGridLayout& operator=(const VGridLayout&) = delete;

  void Init() override;
  ~VGridLayout() override;

  virtual int getColumns();
  /// Stored, at least 1: the children move at the next pass.
  virtual void setColumns(int newValue);
  virtual int getColumnSpacing();
  /// Stored: the children move at the next pass.
  virtual void setColumnSpacing(int newValue);
  virtual int getRowSpacing();
  /// Stored: the children move at the next pass.
  virtual void setRowSpacing(int newValue);
  /// Both spacings at once.
  void setSpacing(int newValue);

  void print();

 protected:
  void arrange(const VWidget* skip) override;
  void fold(VWidget* child) override;
  void placeNext(VWidget* child) override;

 private:
  /// What arrange and fold saw: the widest child of each column and the highest of each row,
  /// the cells filled, and the top of the row the next cell is in (its rows above are complete).
  std::vector<long long> Widths;
  std::vector<long long> Heights;
  long long Cells = 0;
  long long NextRowTop = 0;
  /// Takes a child's size into its cell's column and row, and moves to the next cell.
  void count(VWidget* child);
  /// The left edge of a column from the widths seen.
  long long columnLeft(long long column) const;
};
