// VKeyboardNavigator: the stops, their order, the focus moves and the ring.
#include "screen/VKeyboardNavigator.h"

#include <GL/gl.h>

#include <algorithm>

#include "core/VColor.h"
#include "core/VEvent.h"
#include "core/VSpecialKey.h"
#include "core/VWidget.h"
#include "draw/VLookAndFeel.h"
#include "screen/VScreen.h"

namespace {

constexpr int kTab = 9;

bool isTab(VEvent* e) {
  return e->getKey() == kTab && (e->getModifiers() & (vmCtrl | vmAlt)) == 0;
}

}  // namespace

VKeyboardNavigator::VKeyboardNavigator(VScreen* screen) : Screen(screen) {}

bool VKeyboardNavigator::routeKey(VEvent* e) {
  switch (e->getType()) {
    case etKeyboard:
      if (isTab(e)) {
        move((e->getModifiers() & vmShift) != 0 ? -1 : 1);
        return true;
      }
      break;
    case etKeyboardUp:
      return isTab(e);
    default:
      break;
  }
  VWidget* w = Screen->getFocusedWidget();
  return w != nullptr && w->isReachable() && w->processNavigationKey(e);
}

bool VKeyboardNavigator::takesKey(int key, bool special) const {
  // Space, Enter and the arrows go to the focused control first.
  VWidget* w = Screen->getFocusedWidget();
  const bool pressKey = !special && (key == ' ' || key == '\r');
  const bool arrow = special && key >= skLeft && key <= skDown;
  if ((pressKey || arrow) && w != nullptr && w->takesTabFocus() && w->isReachable()) {
    return true;
  }
  if (!special && key == kTab) {
    for (VWidget* group : groups()) {
      if (!stopsIn(group).empty()) {
        return true;
      }
    }
  }
  return false;
}

void VKeyboardNavigator::collect(VWidget* w, std::vector<VWidget*>& stops) const {
  if (!w->getVisible() || !w->getEnabled() || w->QueuedIn != nullptr) {
    return;
  }
  if (w->takesTabFocus()) {
    stops.push_back(w);
  }
  for (VWidget* child : VWidget::childrenOf(w)) {
    collect(child, stops);
  }
}

std::vector<VWidget*> VKeyboardNavigator::stopsIn(VWidget* group) const {
  std::vector<VWidget*> stops;
  collect(group, stops);
  // Children are listed front first: reverse to creation order, which breaks ties of place.
  std::reverse(stops.begin(), stops.end());
  std::stable_sort(stops.begin(), stops.end(), VWidget::readsBefore);
  return stops;
}

std::vector<VWidget*> VKeyboardNavigator::groups() const {
  std::vector<VWidget*> list;
  for (VWidget* child : VWidget::childrenOf(Screen)) {
    if (child->getVisible() && child->getEnabled() && child->QueuedIn == nullptr) {
      list.push_back(child);
    }
  }
  return list;
}

bool VKeyboardNavigator::move(int direction) {
  const std::vector<VWidget*> all = groups();
  if (all.empty()) {
    return false;
  }
  // The focused widget's top-level widget, and the focused stop's index in it (or -1).
  VWidget* now = Screen->getFocusedWidget();
  VWidget* top = now;
  while (top != nullptr && top->getOwner() != Screen) {
    top = top->getOwner();
  }
  auto at = std::find(all.begin(), all.end(), top);
  if (at == all.end()) {
    // Nothing focused: the front window's first stop (or, going back, its last).
    at = all.begin();
    now = nullptr;
  }
  const auto start = static_cast<long>(at - all.begin());
  const long count = static_cast<long>(all.size());
  // The focused window first, then the others in turn, then the focused window again from
  // its other end (the wrap when no other window has a stop).
  for (long turn = 0; turn <= count; ++turn) {
    const long index = ((start + direction * turn) % count + count) % count;
    VWidget* group = all[static_cast<std::size_t>(index)];
    const std::vector<VWidget*> stops = stopsIn(group);
    if (stops.empty()) {
      continue;
    }
    long next;
    if (turn == 0 && now != nullptr) {
      const auto here = std::find(stops.begin(), stops.end(), now);
      if (here == stops.end()) {
        next = direction > 0 ? 0 : static_cast<long>(stops.size()) - 1;
      } else {
        next = static_cast<long>(here - stops.begin()) + direction;
      }
    } else {
      next = direction > 0 ? 0 : static_cast<long>(stops.size()) - 1;
    }
    if (next >= 0 && next < static_cast<long>(stops.size())) {
      focus(group, stops[static_cast<std::size_t>(next)]);
      return true;
    }
  }
  return false;
}

void VKeyboardNavigator::focus(VWidget* group, VWidget* stop) {
  Screen->bringToFront(group);
  if (stop->getOwner() != nullptr) {
    stop->getOwner()->requestFocus(stop, stop);
  }
  Screen->redraw();
}

void VKeyboardNavigator::drawRing() {
  VWidget* w = Screen->getFocusedWidget();
  VLookAndFeel* look = Screen->getLookAndFeel();
  if (w == nullptr || look == nullptr || !w->takesTabFocus() || !w->isReachable()) {
    return;
  }
  long long left = 0;
  long long top = 0;
  w->getPlaceInRoot(left, top);
  // Through the centres of the pixels kRingGap outside the widget's first and last columns
  // and rows, so each side lights exactly one pixel line.
  const float gap = static_cast<float>(kRingGap);
  look->getHighlightColor()->setAsCurrent();
  glBegin(GL_LINE_LOOP);
  look->drawRect(static_cast<float>(left) - gap + 0.5f, static_cast<float>(top) - gap + 0.5f,
                 static_cast<float>(w->getWidth()) + 2 * gap - 1.0f,
                 static_cast<float>(w->getHeight()) + 2 * gap - 1.0f);
  glEnd();
}
