// CTextDrawer: lazy set-up, the cells each byte reaches, lengths, GL state and the 2D view.
#include "draw/DrawText.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "CellSheet.h"
#include "TestFolder.h"
#include "TgaBytes.h"
#include "draw/tga.h"
#include "support/DrawFixture.h"
#include "support/GlTest.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;

GLuint listBase() {
  GLint base = 0;
  glGetIntegerv(GL_LIST_BASE, &base);
  return static_cast<GLuint>(base);
}

std::array<float, 16> modelview() {
  std::array<float, 16> m{};
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

float advance() { return modelview()[12]; }

GLuint boundTexture() {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  return static_cast<GLuint>(bound);
}

// The first display list of the drawer, found from the list base a regular PrintText leaves.
GLuint firstGlyphList() {
  CTextDrawer::GetSingleton()->PrintText(false, 0, "%s", "");
  return listBase() - 96;
}

// The cells drawn at the pen positions 0, 12, 24, ... of a text printed at the origin: the
// pixel 6 to the right of each pen position belongs to that glyph only.
std::vector<int> cellsAtPenPositions(int count) {
  std::vector<int> cells;
  for (int i = 0; i < count; ++i) {
    cells.push_back(CellSheet::at(12 * i + 6, 8).cell);
  }
  return cells;
}

using TextDrawer = vt::DrawFixture;

TEST_F(TextDrawer, LoadsTheFontSheetAndBuildsTheListsOnceOnTheFirstPrintText) {
  CTextDrawer::Destroy();
  GLuint base = 0;
  {
    // No sheet here: the load is reported, so the report shows when the load happens.
    TestFolder empty;
    empty.enter();
    vt::StreamCapture out(std::cout);
    EXPECT_TRUE(CTextDrawer::GetSingleton()->PrintText(false, -1, "A"));
    EXPECT_EQ(out.lines(), (Lines{"Error occured while tried to load TGA texture from font_arial.tga"}));
    base = listBase() - 96;
    for (GLuint i = 0; i < 256; ++i) {
      ASSERT_TRUE(glIsList(base + i)) << i;
    }
    CTextDrawer::GetSingleton()->PrintText(true, -1, "B");
    EXPECT_EQ(out.lines().size(), 1u);
    EXPECT_EQ(listBase(), base - 32);
  }
  CTextDrawer::Destroy();
  EXPECT_FALSE(glIsList(base));
  EXPECT_FALSE(glIsList(base + 255));

  vt::StreamCapture out(std::cout);
  CTextDrawer::GetSingleton()->PrintText(false, -1, "A");
  EXPECT_EQ(out.text(), "");
}

TEST_F(TextDrawer, TheRealSheetIsA256SquareIntensityTextureThatDestroyDeletes) {
  CTextDrawer::Destroy();
  CTextDrawer::GetSingleton()->PrintText(false, 0, "A");
  const GLuint sheet = boundTexture();
  ASSERT_TRUE(glIsTexture(sheet));
  GLint width = 0;
  GLint format = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
  EXPECT_EQ(width, 256);
  EXPECT_EQ(format, GL_INTENSITY);
  CTextDrawer::Destroy();
  EXPECT_FALSE(glIsTexture(sheet));
}

struct CellCase {
  const char* what;
  bool bold;
  std::string text;
  std::vector<int> cells;  // at the pen positions, -1 for nothing drawn
};

TEST_F(TextDrawer, EachByteReachesItsCellOrNothing) {
  CellSheet sheet;
  const std::vector<CellCase> cases = {
      {"regular AB", false, "AB", {161, 162, -1}},
      {"bold AB", true, "AB", {33, 34, -1}},
      {"bold space and DEL", true, " \x7f", {0, 95, -1}},
      {"regular space and DEL", false, " \x7f", {128, 223, -1}},
      {"bold tab: no list, no advance", true, "x\ty", {88, 89, -1}},
      {"regular tab", false, "\t", {105, -1}},
      {"bold below 32", true, "\x1f\x01", {-1}},
      {"regular 160 and 255 reach the bold cells", false, "\xa0\xff", {0, 95, -1}},
      {"regular 200", false, "\xc8", {40, -1}},
      {"regular 128 to 159: no list", false, "\x80\x9f", {-1}},
      {"bold 128 and up: no list", true, "\x80\xc8\xff", {-1}},
  };
  for (const CellCase& c : cases) {
    SCOPED_TRACE(c.what);
    vt::resetView();
    CTextDrawer::GetSingleton()->PrintText(c.bold, -1, "%s", c.text.c_str());
    int drawn = 0;
    for (int cell : c.cells) {
      drawn += cell >= 0 ? 1 : 0;
    }
    EXPECT_EQ(advance(), 12.0f * drawn);
    EXPECT_EQ(cellsAtPenPositions(static_cast<int>(c.cells.size())), c.cells);
  }
}

TEST_F(TextDrawer, AGlyphIsA16SquareWithItsCellsFirstRowAtTheTop) {
  CellSheet sheet;
  glTranslatef(100, 50, 0);
  CTextDrawer::GetSingleton()->PrintText(false, -1, "A");
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const CellSheet::Texel t = CellSheet::at(100 + x, 50 + y);
      ASSERT_EQ(t.cell, 161) << x << ", " << y;
      ASSERT_EQ(t.row, y) << x << ", " << y;
      ASSERT_EQ(t.column, x) << x << ", " << y;
    }
  }
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(CellSheet::at(99, 50 + i).cell, -1);
    EXPECT_EQ(CellSheet::at(116, 50 + i).cell, -1);
    EXPECT_EQ(CellSheet::at(100 + i, 49).cell, -1);
    EXPECT_EQ(CellSheet::at(100 + i, 66).cell, -1);
  }
}

TEST_F(TextDrawer, MaxLengthCountsLeadingCharactersCappedAtTheText) {
  CellSheet sheet;
  const GLuint base = firstGlyphList();
  struct Case {
    int maxLength;
    std::vector<int> cells;
  };
  const std::vector<Case> cases = {
      {-1, {161, 162, -1}}, {0, {-1}}, {1, {161, -1}}, {2, {161, 162, -1}},
      {5, {161, 162, -1}},  {-2, {-1}}, {-1000, {-1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.maxLength);
    vt::resetView();
    glListBase(7);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    EXPECT_TRUE(CTextDrawer::GetSingleton()->PrintText(false, c.maxLength, "AB"));
    EXPECT_EQ(advance(), 12.0f * static_cast<float>(c.cells.size() - 1));
    EXPECT_EQ(cellsAtPenPositions(static_cast<int>(c.cells.size())), c.cells);
    EXPECT_EQ(listBase(), base + 96);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
  }
}

TEST_F(TextDrawer, ANullFormatChangesNoGlState) {
  CellSheet sheet;
  glTranslatef(3, 4, 0);
  glListBase(1234);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glBindTexture(GL_TEXTURE_2D, sheet.realSheet());
  const std::array<float, 16> before = modelview();
  const char* none = nullptr;
  EXPECT_TRUE(CTextDrawer::GetSingleton()->PrintText(true, -1, none));
  EXPECT_EQ(modelview(), before);
  EXPECT_EQ(listBase(), 1234u);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(boundTexture(), sheet.realSheet());
  EXPECT_EQ(vt::readPixel(5, 6).r, 0);
  glDisable(GL_TEXTURE_2D);
}

TEST_F(TextDrawer, LeavesTexturingAndBlendingOffAndTheSheetAndBlendFunctionSet) {
  CTextDrawer::GetSingleton();
  GLuint other = 0;
  glGenTextures(1, &other);
  glBindTexture(GL_TEXTURE_2D, other);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  CTextDrawer::GetSingleton()->PrintText(true, -1, "x");
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_NE(boundTexture(), other);
  EXPECT_TRUE(glIsTexture(boundTexture()));
  GLint src = 0;
  GLint dst = 0;
  glGetIntegerv(GL_BLEND_SRC, &src);
  glGetIntegerv(GL_BLEND_DST, &dst);
  EXPECT_EQ(src, GL_SRC_ALPHA);
  EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
  glDeleteTextures(1, &other);
}

TEST_F(TextDrawer, FormatsPrintfStyle) {
  CellSheet sheet;
  CTextDrawer::GetSingleton()->PrintText(false, -1, "%d px", 12);
  EXPECT_EQ(advance(), 60.0f);
  EXPECT_EQ(cellsAtPenPositions(6),
            (std::vector<int>{'1' + 96, '2' + 96, ' ' + 96, 'p' + 96, 'x' + 96, -1}));
}

TEST_F(TextDrawer, CutsFormattedTextAt1023Characters) {
  const std::string longText(5000, 'W');
  struct Case {
    const char* what;
    int maxLength;
    float expected;
  };
  for (const Case& c : {Case{"whole", -1, 1023 * 12.0f}, Case{"more than the buffer", 3000, 1023 * 12.0f},
                        Case{"inside the buffer", 1000, 1000 * 12.0f}}) {
    SCOPED_TRACE(c.what);
    glLoadIdentity();
    CTextDrawer::GetSingleton()->PrintText(false, c.maxLength, "%s", longText.c_str());
    EXPECT_EQ(advance(), c.expected);
  }
  glLoadIdentity();
  CTextDrawer::GetSingleton()->PrintText(true, -1, "%4000d|", 7);
  EXPECT_EQ(advance(), 1023 * 12.0f);
}

TEST_F(TextDrawer, SetColorDoesNotColourTheTextOnlyTheCurrentColourDoes) {
  CellSheet sheet;
  CTextDrawer::GetSingleton()->SetColor(1, 0, 0, 1);
  glColor4f(0, 1, 1, 1);
  CTextDrawer::GetSingleton()->PrintText(false, -1, "A");
  const vt::Rgb c = vt::readPixel(0, 0);
  EXPECT_EQ(c.r, 0);
  EXPECT_EQ(c.g, 8);
  EXPECT_EQ(c.b, 8);
}

TEST_F(TextDrawer, DrawsTheSheetsCoverageBlendedInTheCurrentColour) {
  CTextDrawer::Destroy();
  TgaImage sheet;
  std::FILE* file = std::fopen("font_arial.tga", "rb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(readTGA(file, sheet), 1);
  std::fclose(file);

  glTranslatef(20, 30, 0);
  glColor4f(1, 0, 0, 1);
  CTextDrawer::GetSingleton()->PrintText(false, -1, "g");
  const int cell = 'g' + 96;
  int ink = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int row = (cell / 16) * 16 + y;
      const int column = (cell % 16) * 16 + x;
      const int coverage = sheet.Pixels[static_cast<std::size_t>(row) * 256 + column];
      ink += coverage > 128 ? 1 : 0;
      // Intensity texel I modulated by red gives (I, 0, 0, I), blended by its own alpha.
      const int red = static_cast<int>(coverage * coverage / 255.0 + 0.5);
      ASSERT_TRUE(vt::pixelNear(20 + x, 30 + y, vt::Rgb{red, 0, 0}));
    }
  }
  EXPECT_GT(ink, 10);
}

TEST_F(TextDrawer, Go2dGivesA1024By768ViewFromTheBottomLeftAndExit2dRestoresBoth) {
  glMatrixMode(GL_PROJECTION);
  std::array<float, 16> projection{};
  glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
  GLint projectionDepth = 0;
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(5, 6, 0);
  const std::array<float, 16> view = modelview();

  Go2d();
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(modelview(), (std::array<float, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  std::array<float, 16> ortho{};
  glGetFloatv(GL_PROJECTION_MATRIX, ortho.data());
  EXPECT_FLOAT_EQ(ortho[0], 2.0f / 1024);
  EXPECT_FLOAT_EQ(ortho[5], 2.0f / 768);
  EXPECT_FLOAT_EQ(ortho[10], -1.0f);
  EXPECT_FLOAT_EQ(ortho[12], -1.0f);
  EXPECT_FLOAT_EQ(ortho[13], -1.0f);
  GLint depth = 0;
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, projectionDepth + 1);

  Exit2d();
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(modelview(), view);
  std::array<float, 16> restored{};
  glGetFloatv(GL_PROJECTION_MATRIX, restored.data());
  EXPECT_EQ(restored, projection);
}

// Lists a program made before the first text are run by no byte, in either set; Destroy deletes
// the drawer's names only.
TEST_F(TextDrawer, NoByteRunsAListOfTheProgramsMadeBeforeTheFirstText) {
  CTextDrawer::Destroy();
  const GLuint programLists = glGenLists(300);
  for (GLuint i = 0; i < 300; ++i) {
    glNewList(programLists + i, GL_COMPILE);
    glColor3f(1.0f, 0.0f, 1.0f);
    glEndList();
  }
  std::string everyByte;
  for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
  for (const bool bold : {true, false}) {
    glColor3f(0.25f, 0.5f, 0.75f);
    CTextDrawer::GetSingleton()->PrintText(bold, -1, "%s", everyByte.c_str());
    std::array<GLfloat, 4> colour{};
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    EXPECT_EQ(colour, (std::array<GLfloat, 4>{0.25f, 0.5f, 0.75f, 1.0f})) << "bold " << bold;
  }
  CTextDrawer::Destroy();
  EXPECT_TRUE(glIsList(programLists) && glIsList(programLists + 299));
  glDeleteLists(programLists, 300);
  glLoadIdentity();
}

// "Vuna" in white at (20, 30) of the current window, read back.
std::vector<std::uint8_t> drawTextInCurrentWindow() {
  vt::resetView();
  glTranslatef(20.0f, 30.0f, 0.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  CTextDrawer::GetSingleton()->PrintText(false, -1, "Vuna");
  glLoadIdentity();
  return vt::readRegion(20, 30, 48, 16);
}

// How many list and texture names the current context holds: all lie below the next ones it
// would hand out, whether it reuses names or not.
std::pair<int, int> namesInUse() {
  GLuint next[2] = {glGenLists(1), 0};
  glDeleteLists(next[0], 1);
  glGenTextures(1, &next[1]);
  glDeleteTextures(1, &next[1]);
  std::pair<int, int> count{0, 0};
  for (GLuint name = 1; name < next[0]; ++name) count.first += glIsList(name);
  for (GLuint name = 1; name < next[1]; ++name) count.second += glIsTexture(name);
  return count;
}

int openWindow(const char* title) {
  const int window = glutCreateWindow(title);
  glutDisplayFunc([] {});
  for (int i = 0; i < 10; ++i) glutMainLoopEvent();
  return window;
}

// Two windows alive, each with its own context, drawn in turn: the text shows in both, and
// after the first round neither gets a name more. A window made anew has a new context (often
// at the old one's address): the text shows there too.
TEST_F(TextDrawer, TextShowsInTwoContextsDrawnInTurnAndInAContextMadeAnew) {
  const int first = glutGetWindow();
  const std::vector<std::uint8_t> expected = drawTextInCurrentWindow();
  EXPECT_GT(std::count_if(expected.begin(), expected.end(), [](int c) { return c > 128; }), 60);
  int second = openWindow("second");
  std::map<int, std::pair<int, int>> names;
  for (int round = 0; round < 3; ++round) {
    for (const int window : {first, second}) {
      SCOPED_TRACE("round " + std::to_string(round) + ", window " + std::to_string(window));
      glutSetWindow(window);
      EXPECT_EQ(vt::regionDifference(drawTextInCurrentWindow(), expected, 48), "");
      EXPECT_EQ(namesInUse(), names.emplace(window, namesInUse()).first->second);
    }
  }
  glutDestroyWindow(second);
  second = openWindow("second, made anew");
  EXPECT_EQ(vt::regionDifference(drawTextInCurrentWindow(), expected, 48), "");
  glutDestroyWindow(second);
  glutSetWindow(first);
}

// Empty when the glyph drawn in white on black with its box's top-left corner at (x, y), at
// `scale` pixels a unit, is the sheet's cell texel for pixel: an intensity texel I, modulated by
// white and blended by its own alpha, gives I x I / 255. Only the 12 units up to the next pen
// position are compared: the rest of the box is empty, and the next glyph's.
std::string glyphDifference(const TgaImage& sheet, int cell, int x, int y, int scale) {
  const int side = 16 * scale;
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < 12 * scale; ++column) {
      const int coverage = sheet.Pixels[static_cast<std::size_t>((cell / 16) * side + row) *
                                            static_cast<std::size_t>(sheet.Width) +
                                        static_cast<std::size_t>((cell % 16) * side + column)];
      const int grey = static_cast<int>(coverage * coverage / 255.0 + 0.5);
      const vt::Rgb found = vt::readPixel(x + column, y + row);
      if (!vt::near(found, vt::Rgb{grey, grey, grey})) {
        return "cell " + std::to_string(cell) + " at " + std::to_string(column) + ", " +
               std::to_string(row) + ": " + vt::toString(found) + " for " + std::to_string(grey);
      }
    }
  }
  return "";
}

// Texts with a byte of 128 or more: each glyph is its cell of its face's Latin-1 sheet, 12 units
// apart (whose ASCII cells are font_arial.tga's, see Artwork); bytes that are no glyph (below
// 32, 127 to 159) draw nothing and do not advance.
TEST_F(TextDrawer, Latin1TextDrawsEachGlyphFromItsFacesSheetAndSkipsBytesThatAreNoGlyph) {
  CTextDrawer::Destroy();
  struct Case {
    std::string text;
    std::string glyphs;  // the bytes drawn, in order
  };
  const Case cases[] = {{"caf\xe9", "caf\xe9"},
                        {"Gr\xf6\xdf" "e", "Gr\xf6\xdf" "e"},
                        {"\xc0\xff\xc9", "\xc0\xff\xc9"},
                        {"A\x01\x09\x1f\x7f\x80\x9f\xe9", "A\xe9"}};
  for (const bool bold : {false, true}) {
    const TgaImage sheet = decodeFile(bold ? "font_latin1_bold.tga" : "font_latin1_regular.tga");
    ASSERT_EQ(sheet.Width, 256);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.text + (bold ? " bold" : " regular"));
      vt::resetView();
      glColor3f(1, 1, 1);
      CTextDrawer::GetSingleton()->PrintText(bold, -1, "%s", c.text.c_str());
      const int n = static_cast<int>(c.glyphs.size());
      EXPECT_EQ(advance(), 12.0f * static_cast<float>(n));
      glLoadIdentity();
      for (int i = 0; i < n; ++i) {
        EXPECT_EQ(glyphDifference(sheet, static_cast<unsigned char>(c.glyphs[i]), 12 * i, 0, 1), "");
      }
      EXPECT_EQ(glyphDifference(sheet, 0, 12 * n, 0, 1), "") << "nothing after the last glyph";
    }
  }
}

// Switches the drawer to high resolution for the life of the object.
struct HighResolution {
  HighResolution() { CTextDrawer::SetHighResolution(true); }
  ~HighResolution() { CTextDrawer::SetHighResolution(false); }
};

// A program that draws only ASCII makes exactly the designed names. The first Latin-1 text adds
// one block of 256 lists and its face's sheet, high resolution the 2x sheets it draws with, and
// Destroy deletes every one.
TEST_F(TextDrawer, Latin1AndHighResolutionNamesAreMadeAtFirstUseAndDestroyDeletesThem) {
  CTextDrawer::Destroy();
  const std::pair<int, int> none = namesInUse();
  CTextDrawer::GetSingleton()->PrintText(true, -1, "ASCII only");
  CTextDrawer::GetSingleton()->PrintText(false, -1, "ASCII only");
  const std::pair<int, int> ascii = namesInUse();
  EXPECT_EQ(ascii, std::make_pair(none.first + 416, none.second + 1));
  CTextDrawer::GetSingleton()->PrintText(false, -1, "caf\xe9");
  CTextDrawer::GetSingleton()->PrintText(false, -1, "\xe9t\xe9");
  EXPECT_EQ(namesInUse(), std::make_pair(ascii.first + 256, ascii.second + 1));
  {
    HighResolution high;
    CTextDrawer::GetSingleton()->PrintText(false, -1, "A");
    CTextDrawer::GetSingleton()->PrintText(true, -1, "\xe9");
    EXPECT_EQ(namesInUse(), std::make_pair(ascii.first + 256, ascii.second + 3));
  }
  glLoadIdentity();
  CTextDrawer::Destroy();
  EXPECT_EQ(namesInUse(), none);
}

// Under a modelview scale of 2 a glyph at high resolution is its 2x sheet's cell texel for
// pixel (32 x 32 pixels rendered from the outlines, where the 1x cell would come out enlarged
// and blurred), on both paths; switched back, the 1x sheet draws again.
TEST_F(TextDrawer, AtHighResolutionAGlyphScaledByTwoIsItsDoubleSizeCellTexelForPixel) {
  CTextDrawer::Destroy();
  const TgaImage designed = decodeFile("font_arial_2x.tga");
  const TgaImage latin1 = decodeFile("font_latin1_regular_2x.tga");
  ASSERT_EQ(designed.Width, 512);
  ASSERT_EQ(latin1.Width, 512);
  {
    HighResolution high;
    EXPECT_TRUE(CTextDrawer::GetHighResolution());
    glColor3f(1, 1, 1);
    glScalef(2, 2, 1);
    CTextDrawer::GetSingleton()->PrintText(false, -1, "Ag");
    glLoadIdentity();
    glTranslatef(0, 40, 0);
    glScalef(2, 2, 1);
    CTextDrawer::GetSingleton()->PrintText(false, -1, "\xe9g");
    glLoadIdentity();
    EXPECT_EQ(glyphDifference(designed, 'A' + 96, 0, 0, 2), "");
    EXPECT_EQ(glyphDifference(designed, 'g' + 96, 24, 0, 2), "");
    EXPECT_EQ(glyphDifference(latin1, 0xe9, 0, 40, 2), "");
    EXPECT_EQ(glyphDifference(latin1, 'g', 24, 40, 2), "");
  }
  EXPECT_FALSE(CTextDrawer::GetHighResolution());
  vt::resetView();
  glColor3f(1, 1, 1);
  CTextDrawer::GetSingleton()->PrintText(false, -1, "A");
  glLoadIdentity();
  EXPECT_EQ(glyphDifference(decodeFile("font_arial.tga"), 'A' + 96, 0, 0, 1), "");
}

// A GL context that cannot make a texture name (here: inside glBegin/glEnd, where every such
// call fails) stops the program with the standard report, in release builds too.
TEST(TextDrawerDeathTest, NoFontTextureNameStopsTheProgramWithTheAssertionReport) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        CTextDrawer::Destroy();
        glBegin(GL_POINTS);
        CTextDrawer::GetSingleton();
      },
      "DrawText\\.cpp:[0-9]+: .*Assertion `mSingleton->mFontTexId' failed");
}

}  // namespace
