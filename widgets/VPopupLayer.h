// VPopupLayer: the screen's layer above every window, where lists and menus open.
#pragma once

#include <vector>

#include "../core/VWidget.h"

/// A layer as large as its screen, at the screen's origin, that lists the open pop-ups (front
/// to back: the newest in front) without being one of the screen's children, so the windows'
/// routing is the design's whenever no pop-up is open. Pop-ups keep their Left and Top in the
/// screen's pixels; they are listed here but owned by the program or the widget that opened
/// them, which deletes them (a deleted pop-up closes, its opener not told). The layer never
/// deletes one.
///
/// While a pop-up is open:
///   - the layer is drawn after every window (the screen's tooltip after it);
///   - a mouse event goes first to the pop-ups, with a pop-up's own routing (presses focus
///     inside it, hooks and handlers run as anywhere); one that contains the point takes it;
///   - a press outside every pop-up closes them all and is used up, and so are its release and
///     its click: the widget under the pointer never sees that gesture; likewise the release
///     and click of a press taken by a pop-up stay in the layer (the pop-up's, or nobody's when
///     the press closed it);
///   - other mouse events outside them go on to the windows (the release of the press that
///     opened a list reaches the widget that opened it);
///   - keys go to the front pop-up (its hooks and its focus chain), not to the windows;
///   - a wheel step over a pop-up is the pop-up's;
///   - motion with no button held reaches the pop-ups and their openers through processHover.
/// Closing one pop-up closes every pop-up opened after it (a submenu goes with its menu), each
/// opener hearing popupClosed.
class VPopupLayer : public VWidget {
 public:
  /// Hangs below the screen (its Owner, for the look and feel and the host's services) without
  /// joining its children.
  explicit VPopupLayer(VWidget* screen);
  /// Lets go of the pop-ups still open, deleting none.
  ~VPopupLayer() override;
  VPopupLayer(const VPopupLayer&) = delete;
  VPopupLayer& operator=(const VPopupLayer&) = delete;

  /// Opens popup in front of every other pop-up, or brings it there when already open; opener
  /// (null for none) hears popupClosed when it closes. A pop-up in a tree of its own is taken out
  /// of it first, as add() does.
  void open(VWidget* popup, VWidget* opener);
  /// Closes popup and every pop-up opened after it; nothing when it is not open.
  void close(VWidget* popup);
  void closeAll();
  bool isOpen(const VWidget* popup) const;
  bool anyOpen() const { return !Open.empty(); }

  /// Places popup below anchor's rectangle on the screen (its left edges level), or above it
  /// when below there is no room for it, and within the screen's width.
  void placeBelow(VWidget* popup, VWidget* anchor);
  /// Places popup with its top-left corner at (x, y), moved in so that it stays on the screen.
  void placeAt(VWidget* popup, int x, int y);

  /// What a widget that answers keys from anywhere in the screen (a menu bar's shortcuts) does
  /// with one: with run false it only answers whether it would use the key, with run true it
  /// uses it and answers whether it did.
  typedef bool (*ShortcutHandler)(VWidget* owner, VEvent* key, bool run);
  /// Shortcut owners are listed for the whole process: a widget adds itself when it is built
  /// and takes itself out as it goes, so no list holds a deleted one, whatever tree it was in
  /// or was taken out of. Each key is offered only to the owners whose getPopupLayer() is the
  /// layer routing it (the widgets of its own screen), in the order they were added; a widget
  /// added again keeps its place with the new handler.
  static void addShortcutOwner(VWidget* owner, ShortcutHandler handler);
  static void removeShortcutOwner(VWidget* owner);
  /// Offers a key down (etKeyboard or etSpecialKey) to this screen's shortcut owners before the
  /// pop-ups and the windows see it; true when one used it. With run false nothing runs: the
  /// answer says whether one would (the screen's capturesKey asks so).
  bool routeShortcut(VEvent* e, bool run = true);

  /// The screen's routing: true when the layer used the event and the windows must not see it.
  bool routeMouse(VEvent* e);
  bool routeKey(VEvent* e);
  bool routeWheelStep(VEvent* e);
  void hover(int x, int y);

  void remove(VWidget* child) override;
  void bringToFront(VWidget* child) override;  ///< nothing: the order is the opening order
  /// Keeps a focus chain of the layer's own, ending in a pop-up: the windows' chain (and the
  /// screen's focused widget) stay as they were while a list or a menu is open.
  void requestFocus(VWidget* child, VWidget* target) override;
  bool canFocus(VEvent* e) override;           ///< never

 private:
  struct Entry {
    VWidget* popup;
    VWidget* opener;
  };
  /// The screen rectangle of w: its Left and Top summed over its owners.
  static void screenPlace(VWidget* w, long long& left, long long& top);
  void closeFrom(VWidget* popup, bool tellFirst);

  std::vector<Entry> Open;  ///< in opening order
  /// Where the press of the gesture in progress went: a press inside a pop-up keeps its
  /// release and click in the layer, even when the pop-up closed at the press; a press that
  /// closed the pop-ups takes them with it.
  enum GestureOwner { gsNone, gsInPopup, gsClosing };
  GestureOwner Gesture = gsNone;
};
