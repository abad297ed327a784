// VMenu: a pop-up list of items to choose from, with check items, separators and submenus.
#pragma once

#include <string>
#include <vector>

#include "../core/VWidget.h"

class VFont;
class VPopupLayer;

/// A menu opens in its screen's pop-up layer (from a VMenuBar, as a context menu through
/// VScreen::popupMenu, or by openAt / openBelow) and is closed otherwise: it is in no tree
/// while closed, so it is built without an owner (new VMenu(nullptr)) and belongs to whoever
/// built it, to a menu bar that it was given to (addMenu), or to the menu it is a submenu of.
/// It takes the look and feel of the screen it opens in, and its font, and sizes itself.
///
/// Items are data, not widgets: each has a caption, an optional shortcut text shown right
/// aligned ("Ctrl+Q"), and is a plain item, a check item (its check mark toggles each time it
/// is chosen), a separator (a thin line, 8 pixels high, never highlighted or chosen) or a
/// submenu (an arrow mark at the right). Every other item is 20 pixels high. The menu is as
/// wide as 2 + 20 (the check mark's column) + the widest caption + 16 + the widest shortcut
/// text (that 16 only when some item has one) + 16 (the arrow's column) + 2, and as high as its
/// items plus 2 above and below.
///
/// Mouse: the pointer over an item highlights it, with a button held or not (processHover);
/// highlighting a submenu item opens its submenu beside it (right of the menu, or left when
/// there is no room), and highlighting another item closes it. A press on an item chooses it;
/// so does a release, once the pointer has moved over the menu with a button held or a press
/// landed in it: the release of the press that opened a context menu at the pointer chooses
/// nothing. Choosing closes every open pop-up, then toggles a check item, then runs the item's
/// onChoose and the menu's onChoose, each with the menu as the widget: getChosen() names the
/// item. A submenu item is never chosen: a press or a release opens its submenu.
///
/// Keys, while the menu is the front pop-up: Up and Down move the highlight (wrapping, skipping
/// separators), Enter chooses the highlighted item or opens its submenu with its first item
/// highlighted, Right does the same for a submenu item, Escape closes this menu alone, Left
/// closes a submenu. In a menu of a menu bar (or a submenu of one), Left at the top level and
/// Right on an item without submenu move to the bar's previous and next menu.
///
/// Shortcuts: a menu bar runs an item from anywhere in its screen when a key matches the item's
/// shortcut text (see shortcutMatches), in its menus and their submenus.
class VMenu : public VWidget {
 public:
  /// One item of a menu; kept by the menu, read and changed through its calls.
  struct Item {
    std::string Caption;
    std::string Shortcut;
    VEventHandler onChoose = nullptr;
    VMenu* Submenu = nullptr;  ///< owned by the menu
    bool Separator = false;
    bool Checkable = false;
    bool Checked = false;
  };

 protected:
  std::vector<Item> Items;
  int Highlighted;    ///< the highlighted item, -1 for none
  int Chosen;         ///< the item chosen last, -1 before any
  int OpenSubmenu;    ///< the item whose submenu is open, -1 for none
  bool ReleaseChooses;  ///< the pointer moved over the menu with a button held, or pressed in it
  VMenu* ParentMenu;  ///< while open as a submenu: the menu it opened from
  VWidget* Opener;    ///< while open: the widget that opened it (null for a context menu)
  VWidget* Holder;    ///< the menu bar or menu that owns this one, null for the program
  VFont* Font;        ///< owned; a copy of the look and feel's font

 public:
  /// Runs after an item's own handler whenever an item of this menu is chosen.
  VEventHandler onChoose;

  explicit VMenu(VWidget* owner);
  VMenu(const VMenu&) = delete;
  VMenu& operator=(const VMenu&) = delete;
  /// Deletes the submenus. An open menu closes as it goes (its opener is not told).
  ~VMenu() override;

  void draw(VEvent* e) override;
  bool processEvent(VEvent* e) override;
  void processHover(int x, int y) override;
  void popupClosed(VWidget* popup) override;
  bool canDrag(VEvent* e) override;   ///< never
  bool canFocus(VEvent* e) override;  ///< never: keys come to the front pop-up as they are
  /// Takes the style and copies its font, then sizes the menu again.
  void setLookAndFeel(VLookAndFeel* newValue) override;
  void Init() override;

  /// Items. Each call answers the new item's index; addSubmenu refuses (answers -1) null, this
  /// menu, a menu that holds this one, and a menu another menu or bar owns already.
  int addItem(const std::string& caption, VEventHandler handler = nullptr,
              const std::string& shortcut = "");
  int addCheckItem(const std::string& caption, bool checked, VEventHandler handler = nullptr,
                   const std::string& shortcut = "");
  int addSeparator();
  int addSubmenu(const std::string& caption, VMenu* submenu);
  int getItemCount();
  /// Indices outside the items read as an empty caption, false or null and change nothing.
  virtual std::string getItemCaption(int index);
  virtual void setItemCaption(int index, const std::string& caption);
  virtual std::string getItemShortcut(int index);
  virtual void setItemShortcut(int index, const std::string& shortcut);
  virtual bool getItemChecked(int index);
  /// Marks a check item; the handlers do not run.
  virtual void setItemChecked(int index, bool checked);
  bool isSeparator(int index);
  VMenu* getSubmenu(int index);
  /// The item chosen last in this menu (by the mouse, a key or a shortcut), -1 before any.
  int getChosen();
  virtual int getHighlighted();
  /// Highlights an item (-1: none; a separator or an index outside: none) without opening its
  /// submenu.
  virtual void setHighlighted(int index);
  /// The menu bar or menu this one belongs to, null when it is the program's.
  VWidget* getHolder();

  /// Opens the menu in layer (its screen's, VScreen::getPopupLayer()) with its top-left corner
  /// at (x, y) in window pixels, moved in to stay on the screen, nothing highlighted; opener
  /// (null for none) hears popupClosed when it closes. Already open, it only moves.
  void openAt(VPopupLayer* layer, int x, int y, VWidget* opener);
  /// Opens it below anchor's rectangle (above it when below there is no room), its left edge
  /// dx pixels right of anchor's.
  void openBelow(VPopupLayer* layer, VWidget* anchor, int dx, VWidget* opener);
  /// Is the menu open in a pop-up layer?
  bool isOpen();

  /// Does the key event match the shortcut text? "Ctrl+" and one letter (either case, "ctrl+"
  /// as well) match the character code GLUT gives for it, 1 to 26; "F1" to "F12" the function
  /// keys. Other texts are shown only. Note that Ctrl+H, I and M are the codes of Backspace,
  /// Tab and Return.
  static bool shortcutMatches(const std::string& text, VEvent* e);
  /// Chooses the first item, here or in a submenu (depth first), whose shortcut the key
  /// matches, closing every pop-up of layer first; with run false only answers whether one
  /// would be chosen.
  bool runShortcut(VEvent* e, VPopupLayer* layer, bool run = true);

  /// The top of an item in the menu's pixels, and its height.
  int getItemTop(int index);
  int getItemHeight(int index);
  /// The item at (x, y) in the menu's pixels, -1 for none (the frame, or outside).
  int itemAt(int x, int y);
  void print();

 private:
  void measure();
  /// Takes the layer's look and feel when the menu has none yet, closes any submenu and clears
  /// the highlight, as a menu that opens does.
  void prepare(VPopupLayer* layer);
  bool selectable(int index);
  /// The next selectable item from index in direction (+1 or -1), wrapping; -1 for none.
  int nextSelectable(int index, int direction);
  /// Highlights index, opening its submenu and closing another.
  void hoverItem(int index);
  void openSubmenu(int index, bool highlightFirst);
  void closeSubmenu();
  void choose(int index, VEvent* e, VPopupLayer* layer);
  bool processKey(VEvent* e);
  /// The bar at the root of this menu's chain of openers, told to move by direction; false
  /// when there is none.
  bool stepBar(int direction);
  bool holds(const VMenu* menu);
  friend class VMenuBar;  // takes its menus into its keeping (Holder)
};
