// VTabs: headers from the left as wide as their captions plus 16, the page of the pressed one
// shown, Ctrl+Tab and Ctrl+Shift+Tab around, and a deleted page's tab gone with it.
#include "widgets/VTabs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScreenFixture.h"

namespace {

using Tabs = vt::ScreenFixture;

TEST_F(Tabs, APressOnAHeaderOrCtrlTabShowsItsPage) {
  auto* tabs = new VTabs(screen_);
  tabs->setLeft(10);
  tabs->setTop(30);
  tabs->setWidth(280);
  tabs->setHeight(280);
  static std::vector<int> shown;
  shown.clear();
  tabs->onChange = [](VWidget* w, VEvent*) {
    shown.push_back(static_cast<VTabs*>(w)->getCurrent());
  };
  // "One" and "Two" are 3 glyphs of 12: headers 52 wide; "Three" 76.
  for (const char* caption : {"One", "Two", "Three"}) {
    tabs->addPage(caption);
  }
  EXPECT_EQ(tabs->getPage(1)->getTop(), VTabs::kHeaderHeight);
  EXPECT_EQ(tabs->getPage(1)->getHeight(), 280 - VTabs::kHeaderHeight);
  const struct {
    int x, y, current;
  } presses[] = {{10 + 51, 35, 0}, {10 + 52, 35, 1}, {10 + 104 + 75, 51, 2},
                 {10 + 180, 40, 2},   // beside the last header: nothing
                 {10 + 60, 53, 2}};   // the page below: nothing
  for (const auto& p : presses) {
    click(p.x, p.y);
    EXPECT_EQ(tabs->getCurrent(), p.current) << p.x << "," << p.y;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(tabs->getPage(i)->getVisible(), i == p.current);
    }
  }
  click(20, 35);  // the focus, on the first tab
  screen_->setModifiers(vmCtrl);
  keyDown('\t');
  keyDown('\t');
  screen_->setModifiers(vmCtrl | vmShift);
  keyDown('\t');
  screen_->setModifiers(0);
  keyDown('\t');  // Tab alone switches nothing
  tabs->setCurrent(2);  // the program's: no handler
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 1, 2, 1}));
  delete tabs->getPage(1);
  EXPECT_EQ(tabs->getPageCount(), 2);
  EXPECT_EQ(tabs->getCaption(1), "Three");
  EXPECT_EQ(tabs->getCurrent(), 1);
  EXPECT_TRUE(tabs->getPage(1)->getVisible());
}

}  // namespace
