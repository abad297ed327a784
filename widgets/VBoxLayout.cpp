// VBoxLayout: the row or column of children and the box's size.
#include "widgets/VBoxLayout.h"

#include <algorithm>
#include <iostream>

#include "core/VClamp.h"

VBoxLayout::VBoxLayout(VWidget* owner, VLayoutDirection direction)
    : VLayout(owner),
      Direction(direction == ldColumn ? ldColumn : ldRow),
      Spacing(4),
      Alignment(laStart) {
  VBoxLayout::Init();
  VBoxLayout::layout();
}

VBoxLayout::~VBoxLayout() = default;

void VBoxLayout::Init() {}

long long VBoxLayout::along(VWidget* child) {
  return Direction == ldRow ? child->getWidth() : child->getHeight();
}

long long VBoxLayout::across(VWidget* child) {
  return Direction == ldRow ? child->getHeight() : child->getWidth();
}

void VBoxLayout::place(VWidget* child, long long start, long long thickness) {
  long long offset = 0;
  if (Alignment != laStart) {
    const long long room = thickness - across(child);
    offset = Alignment == laCenter ? room / 2 : room;
  }
  const int first = vuna::clampToInt(start);
  const int side = vuna::clampToInt(Margin + offset);
  child->setLeft(Direction == ldRow ? first : side);
  child->setTop(Direction == ldRow ? side : first);
}

// Measured first (the thickness aligns every child), then placed.
void VBoxLayout::arrange(const VWidget* skip) {
  struct Item {
    VWidget* child;
    long long along;
  };
  std::vector<Item> items;
  Thickness = 0;
  for (VWidget* child : inOrder()) {
    if (child != skip && child->getVisible()) {
      items.push_back({child, along(child)});
      Thickness = std::max(Thickness, across(child));
    }
  }
  long long start = Margin;
  for (const Item& item : items) {
    place(item.child, start, Thickness);
    start += item.along + Spacing;
  }
  Seen = !items.empty();
  End = Seen ? start - Spacing : Margin;
  const long long length = End + Margin;
  const long long thickness = Thickness + 2LL * Margin;
  setOwnSize(Direction == ldRow ? length : thickness, Direction == ldRow ? thickness : length);
}

void VBoxLayout::fold(VWidget* child) {
  if (!child->getVisible()) {
    return;
  }
  End = (Seen ? End + Spacing : static_cast<long long>(Margin)) + along(child);
  Thickness = std::max(Thickness, across(child));
  Seen = true;
}

void VBoxLayout::placeNext(VWidget* child) {
  // Across, the child is measured only to align it: a child still being built is measured as
  // far as it is, and the next pass aligns it again.
  const long long thickness =
      Alignment == laStart ? Thickness : std::max(Thickness, across(child));
  place(child, Seen ? End + Spacing : static_cast<long long>(Margin), thickness);
}

VLayoutDirection VBoxLayout::getDirection() { return Direction; }

int VBoxLayout::getSpacing() { return Spacing; }

void VBoxLayout::setSpacing(int newValue) {
  Spacing = newValue;
  settingsChanged();
}

VLayoutAlignment VBoxLayout::getAlignment() { return Alignment; }

void VBoxLayout::setAlignment(VLayoutAlignment newValue) {
  Alignment = newValue < laStart || newValue > laEnd ? laStart : newValue;
  settingsChanged();
}

void VBoxLayout::print() {
  std::cout << "Class : VBoxLayout" << std::endl;
  std::cout << "Direction = " << static_cast<int>(Direction) << std::endl;
  std::cout << "Margin = " << Margin << std::endl;
  std::cout << "Spacing = " << Spacing << std::endl;
  std::cout << "Alignment = " << static_cast<int>(Alignment) << std::endl;
}
