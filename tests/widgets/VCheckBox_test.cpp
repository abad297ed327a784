// VCheckBox: the toggle driven through the screen, sizing to the caption, the box size, pixels.
#include "widgets/VCheckBox.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "support/GlTest.h"
#include "support/HostNumbers.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;
using Region = std::vector<std::uint8_t>;

using vt::kLeftButton;
using vt::kMiddleButton;
using vt::kRightButton;
constexpr int kPressed = vt::kDown;
constexpr int kReleased = vt::kUp;

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

  // Draws the whole tree into the back buffer and reads a rectangle of it.
  Region drawTree(int x, int y, int w, int h) {
    vt::resetView();
    vt::FrameCheck frame;
    screen_->glutDisplay();
    EXPECT_EQ(frame.problems(), "");
    return vt::readRegion(x, y, w, h);
  }

  // The tree without the box, plus a caption drawn with the box's own font at (dx, dy) of the
  // box: what the box should show right of its image.
  Region drawReferenceCaption(VCheckBox* box, int dx, int dy, int x, int y, int w, int h) {
    box->setVisible(false);
    vt::resetView();
    screen_->glutDisplay();
    glPushMatrix();
    glTranslatef(static_cast<float>(box->getLeft()), static_cast<float>(box->getTop()), 0.0f);
    box->getFont()->drawAtPos(box->getCaption().c_str(), dx, dy, -1);
    glPopMatrix();
    box->setVisible(true);
    return vt::readRegion(x, y, w, h);
  }

  // The tree without the box, plus the look and feel's check-box image at the box's corner.
  Region drawReferenceImage(VCheckBox* box, bool checked) {
    box->setVisible(false);
    vt::resetView();
    screen_->glutDisplay();
    glPushMatrix();
    glTranslatef(static_cast<float>(box->getLeft()), static_cast<float>(box->getTop()), 0.0f);
    screen_->getLookAndFeel()->drawCheckBox(checked);
    glPopMatrix();
    box->setVisible(true);
    return vt::readRegion(box->getLeft(), box->getTop(), 16, 16);
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
    screen_->glutMouse(p.button, kPressed, x, y);
    EXPECT_EQ(box->getState(), p.afterPress) << "press of button " << p.button;
    screen_->glutMouse(p.button, kReleased, x, y);
    EXPECT_EQ(box->getState(), p.afterPress) << "release of button " << p.button;
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"down 0", "click 0", "down 1", "click 1", "down 0",
                                            "click 0", "down 1", "click 1"}));
}

TEST_F(CheckBoxTest, PressesOnTheCaptionToggleAndPressesBesideTheBoxDoNot) {
  VCheckBox* box = makeBox("Caption");  // 16 + 84 + 2 = 102 wide, 16 high
  screen_->glutMouse(kLeftButton, kPressed, kBoxLeft + 102, kBoxTop + 16);  // edges included
  EXPECT_EQ(box->getState(), cbChecked);
  screen_->glutMouse(kLeftButton, kPressed, kBoxLeft + 103, kBoxTop + 8);
  screen_->glutMouse(kLeftButton, kPressed, kBoxLeft + 8, kBoxTop + 17);
  screen_->glutMouse(kLeftButton, kPressed, kBoxLeft - 1, kBoxTop + 8);
  EXPECT_EQ(box->getState(), cbChecked);
}

TEST_F(CheckBoxTest, KeysNeverToggleAFocusedBox) {
  VCheckBox* box = makeBox("Keys");
  click(kBoxLeft + 4, kBoxTop + 4);
  ASSERT_TRUE(box->getFocused());
  ASSERT_EQ(box->getState(), cbChecked);
  for (int key : {32, 13, int{'x'}, 8, 9, 200}) {
    screen_->glutKeyboard(static_cast<unsigned char>(key), kBoxLeft + 4, kBoxTop + 4);
    screen_->glutKeyboardUp(static_cast<unsigned char>(key), kBoxLeft + 4, kBoxTop + 4);
    EXPECT_EQ(box->getState(), cbChecked) << "key " << key;
  }
  for (int special : {1, 100, 101, 102, 103}) {  // F1 and the arrow keys
    screen_->glutSpecialFunc(special, 0, 0);
    EXPECT_EQ(box->getState(), cbChecked) << "special key " << special;
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
  const Region drawn = drawTree(x, kBoxTop, 60, 24);
  for (const auto& [dx, dy] : {std::pair{18, 0}, {17, 0}, {19, 0}, {18, 1}, {18, -1}}) {
    const std::string difference =
        vt::regionDifference(drawn, drawReferenceCaption(box, dx, dy, x, kBoxTop, 60, 24), 60);
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
  const Region imageBefore = drawTree(kBoxLeft, kBoxTop, 16, 16);
  box->setBoxSize(24);
  const int x = kBoxLeft + 16;
  const Region caption = drawTree(x, kBoxTop, 60, 30);
  const Region moved = drawReferenceCaption(box, 26, 4, x, kBoxTop, 60, 30);  // 8 right, 4 down
  const Region unmoved = drawReferenceCaption(box, 18, 0, x, kBoxTop, 60, 30);
  EXPECT_EQ(vt::regionDifference(caption, moved, 60), "");
  EXPECT_NE(vt::regionDifference(caption, unmoved, 60), "");

  EXPECT_EQ(vt::regionDifference(drawTree(kBoxLeft, kBoxTop, 16, 16), imageBefore, 16), "");
  const vt::Rgb background = vt::toRgb(0.3f, 0.3f, 0.5f);
  drawTree(0, 0, 1, 1);
  for (int y = kBoxTop; y < kBoxTop + 24; ++y) {
    for (int x2 = kBoxLeft; x2 < kBoxLeft + 26; ++x2) {
      if (x2 < kBoxLeft + 16 && y < kBoxTop + 16) {
        continue;  // the image
      }
      ASSERT_TRUE(vt::near(vt::readPixel(x2, y), background))
          << x2 << "," << y << " is " << vt::toString(vt::readPixel(x2, y));
    }
  }
}

TEST_F(CheckBoxTest, CheckedAndUncheckedShowTheLookAndFeelsTwoDifferentImages) {
  VCheckBox* box = makeBox("Images");
  const Region unchecked = drawTree(kBoxLeft, kBoxTop, 16, 16);
  box->setState(cbChecked);
  const Region checked = drawTree(kBoxLeft, kBoxTop, 16, 16);
  EXPECT_NE(vt::regionDifference(checked, unchecked, 16), "");
  EXPECT_EQ(vt::regionDifference(unchecked, drawReferenceImage(box, false), 16), "");
  EXPECT_EQ(vt::regionDifference(checked, drawReferenceImage(box, true), 16), "");
  // Something of the image is drawn at all: it is not the plain background.
  box->setVisible(false);
  EXPECT_NE(vt::regionDifference(drawTree(kBoxLeft, kBoxTop, 16, 16), unchecked, 16), "");
}

}  // namespace
