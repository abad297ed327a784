// VLayout: when the children are placed again, and the layout's own size.
#include "widgets/VLayout.h"

#include <algorithm>

#include "core/VClamp.h"

VLayout::VLayout(VWidget* owner) : VWidget(owner), Margin(0) {
  VLayout::Init();
  VLayout::layout();
}

VLayout::~VLayout() = default;

void VLayout::Init() {}

void VLayout::bringToFront(VWidget*) {}

void VLayout::layout() {
  cancelLayoutRequest();
  pass();
}

void VLayout::finishPass(VWidget* self, const VWidget*) { static_cast<VLayout*>(self)->pass(); }

// Runs with the request dropped (layoutIfPending drops it before it calls), so the children's
// getters and setters that arrange calls run no pass of their own; asked again at the end, so
// the next look at the children measures them again.
void VLayout::pass() {
  if (!Arranging) {
    Arranging = true;
    arrange(nullptr);
    Arranging = false;
  }
  Joining = nullptr;
  Known = false;
  requestLayout(&VLayout::finishPass, nullptr);
}

void VLayout::childrenChanged() {
  const std::size_t count = Children.size();
  const bool joined = count == Count + 1;
  Count = count;
  if (Arranging || !joined) {
    settingsChanged();
    return;
  }
  // The newest child is in front. Nothing is measured through a getter that would start a
  // pass: the request is dropped while the child is placed, and asked again with the new child
  // as the one already placed.
  VWidget* newest = Children.front();
  cancelLayoutRequest();
  Arranging = true;
  if (!Known) {
    arrange(newest);
  } else if (Joining != nullptr) {
    fold(Joining);  // complete by now: it is measured with its final size
  }
  placeNext(newest);
  Arranging = false;
  Joining = newest;
  Known = true;
  requestLayout(&VLayout::finishPass, newest);
}

void VLayout::settingsChanged() {
  Joining = nullptr;
  Known = false;
  requestLayout(&VLayout::finishPass, nullptr);
  redraw();
}

int VLayout::getWidth() {
  layoutIfPending();
  return VWidget::getWidth();
}

int VLayout::getHeight() {
  layoutIfPending();
  return VWidget::getHeight();
}

void VLayout::setWidth(int) {}
void VLayout::setHeight(int) {}

void VLayout::setOwnSize(long long width, long long height) {
  Width = vuna::clampToInt(std::max(width, static_cast<long long>(MinWidth)));
  Height = vuna::clampToInt(std::max(height, static_cast<long long>(MinHeight)));
}

std::vector<VWidget*> VLayout::inOrder() const {
  return std::vector<VWidget*>(Children.rbegin(), Children.rend());
}

void VLayout::arrange(const VWidget*) {
  setOwnSize(2LL * Margin, 2LL * Margin);
}

void VLayout::fold(VWidget*) {}
void VLayout::placeNext(VWidget*) {}

int VLayout::getMargin() { return Margin; }

void VLayout::setMargin(int newValue) {
  Margin = newValue;
  settingsChanged();
}
