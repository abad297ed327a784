// MyWindow: the demo window's contents as its constructor builds them, its radio group's
// lifetime, and its output when used.
#include "app/MyWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DemoFixture.h"
#include "app/app.h"
#include "draw/VFont.h"
#include "support/Box.h"
#include "support/StreamCapture.h"
#include "support/WidgetTree.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VRadioButton.h"
#include "widgets/VRadioButtonGroup.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"

namespace {

using vt::Lines;
using vt::Box;
using vt::boxOf;
using vt::childrenOf;

using DemoWindow = vt::DemoFixture;

TEST_F(DemoWindow, ChildrenAreBuiltInTheConstructorsOrder) {
  // Front first: the newest child is the frontmost. The window's own two buttons come first.
  const std::vector<VWidget*> children = childrenOf(window_);
  ASSERT_EQ(children.size(), 6u);
  EXPECT_EQ(children[0], window_->toolbar);
  EXPECT_EQ(children[1], window_->radio_toolbar);
  EXPECT_EQ(children[2], window_->toolbarWidth);
  EXPECT_EQ(children[3], window_->textedit);
  EXPECT_EQ(children[4], window_->getMaximizeButton());
  EXPECT_EQ(children[5], window_->getCloseButton());
}

TEST_F(DemoWindow, TextFieldAndCheckBoxSitWhereTheConstructorPutsThem) {
  EXPECT_EQ(boxOf(window_->textedit), (Box{10, 70, 150, 20}));
  EXPECT_EQ(window_->textedit->getText(), "Neu !!!");
  EXPECT_EQ(window_->toolbarWidth->getCaption(), "Toolbar Breite anpassen");
  // 23 characters of 12 pixels after the 16-pixel box and a 2-pixel gap.
  EXPECT_EQ(boxOf(window_->toolbarWidth), (Box{10, 95, 294, 16}));
  EXPECT_EQ(window_->toolbarWidth->getState(), cbUnchecked);
  EXPECT_EQ(window_->toolbarWidth->onClick, nullptr);
  EXPECT_EQ(window_->toolbarWidth->onMouseDown, nullptr);
}

TEST_F(DemoWindow, ButtonToolbarHoldsFensterButton2AndButton3In350Pixels) {
  EXPECT_EQ(boxOf(window_->toolbar), (Box{3, 27, 350, 25}));
  const std::vector<VWidget*> row = childrenOf(window_->toolbar);
  ASSERT_EQ(row.size(), 3u);
  struct Expected {
    const char* caption;
    int left;
    VEventHandler onPress;
  };
  const Expected expected[] = {
      {"Fenster", 10, myMethod1}, {"Button 2", 123, myMethod2}, {"Button 3", 236, myMethod2}};
  for (int i = 0; i < 3; ++i) {
    auto* b = dynamic_cast<VCaptionButton*>(row[2 - i]);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->getCaption(), expected[i].caption);
    EXPECT_EQ(boxOf(b), (Box{expected[i].left, 2, 111, 21})) << expected[i].caption;
    EXPECT_EQ(b->onPress, expected[i].onPress) << expected[i].caption;
  }
}

TEST_F(DemoWindow, RadioToolbarHoldsTwoGroupedItemsWithTheirOwnSizes) {
  EXPECT_EQ(boxOf(window_->radio_toolbar), (Box{3, 150, 300, 25}));
  const std::vector<VWidget*> row = childrenOf(window_->radio_toolbar);
  ASSERT_EQ(row.size(), 2u);
  auto* item1 = dynamic_cast<VRadioButton*>(row[1]);
  auto* item2 = dynamic_cast<VRadioButton*>(row[0]);
  ASSERT_NE(item1, nullptr);
  ASSERT_NE(item2, nullptr);
  EXPECT_EQ(item1->getCaption(), "Item 1");
  EXPECT_EQ(item2->getCaption(), "Item 2");
  EXPECT_EQ(item1->getState(), cbChecked);
  EXPECT_EQ(item2->getState(), cbUnchecked);
  EXPECT_EQ(item1->getFont()->getSize(), 12);
  EXPECT_EQ(item2->getFont()->getSize(), 12);
  EXPECT_EQ(item1->getRadioButtonGroup(), window_->rgroup);
  EXPECT_EQ(item2->getRadioButtonGroup(), window_->rgroup);
  EXPECT_EQ(item1->onClick, myMethod3);
  EXPECT_EQ(item2->onClick, myMethod3);
  // The row was laid out when Item 2 joined; Item 2 then sized itself to its caption, measured
  // before its font became 12 pixels (6 characters of 12 pixels, box and gap: 90).
  EXPECT_EQ(boxOf(item1), (Box{10, 2, 143, 21}));
  EXPECT_EQ(boxOf(item2), (Box{155, 2, 90, 21}));
  vt::StreamCapture out(std::cout);
  window_->rgroup->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VRadioButtonGroup", "Items.size() = 2"}));
}

TEST_F(DemoWindow, EachWindowHasItsOwnGroup) {
  clickOn(button(window_, "Fenster"));
  MyWindow* second = demoWindows()[0];
  ASSERT_NE(second, window_);
  EXPECT_NE(second->rgroup, window_->rgroup);
  clickOn(radio(second, "Item 2"));
  EXPECT_EQ(radio(second, "Item 2")->getState(), cbChecked);
  EXPECT_EQ(radio(window_, "Item 1")->getState(), cbChecked);
  EXPECT_EQ(radio(window_, "Item 2")->getState(), cbUnchecked);
}

// The program may free the demo window's own widgets: the window forgets each, and "Fenster"
// opens its window with the default caption when the field is gone.
TEST_F(DemoWindow, FensterOpensAWindowAfterTheFieldWasFreed) {
  window_->textedit->free();
  window_->toolbarWidth->free();
  clickOn(button(window_, "Fenster"));
  EXPECT_EQ(window_->textedit, nullptr);
  EXPECT_EQ(window_->toolbarWidth, nullptr);
  MyWindow* second = demoWindows()[0];
  ASSERT_NE(second, window_);
  EXPECT_EQ(second->getCaption(), "Window");
}

TEST_F(DemoWindow, TypingIntoTheFieldKeepsWhatFits) {
  clickOn(window_->textedit);
  EXPECT_EQ(window_->getFocusPath(), window_->textedit);
  type("abcdef");  // "Neu !!!" and 4 more fit in 150 pixels: 11 characters
  EXPECT_EQ(window_->textedit->getText(), "Neu !!!abcd");
}

TEST_F(DemoWindow, ClosingAWindowDeletesItsWidgetsAndItsGroup) {
  // Run under the sanitizer build this is where a wrong order between the group and its
  // members would show: the window deletes the group, then the base deletes the buttons.
  clickOn(button(window_, "Fenster"));
  MyWindow* second = demoWindows()[0];
  clickOn(radio(second, "Item 2"));
  clickOn(second->getCloseButton());
  render();
  EXPECT_EQ(demoWindows().size(), 1u);
  EXPECT_EQ(demoWindows()[0], window_);
  // The first window's own group is untouched.
  clickOn(radio(window_, "Item 2"));
  EXPECT_EQ(radio(window_, "Item 1")->getState(), cbUnchecked);
}

TEST_F(DemoWindow, ClosingTheSceneWindowLeavesTheToolbarFullyUsable) {
  clickOn(window_->getCloseButton());
  render();
  EXPECT_EQ(screenChildCount(), 1);
  clickOn(button(screenBar_, "Sub Window"));
  EXPECT_EQ(screenChildCount(), 2);
}

TEST_F(DemoWindow, AnItemMovedToAnotherGroupLeavesItWhenItsWindowIsClosed) {
  VRadioButtonGroup other;
  VRadioButton* item1 = radio(window_, "Item 1");
  item1->setRadioButtonGroup(&other);
  clickOn(window_->getCloseButton());
  render();
  ASSERT_EQ(screenChildCount(), 1);
  vt::StreamCapture out(std::cout);
  other.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VRadioButtonGroup", "Items.size() = 0"}));
}

}  // namespace
