// VKeyboardNavigator: Tab and Shift+Tab between the controls of a screen, and the focus ring.
#pragma once

#include <vector>

class VEvent;
class VScreen;
class VWidget;

/// A screen's keyboard navigation, used while VScreen::setKeyboardNavigation is on.
///
/// Stops: the reachable widgets (visible and enabled up the tree, not being deleted) that say
/// takesTabFocus. Groups: the screen's top-level widgets (its windows), front to back. Tab moves
/// the focus to the next stop of the focused window in reading order (top to bottom, then left
/// to right, in screen pixels), and from its last stop to the first stop of the next window that
/// has any (wrapping round to the front one), which it brings to the front; Shift+Tab goes the
/// other way. With nothing focused, Tab starts at the front window's first stop. Ctrl+Tab and
/// Alt+Tab are left alone (pages use them). The key's release is used up with it.
///
/// Before a Space, Enter or arrow key is routed, the focused widget may use it up
/// (VWidget::processNavigationKey). While a stop has the focus, a ring in the highlight colour
/// is drawn 2 pixels outside it, after every window and before the pop-ups.
class VKeyboardNavigator {
 public:
  static constexpr int kRingGap = 2;

  explicit VKeyboardNavigator(VScreen* screen);
  VKeyboardNavigator(const VKeyboardNavigator&) = delete;
  VKeyboardNavigator& operator=(const VKeyboardNavigator&) = delete;

  /// A key event (etKeyboard, etKeyboardUp, etSpecialKey) before it is routed: true when
  /// navigation used it up.
  bool routeKey(VEvent* e);
  /// Would routeKey use this key up now (a host asking whether the key is the GUI's)?
  bool takesKey(int key, bool special) const;
  /// The ring around the focused stop, in the screen's pixel space.
  void drawRing();

 private:
  /// The stops of one top-level widget's subtree, in reading order.
  std::vector<VWidget*> stopsIn(VWidget* group) const;
  void collect(VWidget* w, std::vector<VWidget*>& stops) const;
  /// The top-level widgets that take part, front to back.
  std::vector<VWidget*> groups() const;
  /// Moves the focus one stop forward (+1) or back (-1); false when there is no stop at all.
  bool move(int direction);
  void focus(VWidget* group, VWidget* stop);

  VScreen* Screen;
};
