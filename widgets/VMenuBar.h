// VMenuBar: a row of menu titles along the top of its owner, each opening its menu below it.
#pragma once

#include <string>
#include <vector>

#include "../core/VWidget.h"

class VFont;
class VMenu;
class VPopupLayer;

/// The bar lies along its owner's top, inside the owner's client borders, 20 pixels high and as
/// wide as the owner's client area (fitted again at each draw pass, so it follows a window
/// that is resized or maximised). Titles stand from the left, each as wide as its caption plus
/// 16 pixels, the caption 8 pixels in; the title whose menu is open is filled in the highlight
/// colour.
///
/// Mouse (left button): a press on a title opens its menu below it (above it when below there
/// is no room), its left edge level with the title's; a press on the open title, like any press
/// outside the open menus, closes them. While a menu is open the pointer moving onto another
/// title, with a button held or not, opens that title's menu instead; a release on an item
/// after a press on a title chooses it (see VMenu). Keys with a menu open: Left and Right move
/// to the previous and next title's menu (wrapping), its first item highlighted.
///
/// Shortcuts: the bar offers every key down in its screen, before the open pop-ups and the
/// windows, to the items of its menus and their submenus (VMenu::runShortcut), unless the
/// focused widget takes typed text; a key no item matches goes on as before. A bar that is
/// hidden or disabled, or inside a widget that is, takes none. The bar owns the menus it is
/// given and deletes them.
class VMenuBar : public VWidget {
 public:
  /// One title of the bar and its menu (owned).
  struct Title {
    std::string Caption;
    VMenu* Menu = nullptr;
  };

 protected:
  std::vector<Title> Titles;
  int Current;  ///< the title whose menu is open, -1 for none
  VFont* Font;  ///< owned; a copy of the look and feel's font

 public:
  explicit VMenuBar(VWidget* owner);
  VMenuBar(const VMenuBar&) = delete;
  VMenuBar& operator=(const VMenuBar&) = delete;
  /// Closes the open menu and deletes every menu.
  ~VMenuBar() override;

  void draw(VEvent* e) override;
  bool processEvent(VEvent* e) override;
  void processHover(int x, int y) override;
  void popupClosed(VWidget* popup) override;
  bool canDrag(VEvent* e) override;   ///< never
  bool canFocus(VEvent* e) override;  ///< never
  void Init() override;

  /// Adds a title for menu at the right end and takes the menu into the bar's keeping;
  /// answers its index, or -1 for null or a menu that a bar or a menu keeps already.
  int addMenu(const std::string& caption, VMenu* menu);
  int getMenuCount();
  /// Null, or an empty caption, for an index outside the titles.
  VMenu* getMenu(int index);
  virtual std::string getMenuCaption(int index);
  virtual void setMenuCaption(int index, const std::string& caption);
  /// The title whose menu is open, -1 for none.
  int getOpenMenu();
  /// Opens the title's menu below it, closing another one; nothing outside the titles or
  /// outside a screen.
  void openMenu(int index);
  void closeMenu();
  /// Opens the menu direction titles away (wrapping) from the open one with its first item
  /// highlighted; nothing while none is open.
  void stepMenu(int direction);

  /// A title's left edge and width in the bar's pixels; the title at x, -1 for none.
  int getTitleLeft(int index);
  int getTitleWidth(int index);
  int titleAt(int x);
  void print();

 private:
  /// Along the owner's top, across its client area.
  void fitToOwner();
  /// The bar's answer to the pop-up layer for a key from anywhere in its screen.
  static bool takeShortcut(VWidget* owner, VEvent* key, bool run);
};
