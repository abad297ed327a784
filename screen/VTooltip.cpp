// VTooltip: finding the hint's widget, its timer, and the box.
#include "screen/VTooltip.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/VClamp.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "screen/VScreen.h"
#include "widgets/VLabel.h"

VTooltip::VTooltip(VScreen* screen) : Screen(screen) {}

// The same search a press makes, children front to back whether or not w contains the point;
// (x, y) is in w's owner's space.
// A freed widget waiting for the next dispatch is still alive but no longer there for the user.
VWidget* VTooltip::deepestAt(VWidget* w, int x, int y) {
  if (!w->getVisible() || !w->getEnabled() || w->QueuedIn != nullptr) {
    return nullptr;
  }
  w->layoutIfPending();
  const int lx = vuna::subClamped(x, w->getLeft());
  const int ly = vuna::subClamped(y, w->getTop());
  if (!w->ClipChildren || w->insideClientArea(lx, ly)) {
    for (VWidget* child : VWidget::childrenOf(w)) {
      if (VWidget* hit = deepestAt(child, lx, ly)) {
        return hit;
      }
    }
  }
  const bool inside = lx >= 0 && ly >= 0 && lx <= w->getWidth() && ly <= w->getHeight();
  return inside ? w : nullptr;
}

VTooltip::~VTooltip() { stopTimer(); }

VWidget* VTooltip::widgetAt(int x, int y) {
  VWidget* w = nullptr;
  for (VWidget* child : VWidget::childrenOf(Screen)) {
    if ((w = deepestAt(child, x, y)) != nullptr) {
      break;
    }
  }
  while (w != nullptr && w != Screen && w->getTooltip().empty()) {
    w = w->getOwner();
  }
  return w == Screen ? nullptr : w;
}

void VTooltip::pointerMoved(int x, int y) {
  PointerX = x;
  PointerY = y;
  VWidget* under = widgetAt(x, y);
  if (under != Target) {
    hide();
    Held = false;
    Target = under;
  }
  if (Target == nullptr || Shown || Held) {
    return;
  }
  // Resting means no motion for the whole delay: each move starts the wait again.
  stopTimer();
  Timer = Screen->startTimer(kDelay, &VTooltip::due, this);
}

void VTooltip::interrupt() {
  hide();
  Held = Target != nullptr;
}

void VTooltip::widgetGone(const VWidget* w) {
  if (w == Target) {
    hide();
    Target = nullptr;
    Held = false;
  }
}

void VTooltip::due(void* self) {
  auto* tip = static_cast<VTooltip*>(self);
  tip->Timer = 0;
  if (tip->Target != nullptr && tip->stillThere()) {
    tip->Shown = true;
    tip->Screen->redraw();
  }
}

void VTooltip::hide() {
  stopTimer();
  if (Shown) {
    Shown = false;
    Screen->redraw();
  }
}

void VTooltip::stopTimer() {
  if (Timer != 0) {
    Screen->cancelTimer(Timer);
    Timer = 0;
  }
}

bool VTooltip::stillThere() const {
  if (Target->getTooltip().empty()) {
    return false;
  }
  for (VWidget* w = Target; w != Screen; w = w->getOwner()) {
    if (w == nullptr || !w->getVisible() || !w->getEnabled()) {
      return false;
    }
  }
  return true;
}

void VTooltip::draw() {
  if (!Shown) {
    return;
  }
  VLookAndFeel* look = Screen->getLookAndFeel();
  if (look == nullptr || Target == nullptr || !stillThere()) {
    Shown = false;  // gone between two frames: the next frame is already this one
    return;
  }
  VFont* font = look->getFont();
  const std::vector<std::string> lines = VLabel::linesOf(Target->getTooltip());
  const int lineHeight = vuna::toIntClamped(static_cast<double>(font->getSize()) + 4);
  double widest = 0;
  for (const std::string& line : lines) {
    widest = std::max(widest, std::trunc(static_cast<double>(font->getTextWidth(line.c_str()))));
  }
  const long long width = static_cast<long long>(widest) + 2 * kPadding;
  const long long height = static_cast<long long>(lineHeight) * static_cast<long long>(lines.size());
  const long long screenWidth = Screen->getWidth();
  const long long screenHeight = Screen->getHeight();
  long long left = static_cast<long long>(PointerX) + kOffsetX;
  long long top = static_cast<long long>(PointerY) + kOffsetY;
  if (left + width > screenWidth) {
    left = screenWidth - width;
  }
  if (top + height > screenHeight) {
    top = static_cast<long long>(PointerY) - height;
  }
  left = std::max(left, 0LL);
  top = std::max(top, 0LL);

  const auto fx = static_cast<float>(left);
  const auto fy = static_cast<float>(top);
  const auto fw = static_cast<float>(width);
  const auto fh = static_cast<float>(height);
  look->fillRect(fx, fy, fw, fh, look->getBevelLoweredColor());
  look->fillRect(fx + 1, fy + 1, fw - 2, fh - 2, look->getBackGroundColor());
  int lineTop = vuna::toIntClamped(static_cast<double>(top) + 2);
  for (const std::string& line : lines) {
    font->drawAtPos(line.c_str(), vuna::toIntClamped(static_cast<double>(left) + kPadding),
                    lineTop, -1);
    lineTop = vuna::toIntClamped(static_cast<double>(lineTop) + lineHeight);
  }
}
