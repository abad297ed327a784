// Menus: a bar's menus opened, switched and chosen from by the mouse and the keys, check items,
// separators, submenus, context menus at the pointer, shortcuts, and an open menu's pixels.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VLookAndFeel.h"
#include "support/Box.h"
#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "widgets/VMenu.h"
#include "widgets/VMenuBar.h"
#include "widgets/VPopupLayer.h"
#include "widgets/VTextEdit.h"
#include "widgets/VWindow.h"

namespace {

// What the handlers heard, in order: "item X" from an item's own, "menu X" from its menu's.
std::vector<std::string>& heard() {
  static std::vector<std::string> lines;
  return lines;
}
std::vector<std::string> takeHeard() { return std::exchange(heard(), {}); }

std::string chosenCaption(VWidget* w) {
  auto* menu = static_cast<VMenu*>(w);
  return menu->getItemCaption(menu->getChosen());
}
void menuChose(VWidget* w, VEvent*) { heard().push_back("menu " + chosenCaption(w)); }
void itemChose(VWidget* w, VEvent*) { heard().push_back("item " + chosenCaption(w)); }

constexpr int kOpen = 0, kSave = 1, kSeparator = 2, kAutosave = 3, kRecent = 4, kQuit = 5;

class Menus : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    heard().clear();
    window_ = new VWindow(screen_);
    window_->setLeft(20);
    window_->setTop(30);
    window_->setWidth(400);
    window_->setHeight(300);
    window_->onKey = [](VWidget*, VEvent* e) {
      heard().push_back("window key " + std::to_string(e->getKey()));
    };
    field_ = new VTextEdit(window_);
    field_->setLeft(20);
    field_->setTop(200);
    bar_ = new VMenuBar(window_);
    file_ = new VMenu(nullptr);
    file_->addItem("Open", itemChose);
    file_->addItem("Save", nullptr, "Ctrl+S");
    file_->addSeparator();
    file_->addCheckItem("Autosave", false);
    recent_ = new VMenu(nullptr);
    recent_->addItem("a.txt");
    recent_->addItem("b.txt", nullptr, "F5");
    file_->addSubmenu("Recent", recent_);
    file_->addItem("Quit", nullptr, "Ctrl+Q");
    edit_ = new VMenu(nullptr);
    edit_->addItem("Undo", nullptr, "Ctrl+Z");
    edit_->addItem("Redo");
    for (VMenu* m : {file_, recent_, edit_}) {
      m->onChoose = menuChose;
    }
    bar_->addMenu("File", file_);
    bar_->addMenu("Edit", edit_);
    layer_ = screen_->getPopupLayer();
  }
  // A title's or an item's centre in window pixels.
  vt::Box title(int index) {
    const vt::Box b = vt::screenBoxOf(bar_);
    return {b.left + bar_->getTitleLeft(index), b.top, bar_->getTitleWidth(index), 20};
  }
  static vt::Box item(VMenu* m, int index) {
    return {m->getLeft(), m->getTop() + m->getItemTop(index), m->getWidth(),
            m->getItemHeight(index)};
  }
  void pressAt(const vt::Box& b) { press(b.centreX(), b.centreY()); }
  void clickAt(const vt::Box& b) { click(b.centreX(), b.centreY()); }
  void hoverAt(const vt::Box& b) { screen_->glutPassiveMotion(b.centreX(), b.centreY()); }
  void moveTo(const vt::Box& b) { motion(b.centreX(), b.centreY()); }
  void releaseAt(const vt::Box& b) { release(b.centreX(), b.centreY()); }

  VWindow* window_ = nullptr;
  VTextEdit* field_ = nullptr;
  VMenuBar* bar_ = nullptr;
  VMenu* file_ = nullptr;
  VMenu* recent_ = nullptr;
  VMenu* edit_ = nullptr;
  VPopupLayer* layer_ = nullptr;
};

TEST_F(Menus, TheBarOpensSwitchesAndChoosesByPressAndByRelease) {
  EXPECT_EQ(vt::boxOf(bar_),
            (vt::Box{window_->getClientBorderLeft(), window_->getClientBorderTop(),
                     400 - window_->getClientBorderLeft() - window_->getClientBorderRight(), 20}));
  EXPECT_EQ(bar_->getTitleWidth(0), 4 * 12 + 16);  // "File" in the 12-pixel advance, plus 16
  EXPECT_EQ(file_->getWidth(), 2 + 20 + 8 * 12 + 16 + 6 * 12 + 16 + 2);  // "Autosave", "Ctrl+S"
  EXPECT_EQ(file_->getHeight(), 2 + 5 * 20 + 8 + 2);

  clickAt(title(0));  // a press opens the menu below its title, and the release leaves it open
  EXPECT_EQ(bar_->getOpenMenu(), 0);
  EXPECT_EQ(vt::boxOf(file_).left, title(0).left);
  EXPECT_EQ(vt::boxOf(file_).top, title(0).top + 20);
  hoverAt(title(1));  // moving along the bar with no button held switches
  EXPECT_FALSE(file_->isOpen());
  EXPECT_TRUE(edit_->isOpen());
  EXPECT_EQ(edit_->getLeft(), title(1).left);
  hoverAt(item(edit_, 0));
  EXPECT_EQ(edit_->getHighlighted(), 0);
  clickAt(title(1));  // a press on the open title closes it, used up
  EXPECT_EQ(bar_->getOpenMenu(), -1);
  EXPECT_FALSE(layer_->anyOpen());

  pressAt(title(0));  // with the button held: along the bar, down the menu, release on an item
  moveTo(title(1));
  EXPECT_EQ(bar_->getOpenMenu(), 1);
  moveTo(item(edit_, 1));
  releaseAt(item(edit_, 1));
  EXPECT_EQ(takeHeard(), (std::vector<std::string>{"menu Redo"}));
  EXPECT_FALSE(layer_->anyOpen());
  EXPECT_EQ(bar_->getOpenMenu(), -1);

  clickAt(title(0));
  pressAt(item(file_, kOpen));  // a press chooses: the item's handler, then the menu's
  EXPECT_EQ(takeHeard(), (std::vector<std::string>{"item Open", "menu Open"}));
  EXPECT_FALSE(file_->isOpen());
  releaseAt(item(file_, kOpen));  // the release now reaches the window below: nothing more
  EXPECT_TRUE(takeHeard().empty());

  clickAt(title(0));
  hoverAt(item(file_, kRecent));  // a submenu opens beside its item, and closes with its menu
  EXPECT_TRUE(recent_->isOpen());
  EXPECT_EQ(recent_->getLeft(), file_->getLeft() + file_->getWidth());
  EXPECT_EQ(recent_->getTop(), item(file_, kRecent).top - 2);
  clickAt(item(file_, kSeparator));  // a separator takes the press and chooses nothing
  EXPECT_TRUE(file_->isOpen());
  click(480, 380);  // outside: every menu closes
  EXPECT_FALSE(file_->isOpen());
  EXPECT_FALSE(recent_->isOpen());
  EXPECT_EQ(bar_->getOpenMenu(), -1);
  EXPECT_TRUE(takeHeard().empty());
}

TEST_F(Menus, KeysSkipSeparatorsToggleCheckItemsAndCloseOneLevelAtATime) {
  clickAt(title(0));
  const std::vector<std::pair<int, int>> steps = {
      {skDown, kOpen}, {skDown, kSave}, {skDown, kAutosave}, {skUp, kSave},
      {skUp, kOpen},   {skUp, kQuit},   {skDown, kOpen}};
  for (const auto& [key, expected] : steps) {
    special(key);
    EXPECT_EQ(file_->getHighlighted(), expected) << "after key " << key;
  }
  special(skDown);
  special(skDown);
  keyDown(vt::kReturn);  // Enter on the check item: checked, chosen, closed
  EXPECT_TRUE(file_->getItemChecked(kAutosave));
  EXPECT_EQ(takeHeard(), (std::vector<std::string>{"menu Autosave"}));
  EXPECT_FALSE(file_->isOpen());
  clickAt(title(0));
  clickAt(item(file_, kAutosave));  // chosen again by the mouse: unchecked
  EXPECT_FALSE(file_->getItemChecked(kAutosave));
  takeHeard();

  clickAt(title(0));
  file_->setHighlighted(kRecent);
  special(skRight);  // opens the submenu, its first item highlighted
  EXPECT_TRUE(recent_->isOpen());
  EXPECT_EQ(recent_->getHighlighted(), 0);
  keyDown(vt::kEscape);  // one level: the submenu alone
  EXPECT_FALSE(recent_->isOpen());
  EXPECT_TRUE(file_->isOpen());
  special(skRight);
  special(skLeft);  // Left closes the submenu
  EXPECT_FALSE(recent_->isOpen());
  EXPECT_EQ(file_->getHighlighted(), kRecent);
  special(skRight);
  special(skDown);
  keyDown(vt::kReturn);
  EXPECT_EQ(takeHeard(), (std::vector<std::string>{"menu b.txt"}));
  EXPECT_FALSE(layer_->anyOpen());

  clickAt(title(0));
  file_->setHighlighted(kRecent);
  special(skRight);
  special(skDown);
  special(skRight);  // on an item without a submenu: the bar's next menu, the others closed
  EXPECT_EQ(bar_->getOpenMenu(), 1);
  EXPECT_FALSE(recent_->isOpen());
  EXPECT_EQ(edit_->getHighlighted(), 0);
  special(skLeft);
  special(skLeft);  // wraps round
  EXPECT_EQ(bar_->getOpenMenu(), 1);
  keyDown(vt::kEscape);
  EXPECT_FALSE(layer_->anyOpen());
  EXPECT_EQ(bar_->getOpenMenu(), -1);
  EXPECT_TRUE(takeHeard().empty());  // the window saw none of these keys
}

// A right-button press on the bare screen opens a context menu at the pointer, moved in from
// the corner; the release of that press chooses nothing, a later press does.
TEST_F(Menus, AContextMenuOpensAtThePointerInsideTheScreen) {
  auto* context = new VMenu(nullptr);
  context->addItem("Cut");
  context->addItem("Paste");
  context->onChoose = menuChose;
  screen_->setUserData(context);
  screen_->onMouseDown = [](VWidget* w, VEvent* e) {
    if (e->getButton() == mbRight) {
      static_cast<VScreen*>(w)->popupMenu(static_cast<VMenu*>(w->getUserData()));
    }
  };
  click(490, 395, vt::kRightButton);
  ASSERT_TRUE(context->isOpen());
  EXPECT_EQ(vt::boxOf(context), (vt::Box{500 - context->getWidth(), 400 - context->getHeight(),
                                         context->getWidth(), 2 + 2 * 20 + 2}));
  EXPECT_TRUE(takeHeard().empty());
  clickAt(item(context, 1));
  EXPECT_EQ(takeHeard(), (std::vector<std::string>{"menu Paste"}));
  screen_->popupMenu(context, 100, 120);
  EXPECT_EQ(vt::boxOf(context).left, 100);
  EXPECT_EQ(vt::boxOf(context).top, 120);
  layer_->closeAll();
  delete context;
}

TEST_F(Menus, AShortcutRunsItsItemFromAnywhereButNotIntoATextField) {
  clickOn(window_);
  EXPECT_TRUE(screen_->capturesKey(17, false));   // Ctrl+Q is the bar's
  EXPECT_FALSE(screen_->capturesKey('q', false));  // a plain key stays the program's
  keyDown(17);
  special(skF5);  // a function key, in a submenu
  keyDown('q');   // no shortcut: the windows' routing as ever
  EXPECT_EQ(takeHeard(),
            (std::vector<std::string>{"menu Quit", "menu b.txt", "window key 113"}));
  EXPECT_FALSE(layer_->anyOpen());

  clickOn(field_);  // the field takes typed text: Ctrl+S is its key, not the menu's
  keyDown(19);
  EXPECT_EQ(takeHeard(), (std::vector<std::string>{"window key 19"}));
  clickOn(window_);
  bar_->setVisible(false);  // a hidden bar answers nothing
  keyDown(17);
  EXPECT_EQ(takeHeard(), (std::vector<std::string>{"window key 17"}));
  bar_->setVisible(true);
  screen_->remove(window_);
  delete window_;  // the bar leaves the shortcut owners with its window
  keyDown(17);
  EXPECT_TRUE(takeHeard().empty());
}

TEST_F(Menus, AWindowFreedWithItsMenuOpenTakesTheBarsMenusAlong) {
  clickAt(title(0));
  hoverAt(item(file_, kRecent));
  window_->free();
  click(480, 380);  // the window, its bar and the bar's menus go before this is routed
  EXPECT_FALSE(layer_->anyOpen());
  keyDown(17);  // the bar's shortcuts went with it
  EXPECT_TRUE(takeHeard().empty());
}

// The highlight fills the item's row, the check mark sits in its column, a shortcut ends at
// the arrow's column, and the arrow marks the submenu.
TEST_F(Menus, AnOpenMenuDrawsHighlightCheckMarkShortcutAndArrow) {
  file_->setItemChecked(kAutosave, true);
  clickAt(title(0));
  hoverAt(item(file_, kSave));
  drawFrame();
  VLookAndFeel* look = screen_->getLookAndFeel();
  const vt::Rgb highlight = vt::toRgb(look->getHighlightColor()->getR(),
                                      look->getHighlightColor()->getG(),
                                      look->getHighlightColor()->getB());
  const vt::Rgb background = vt::toRgb(look->getBackGroundColor()->getR(),
                                       look->getBackGroundColor()->getG(),
                                       look->getBackGroundColor()->getB());
  // Columns of a row holding any pixel other than the row's fill, between x0 and x1.
  auto inkColumns = [](const vt::Box& row, int x0, int x1, vt::Rgb fill) {
    std::vector<int> columns;
    for (int x = x0; x < x1; ++x) {
      for (int y = row.top + 1; y < row.top + row.height - 1; ++y) {
        if (!vt::near(vt::readPixel(x, y), fill)) {
          columns.push_back(x);
          break;
        }
      }
    }
    return columns;
  };
  const vt::Box save = item(file_, kSave);
  const vt::Box open = item(file_, kOpen);
  EXPECT_TRUE(vt::pixelNear(save.left + 4, save.top + 3, highlight));
  EXPECT_TRUE(vt::pixelNear(open.left + 4, open.top + 3, background));
  const int shortcutEnd = save.left + save.width - 2 - 16;
  const std::vector<int> shortcut = inkColumns(save, save.left + 130, save.left + save.width - 3,
                                               highlight);
  ASSERT_FALSE(shortcut.empty());
  EXPECT_GE(shortcut.front(), shortcutEnd - 6 * 12);
  EXPECT_LT(shortcut.back(), shortcutEnd);
  EXPECT_GE(shortcut.back(), shortcutEnd - 4);
  const vt::Box autosave = item(file_, kAutosave);
  EXPECT_FALSE(inkColumns(autosave, autosave.left + 2, autosave.left + 22, background).empty());
  EXPECT_TRUE(inkColumns(open, open.left + 2, open.left + 22, background).empty());
  const vt::Box recent = item(file_, kRecent);
  EXPECT_FALSE(inkColumns(recent, shortcutEnd, recent.left + recent.width - 3, background)
                   .empty());
  EXPECT_TRUE(inkColumns(autosave, shortcutEnd, autosave.left + autosave.width - 3, background)
                  .empty());
}

}  // namespace
