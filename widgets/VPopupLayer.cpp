// VPopupLayer: opening and closing pop-ups, and the input they take before the windows.
#include "widgets/VPopupLayer.h"

#include <algorithm>
#include <utility>

VPopupLayer::VPopupLayer(VWidget* screen) : VWidget(nullptr) {
  Owner = screen;
  if (screen != nullptr) {
    LookAndFeel = screen->getLookAndFeel();
  }
}

VPopupLayer::~VPopupLayer() {
  while (!Open.empty()) {
    const Entry last = Open.back();
    Open.pop_back();
    --OpenPopups;
    VWidget::remove(last.popup);
  }
}

bool VPopupLayer::canFocus(VEvent*) { return false; }
void VPopupLayer::bringToFront(VWidget*) {}

void VPopupLayer::requestFocus(VWidget* child, VWidget*) {
  if (FocusPath != nullptr && FocusPath != child) {
    FocusPath->clearFocusPath();
  }
  FocusPath = child;
  redraw();
}

void VPopupLayer::open(VWidget* popup, VWidget* opener) {
  if (popup == nullptr || popup == this) {
    return;
  }
  if (isOpen(popup)) {
    VWidget::bringToFront(popup);
    return;
  }
  if (LookAndFeel == nullptr && Owner != nullptr) {
    LookAndFeel = Owner->getLookAndFeel();
  }
  add(popup);
  if (!lists(popup)) {
    return;  // refused (a cycle): add said so
  }
  Open.push_back({popup, opener});
  ++OpenPopups;
  redraw();
}

void VPopupLayer::close(VWidget* popup) { closeFrom(popup, true); }

// Taken out of the list first, then heard of: an opener's popupClosed may open another pop-up.
void VPopupLayer::closeFrom(VWidget* popup, bool tellFirst) {
  auto at = std::find_if(Open.begin(), Open.end(), [popup](const Entry& e) {
    return e.popup == popup;
  });
  if (at == Open.end()) {
    return;
  }
  std::vector<Entry> closing(at, Open.end());
  Open.erase(at, Open.end());
  for (auto it = closing.rbegin(); it != closing.rend(); ++it) {
    --OpenPopups;
    VWidget::remove(it->popup);
  }
  for (auto it = closing.rbegin(); it != closing.rend(); ++it) {
    if (it->opener != nullptr && (tellFirst || it->popup != popup)) {
      it->opener->popupClosed(it->popup);
    }
  }
  redraw();
}

void VPopupLayer::closeAll() {
  if (!Open.empty()) {
    close(Open.front().popup);
  }
}

bool VPopupLayer::isOpen(const VWidget* popup) const {
  return std::any_of(Open.begin(), Open.end(),
                     [popup](const Entry& e) { return e.popup == popup; });
}

// A pop-up leaving by other means (deleted, or added elsewhere by the program) closes, and the
// ones opened after it with it. Its own opener is not told: it may be the one deleting it, from
// its destructor.
void VPopupLayer::remove(VWidget* child) {
  if (isOpen(child)) {
    closeFrom(child, false);
    return;
  }
  VWidget::remove(child);
}

void VPopupLayer::screenPlace(VWidget* w, long long& left, long long& top) {
  left = 0;
  top = 0;
  for (VWidget* at = w; at != nullptr && at->getOwner() != nullptr; at = at->getOwner()) {
    left += at->getLeft();
    top += at->getTop();
  }
}

void VPopupLayer::placeBelow(VWidget* popup, VWidget* anchor) {
  long long left = 0;
  long long top = 0;
  screenPlace(anchor, left, top);
  const long long height = popup->getHeight();
  long long y = top + anchor->getHeight();
  if (Owner != nullptr && y + height > Owner->getHeight() && top - height >= 0) {
    y = top - height;
  }
  placeAt(popup, static_cast<int>(std::max(-(1LL << 30), std::min(left, 1LL << 30))),
          static_cast<int>(std::max(-(1LL << 30), std::min(y, 1LL << 30))));
}

void VPopupLayer::placeAt(VWidget* popup, int x, int y) {
  long long left = x;
  long long top = y;
  if (Owner != nullptr) {
    left = std::min(left, static_cast<long long>(Owner->getWidth()) - popup->getWidth());
    top = std::min(top, static_cast<long long>(Owner->getHeight()) - popup->getHeight());
  }
  popup->setLeft(static_cast<int>(std::max(0LL, std::min(left, 1LL << 30))));
  popup->setTop(static_cast<int>(std::max(0LL, std::min(top, 1LL << 30))));
}

namespace {

std::vector<std::pair<VWidget*, VPopupLayer::ShortcutHandler>>& shortcutOwners() {
  static std::vector<std::pair<VWidget*, VPopupLayer::ShortcutHandler>> owners;
  return owners;
}

}  // namespace

void VPopupLayer::addShortcutOwner(VWidget* owner, ShortcutHandler handler) {
  if (owner == nullptr || handler == nullptr) {
    return;
  }
  for (auto& entry : shortcutOwners()) {
    if (entry.first == owner) {
      entry.second = handler;
      return;
    }
  }
  shortcutOwners().emplace_back(owner, handler);
}

void VPopupLayer::removeShortcutOwner(VWidget* owner) {
  auto& owners = shortcutOwners();
  owners.erase(std::remove_if(owners.begin(), owners.end(),
                              [owner](const auto& entry) { return entry.first == owner; }),
               owners.end());
}

// A handler may build or delete owners (a shortcut's item closing a window with its menu bar):
// the walk goes over a copy and asks only those still listed.
bool VPopupLayer::routeShortcut(VEvent* e, bool run) {
  if (shortcutOwners().empty() ||
      (e->getType() != etKeyboard && e->getType() != etSpecialKey)) {
    return false;
  }
  const auto owners = shortcutOwners();
  for (const auto& entry : owners) {
    const auto& now = shortcutOwners();
    const bool listed = std::find(now.begin(), now.end(), entry) != now.end();
    if (listed && entry.first->getPopupLayer() == this && entry.second(entry.first, e, run)) {
      return true;
    }
  }
  return false;
}

// The layer stands at the screen's origin: the event's coordinates are already the pop-ups'
// owner space.
bool VPopupLayer::routeMouse(VEvent* e) {
  const VEventType type = e->getType();
  if (type == etMouseDown) {
    Gesture = gsNone;  // a new gesture
  }
  if (Gesture == gsClosing) {
    if (type == etMouseClick) {
      Gesture = gsNone;
    }
    return true;
  }
  if (Open.empty()) {
    // A pop-up that a press chose from closed: the rest of that gesture is used up with it,
    // so no widget under the pointer sees a release or a click of a press it never had.
    if (Gesture == gsInPopup) {
      if (type == etMouseClick) {
        Gesture = gsNone;
      }
      return true;
    }
    return false;
  }
  const bool taken = eventToChildren(e);
  if (type == etMouseDown) {
    Gesture = taken ? gsInPopup : gsClosing;
    if (!taken) {
      closeAll();
    }
    return true;
  }
  if (Gesture == gsInPopup) {
    if (type == etMouseClick) {
      Gesture = gsNone;
    }
    return true;
  }
  return taken;
}

bool VPopupLayer::routeKey(VEvent* e) {
  if (Open.empty()) {
    return false;
  }
  Open.back().popup->event(e);
  return true;
}

bool VPopupLayer::routeWheelStep(VEvent* e) {
  for (VWidget* popup : std::vector<VWidget*>(Children.begin(), Children.end())) {
    if (lists(popup) && popup->routeWheel(e) != wrMissed) {
      return true;
    }
  }
  return false;
}

// Each pop-up and each opener in the opening order, in its own space; a pop-up closed by an
// earlier one's hover is skipped.
void VPopupLayer::hover(int x, int y) {
  const std::vector<Entry> open = Open;
  for (const Entry& entry : open) {
    for (VWidget* w : {entry.opener, entry.popup}) {
      if (w == nullptr || !isOpen(entry.popup)) {
        continue;
      }
      long long left = 0;
      long long top = 0;
      screenPlace(w, left, top);
      const auto lx = static_cast<int>(std::max(-(1LL << 30), std::min(x - left, 1LL << 30)));
      const auto ly = static_cast<int>(std::max(-(1LL << 30), std::min(y - top, 1LL << 30)));
      w->processHover(lx, ly);
    }
  }
}
