// VCaptionButton: caption sizing and centring, and what the button looks like on screen.
#include "widgets/VCaptionButton.h"

#include <gtest/gtest.h>

#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;

// The bounding box of the caption's ink (dark pixels) inside a region of the back buffer.
struct Ink {
  int left = 1 << 30;
  int top = 1 << 30;
  int right = -1;
  int bottom = -1;
  bool found() const { return right >= 0; }
};

Ink findInk(int x0, int y0, int w, int h) {
  const vt::Region px = vt::readRegion(x0, y0, w, h);
  Ink ink;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = &px[(static_cast<std::size_t>(y) * w + x) * 3];
      if (p[0] < 100 && p[1] < 100 && p[2] < 100) {
        ink.left = std::min(ink.left, x0 + x);
        ink.right = std::max(ink.right, x0 + x);
        ink.top = std::min(ink.top, y0 + y);
        ink.bottom = std::max(ink.bottom, y0 + y);
      }
    }
  }
  return ink;
}

class CaptionButton : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    vt::ScreenFixture::SetUp();
    button = new VCaptionButton(screen_);
    button->setLeft(50);
    button->setTop(60);
  }
  VCaptionButton* button = nullptr;
};

TEST_F(CaptionButton, DefaultCaptionGivesEightyTwoByTwenty) {
  EXPECT_EQ(button->getWidth(), 82);
  EXPECT_EQ(button->getHeight(), 20);
  EXPECT_EQ(button->getCaption(), "Button");
  vt::StreamCapture out(std::cout);
  button->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VCaptionButton", "Caption = Button"}));
}

TEST_F(CaptionButton, GrowsToFitItsCaptionButNeverShrinks) {
  const std::pair<const char*, int> steps[] = {
      {"", 82},                          // nothing to fit: stays
      {"A", 82},                         // 12 + 10 fits already
      {"Toolbar Breite anpassen", 286},  // 23 x 12 + 10
      {"x", 286},                        // shorter again: no shrinking
  };
  for (const auto& [caption, width] : steps) {
    button->setCaption(caption);
    EXPECT_EQ(button->getWidth(), width) << "caption \"" << caption << "\"";
  }
}

TEST_F(CaptionButton, SetWidthBelowTheCaptionIsPutBackWithOneResize) {
  static std::vector<int> seen;
  seen.clear();
  button->onResize = [](VWidget* w) { seen.push_back(w->getWidth()); };
  button->setWidth(30);
  EXPECT_EQ(button->getWidth(), 82);
  EXPECT_EQ(seen, (std::vector<int>{82}));
}

TEST_F(CaptionButton, AnotherFontSizeMovesTheCaptionOnlyAtTheNextSetCaption) {
  button->getFont()->setSize(12);  // 9 pixels a character
  EXPECT_EQ(button->getWidth(), 82);
  button->setCaption("Sub Window");  // 90 + 10
  EXPECT_EQ(button->getWidth(), 100);
}

TEST_F(CaptionButton, FillsItsFaceWithTheBackgroundColour) {
  EXPECT_EQ(drawFrame(), "");
  const vt::Rgb face = vt::toRgb(0.8f, 0.8f, 0.8f);
  EXPECT_TRUE(vt::pixelNear(50 + 41, 60 + 18, face));
  // Just outside the button the screen shows.
  EXPECT_TRUE(vt::pixelNear(50 + 90, 60 + 10, vt::toRgb(0.3f, 0.3f, 0.5f)));
}

TEST_F(CaptionButton, CentresTheCaptionInAWiderButton) {
  EXPECT_EQ(drawFrame(), "");
  const Ink narrow = findInk(50, 60, 82, 21);
  ASSERT_TRUE(narrow.found());
  button->setWidth(200);  // caption offset goes from 5 to (200 - 72) / 2 = 64
  EXPECT_EQ(drawFrame(), "");
  const Ink wide = findInk(50, 60, 200, 21);
  ASSERT_TRUE(wide.found());
  EXPECT_EQ(wide.left - narrow.left, 59);
  EXPECT_EQ(wide.right - narrow.right, 59);
  EXPECT_EQ(wide.top, narrow.top);
}

TEST_F(CaptionButton, APressedButtonShiftsItsCaptionOnePixelRightAndDown) {
  EXPECT_EQ(drawFrame(), "");
  const Ink up = findInk(50, 60, 83, 22);
  press(60, 65);  // hold the left button down
  ASSERT_EQ(button->getState(), bsDown);
  EXPECT_EQ(drawFrame(), "");
  const Ink down = findInk(50, 60, 83, 22);
  ASSERT_TRUE(up.found());
  EXPECT_EQ(down.left - up.left, 1);
  EXPECT_EQ(down.top - up.top, 1);
  EXPECT_EQ(down.right - up.right, 1);
  EXPECT_EQ(down.bottom - up.bottom, 1);
}

TEST_F(CaptionButton, TheCaptionStartsOnePixelBelowTheTopEdge) {
  // A 16 pixel glyph cell starting at y 1 keeps all ink inside rows 1..16 of the button.
  EXPECT_EQ(drawFrame(), "");
  const Ink ink = findInk(50, 60, 82, 20);
  ASSERT_TRUE(ink.found());
  EXPECT_GE(ink.top, 60 + 1);
  EXPECT_LE(ink.bottom, 60 + 16);
  EXPECT_GE(ink.left, 50 + 5);
}

TEST_F(CaptionButton, ACaptionWiderThanTheButtonIsCutToTheCharactersThatFit) {
  button->getFont()->setSize(32);  // 24 pixels a character; the width stays 82
  EXPECT_EQ(drawFrame(), "");
  const Ink ink = findInk(40, 50, 250, 45);
  ASSERT_TRUE(ink.found());
  // ceil(82 / 24) = 4 of the 6 characters are drawn, starting at x 5.
  EXPECT_GT(ink.right, 50 + 5 + 3 * 24);
  EXPECT_LE(ink.right, 50 + 5 + 4 * 24);
}

// Where llvmpipe puts the one-pixel frame drawn through the corners (1, 1) and (W-1, H-1).
TEST_F(CaptionButton, AFocusedButtonShowsAHighlightFrameInsideTheBevel) {
  button->setWidth(120);
  EXPECT_EQ(drawFrame(), "");
  const vt::Rgb highlight = vt::toRgb(198.0f / 255, 245.0f / 255, 1.0f);
  auto countHighlight = [&] {
    int n = 0;
    const vt::Region px = vt::readRegion(50, 60, 121, 21);
    for (std::size_t i = 0; i < px.size(); i += 3) {
      if (vt::near(vt::Rgb{px[i], px[i + 1], px[i + 2]}, highlight)) ++n;
    }
    return n;
  };
  EXPECT_EQ(countHighlight(), 0);
  click(60, 65);
  ASSERT_TRUE(button->getFocused());
  EXPECT_EQ(drawFrame(), "");
  // A closed loop one pixel inside a 120 by 20 button: about 2 x 118 + 2 x 18 pixels.
  EXPECT_GT(countHighlight(), 2 * 117 + 2 * 17);
  EXPECT_LT(countHighlight(), 2 * 120 + 2 * 20);
  // The middle of the top and left sides of the frame.
  EXPECT_TRUE(vt::pixelNear(50 + 60, 60 + 1, highlight) ||
              vt::pixelNear(50 + 60, 60 + 2, highlight));
}

}  // namespace
