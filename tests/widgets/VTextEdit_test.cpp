// VTextEdit: typing through the screen under the fit rule, the key dumps, and the field's looks.
#include "widgets/VTextEdit.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;

constexpr int kFieldLeft = 50;
constexpr int kFieldTop = 60;
// Where the keys are typed, in window pixels: key events are not translated on their way down.
constexpr int kKeyX = 321;
constexpr int kKeyY = 123;

Lines keyDump(int key) {
  return {"Class : VEvent", "Type = 5", "Button = 0", "X = " + std::to_string(kKeyX),
          "Y = " + std::to_string(kKeyY), "Key = " + std::to_string(key)};
}

class TextEditTest : public vt::ScreenFixture {
 protected:
  VTextEdit* makeField() {
    auto* field = new VTextEdit(screen_);
    field->setLeft(kFieldLeft);
    field->setTop(kFieldTop);
    return field;
  }

  // A new field that holds the keyboard focus, given by a left click inside it.
  VTextEdit* makeFocusedField() {
    VTextEdit* field = makeField();
    click(kFieldLeft + 5, kFieldTop + 5);
    EXPECT_TRUE(field->getFocused());
    return field;
  }

  // Each key down and up with the pointer at (kKeyX, kKeyY).
  void type(const std::string& keys) { ScreenDriver::type(keys, kKeyX, kKeyY); }

  // Columns (window x) whose pixels are black from y0 to y1, both included, scanning [x0, x1).
  static std::vector<int> blackColumns(int x0, int x1, int y0, int y1) {
    std::vector<int> columns;
    for (int x = x0; x < x1; ++x) {
      bool black = true;
      for (int y = y0; y <= y1 && black; ++y) {
        black = vt::near(vt::readPixel(x, y), vt::Rgb{0, 0, 0});
      }
      if (black) {
        columns.push_back(x);
      }
    }
    return columns;
  }

  struct Edges {
    vt::Rgb left, top, right, bottom;
  };

  // The bevel and the fill of a 100 by 20 field at the fixture's place, read where llvmpipe
  // puts the GL lines through the corners: the left edge (x = 0) in the column before the
  // field, the right edge (x = 100) in its last column, the top (y = 0) and bottom (y = 20)
  // edges in rows 0 and 20. The fill covers columns 0 to 99 and rows 0 to 19.
  static void expectFrame(const Edges& edges, vt::Rgb fill) {
    const struct {
      const char* where;
      int x;
      int y;
      vt::Rgb expected;
    } probes[] = {
        {"left edge", kFieldLeft - 1, kFieldTop + 10, edges.left},
        {"top edge", kFieldLeft + 50, kFieldTop, edges.top},
        {"right edge", kFieldLeft + 99, kFieldTop + 10, edges.right},
        {"bottom edge", kFieldLeft + 50, kFieldTop + 20, edges.bottom},
        {"fill", kFieldLeft + 50, kFieldTop + 10, fill},
        {"fill's top-left corner", kFieldLeft, kFieldTop + 1, fill},
        {"fill's bottom-right corner", kFieldLeft + 98, kFieldTop + 19, fill},
    };
    for (const auto& probe : probes) {
      EXPECT_TRUE(vt::pixelNear(probe.x, probe.y, probe.expected)) << probe.where;
    }
  }

  // The columns of the cursor bar of a field at the fixture's place, 20 high.
  static std::vector<int> cursorColumns(int width = 100) {
    return blackColumns(kFieldLeft, kFieldLeft + width + 1, kFieldTop + 2, kFieldTop + 18);
  }
};

TEST_F(TextEditTest, NewFieldIsAHundredByTwentyAndEmptyAndPrintsItsFields) {
  VTextEdit* field = makeField();
  EXPECT_EQ(field->getWidth(), 100);
  EXPECT_EQ(field->getHeight(), 20);
  EXPECT_EQ(field->getText(), "");
  EXPECT_EQ(field->getCursorPos(), 0);
  EXPECT_EQ(field->getFont()->getSize(), 16);
  EXPECT_NE(field->getFont(), screen_->getLookAndFeel()->getFont());
  vt::StreamCapture out(std::cout);
  field->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VTextEdit", "CursorPos = 0", "Text = "}));
}

TEST_F(TextEditTest, TheCursorPositionIsStoredUncheckedAndUsedByNothing) {
  VTextEdit* field = makeFocusedField();
  field->setCursorPos(-5);
  EXPECT_EQ(field->getCursorPos(), -5);
  type("ab");
  EXPECT_EQ(field->getText(), "ab");
  EXPECT_EQ(field->getCursorPos(), -5);
  EXPECT_EQ(drawFrame(), "");
  EXPECT_EQ(cursorColumns(), (std::vector<int>{kFieldLeft + 26, kFieldLeft + 27}));
  vt::StreamCapture out(std::cout);
  field->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VTextEdit", "CursorPos = -5", "Text = ab"}));
}

TEST_F(TextEditTest, AFocusedFieldKeepsSevenOfEightLettersAndDumpsEveryPress) {
  VTextEdit* field = makeFocusedField();
  vt::StreamCapture out(std::cout);
  type("abcdefgh");
  EXPECT_EQ(field->getText(), "abcdefg");  // 84 + 6 < 100; 96 + 6 is not
  Lines expected;
  for (char key : std::string("abcdefgh")) {
    const Lines dump = keyDump(key);
    expected.insert(expected.end(), dump.begin(), dump.end());
  }
  EXPECT_EQ(out.lines(), expected);
}

TEST_F(TextEditTest, BackspaceTakesBackOneCharacterAtATimeDownToEmpty) {
  VTextEdit* field = makeFocusedField();
  type("abc");
  const struct {
    const char* textAfter;
  } steps[] = {{"ab"}, {"a"}, {""}, {""}};
  vt::StreamCapture out(std::cout);
  for (const auto& step : steps) {
    type("\b");
    EXPECT_EQ(field->getText(), step.textAfter);
  }
  EXPECT_EQ(out.lines().size(), 4u * 6u);  // the last, useless backspace is dumped too
}

TEST_F(TextEditTest, ControlCodesAndHighCodesChangeNothingButAreDumped) {
  VTextEdit* field = makeFocusedField();
  type("ab");
  for (int key : {0, 1, 7, 9, 10, 13, 27, 31, 128, 159, 160, 200, 255}) {
    vt::StreamCapture out(std::cout);
    keyDown(static_cast<unsigned char>(key), kKeyX, kKeyY);
    EXPECT_EQ(field->getText(), "ab") << "key " << key;
    EXPECT_EQ(out.lines(), keyDump(key)) << "key " << key;
  }
}

TEST_F(TextEditTest, SpecialKeysChangeNothingAndAreNotDumped) {
  VTextEdit* field = makeFocusedField();
  type("ab");
  // F1 to F12 are 1 to 12; the arrows, page keys, home, end and insert are 100 to 108, the
  // codes of the letters d to l.
  vt::StreamCapture out(std::cout);
  for (int code = skF1; code <= skF12; ++code) {
    special(code, kKeyX, kKeyY);
  }
  for (int code = skLeft; code <= skInsert; ++code) {
    special(code, kKeyX, kKeyY);
  }
  EXPECT_EQ(field->getText(), "ab");
  EXPECT_TRUE(out.lines().empty());
}

TEST_F(TextEditTest, DeleteCodeIsAppendedLikeAPrintableCharacterWhenItFits) {
  VTextEdit* field = makeFocusedField();
  type("\x7f");
  EXPECT_EQ(field->getText(), "\x7f");
  type("bcdefg\x7f");
  EXPECT_EQ(field->getText(), "\x7f" "bcdefg");
}

TEST_F(TextEditTest, KeyUpsNeverChangeTheTextAndAreNotDumped) {
  VTextEdit* field = makeFocusedField();
  type("ab");
  vt::StreamCapture out(std::cout);
  for (int key : {int{'a'}, int{'z'}, 8, 32, 127}) {
    keyUp(static_cast<unsigned char>(key), kKeyX, kKeyY);
  }
  EXPECT_EQ(field->getText(), "ab");
  EXPECT_TRUE(out.lines().empty());
}

TEST_F(TextEditTest, OnlyTheFocusedFieldReceivesKeys) {
  VTextEdit* focused = makeField();
  VTextEdit* other = makeField();
  other->setTop(kFieldTop + 40);
  click(kFieldLeft + 5, kFieldTop + 5);
  ASSERT_TRUE(focused->getFocused());
  type("xy");
  EXPECT_EQ(focused->getText(), "xy");
  EXPECT_EQ(other->getText(), "");
  click(kFieldLeft + 5, kFieldTop + 45, vt::kRightButton);  // any button moves the focus
  type("z");
  EXPECT_EQ(focused->getText(), "xy");
  EXPECT_EQ(other->getText(), "z");
}

TEST_F(TextEditTest, ADisabledFieldReceivesNoKeys) {
  VTextEdit* field = makeFocusedField();
  type("ab");
  field->setEnabled(false);
  vt::StreamCapture out(std::cout);
  type("cd\b");
  EXPECT_EQ(field->getText(), "ab");
  EXPECT_TRUE(out.lines().empty());
}

struct FitCase {
  int width;
  int fontSize;
  std::string text;
  bool accepted;
};

TEST_F(TextEditTest, SetTextTakesOnlyTextsThatLeaveMoreThanSixPixels) {
  const FitCase cases[] = {
      {150, 16, "abcdefghijk", true},    // 132 + 6 < 150
      {150, 16, "abcdefghijkl", false},  // 144 + 6 = 150: the comparison is strict
      {100, 16, "abcdefg", true},
      {100, 16, "abcdefgh", false},
      {100, 12, "abcdefghij", true},  // 9 pixels a character
      {100, 12, "abcdefghijk", false},
      {29, 10, "abc", true},  // 22.5 + 6 = 28.5 < 29
      {28, 10, "abc", false},
      {7, 16, "", true},
      {6, 16, "", false},
  };
  for (const FitCase& c : cases) {
    VTextEdit* field = makeField();
    field->setText("old");
    field->setWidth(c.width);
    field->getFont()->setSize(c.fontSize);
    field->setText(c.text);
    EXPECT_EQ(field->getText(), c.accepted ? c.text : "old")
        << "\"" << c.text << "\" at width " << c.width << ", size " << c.fontSize;
  }
}

TEST_F(TextEditTest, ANarrowerFieldKeepsItsTextButRefusesTheNextCharacter) {
  VTextEdit* field = makeFocusedField();
  type("abcdefg");
  field->setWidth(50);
  EXPECT_EQ(field->getText(), "abcdefg");
  type("h");
  EXPECT_EQ(field->getText(), "abcdefg");
  type("\b");  // backspace is never refused
  EXPECT_EQ(field->getText(), "abcdef");
  type("\b\b\b");
  EXPECT_EQ(field->getText(), "abc");
  type("x");  // 48 + 6 = 54: still too wide for 50
  EXPECT_EQ(field->getText(), "abc");
  type("\b");
  type("x");  // 36 + 6 < 50
  EXPECT_EQ(field->getText(), "abx");
}

TEST_F(TextEditTest, AVeryLongTextFromTheApplicationIsDrawnWithoutHarm) {
  VTextEdit* field = makeFocusedField();
  field->setWidth(2000000000);
  const std::string longText(5000, 'w');
  field->setText(longText);
  EXPECT_EQ(field->getText(), longText);
  EXPECT_EQ(drawFrame(), "");
  type("\b");
  EXPECT_EQ(field->getText().size(), 4999u);
}

// --- drawing --------------------------------------------------------------------------------

TEST_F(TextEditTest, TheCursorBarStandsThreePixelsInWhenEmptyAndMovesTwelvePerCharacter) {
  VTextEdit* field = makeFocusedField();
  for (int n = 0; n <= 7; ++n) {
    EXPECT_EQ(drawFrame(), "");
    // A 2-pixel bar centred on x = 12 n + 3, from y 2 to y 18 of the field.
    const int bar = kFieldLeft + 12 * n + 3;
    EXPECT_EQ(cursorColumns(), (std::vector<int>{bar - 1, bar})) << n << " characters";
    EXPECT_FALSE(vt::pixelNear(bar, kFieldTop + 1, vt::Rgb{0, 0, 0})) << n;
    EXPECT_FALSE(vt::pixelNear(bar, kFieldTop + 19, vt::Rgb{0, 0, 0})) << n;
    type("i");
  }
  EXPECT_EQ(field->getText(), "iiiiiii");
}

TEST_F(TextEditTest, TheCursorBarFollowsTheFontSizeAndTheHeight) {
  VTextEdit* field = makeFocusedField();
  field->getFont()->setSize(8);
  field->setHeight(34);
  type("ab");
  EXPECT_EQ(drawFrame(), "");
  // Centred on x = 1 + (12 n + 2) / 2, from y 1 + 1/2 to y 1 + 32 / 2.
  const int bar = kFieldLeft + 1 + 13;
  EXPECT_EQ(blackColumns(kFieldLeft, kFieldLeft + 101, kFieldTop + 2, kFieldTop + 16),
            (std::vector<int>{bar - 1, bar}));
  EXPECT_FALSE(vt::pixelNear(bar, kFieldTop + 17, vt::Rgb{0, 0, 0}));
}

TEST_F(TextEditTest, AnUnfocusedFieldDrawsNoCursorAndNoHighlight) {
  VTextEdit* field = makeField();
  field->setText("iii");
  EXPECT_EQ(drawFrame(), "");
  EXPECT_TRUE(cursorColumns().empty());
  const vt::Rgb background = vt::toRgb(0.8f, 0.8f, 0.8f);
  EXPECT_TRUE(vt::pixelNear(kFieldLeft + 90, kFieldTop + 10, background));
}

TEST_F(TextEditTest, AFocusedFieldIsFilledWithTheHighlightInsideASunkenBevel) {
  makeFocusedField();
  EXPECT_EQ(drawFrame(), "");
  const vt::Rgb dark = vt::toRgb(0.5f, 0.5f, 0.5f);
  const vt::Rgb light = vt::toRgb(1.0f, 1.0f, 1.0f);
  expectFrame({dark, dark, light, light}, vt::toRgb(198 / 255.0f, 245 / 255.0f, 1.0f));
}

TEST_F(TextEditTest, TheFieldLosesItsFocusedLookWhenTheFocusMovesAway) {
  VTextEdit* field = makeFocusedField();
  auto* other = new VTextEdit(screen_);
  other->setTop(300);
  click(5, 305);
  ASSERT_FALSE(field->getFocused());
  EXPECT_EQ(drawFrame(), "");
  EXPECT_TRUE(cursorColumns().empty());
  EXPECT_TRUE(vt::pixelNear(kFieldLeft + 50, kFieldTop + 10, vt::toRgb(0.8f, 0.8f, 0.8f)));
}

TEST_F(TextEditTest, ADisabledFieldIsFlatGreyAndStillShowsTheCursorWhileFocused) {
  VTextEdit* field = makeFocusedField();
  type("ii");
  field->setEnabled(false);
  EXPECT_EQ(drawFrame(), "");
  const vt::Rgb edge = vt::toRgb(0.7f, 0.7f, 0.7f);
  expectFrame({edge, edge, edge, edge}, vt::toRgb(0.8f, 0.8f, 0.8f));
  EXPECT_EQ(cursorColumns(), (std::vector<int>{kFieldLeft + 26, kFieldLeft + 27}));

  click(5, 390);  // the screen background takes no focus: the field keeps it
  ASSERT_TRUE(field->getFocused());
  field->getOwner()->setFocusPath(nullptr);
  EXPECT_EQ(drawFrame(), "");
  EXPECT_TRUE(cursorColumns().empty());
}

TEST_F(TextEditTest, TheTextIsDrawnFromOnePixelInInTheFontsColour) {
  VTextEdit* field = makeField();
  field->setText("Wq");
  field->getFont()->getColor()->set(0.0f, 0.0f, 1.0f, 1.0f);
  EXPECT_EQ(drawFrame(), "");
  const auto drawn = vt::readRegion(kFieldLeft + 1, kFieldTop + 1, 98, 18);
  auto reference = [&](int dx, int dy) {
    field->setText("");
    EXPECT_EQ(drawFrame(), "");
    glPushMatrix();
    glTranslatef(static_cast<float>(kFieldLeft), static_cast<float>(kFieldTop), 0.0f);
    field->getFont()->drawAtPos("Wq", dx, dy, -1);
    glPopMatrix();
    field->setText("Wq");
    return vt::readRegion(kFieldLeft + 1, kFieldTop + 1, 98, 18);
  };
  EXPECT_EQ(vt::regionDifference(drawn, reference(1, 1), 98), "");
  EXPECT_NE(vt::regionDifference(drawn, reference(2, 1), 98), "");
  EXPECT_NE(vt::regionDifference(drawn, reference(1, 2), 98), "");
}

TEST_F(TextEditTest, DrawingSetsTheLineWidthBackToOne) {
  makeFocusedField();
  EXPECT_EQ(drawFrame(), "");
  GLfloat width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 1.0f);
}

}  // namespace
