// OddText: a hundred thousand characters, bytes outside the glyph set and percent signs, measured and drawn by VFont.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <vector>

#include "CellSheet.h"
#include "draw/DrawText.h"
#include "draw/VFont.h"
#include "support/DrawFixture.h"
#include "support/GlTest.h"

namespace {

constexpr int kLongLength = 100000;
// The drawer formats into 1024 characters: what a longer text shows.
constexpr int kDrawnMost = 1023;

// A text whose characters cycle through letters, digits, a space and percent signs, so a glyph
// drawn from the wrong place of the text shows in its cell.
std::string longText() {
  const std::string cycle = "Vuna 0123456789%s%n%d";
  std::string text;
  text.reserve(kLongLength);
  while (text.size() < static_cast<std::size_t>(kLongLength)) {
    text += cycle[text.size() % cycle.size()];
  }
  return text;
}

float advance() {
  std::array<float, 16> m{};
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m[12];
}

// The cell drawn at each of the first count pen positions of a 16-pixel text at the origin.
std::vector<int> cellsAtPenPositions(int count) {
  std::vector<int> cells;
  for (int i = 0; i < count; ++i) {
    cells.push_back(CellSheet::at(12 * i + 6, 8).cell);
  }
  return cells;
}

int regularCell(char c) { return static_cast<unsigned char>(c) + 96; }

class FontOddText : public vt::DrawFixture {
 protected:
  void SetUp() override {
    DrawFixture::SetUp();
    font.setSize(16);
  }
  VFont font;
};

TEST_F(FontOddText, AHundredThousandCharactersAreMeasuredWithoutOverflow) {
  const std::string text = longText();
  struct Case {
    int size;
    float width;
  };
  for (const Case& c : {Case{16, 1200000.0f}, Case{12, 900000.0f}, Case{1, 75000.0f},
                        Case{1000, 75000000.0f}}) {
    SCOPED_TRACE("size " + std::to_string(c.size));
    font.setSize(c.size);
    EXPECT_EQ(font.getTextWidth(text.c_str()), c.width);
  }
  font.setSize(16);
  struct Fit {
    int width;
    int length;
  };
  for (const Fit& f : {Fit{0, 0}, Fit{1, 1}, Fit{600, 50}, Fit{601, 51}, Fit{1199988, 99999},
                       Fit{1199989, 100000}, Fit{1200000, 100000}, Fit{INT_MAX, 100000},
                       Fit{-1, 0}, Fit{-12, 0}, Fit{INT_MIN, 0}}) {
    SCOPED_TRACE("width " + std::to_string(f.width));
    EXPECT_EQ(font.getLengthForWidth(text.c_str(), f.width), f.length);
  }
}

TEST_F(FontOddText, AHundredThousandCharactersDrawTheFirst1023InTextOrder) {
  CellSheet sheet;
  const std::string text = longText();
  struct Case {
    const char* what;
    int maxLength;
    float advance;
  };
  for (const Case& c : {Case{"whole text", -1, kDrawnMost * 12.0f},
                        Case{"every character asked for", kLongLength, kDrawnMost * 12.0f},
                        Case{"more than the text", INT_MAX, kDrawnMost * 12.0f},
                        Case{"inside the buffer", 500, 500 * 12.0f},
                        Case{"a negative length", INT_MIN, 0.0f}}) {
    SCOPED_TRACE(c.what);
    vt::resetView();
    font.drawInternal(text.c_str(), c.maxLength);
    EXPECT_EQ(advance(), c.advance);
    if (c.advance > 0.0f) {
      std::vector<int> expected;
      for (int i = 0; i < 41; ++i) {
        expected.push_back(regularCell(text[i]));
      }
      EXPECT_EQ(cellsAtPenPositions(41), expected);
    } else {
      EXPECT_EQ(CellSheet::at(6, 8).cell, -1);
    }
    glLoadIdentity();
  }
  // draw and drawAtPos give the matrix back whatever the length.
  vt::resetView();
  font.draw(text.c_str(), -1);
  font.drawAtPos(text.c_str(), 3, 200, kLongLength);
  EXPECT_EQ(advance(), 0.0f);
  EXPECT_EQ(CellSheet::at(3 + 6, 200 + 8).cell, regularCell(text[0]));
}

TEST_F(FontOddText, PercentSignsAreDrawnAsGlyphsNeverUsedAsAFormat) {
  CellSheet sheet;
  for (const std::string text : {"%s%n%d", "%n%n%n%n", "100%", "%%", "%*.*s%ls%c%p%x%1$s%99999999d"}) {
    SCOPED_TRACE(text);
    vt::resetView();
    font.drawInternal(text.c_str(), -1);
    EXPECT_EQ(advance(), 12.0f * static_cast<float>(text.size()));
    const int shown = std::min<int>(static_cast<int>(text.size()), 41);
    std::vector<int> expected;
    for (int i = 0; i < shown; ++i) {
      expected.push_back(regularCell(text[i]));
    }
    EXPECT_EQ(cellsAtPenPositions(shown), expected);
    EXPECT_EQ(font.getTextWidth(text.c_str()), 12.0f * static_cast<float>(text.size()));
  }
}

// Bytes outside 32..127: in the regular set 160..255 reach the bold cells 0..95 and 1..31 the
// cells 97..127; 128..159, and everything outside 32..127 in the bold set, call no list and do
// not advance. Widths count every byte all the same.
TEST_F(FontOddText, BytesOutsideTheGlyphSetDrawWhatTheListsHoldAndAreMeasuredAsCharacters) {
  CellSheet sheet;
  struct Case {
    const char* what;
    std::string text;
    bool bold;
    std::vector<int> cells;  // at the pen positions that advanced
  };
  const Case cases[] = {
      {"0xFF regular", "\xFF", false, {95}},
      {"0xFF bold", "\xFF", true, {}},
      {"0xA0 regular", "\xA0", false, {0}},
      {"0x80 and 0x9F regular", "\x80\x9F", false, {}},
      {"control codes regular", "\x01\x1F", false, {97, 127}},
      {"control codes bold", "\x01\x09\x1F", true, {}},
      {"mixed regular", "A\xFF" "B\x80" "C", false, {'A' + 96, 95, 'B' + 96, 'C' + 96}},
      {"mixed bold", "A\xFF" "B\x80" "C", true, {'A' - 32, 'B' - 32, 'C' - 32}},
      {"DEL bold", "\x7F", true, {95}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vt::resetView();
    font.setBold(c.bold);
    font.drawInternal(c.text.c_str(), -1);
    const int drawn = static_cast<int>(c.cells.size());
    EXPECT_EQ(advance(), 12.0f * static_cast<float>(drawn));
    EXPECT_EQ(cellsAtPenPositions(drawn + 1),
              [&] {
                std::vector<int> cells = c.cells;
                cells.push_back(-1);
                return cells;
              }());
    EXPECT_EQ(font.getTextWidth(c.text.c_str()), 12.0f * static_cast<float>(c.text.size()));
  }
}

// A text reaches the font as a C string: a zero byte inside a std::string ends it there.
TEST_F(FontOddText, AZeroByteEndsTheTextForMeasuringAndDrawing) {
  CellSheet sheet;
  const std::string text("AB\0CD", 5);
  EXPECT_EQ(font.getTextWidth(text.c_str()), 24.0f);
  EXPECT_EQ(font.getLengthForWidth(text.c_str(), 1000), 2);
  font.drawInternal(text.c_str(), -1);
  EXPECT_EQ(advance(), 24.0f);
  glLoadIdentity();
  // Asking for more characters than the C string holds draws no byte past its end.
  font.drawInternal(text.c_str(), 5);
  EXPECT_EQ(advance(), 24.0f);
  EXPECT_EQ(cellsAtPenPositions(3), (std::vector<int>{'A' + 96, 'B' + 96, -1}));
  glLoadIdentity();
  font.drawInternal(nullptr, -1);
  EXPECT_EQ(advance(), 0.0f);
  EXPECT_EQ(font.getTextWidth(nullptr), 0.0f);
  EXPECT_EQ(font.getLengthForWidth(nullptr, 100), 0);
}

}  // namespace
