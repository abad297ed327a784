// OddText: captions and texts of a hundred thousand characters, odd bytes and percent signs in every widget that shows text.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "support/SolidGlyphs.h"
#include "support/StreamCapture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VTextEdit.h"
#include "widgets/VWindow.h"

namespace {

using vt::Lines;

constexpr int kLongLength = 100000;
constexpr int kLeft = 50;
constexpr int kTop = 60;
const vt::Rgb kBlack{0, 0, 0};
const vt::Rgb kWhite{255, 255, 255};

std::string longText() {
  const std::string cycle = "Vuna%s%n%d 0123456789";
  std::string text;
  text.reserve(kLongLength);
  while (text.size() < static_cast<std::size_t>(kLongLength)) {
    text += cycle[text.size() % cycle.size()];
  }
  return text;
}

// Percent conversions that would read or write memory if a text were ever used as a format,
// with bytes a std::string holds but the glyph set lacks.
const std::string kFormatLike = "%s%n%d%x%p%1$s";
const std::string kOddBytes = std::string("A\xFF\x80\x01\x7F", 5);

class OddText : public vt::ScreenFixture {
 protected:
  // Columns from x0 to x1 (window pixels, x1 excluded) on row y whose pixel is near colour.
  static int countColumns(int x0, int x1, int y, vt::Rgb colour) {
    int n = 0;
    for (int x = x0; x < x1; ++x) {
      n += vt::near(vt::readPixel(x, y), colour) ? 1 : 0;
    }
    return n;
  }
};

// --- caption buttons ----------------------------------------------------------------------

TEST_F(OddText, ACaptionButtonGrowsToAHundredThousandCharactersAndDrawsToTheWindowEdge) {
  auto* button = new VCaptionButton(screen_);
  button->setLeft(kLeft);
  button->setTop(kTop);
  const std::string caption = longText();
  button->setCaption(caption);
  EXPECT_EQ(button->getWidth(), kLongLength * 12 + 10);
  EXPECT_EQ(button->getCaption(), caption);

  vt::SolidGlyphs solid;
  ASSERT_EQ(drawFrame(), "");
  // Solid black glyphs from the caption's left edge (5 pixels in) to the window's right edge.
  const int row = kTop + 1 + 8;
  EXPECT_FALSE(vt::pixelNear(kLeft + 4, row, kBlack));
  EXPECT_EQ(countColumns(kLeft + 5, vt::kWindowWidth, row, kBlack), vt::kWindowWidth - kLeft - 5);

  // Pressed, the caption moves one pixel and the frame stays clean.
  press(kLeft + 20, kTop + 10);
  EXPECT_EQ(drawFrame(), "");
  EXPECT_FALSE(vt::pixelNear(kLeft + 5, row, kBlack));
  EXPECT_TRUE(vt::pixelNear(kLeft + 6, row, kBlack));
  release(kLeft + 20, kTop + 10);

  vt::StreamCapture out(std::cout);
  button->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VCaptionButton", "Caption = " + caption}));
}

TEST_F(OddText, ACaptionButtonShowsPercentSignsAndOddBytesLiterally) {
  struct Case {
    const char* what;
    std::string caption;
    int drawnGlyphs;  // glyphs that the drawer draws and advances over
  };
  // 0x80 calls no glyph list in the regular set; 0xFF, 0x01 and 0x7F do.
  const Case cases[] = {
      {"percent conversions", kFormatLike, static_cast<int>(kFormatLike.size())},
      {"odd bytes", kOddBytes, 4},
  };
  int top = kTop;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* button = new VCaptionButton(screen_);
    button->setLeft(kLeft);
    button->setTop(top);
    button->setCaption(c.caption);
    // Every byte is measured as a character, drawn or not; a button is 82 wide at least.
    const int textWidth = static_cast<int>(c.caption.size()) * 12;
    EXPECT_EQ(button->getWidth(), std::max(82, textWidth + 10));
    const int captionX = kLeft + (button->getWidth() - textWidth) / 2;
    {
      vt::SolidGlyphs solid;
      EXPECT_EQ(drawFrame(), "");
      // The drawn glyphs overlap into one block 12 x (n - 1) + 16 wide.
      const int row = top + 9;
      EXPECT_EQ(countColumns(kLeft, kLeft + button->getWidth(), row, kBlack),
                12 * (c.drawnGlyphs - 1) + 16);
      EXPECT_TRUE(vt::pixelNear(captionX, row, kBlack));
      EXPECT_FALSE(vt::pixelNear(captionX - 1, row, kBlack));
    }
    vt::StreamCapture out(std::cout);
    button->print();
    EXPECT_EQ(out.lines(), (Lines{"Class : VCaptionButton", "Caption = " + c.caption}));
    top += 40;
  }
}

// --- windows ------------------------------------------------------------------------------

TEST_F(OddText, AWindowCaptionOfAHundredThousandCharactersIsCutBeforeTheMaximiseButton) {
  auto* window = new VWindow(screen_);
  window->setLeft(kLeft);
  window->setTop(kTop);
  window->setWidth(400);
  window->setHeight(200);
  const std::string caption = longText();
  window->setCaption(caption);
  window->getCloseButton()->setVisible(false);
  window->getMaximizeButton()->setVisible(false);

  vt::SolidGlyphs solid;
  ASSERT_EQ(drawFrame(), "");
  // Room for 30 glyphs of 12 pixels from x 4; glyph k covers 4 + 12k to 4 + 12k + 15.
  const int lastColumn = kLeft + 4 + 12 * 29 + 15;
  EXPECT_TRUE(vt::pixelNear(lastColumn, kTop + 10, kWhite));
  EXPECT_FALSE(vt::pixelNear(lastColumn + 1, kTop + 10, kWhite));

  // Across the whole screen the title bar has room for ceil(450 / 12) = 38 glyphs.
  window->setLeft(0);
  window->setWidth(vt::kWindowWidth);
  EXPECT_EQ(drawFrame(), "");
  EXPECT_TRUE(vt::pixelNear(4 + 12 * 37 + 15, kTop + 10, kWhite));
  EXPECT_FALSE(vt::pixelNear(4 + 12 * 37 + 16, kTop + 10, kWhite));

  vt::StreamCapture out(std::cout);
  window->print();
  const Lines lines = out.lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[3], "Caption = " + caption);
}

TEST_F(OddText, AWindowCaptionShowsPercentSignsAndOddBytesLiterally) {
  auto* window = new VWindow(screen_);
  window->setLeft(kLeft);
  window->setTop(kTop);
  window->setWidth(400);
  window->setHeight(200);
  window->getCloseButton()->setVisible(false);
  window->getMaximizeButton()->setVisible(false);
  struct Case {
    const char* what;
    std::string caption;
    int drawnGlyphs;
  };
  // The caption of an inactive window is drawn with the regular set.
  const Case cases[] = {
      {"percent conversions", kFormatLike, static_cast<int>(kFormatLike.size())},
      {"odd bytes", kOddBytes, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    window->setCaption(c.caption);
    {
      vt::SolidGlyphs solid;
      EXPECT_EQ(drawFrame(), "");
      EXPECT_EQ(countColumns(kLeft + 2, kLeft + 300, kTop + 10, kWhite),
                12 * (c.drawnGlyphs - 1) + 16);
    }
    vt::StreamCapture out(std::cout);
    window->print();
    const Lines lines = out.lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3], "Caption = " + c.caption);
  }
}

// --- text edits ---------------------------------------------------------------------------

class OddTextEdit : public OddText {
 protected:
  VTextEdit* makeFocusedField(int width) {
    auto* field = new VTextEdit(screen_);
    field->setLeft(kLeft);
    field->setTop(kTop);
    field->setWidth(width);
    click(kLeft + 5, kTop + 5);
    EXPECT_TRUE(field->getFocused());
    return field;
  }
};

TEST_F(OddTextEdit, AHundredThousandCharacterTextIsTakenDrawnAndTypedInto) {
  VTextEdit* field = makeFocusedField(2000000);
  const std::string text = longText();
  field->setText(text);
  ASSERT_EQ(field->getText(), text);

  vt::SolidGlyphs solid;
  ASSERT_EQ(drawFrame(), "");
  // The text runs from x 1 to the window's right edge; the drawer shows 1023 characters, so
  // the cursor bar lies far outside the window.
  EXPECT_EQ(countColumns(kLeft + 1, vt::kWindowWidth, kTop + 9, kBlack),
            vt::kWindowWidth - kLeft - 1);

  {
    vt::StreamCapture out(std::cout);
    type("x%");
    EXPECT_EQ(out.lines().size(), 12u);  // one six-line dump a key
  }
  EXPECT_EQ(field->getText(), text + "x%");
  type("\b\b\b");
  EXPECT_EQ(field->getText(), text.substr(0, kLongLength - 1));
  EXPECT_EQ(drawFrame(), "");
}

TEST_F(OddTextEdit, AHundredThousandCharactersThatJustFitTakeNoFurtherKey) {
  // 100,000 x 12 + 6 = 1,200,006 must stay below the width.
  VTextEdit* field = makeFocusedField(1200007);
  const std::string text(kLongLength, 'w');
  field->setText(text);
  ASSERT_EQ(field->getText(), text);
  type("w");
  EXPECT_EQ(field->getText(), text);
  field->setWidth(1200006);
  field->setText(text + "");
  field->setText(std::string(kLongLength, 'v'));
  EXPECT_EQ(field->getText(), text);  // refused: no longer strictly inside
}

TEST_F(OddTextEdit, TypedPercentSignsAreKeptAndDrawnAsTextAndOddKeysAreDumpedOnly) {
  VTextEdit* field = makeFocusedField(200);
  vt::StreamCapture out(std::cout);
  type("%s%n%d");
  type(std::string("\xFF\x80\x00\x1B", 4));
  EXPECT_EQ(field->getText(), "%s%n%d");
  const Lines lines = out.lines();
  ASSERT_EQ(lines.size(), 60u);
  EXPECT_EQ(lines[6 * 6 + 5], "Key = 255");
  EXPECT_EQ(lines[7 * 6 + 5], "Key = 128");
  EXPECT_EQ(lines[8 * 6 + 5], "Key = 0");
  EXPECT_EQ(lines[9 * 6 + 5], "Key = 27");
  {
    vt::SolidGlyphs solid;
    EXPECT_EQ(drawFrame(), "");
    // Six solid glyphs from x 1, then the cursor bar at 12 x 6 + 3, which reaches below them.
    EXPECT_EQ(countColumns(kLeft + 1, kLeft + 1 + 12 * 5 + 16, kTop + 9, kBlack), 12 * 5 + 16);
    EXPECT_EQ(countColumns(kLeft, kLeft + 200, kTop + 18, kBlack), 2);
    EXPECT_TRUE(vt::pixelNear(kLeft + 12 * 6 + 3, kTop + 18, kBlack));
  }
  vt::StreamCapture dump(std::cout);
  field->print();
  EXPECT_EQ(dump.lines(), (Lines{"Class : VTextEdit", "CursorPos = 0", "Text = %s%n%d"}));
}

TEST_F(OddTextEdit, ATextFromTheApplicationWithOddBytesIsKeptAsGiven) {
  VTextEdit* field = makeFocusedField(200);
  field->setText(kOddBytes);
  EXPECT_EQ(field->getText(), kOddBytes);
  vt::SolidGlyphs solid;
  EXPECT_EQ(drawFrame(), "");
  // A, 0xFF, 0x01 and 0x7F draw glyphs; 0x80 draws none and does not advance, so the cursor
  // bar stands after four glyphs.
  EXPECT_EQ(countColumns(kLeft + 1, kLeft + 1 + 12 * 3 + 16, kTop + 9, kBlack), 12 * 3 + 16);
  EXPECT_EQ(countColumns(kLeft, kLeft + 200, kTop + 18, kBlack), 2);
  EXPECT_TRUE(vt::pixelNear(kLeft + 12 * 4 + 3, kTop + 18, kBlack));
}

}  // namespace
