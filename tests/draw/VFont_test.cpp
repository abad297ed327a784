// VFont: widths, how much text fits, literal drawing, the matrix it leaves, copy and dump.
#include "draw/VFont.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "CellSheet.h"
#include "core/VColor.h"
#include "draw/DrawText.h"
#include "support/DrawFixture.h"
#include "support/GlTest.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;
using Matrix = std::array<float, 16>;

Matrix modelview() {
  Matrix m{};
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

using Font = vt::DrawFixture;

TEST_F(Font, ANewFontIsSize16NotBoldAndOpaqueWhite) {
  VFont font;
  EXPECT_EQ(font.getSize(), 16);
  EXPECT_FALSE(font.getBold());
  EXPECT_EQ(font.getColor()->getR(), 1.0f);
  EXPECT_EQ(font.getColor()->getA(), 1.0f);
  vt::StreamCapture out(std::cout);
  font.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VFont", "Size = 16", "Bold = 0"}));
}

TEST_F(Font, PrintShowsSizeAndBoldOnly) {
  VFont font;
  font.setSize(-3);
  font.setBold(true);
  vt::StreamCapture out(std::cout);
  font.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VFont", "Size = -3", "Bold = 1"}));
}

TEST_F(Font, TextWidthIsTwelveSixteenthsOfTheSizePerCharacter) {
  struct Case {
    const char* text;
    int size;
    float width;
  };
  const std::vector<Case> cases = {
      {"Start", 16, 60.0f}, {"Start", 12, 45.0f}, {"", 16, 0.0f},
      {"Shut Down", 16, 108.0f}, {"Start", 0, 0.0f}, {"ab", 10, 15.0f},
  };
  for (const Case& c : cases) {
    for (bool bold : {false, true}) {
      VFont font;
      font.setSize(c.size);
      font.setBold(bold);
      EXPECT_EQ(font.getTextWidth(c.text), c.width)
          << "\"" << c.text << "\" at " << c.size << (bold ? " bold" : "");
    }
  }
  VFont font;
  EXPECT_EQ(font.getTextWidth(nullptr), 0.0f);
}

TEST_F(Font, LengthForWidthCountsAPartlyFittingLastCharacterAndNeverMoreThanTheText) {
  struct Case {
    const char* text;
    int size;
    int width;
    int length;
  };
  const std::vector<Case> cases = {
      {"Shut Down", 16, 100, 9}, {"Shut Down", 16, 96, 8},  {"Shut Down", 16, 60, 5},
      {"Shut Down", 16, 61, 6},  {"Shut Down", 16, 1, 1},   {"Shut Down", 16, 0, 0},
      {"Shut Down", 16, -5, 0},  {"Shut Down", 16, -24, 0}, {"Shut Down", 16, -2147483647 - 1, 0},
      {"Shut Down", 12, 60, 7},  {"Shut Down", 16, 2147483647, 9},
      {"", 16, 100, 0},          {"Window", 0, 10, 6},      {"Window", -16, 10, 6},
  };
  for (const Case& c : cases) {
    VFont font;
    font.setSize(c.size);
    EXPECT_EQ(font.getLengthForWidth(c.text, c.width), c.length)
        << "\"" << c.text << "\" at size " << c.size << " in " << c.width;
  }
  VFont font;
  EXPECT_EQ(font.getLengthForWidth(nullptr, 100), 0);
}

TEST_F(Font, DrawInternalLeavesTheScaleAndTheAdvanceInTheMatrix) {
  VFont font;
  font.setSize(12);
  glTranslatef(10, 20, 0);
  font.drawInternal("AB", -1);
  const Matrix m = modelview();
  EXPECT_FLOAT_EQ(m[0], 0.75f);
  EXPECT_FLOAT_EQ(m[5], 0.75f);
  EXPECT_FLOAT_EQ(m[10], 1.0f);
  EXPECT_FLOAT_EQ(m[12], 10.0f + 24 * 0.75f);
  EXPECT_FLOAT_EQ(m[13], 20.0f);
}

TEST_F(Font, APercentSignIsDrawnLiterally) {
  CellSheet sheet;
  for (int size : {16, 8, 32}) {
    SCOPED_TRACE(size);
    vt::resetView();
    VFont font;
    font.setSize(size);
    font.drawInternal("%s", -1);
    EXPECT_FLOAT_EQ(modelview()[12], 24.0f * size / 16);
  }
  vt::resetView();
  VFont font;
  font.drawInternal("%d%%", -1);
  EXPECT_FLOAT_EQ(modelview()[12], 48.0f);
  EXPECT_EQ(CellSheet::at(6, 8).cell, '%' + 96);
  EXPECT_EQ(CellSheet::at(18, 8).cell, 'd' + 96);
  EXPECT_EQ(CellSheet::at(30, 8).cell, '%' + 96);
}

TEST_F(Font, DrawAndDrawAtPosLeaveTheMatrixAsTheyFoundIt) {
  VFont font;
  font.setSize(20);
  glTranslatef(3, 4, 0);
  glScalef(2, 2, 1);
  const Matrix before = modelview();
  font.draw("Hello", -1);
  EXPECT_EQ(modelview(), before);
  font.drawAtPos("Hello", 7, 9, 3);
  EXPECT_EQ(modelview(), before);
}

TEST_F(Font, DrawAtPosPutsTheFirstGlyphsTopLeftCornerAtThePoint) {
  CellSheet sheet;
  VFont font;
  font.drawAtPos("Ax", 40, 30, -1);
  EXPECT_EQ(CellSheet::at(39, 30).cell, -1);
  EXPECT_EQ(CellSheet::at(40, 29).cell, -1);
  const CellSheet::Texel corner = CellSheet::at(40, 30);
  EXPECT_EQ(corner.cell, 'A' + 96);
  EXPECT_EQ(corner.row, 0);
  EXPECT_EQ(corner.column, 0);
  EXPECT_EQ(CellSheet::at(52 + 15, 30 + 15).cell, 'x' + 96);
  EXPECT_EQ(CellSheet::at(52 + 16, 30).cell, -1);

  // Twice the size: a 32-pixel box advancing 24 pixels, the bold set.
  vt::resetView();
  font.setSize(32);
  font.setBold(true);
  font.drawAtPos("Ax", 40, 30, 1);
  // The outermost pixels filter in a little of the neighbouring cells; the inner ones do not.
  EXPECT_EQ(CellSheet::at(41, 31).cell, 'A' - 32);
  EXPECT_EQ(CellSheet::at(70, 60).cell, 'A' - 32);
  EXPECT_EQ(CellSheet::at(39, 31).cell, -1);
  EXPECT_EQ(CellSheet::at(41, 29).cell, -1);
  EXPECT_EQ(CellSheet::at(72, 31).cell, -1);
  EXPECT_EQ(CellSheet::at(41, 62).cell, -1);
}

TEST_F(Font, DrawsInItsOwnColourWhichBecomesCurrent) {
  CellSheet sheet;
  VFont font;
  font.getColor()->set(0.0f, 1.0f, 0.0f, 1.0f);
  glColor4f(1, 0, 0, 1);
  font.draw("A", -1);
  GLfloat current[4] = {};
  glGetFloatv(GL_CURRENT_COLOR, current);
  EXPECT_EQ(current[0], 0.0f);
  EXPECT_EQ(current[1], 1.0f);
  const vt::Rgb c = vt::readPixel(0, 0);
  EXPECT_EQ(c.r, 0);  // the cell number is filtered out by the green font
  EXPECT_EQ(c.g, 8);
  EXPECT_EQ(c.b, 0);
}

TEST_F(Font, MaxLengthChoosesTheLeadingCharacters) {
  VFont font;
  for (int maxLength : {-1, 0, 1, 4, 9}) {
    SCOPED_TRACE(maxLength);
    glLoadIdentity();
    font.drawInternal("four", maxLength);
    const int drawn = maxLength == -1 || maxLength > 4 ? 4 : maxLength;
    EXPECT_FLOAT_EQ(modelview()[12], 12.0f * drawn);
  }
}

TEST_F(Font, CopyFromCopiesSizeBoldAndColourButNotTheColourObject) {
  VFont source;
  source.setSize(12);
  source.setBold(true);
  source.getColor()->set(0.1f, 0.2f, 0.3f, 0.4f);
  VFont copy;
  copy.copyFrom(&source);
  EXPECT_EQ(copy.getSize(), 12);
  EXPECT_TRUE(copy.getBold());
  EXPECT_NE(copy.getColor(), source.getColor());
  source.getColor()->set(0.9f, 0.9f, 0.9f, 0.9f);
  EXPECT_EQ(copy.getColor()->getR(), 0.1f);
  EXPECT_EQ(copy.getColor()->getG(), 0.2f);
  EXPECT_EQ(copy.getColor()->getB(), 0.3f);
  EXPECT_EQ(copy.getColor()->getA(), 0.4f);
}

}  // namespace
