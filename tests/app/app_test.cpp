// app: the demo scene as the program builds it, and its five handlers' behaviour and output.
#include "app/app.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "DemoFixture.h"
#include "app/MyWindow.h"
#include "screen/host.h"
#include "support/Box.h"
#include "support/StreamCapture.h"
#include "support/WidgetTree.h"
#include "widgets/VButton.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VRadioButton.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

namespace {

using vt::Lines;
using vt::Box;
using vt::boxOf;
using vt::childrenOf;

// The message for a widget of the wrong type; 0xF6 is the ISO-8859-1 o with diaeresis.
const std::string kNotAButton =
    std::string("Methode wurde nicht von einem Button ausgel") + static_cast<char>(0xF6) + "st";

using DemoScene = vt::DemoFixture;

// --- the scene ------------------------------------------------------------------------------

TEST_F(DemoScene, ScreenToolbarIs420WideWithStartShutDownAndSubWindowInEqualSlots) {
  EXPECT_EQ(boxOf(screenBar_), (Box{0, 0, 420, 25}));
  const std::vector<VWidget*> row = childrenOf(screenBar_);
  ASSERT_EQ(row.size(), 3u);
  // Children are front first: the oldest, leftmost button is last.
  struct Expected {
    const char* caption;
    Box box;
    VEventHandler onPress;
  };
  const Expected expected[] = {{"Start", {10, 2, 134, 21}, nullptr},
                               {"Shut Down", {146, 2, 134, 21}, myShutDown},
                               {"Sub Window", {282, 2, 134, 21}, mySubWindow}};
  for (int i = 0; i < 3; ++i) {
    auto* b = dynamic_cast<VCaptionButton*>(row[2 - i]);
    ASSERT_NE(b, nullptr) << "slot " << i;
    EXPECT_EQ(b->getCaption(), expected[i].caption) << "slot " << i;
    EXPECT_EQ(boxOf(b), expected[i].box) << expected[i].caption;
    EXPECT_EQ(b->onPress, expected[i].onPress) << expected[i].caption;
  }
}

TEST_F(DemoScene, DemoWindowIs400By200AtTheTopLeftCornerCaptionedWindow) {
  EXPECT_EQ(boxOf(window_), (Box{0, 0, 400, 200}));
  EXPECT_EQ(window_->getCaption(), "Window");
  EXPECT_EQ(demoWindows().size(), 1u);
}

// At start the window covers the toolbar from x 0 to 400 (its right edge is hit too); only the
// rightmost 20 pixels, the right end of "Sub Window", take a press.
struct CoverCase {
  int x;
  bool opensSubWindow;
};

void PrintTo(const CoverCase& c, std::ostream* os) {
  *os << "press at x " << c.x << (c.opensSubWindow ? ", opens" : ", opens nothing");
}

class CoveredToolbar : public vt::DemoFixture, public ::testing::WithParamInterface<CoverCase> {};

TEST_P(CoveredToolbar, OnlyTheRightmost20PixelsReachSubWindow) {
  const CoverCase c = GetParam();
  const int before = screenChildCount();
  click(c.x, 12);
  const int opened = screenChildCount() - before;
  EXPECT_EQ(opened, c.opensSubWindow ? 1 : 0) << "press at x " << c.x;
  if (c.x <= 400) {
    EXPECT_EQ(screen_->getFocusPath(), window_) << "press at x " << c.x;
  }
}

INSTANTIATE_TEST_SUITE_P(DemoScene, CoveredToolbar,
                         ::testing::Values(CoverCase{0, false}, CoverCase{300, false},
                                           CoverCase{399, false}, CoverCase{400, false},
                                           CoverCase{401, true}, CoverCase{408, true},
                                           CoverCase{416, true}, CoverCase{417, false},
                                           CoverCase{420, false}, CoverCase{421, false}),
                         [](const ::testing::TestParamInfo<CoverCase>& info) {
                           return "AtX" + std::to_string(info.param.x);
                         });

TEST_F(DemoScene, DraggedAwayTheWindowUncoversTheWholeToolbar) {
  drag(200, 12, 250, 150);
  EXPECT_EQ(boxOf(window_), (Box{50, 138, 400, 200}));
  click(77, 12);  // the middle of "Start"
  EXPECT_EQ(screenChildCount(), 2) << "Start has no handler";
  EXPECT_EQ(screen_->getFocusPath(), screenBar_);
  EXPECT_EQ(screenBar_->getFocusPath(), button(screenBar_, "Start"));
  click(349, 12);  // "Sub Window"
  EXPECT_EQ(screenChildCount(), 3);
}

// --- mySubWindow ------------------------------------------------------------------------------

TEST_F(DemoScene, SubWindowTwiceOpensTwoPairsOfNestedWindows) {
  drag(200, 12, 250, 150);
  VCaptionButton* sub = button(screenBar_, "Sub Window");
  clickOn(sub);
  clickOn(sub);
  // Each press raised the toolbar first; each release then put a new window in front of it.
  const std::vector<VWidget*> top = childrenOf(screen_);
  ASSERT_EQ(top.size(), 4u);
  EXPECT_EQ(top[1], screenBar_);
  EXPECT_EQ(top[3], window_);
  for (std::size_t i : {0u, 2u}) {
    auto* outer = dynamic_cast<VWindow*>(top[i]);
    ASSERT_NE(outer, nullptr) << "child " << i;
    EXPECT_EQ(dynamic_cast<MyWindow*>(outer), nullptr);
    EXPECT_EQ(boxOf(outer), (Box{0, 0, 200, 200}));
    std::vector<VWindow*> inner;
    for (VWidget* child : childrenOf(outer)) {
      if (auto* w = dynamic_cast<VWindow*>(child)) {
        inner.push_back(w);
      }
    }
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_EQ(boxOf(inner[0]), (Box{3, 27, 100, 100}));
    EXPECT_EQ(vt::allOf<VWindow>(inner[0]).size(), 0u);
  }
}

TEST_F(DemoScene, SubWindowCalledDirectlyAddsThePairToTheGlobalScreen) {
  mySubWindow(nullptr, nullptr);
  ASSERT_EQ(screenChildCount(), 3);
  auto* outer = dynamic_cast<VWindow*>(childrenOf(screen_)[0]);
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(boxOf(outer), (Box{0, 0, 200, 200}));
}

TEST_F(DemoScene, TheCloseButtonRemovesAWindowWithItsNestedOne) {
  mySubWindow(nullptr, nullptr);
  auto* outer = dynamic_cast<VWindow*>(childrenOf(screen_)[0]);
  ASSERT_NE(outer, nullptr);
  clickOn(outer->getCloseButton());
  render();
  EXPECT_EQ(screenChildCount(), 2);
  EXPECT_EQ(childrenOf(screen_)[0], window_);
}

// --- myMethod2 and myMethod3 -------------------------------------------------------------------

TEST_F(DemoScene, Button2PrintsOneLineWithItsCaption) {
  vt::StreamCapture out(std::cout);
  clickOn(button(window_, "Button 2"));
  EXPECT_EQ(out.lines(), (Lines{"Sie haben Button 2 angeklickt!"}));
}

TEST_F(DemoScene, Button3PrintsOneLineWithItsCaption) {
  vt::StreamCapture out(std::cout);
  clickOn(button(window_, "Button 3"));
  EXPECT_EQ(out.lines(), (Lines{"Sie haben Button 3 angeklickt!"}));
}

TEST_F(DemoScene, AButtonPressAbandonedOutsidePrintsNothing) {
  vt::StreamCapture out(std::cout);
  VCaptionButton* b = button(window_, "Button 2");
  const vt::Box p = vt::screenBoxOf(b);
  press(p.left + 5, p.top + 5);
  motion(p.left + 5, p.top + 60);
  release(p.left + 5, p.top + 5);
  EXPECT_EQ(out.lines(), Lines{});
}

TEST_F(DemoScene, ClickingItem2SelectsItInItsGroupAndPrintsItsCaption) {
  VRadioButton* item1 = radio(window_, "Item 1");
  VRadioButton* item2 = radio(window_, "Item 2");
  ASSERT_NE(item1, nullptr);
  ASSERT_NE(item2, nullptr);
  vt::StreamCapture out(std::cout);
  clickOn(item2);
  EXPECT_EQ(item2->getState(), cbChecked);
  EXPECT_EQ(item1->getState(), cbUnchecked);
  EXPECT_EQ(out.lines(), (Lines{"Sie haben Item 2 angeklickt!"}));
  clickOn(item2);
  EXPECT_EQ(item2->getState(), cbChecked) << "a checked member stays checked";
  clickOn(item1);
  EXPECT_EQ(item1->getState(), cbChecked);
  EXPECT_EQ(item2->getState(), cbUnchecked);
  EXPECT_EQ(out.lines(), (Lines{"Sie haben Item 2 angeklickt!", "Sie haben Item 2 angeklickt!",
                                "Sie haben Item 1 angeklickt!"}));
}

// The handlers' type test, run on the widget pointer itself.
struct TypeCase {
  const char* what;
  VEventHandler handler;
  int widget;  // index into the widgets made by the test
  bool clicked;
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.what; }

class HandlerTypeTest : public vt::DemoFixture, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(HandlerTypeTest, PrintsTheClickedLineOnlyForItsOwnWidgetType) {
  const TypeCase c = GetParam();
  auto* plain = new VButton(screen_);
  auto* caption = new VCaptionButton(screen_);
  caption->setCaption("Knopf");
  auto* radioButton = new VRadioButton(screen_);
  radioButton->setCaption("Knopf");
  auto* check = new VCheckBox(screen_);
  check->setCaption("Knopf");
  VWidget* const widgets[] = {nullptr, plain, caption, radioButton, check, window_};
  vt::StreamCapture out(std::cout);
  c.handler(widgets[c.widget], nullptr);
  EXPECT_EQ(out.lines(), (Lines{c.clicked ? "Sie haben Knopf angeklickt!" : kNotAButton}))
      << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    DemoScene, HandlerTypeTest,
    ::testing::Values(TypeCase{"myMethod2 with null", myMethod2, 0, false},
                      TypeCase{"myMethod2 with a plain button", myMethod2, 1, false},
                      TypeCase{"myMethod2 with a caption button", myMethod2, 2, true},
                      TypeCase{"myMethod2 with a radio button", myMethod2, 3, false},
                      TypeCase{"myMethod2 with a check box", myMethod2, 4, false},
                      TypeCase{"myMethod2 with a window", myMethod2, 5, false},
                      TypeCase{"myMethod3 with null", myMethod3, 0, false},
                      TypeCase{"myMethod3 with a plain button", myMethod3, 1, false},
                      TypeCase{"myMethod3 with a caption button", myMethod3, 2, false},
                      TypeCase{"myMethod3 with a radio button", myMethod3, 3, true},
                      TypeCase{"myMethod3 with a check box", myMethod3, 4, false},
                      TypeCase{"myMethod3 with a window", myMethod3, 5, false}),
    [](const ::testing::TestParamInfo<TypeCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p != '\0'; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p)) != 0) {
          name += *p;
        } else {
          name += '_';
        }
      }
      return name;
    });

TEST(DemoMessages, TheNotAButtonLineIsOneIso88591ByteForTheUmlaut) {
  vt::StreamCapture out(std::cout);
  myMethod2(nullptr, nullptr);
  const std::string text = out.text();
  EXPECT_EQ(text.size(), 47u) << "46 characters and the line end";
  EXPECT_EQ(static_cast<unsigned char>(text[43]), 0xF6);
  EXPECT_EQ(text.back(), '\n');
}

// --- myMethod1 --------------------------------------------------------------------------------

TEST_F(DemoScene, FensterOpensAWindowCaptionedWithTheEditedText) {
  clickOn(window_->textedit);
  type("\b\b\b\b\b\b\bHallo");
  ASSERT_EQ(window_->textedit->getText(), "Hallo");
  clickOn(button(window_, "Fenster"));
  const std::vector<MyWindow*> windows = demoWindows();
  ASSERT_EQ(windows.size(), 2u);
  MyWindow* opened = windows[0];
  EXPECT_NE(opened, window_);
  EXPECT_EQ(childrenOf(screen_)[0], opened) << "the new window joins the screen at the front";
  EXPECT_EQ(opened->getCaption(), "Hallo");
  EXPECT_EQ(boxOf(opened), (Box{0, 0, 400, 200}));
  EXPECT_EQ(opened->textedit->getText(), "Neu !!!") << "the new window has a fresh text field";
  EXPECT_EQ(window_->getCaption(), "Window");
}

TEST_F(DemoScene, FensterInTheNewWindowCopiesThatWindowsText) {
  clickOn(button(window_, "Fenster"));
  MyWindow* second = demoWindows()[0];
  ASSERT_NE(second, window_);
  EXPECT_EQ(second->getCaption(), "Neu !!!");
  clickOn(second->textedit);
  type("\b\b\bzwei");
  clickOn(button(second, "Fenster"));
  const std::vector<MyWindow*> windows = demoWindows();
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[0]->getCaption(), "Neu zwei");
  EXPECT_EQ(windows[1], second);
  EXPECT_EQ(window_->textedit->getText(), "Neu !!!");
}

TEST_F(DemoScene, FensterCopiesTheTextNotALinkToIt) {
  clickOn(button(window_, "Fenster"));
  MyWindow* second = demoWindows()[0];
  EXPECT_EQ(second->getCaption(), "Neu !!!");
  window_->textedit->setText("anders");
  EXPECT_EQ(second->getCaption(), "Neu !!!");
}

TEST_F(DemoScene, Method1DoesNothingForWidgetsOutsideADemoWindow) {
  auto* plainWindow = new VWindow(screen_);
  auto* bar = new VToolBar(plainWindow);
  auto* inPlainWindow = new VCaptionButton(bar);
  auto* orphan = new VCaptionButton(screen_);
  VWidget* const cases[] = {nullptr,       orphan,  button(screenBar_, "Start"),
                            inPlainWindow, window_, screen_};
  const int before = screenChildCount();
  for (VWidget* w : cases) {
    myMethod1(w, nullptr);
  }
  EXPECT_EQ(screenChildCount(), before);
}

TEST_F(DemoScene, Method1ForAnyWidgetTwoLevelsBelowADemoWindowOpensOne) {
  // The type test is on the owner's owner, not on the widget: an item of the radio toolbar
  // qualifies as well as "Fenster".
  myMethod1(radio(window_, "Item 1"), nullptr);
  EXPECT_EQ(demoWindows().size(), 2u);
}

TEST_F(DemoScene, HandlersThatOpenWindowsDoNothingWithoutAGlobalScreen) {
  screen = nullptr;
  myMethod1(button(window_, "Fenster"), nullptr);
  mySubWindow(nullptr, nullptr);
  screen = screen_;
  EXPECT_EQ(screenChildCount(), 2);
}

// --- myShutDown -------------------------------------------------------------------------------

TEST_F(DemoScene, ShutDownEndsTheProcessWithStatus0) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        allowExit();
        myShutDown(nullptr, nullptr);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(DemoScene, PressingShutDownEndsTheProcessAtOnceWithStatus0) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  drag(200, 12, 250, 150);
  VCaptionButton* shutDown = button(screenBar_, "Shut Down");
  const vt::Box p = vt::screenBoxOf(shutDown);
  press(p.left + 10, p.top + 10);
  EXPECT_EXIT(
      {
        allowExit();
        release(p.left + 10, p.top + 10);
        std::cerr << "still running after the release" << std::endl;
        std::exit(1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
