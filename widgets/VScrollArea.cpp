// VScrollArea: which bars the content needs, the view's size, the offsets, the wheel and keys.
#include "widgets/VScrollArea.h"

#include <algorithm>
#include <iostream>

#include "core/VClamp.h"
#include "core/VSpecialKey.h"
#include "draw/VLookAndFeel.h"
#include "widgets/VScrollBar.h"

namespace {

constexpr int kLine = 20;  // pixels: a row of text
constexpr int kWheelLines = 3;

}  // namespace

VScrollArea::VScrollArea(VWidget* owner)
    : VWidget(owner),
      Viewport(nullptr),
      VerticalBar(nullptr),
      HorizontalBar(nullptr),
      Building(true) {
  Width = 200;
  Height = 150;
  Viewport = new VWidget(this);
  Viewport->setClipChildren(true);
  VerticalBar = new VScrollBar(this, orVertical);
  HorizontalBar = new VScrollBar(this, orHorizontal);
  for (VScrollBar* bar : {VerticalBar, HorizontalBar}) {
    bar->setLineStep(kLine);
    bar->onChange = barChanged;
  }
  Building = false;
  VScrollArea::Init();
  VScrollArea::layout();
}

// The children go before the area is gone: no deferred layout may run on them then.
VScrollArea::~VScrollArea() { cancelLayoutRequest(); }

bool VScrollArea::canDrag(VEvent*) { return false; }
bool VScrollArea::canFocus(VEvent*) { return true; }
bool VScrollArea::takesTabFocus() { return true; }

void VScrollArea::add(VWidget* child) {
  if (Building || child == nullptr || child == Viewport || child == VerticalBar ||
      child == HorizontalBar) {
    VWidget::add(child);
    return;
  }
  setContent(child);
}

VWidget* VScrollArea::getContent() {
  const auto& inView = childrenOf(Viewport);
  return inView.empty() ? nullptr : inView.front();
}

// Runs while the new child may be only half built (the area is its owner's add): it is only
// listed and hidden things are, its size is read at the next look.
void VScrollArea::setContent(VWidget* w) {
  VWidget* old = getContent();
  if (w == nullptr || w == old || w == this) {
    return;
  }
  Viewport->add(w);
  if (!Viewport->lists(w)) {
    return;  // refused: w holds the area
  }
  if (old != nullptr) {
    old->setVisible(false);
  }
  requestLayout(&VScrollArea::finishLayout, nullptr);
  redraw();
}

// --- the bars and the view ----------------------------------------------------------------------

void VScrollArea::finishLayout(VWidget* self, const VWidget*) {
  static_cast<VScrollArea*>(self)->layout();
}

// A bar narrows the view, which can make the other bar needed: two rounds settle it. Ends with
// the next pass requested again, so the area follows a content that resizes itself.
void VScrollArea::layout() {
  cancelLayoutRequest();
  if (Viewport == nullptr || Building) {
    return;
  }
  VWidget* content = getContent();
  long long contentWidth = 0;
  long long contentHeight = 0;
  if (content != nullptr && content->getVisible()) {
    contentWidth = content->getWidth();
    contentHeight = content->getHeight();
  }
  bool vertical = false;
  bool horizontal = false;
  for (int round = 0; round < 2; ++round) {
    vertical = contentHeight > static_cast<long long>(Height) - (horizontal ? kBarThickness : 0);
    horizontal = contentWidth > static_cast<long long>(Width) - (vertical ? kBarThickness : 0);
  }
  const int viewWidth = std::max(0, Width - (vertical ? kBarThickness : 0));
  const int viewHeight = std::max(0, Height - (horizontal ? kBarThickness : 0));
  Viewport->setLeft(0);
  Viewport->setTop(0);
  Viewport->setWidth(viewWidth);
  Viewport->setHeight(viewHeight);

  VerticalBar->setVisible(vertical);
  VerticalBar->setLeft(viewWidth);
  VerticalBar->setTop(0);
  VerticalBar->setWidth(kBarThickness);
  VerticalBar->setHeight(viewHeight);
  VerticalBar->setRange(0, vuna::clampToInt(contentHeight - viewHeight));
  VerticalBar->setPageSize(viewHeight);
  HorizontalBar->setVisible(horizontal);
  HorizontalBar->setLeft(0);
  HorizontalBar->setTop(viewHeight);
  HorizontalBar->setWidth(viewWidth);
  HorizontalBar->setHeight(kBarThickness);
  HorizontalBar->setRange(0, vuna::clampToInt(contentWidth - viewWidth));
  HorizontalBar->setPageSize(viewWidth);
  placeContent();
  requestLayout(&VScrollArea::finishLayout, nullptr);
}

void VScrollArea::placeContent() {
  VWidget* content = getContent();
  if (content == nullptr) {
    return;
  }
  const int left = -HorizontalBar->getValue();
  const int top = -VerticalBar->getValue();
  if (content->getLeft() != left || content->getTop() != top) {
    content->setLeft(left);
    content->setTop(top);
    redraw();
  }
}

void VScrollArea::barChanged(VWidget* bar, VEvent*) {
  static_cast<VScrollArea*>(bar->getOwner())->placeContent();
}

void VScrollArea::scrollBy(VScrollBar* bar, long long pixels) {
  if (!bar->getVisible()) {
    return;
  }
  bar->setValue(vuna::clampToInt(static_cast<long long>(bar->getValue()) + pixels));
  placeContent();
}

// --- input --------------------------------------------------------------------------------------

bool VScrollArea::takesKey(int key, bool special) {
  return special && (key == skPageUp || key == skPageDown);
}

bool VScrollArea::processEvent(VEvent* e) {
  if (e->getType() != etSpecialKey || !takesKey(e->getKey(), true)) {
    return false;
  }
  VWidget* focused = FocusPath;
  while (focused != nullptr && focused->getFocusPath() != nullptr) {
    focused = focused->getFocusPath();
  }
  if (focused != nullptr && focused->takesKey(e->getKey(), true)) {
    return false;  // a list inside pages itself
  }
  layoutIfPending();
  VScrollBar* bar = VerticalBar->getVisible() ? VerticalBar : HorizontalBar;
  const long long page = bar->getPageSize();
  scrollBy(bar, e->getKey() == skPageUp ? -page : page);
  return false;
}

bool VScrollArea::processWheel(VEvent* e) {
  const long long line = static_cast<long long>(kWheelLines) * kLine;
  if (e->getWheelY() != 0) {
    scrollBy(VerticalBar->getVisible() ? VerticalBar : HorizontalBar, -line * e->getWheelY());
  }
  if (e->getWheelX() != 0) {
    scrollBy(HorizontalBar, line * e->getWheelX());
  }
  return true;
}

// --- drawing ------------------------------------------------------------------------------------

void VScrollArea::draw(VEvent*) {
  if (LookAndFeel == nullptr || !VerticalBar->getVisible() || !HorizontalBar->getVisible()) {
    return;
  }
  LookAndFeel->fillRect(static_cast<float>(Viewport->getWidth()),
                        static_cast<float>(Viewport->getHeight()), kBarThickness, kBarThickness,
                        LookAndFeel->getBackGroundColor());
}

// --- properties ---------------------------------------------------------------------------------

int VScrollArea::getScrollX() {
  layoutIfPending();
  return HorizontalBar->getValue();
}

void VScrollArea::setScrollX(int newValue) {
  layoutIfPending();
  HorizontalBar->setValue(newValue);
  placeContent();
}

int VScrollArea::getScrollY() {
  layoutIfPending();
  return VerticalBar->getValue();
}

void VScrollArea::setScrollY(int newValue) {
  layoutIfPending();
  VerticalBar->setValue(newValue);
  placeContent();
}

VWidget* VScrollArea::getViewport() { return Viewport; }
VScrollBar* VScrollArea::getVerticalBar() { return VerticalBar; }
VScrollBar* VScrollArea::getHorizontalBar() { return HorizontalBar; }

void VScrollArea::print() {
  std::cout << "Class : VScrollArea" << std::endl;
  std::cout << "ScrollX = " << getScrollX() << std::endl;
  std::cout << "ScrollY = " << getScrollY() << std::endl;
}
