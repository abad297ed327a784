// VGridLayout: the cells, their columns and rows, and the grid's size.
#include "widgets/VGridLayout.h"

#include <algorithm>
#include <cstddef>
#include <iostream>

#include "core/VClamp.h"

VGridLayout::VGridLayout(VWidget* owner, int columns)
    : VLayout(owner), Columns(std::max(columns, 1)), ColumnSpacing(4), RowSpacing(4) {
  VGridLayout::Init();
  VGridLayout::layout();
}

VGridLayout::~VGridLayout() = default;

void VGridLayout::Init() {}

void VGridLayout::count(VWidget* child) {
  const auto row = static_cast<std::size_t>(Cells / Columns);
  const auto column = static_cast<std::size_t>(Cells % Columns);
  if (Widths.size() <= column) {
    Widths.resize(column + 1, 0);
  }
  if (Heights.size() <= row) {
    Heights.resize(row + 1, 0);
  }
  Widths[column] = std::max(Widths[column], static_cast<long long>(child->getWidth()));
  Heights[row] = std::max(Heights[row], static_cast<long long>(child->getHeight()));
  ++Cells;
  if (Cells % Columns == 0) {
    NextRowTop += Heights[row] + RowSpacing;  // the row is complete
  }
}

long long VGridLayout::columnLeft(long long column) const {
  long long left = Margin;
  for (long long j = 0; j < column; ++j) {
    left += Widths[static_cast<std::size_t>(j)] + ColumnSpacing;
  }
  return left;
}

// Measured first (a column is as wide as its widest child in any row), then placed.
void VGridLayout::arrange(const VWidget* skip) {
  Widths.clear();
  Heights.clear();
  Cells = 0;
  NextRowTop = Margin;
  std::vector<VWidget*> cells;
  for (VWidget* child : inOrder()) {
    if (child != skip && child->getVisible()) {
      cells.push_back(child);
      count(child);
    }
  }
  std::vector<long long> lefts(Widths.size());
  std::vector<long long> tops(Heights.size());
  for (std::size_t j = 0; j < lefts.size(); ++j) {
    lefts[j] = j == 0 ? Margin : lefts[j - 1] + Widths[j - 1] + ColumnSpacing;
  }
  for (std::size_t i = 0; i < tops.size(); ++i) {
    tops[i] = i == 0 ? Margin : tops[i - 1] + Heights[i - 1] + RowSpacing;
  }
  const auto columns = static_cast<std::size_t>(Columns);
  for (std::size_t k = 0; k < cells.size(); ++k) {
    cells[k]->setLeft(vuna::clampToInt(lefts[k % columns]));
    cells[k]->setTop(vuna::clampToInt(tops[k / columns]));
  }
  const long long width = cells.empty() ? 2LL * Margin : lefts.back() + Widths.back() + Margin;
  const long long height = cells.empty() ? 2LL * Margin : tops.back() + Heights.back() + Margin;
  setOwnSize(width, height);
}

void VGridLayout::fold(VWidget* child) {
  if (child->getVisible()) {
    count(child);
  }
}

void VGridLayout::placeNext(VWidget* child) {
  child->setLeft(vuna::clampToInt(columnLeft(Cells % Columns)));
  child->setTop(vuna::clampToInt(NextRowTop));
}

int VGridLayout::getColumns() { return Columns; }

void VGridLayout::setColumns(int newValue) {
  Columns = std::max(newValue, 1);
  settingsChanged();
}

int VGridLayout::getColumnSpacing() { return ColumnSpacing; }

void VGridLayout::setColumnSpacing(int newValue) {
  ColumnSpacing = newValue;
  settingsChanged();
}

int VGridLayout::getRowSpacing() { return RowSpacing; }

void VGridLayout::setRowSpacing(int newValue) {
  RowSpacing = newValue;
  settingsChanged();
}

void VGridLayout::setSpacing(int newValue) {
  setColumnSpacing(newValue);
  setRowSpacing(newValue);
}

void VGridLayout::print() {
  std::cout << "Class : VGridLayout" << std::endl;
  std::cout << "Columns = " << Columns << std::endl;
  std::cout << "Margin = " << Margin << std::endl;
  std::cout << "ColumnSpacing = " << ColumnSpacing << std::endl;
  std::cout << "RowSpacing = " << RowSpacing << std::endl;
}
