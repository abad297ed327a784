// VCheckBox: the toggle driven through the screen, sizing to the caption, the box size, pixels.
#include "widgets/VCheckBox.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "support/GlTest.h"
#include "support/HostNumbers.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;
using vt::Region;

using vt::kLeftButton;
using vt::kMiddleButton;
using vt::kRightButton;

constexpr int kBoxLeft = 40;
constexpr int kBoxTop = 30;

class CheckBoxTest : public vt::ScreenFixture {
 protected:
  VCheckBox* makeBox(const std::string& caption = "") {
    auto* box = new VCheckBox(screen_);
    box->setLeft(kBoxLeft);
    box->setTop(kBoxTop);
    if (!caption.empty()) {
      box->setCaption(caption);
    }
    return box;
  }

  // The tree without the box, plus a caption drawn with the box's own font at (dx, dy) of the
  // box: what the box should show right of its image.
  Region referenceCaption(VCheckBox* box, int dx, int dy, int x, int y, int w, int h) {
    const auto paint = [box, dx, dy] {
      box->getFont()->drawAtPos(box->getCaption().c_str(), dx, dy, -1);
    };
    return referenceFrame(box, paint, x, y, w, h);
  }

  // The tree without the box, plus the look and feel's check-box image at the box's corner.
  Region referenceImage(VCheckBox* box, bool checked) {
    VLookAndFeel* look = screen_->getLookAndFeel();
    return referenceFrame(box, [look, checked] { look->drawCheckBox(checked); }, box->getLeft(),
                          box->getTop(), 16, 16);
  }
};

TEST_F(CheckBoxTest, NewBoxIsTwentyBySixteenUncheckedAndPrintsItsFields) {
  VCheckBox* box = makeBox();
  EXPECT_EQ(box->getWidth(), 20);
  EXPECT_EQ(box->getHeight(), 16);
  EXPECT_EQ(box->getState(), cbUnchecked);
  EXPECT_EQ(box->getBoxSize(), 16);
  EXPECT_EQ(box->getCaption(), "");
  EXPECT_EQ(box->getFont()->getSize(), 16);
  vt::StreamCapture out(std::cout);
  box->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VCheckBox", "State = 1", "BoxSize = 16", "Caption = "}));
}

TEST_F(CheckBoxTest, PrintShowsACheckedStateAsZeroAndTheCaption) {
  VCheckBox* box = makeBox("Show grid");
  box->setState(cbChecked);
  box->setBoxSize(24);
  vt::StreamCapture out(std::cout);
  box->print();
  EXPECT_EQ(out.lines(),
            (Lines{"Class : VCheckBox", "State = 0", "BoxSize = 24", "Caption = Show grid"}));
}

TEST_F(CheckBoxTest, TheFontIsACopyOfTheLookAndFeelsFont) {
  VCheckBox* box = makeBox();
  VFont* shared = screen_->getLookAndFeel()->getFont();
  EXPECT_NE(box->getFont(), shared);
  box->getFont()->setSize(30);
  EXPECT_EQ(shared->getSize(), 16);
}

struct CaptionCase {
  std::string caption;
  int fontSize;
  int expectedWidth;
};

TEST_F(CheckBoxTest, SetCaptionMakesTheWidthTheBoxTheGapAndTheWholePixelCaption) {
  const CaptionCase cases[] = {
      {"Remember my choice here!", 16, 16 + 288 + 2},
      {"Remember my choice here", 16, 294},  // 23 characters of 12 pixels
      {"", 16, 18},
      {"Show", 12, 16 + 36 + 2},
      {"abc", 10, 16 + 22 + 2},  // 22.5 pixels of text, truncated
  };
  for (const CaptionCase& c : cases) {
    VCheckBox* box = makeBox();
    box->getFont()->setSize(c.fontSize);
    box->setCaption(c.caption);
    EXPECT_EQ(box->getWidth(), c.expectedWidth) << '"' << c.caption << "\" at " << c.fontSize;
    EXPECT_EQ(box->getCaption(), c.caption);
  }
}

TEST_F(CheckBoxTest, SetCaptionSizesThroughSetWidthSoMinWidthAndOnResizeApply) {
  VCheckBox* box = makeBox();
  static int resizes;
  resizes = 0;
  box->onResize = [](VWidget*) { ++resizes; };
  box->setCaption("abc");
  EXPECT_EQ(box->getWidth(), 54);
  EXPECT_EQ(resizes, 1);
  box->setCaption("xyz");  // same width: no change, no handler
  EXPECT_EQ(resizes, 1);
  box->setMinWidth(100);
  box->setCaption("a");
  EXPECT_EQ(box->getWidth(), 100);
  EXPECT_EQ(resizes, 2);
}

TEST_F(CheckBoxTest, ACaptionOfAbsurdWidthSaturatesTheWidthInsteadOfOverflowing) {
  VCheckBox* box = makeBox();
  box->getFont()->setSize(2000000000);
  box->setCaption("wide");
  EXPECT_EQ(box->getWidth(), 2147483647);
  box->getFont()->setSize(-2000000000);
  box->setCaption("wide");
  EXPECT_EQ(box->getWidth(), 0);  // clamped by MinWidth
}

TEST_F(CheckBoxTest, EveryMouseButtonTogglesOnThePressAndNotOnTheReleaseOrClick) {
  VCheckBox* box = makeBox("Toggle me");
  // The handlers run after the toggle and see the new state.
  static std::vector<std::string> seen;
  seen.clear();
  box->onMouseDown = [](VWidget* w, VEvent*) {
    seen.push_back("down " + std::to_string(static_cast<VCheckBox*>(w)->getState()));
  };
  box->onClick = [](VWidget* w, VEvent*) {
    seen.push_back("click " + std::to_string(static_cast<VCheckBox*>(w)->getState()));
  };
  const int x = kBoxLeft + 5;
  const int y = kBoxTop + 5;
  const struct {
    int button;
    VCheckBoxState afterPress;
  } presses[] = {{kLeftButton, cbChecked},
                 {kMiddleButton, cbUnchecked},
                 {kRightButton, cbChecked},
                 {kLeftButton, cbUnchecked}};
  for (const auto& p : presses) {
    press(x, y, p.button);
    EXPECT_EQ(box->getState(), p.afterPress) << "press of button " << p.button;
    release(x, y, p.button);
    EXPECT_EQ(box->getState(), p.afterPress) << "release of button " << p.button;
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"down 0", "click 0", "down 1", "click 1", "down 0",
                                            "click 0", "down 1", "click 1"}));
}

TEST_F(CheckBoxTest, PressesOnTheCaptionToggleAndPressesBesideTheBoxDoNot) {
  VCheckBox* box = makeBox("Caption");  // 16 + 84 + 2 = 102 wide, 16 high
  press(kBoxLeft + 102, kBoxTop + 16);  // edges included
  EXPECT_EQ(box->getState(), cbChecked);
  press(kBoxLeft + 103, kBoxTop + 8);
  press(kBoxLeft + 8, kBoxTop + 17);
  press(kBoxLeft - 1, kBoxTop + 8);
  EXPECT_EQ(box->getState(), cbChecked);
}

TEST_F(CheckBoxTest, KeysNeverToggleAFocusedBox) {
  VCheckBox* box = makeBox("Keys");
  click(kBoxLeft + 4, kBoxTop + 4);
  ASSERT_TRUE(box->getFocused());
  ASSERT_EQ(box->getState(), cbChecked);
  for (int key : {32, 13, int{'x'}, 8, 9, 200}) {
    keyDown(static_cast<unsigned char>(key), kBoxLeft + 4, kBoxTop + 4);
    keyUp(static_cast<unsigned char>(key), kBoxLeft + 4, kBoxTop + 4);
    EXPECT_EQ(box->getState(), cbChecked) << "key " << key;
  }
  for (int code : {skF1, skLeft, skUp, skRight, skDown}) {
    special(code);
    EXPECT_EQ(box->getState(), cbChecked) << "special key " << code;
  }
}

TEST_F(CheckBoxTest, ADisabledBoxKeepsItsStateThroughPresses) {
  VCheckBox* box = makeBox("Disabled");
  box->setState(cbChecked);
  box->setEnabled(false);
  for (int button : {kLeftButton, kMiddleButton, kRightButton}) {
    click(kBoxLeft + 4, kBoxTop + 4, button);
  }
  EXPECT_EQ(box->getState(), cbChecked);
  EXPECT_FALSE(box->getFocused());
}

TEST_F(CheckBoxTest, BoxSizeRaisesTheHeightOnlyAtTheNextLayout) {
  VCheckBox* box = makeBox("Big box");
  box->setBoxSize(24);
  EXPECT_EQ(box->getHeight(), 16);
  box->setWidth(box->getWidth() + 1);  // a real change runs layout
  EXPECT_EQ(box->getHeight(), 24);
  box->setBoxSize(8);
  box->setHeight(30);
  box->setHeight(10);
  EXPECT_EQ(box->getHeight(), 10);  // layout raises, never lowers
}

TEST_F(CheckBoxTest, BoxSizeGrowsTheWidthOnlyAtTheNextSetCaption) {
  VCheckBox* box = makeBox("Big box");
  const int before = box->getWidth();
  box->setBoxSize(24);
  EXPECT_EQ(box->getWidth(), before);
  box->setCaption(box->getCaption());
  EXPECT_EQ(box->getWidth(), before + 8);
}

TEST_F(CheckBoxTest, TheCaptionStandsTwoPixelsRightOfTheBoxInTheFontsColour) {
  VCheckBox* box = makeBox("Wq");
  box->getFont()->getColor()->set(1.0f, 0.0f, 0.0f, 1.0f);
  const int x = kBoxLeft + 16;
  const Region drawn = frame(x, kBoxTop, 60, 24);
  for (const auto& [dx, dy] : {std::pair{18, 0}, {17, 0}, {19, 0}, {18, 1}, {18, -1}}) {
    const std::string difference =
        vt::regionDifference(drawn, referenceCaption(box, dx, dy, x, kBoxTop, 60, 24), 60);
    if (dx == 18 && dy == 0) {
      EXPECT_EQ(difference, "");
    } else {
      EXPECT_NE(difference, "") << "the caption also matches at " << dx << "," << dy;
    }
  }
  int red = 0;
  for (std::size_t i = 0; i + 2 < drawn.size(); i += 3) {
    red += (drawn[i] > 200 && drawn[i + 1] < 50 && drawn[i + 2] < 50) ? 1 : 0;
  }
  EXPECT_GT(red, 10);
}

TEST_F(CheckBoxTest, ABiggerBoxMovesTheCaptionAtOnceAndKeepsTheImageSixteenPixels) {
  VCheckBox* box = makeBox("Wq");
  const Region imageBefore = frame(kBoxLeft, kBoxTop, 16, 16);
  box->setBoxSize(24);
  const int x = kBoxLeft + 16;
  const Region caption = frame(x, kBoxTop, 60, 30);
  const Region moved = referenceCaption(box, 26, 4, x, kBoxTop, 60, 30);  // 8 right, 4 down
  const Region unmoved = referenceCaption(box, 18, 0, x, kBoxTop, 60, 30);
  EXPECT_EQ(vt::regionDifference(caption, moved, 60), "");
  EXPECT_NE(vt::regionDifference(caption, unmoved, 60), "");

  EXPECT_EQ(vt::regionDifference(frame(kBoxLeft, kBoxTop, 16, 16), imageBefore, 16), "");
  const vt::Rgb background = vt::toRgb(0.3f, 0.3f, 0.5f);
  EXPECT_EQ(drawFrame(), "");
  for (int y = kBoxTop; y < kBoxTop + 24; ++y) {
    for (int x2 = kBoxLeft; x2 < kBoxLeft + 26; ++x2) {
      if (x2 < kBoxLeft + 16 && y < kBoxTop + 16) {
        continue;  // the image
      }
      ASSERT_TRUE(vt::pixelNear(x2, y, background));
    }
  }
}

TEST_F(CheckBoxTest, CheckedAndUncheckedShowTheLookAndFeelsTwoDifferentImages) {
  VCheckBox* box = makeBox("Images");
  const Region unchecked = frame(kBoxLeft, kBoxTop, 16, 16);
  box->setState(cbChecked);
  const Region checked = frame(kBoxLeft, kBoxTop, 16, 16);
  EXPECT_NE(vt::regionDifference(checked, unchecked, 16), "");
  EXPECT_EQ(vt::regionDifference(unchecked, referenceImage(box, false), 16), "");
  EXPECT_EQ(vt::regionDifference(checked, referenceImage(box, true), 16), "");
  // Something of the image is drawn at all: it is not the plain background.
  box->setVisible(false);
  EXPECT_NE(vt::regionDifference(frame(kBoxLeft, kBoxTop, 16, 16), unchecked, 16), "");
}

}  // namespace
