// VLookAndFeel: palette, the exact bevel and rectangle GL calls, images drawn tinted, lifetime.
#include "draw/VLookAndFeel.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "TgaBytes.h"
#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/tga.h"
#include "support/DrawFixture.h"
#include "support/GlTest.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;

const std::vector<std::string> kImages = {
    "checkbox.tga",   "checkboxchecked.tga",  "radio.tga",          "radiochecked.tga",
    "closebutton.tga", "closebutton_down.tga", "maximizebutton.tga", "maximizebutton_down.tga"};

struct Texel {
  int r, g, b, a;
};

Texel texel(const TgaImage& image, int column, int storedRow) {
  const unsigned char* p =
      &image.Pixels[(static_cast<std::size_t>(storedRow) * image.Width + column) * 4];
  return Texel{p[0], p[1], p[2], p[3]};
}

vt::Rgb scaled(Texel t, float r, float g, float b) {
  return vt::toRgb(t.r / 255.0f * r, t.g / 255.0f * g, t.b / 255.0f * b);
}

void clearTo(float r, float g, float b) {
  glClearColor(r, g, b, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);
}

// Every texture name from 1 to 4096 that is a texture now.
std::set<GLuint> liveTextures() {
  std::set<GLuint> names;
  for (GLuint n = 1; n <= 4096; ++n) {
    if (glIsTexture(n)) {
      names.insert(n);
    }
  }
  return names;
}

using LookAndFeel = vt::DrawFixture;

void expectColour(VColor* c, float r, float g, float b, float a, const char* what) {
  EXPECT_EQ(c->getR(), r) << what;
  EXPECT_EQ(c->getG(), g) << what;
  EXPECT_EQ(c->getB(), b) << what;
  EXPECT_EQ(c->getA(), a) << what;
}

TEST_F(LookAndFeel, HasThePaletteAndTheDefaultFontAfterConstruction) {
  vt::StreamCapture out(std::cout);
  VLookAndFeel lf;
  EXPECT_EQ(out.text(), "");
  expectColour(lf.getBackGroundColor(), 0.8f, 0.8f, 0.8f, 1.0f, "background");
  expectColour(lf.getDisabledColor(), 0.5f, 0.5f, 0.5f, 1.0f, "disabled");
  expectColour(lf.getBevelRaisedColor(), 1.0f, 1.0f, 1.0f, 1.0f, "raised");
  expectColour(lf.getBevelLoweredColor(), 0.5f, 0.5f, 0.5f, 1.0f, "lowered");
  expectColour(lf.getBevelDisabledColor(), 0.7f, 0.7f, 0.7f, 1.0f, "bevel disabled");
  expectColour(lf.getHighlightColor(), 198.0f / 255.0f, 245.0f / 255.0f, 1.0f, 1.0f, "highlight");
  EXPECT_EQ(lf.getFont()->getSize(), 16);
  EXPECT_FALSE(lf.getFont()->getBold());
  expectColour(lf.getFont()->getColor(), 0.0f, 0.0f, 0.0f, 1.0f, "font");
  EXPECT_EQ(lf.getBackGroundColor(), lf.getBackGroundColor());
}

TEST_F(LookAndFeel, PrintsItsClassLineOnly) {
  VLookAndFeel lf;
  vt::StreamCapture out(std::cout);
  lf.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VLookAndFeel"}));
}

struct BevelCase {
  VBevelState state;
  float first;   // grey of the left and top edges
  float second;  // grey of the right and bottom edges
};

// llvmpipe rasterises drawBevel(10, 10, 20, 10) as: left edge x 9, y 10..19; top edge y 10,
// x 9..28; right edge x 29, y 10..19; bottom edge y 20, x 10..29.
TEST_F(LookAndFeel, DrawBevelOutlinesInTwoColoursByState) {
  VLookAndFeel lf;
  for (const BevelCase& c : {BevelCase{bsUp, 1.0f, 0.5f}, BevelCase{bsDown, 0.5f, 1.0f},
                             BevelCase{bsDisabled, 0.7f, 0.7f}}) {
    SCOPED_TRACE(c.state);
    vt::resetView();
    lf.drawBevel(10, 10, 20, 10, c.state);
    const vt::Rgb first = vt::toRgb(c.first, c.first, c.first);
    const vt::Rgb second = vt::toRgb(c.second, c.second, c.second);
    const vt::Rgb black{0, 0, 0};
    for (int y = 8; y <= 22; ++y) {
      for (int x = 7; x <= 31; ++x) {
        vt::Rgb expected = black;
        if ((x == 9 && y >= 10 && y <= 19) || (y == 10 && x >= 9 && x <= 28)) {
          expected = first;
        } else if ((x == 29 && y >= 10 && y <= 19) || (y == 20 && x >= 10 && x <= 29)) {
          expected = second;
        }
        ASSERT_TRUE(vt::pixelNear(x, y, expected));
      }
    }
    GLfloat current[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(current[0], c.second);
  }
}

// One line of GL feedback: the two end points in toolkit coordinates and the first's grey
// (the viewport transform may leave a rounding error far below a pixel).
struct Segment {
  float x0, y0, x1, y1, grey;
  bool operator==(const Segment& o) const {
    auto same = [](float a, float b) { return std::fabs(a - b) < 1e-3f; };
    return same(x0, o.x0) && same(y0, o.y0) && same(x1, o.x1) && same(y1, o.y1) &&
           same(grey, o.grey);
  }
};

std::ostream& operator<<(std::ostream& out, const Segment& s) {
  return out << "(" << s.x0 << ", " << s.y0 << ")-(" << s.x1 << ", " << s.y1 << ") grey "
             << s.grey;
}

// Runs draw in feedback mode and answers the line segments it emitted, in order.
template <typename Draw>
std::vector<Segment> feedbackLines(Draw draw) {
  std::vector<GLfloat> buffer(4096);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint n = glRenderMode(GL_RENDER);
  std::vector<Segment> lines;
  // Each line: token, then x, y, z, r, g, b, a for both ends; window y grows upwards.
  GLint i = 0;
  for (; i + 15 <= n; i += 15) {
    const GLint token = static_cast<GLint>(buffer[static_cast<std::size_t>(i)]);
    if (token != GL_LINE_TOKEN && token != GL_LINE_RESET_TOKEN) {
      ADD_FAILURE() << "unexpected feedback token " << token;
      break;
    }
    const GLfloat* v = &buffer[static_cast<std::size_t>(i) + 1];
    lines.push_back(Segment{v[0], vt::kWindowHeight - v[1], v[7], vt::kWindowHeight - v[8],
                            v[3]});
  }
  EXPECT_EQ(i, n) << "feedback ends inside a line";
  return lines;
}

TEST_F(LookAndFeel, DrawBevelEmitsTheFourEdgesThroughTheExactCorners) {
  VLookAndFeel lf;
  EXPECT_EQ(feedbackLines([&] { lf.drawBevel(0, 0, 10, 5, bsUp); }),
            (std::vector<Segment>{{0, 5, 0, 0, 1.0f}, {0, 0, 10, 0, 1.0f},
                                  {10, 0, 10, 5, 0.5f}, {10, 5, 0, 5, 0.5f}}));
  glColor3f(0.25f, 0.25f, 0.25f);
  // A state outside the enumeration sets no colour: every edge in the current one.
  EXPECT_EQ(feedbackLines([&] { lf.drawBevel(2, 3, 4, 5, static_cast<VBevelState>(7)); }),
            (std::vector<Segment>{{2, 8, 2, 3, 0.25f}, {2, 3, 6, 3, 0.25f},
                                  {6, 3, 6, 8, 0.25f}, {6, 8, 2, 8, 0.25f}}));
}

TEST_F(LookAndFeel, DrawRectEmitsTheFourCornersInItsOrder) {
  VLookAndFeel lf;
  glColor3f(1, 1, 1);
  EXPECT_EQ(feedbackLines([&] {
              glBegin(GL_LINE_LOOP);
              lf.drawRect(1, 2, 30, 40);
              glEnd();
            }),
            (std::vector<Segment>{{1, 42, 1, 2, 1.0f}, {1, 2, 31, 2, 1.0f},
                                  {31, 2, 31, 42, 1.0f}, {31, 42, 1, 42, 1.0f}}));

  vt::resetView();
  glBegin(GL_POLYGON);
  lf.drawRect(10, 10, 20, 10);
  glEnd();
  for (int y = 9; y <= 20; ++y) {
    for (int x = 9; x <= 30; ++x) {
      const bool inside = x >= 10 && x <= 29 && y >= 10 && y <= 19;
      ASSERT_EQ(vt::readPixel(x, y).r, inside ? 255 : 0) << x << ", " << y;
    }
  }
}

// Each image drawn 1:1: a magenta texel shows the background, every other one the texel
// multiplied by the tint.
void expectImageDrawn(const TgaImage& image, int left, int top, float r, float g, float b,
                      vt::Rgb background) {
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      const Texel t = texel(image, x, image.Height - 1 - y);
      const vt::Rgb expected = t.a == 0 ? background : scaled(t, r, g, b);
      ASSERT_TRUE(vt::pixelNear(left + x, top + y, expected));
    }
  }
}

TEST_F(LookAndFeel, CheckBoxesAndRadioButtonsAreDrawnTintedByTheBackgroundColour) {
  VLookAndFeel lf;
  struct Case {
    const char* image;
    bool radio;
    bool checked;
  };
  const vt::Rgb blue{0, 0, 255};
  for (const Case& c : {Case{"checkbox.tga", false, false}, Case{"checkboxchecked.tga", false, true},
                        Case{"radio.tga", true, false}, Case{"radiochecked.tga", true, true}}) {
    SCOPED_TRACE(c.image);
    const TgaImage image = decodeFile(c.image);
    ASSERT_EQ(image.Width, 16);
    ASSERT_EQ(image.Height, 16);
    for (bool restyled : {false, true}) {
      vt::resetView();
      clearTo(0, 0, 1);
      lf.getBackGroundColor()->set(restyled ? 0.5f : 0.8f, restyled ? 1.0f : 0.8f,
                                   restyled ? 0.25f : 0.8f, 1.0f);
      glTranslatef(30, 40, 0);
      c.radio ? lf.drawRadioButton(c.checked) : lf.drawCheckBox(c.checked);
      glLoadIdentity();
      if (restyled) {
        expectImageDrawn(image, 30, 40, 0.5f, 1.0f, 0.25f, blue);
      } else {
        expectImageDrawn(image, 30, 40, 0.8f, 0.8f, 0.8f, blue);
      }
      EXPECT_TRUE(vt::pixelNear(29, 40, blue));
      EXPECT_TRUE(vt::pixelNear(46, 55, blue));
    }
  }
}

// The window buttons are 64 x 64 pictures of a 19 x 19 design: at the window's default button
// size each pixel's two linear samples are texels of the same colour, so the drawing is exact.
TEST_F(LookAndFeel, WindowButtonsDrawPixelExactAt19In19InTheCurrentColour) {
  VLookAndFeel lf;
  struct Case {
    const char* image;
    bool maximize;
    bool down;
  };
  for (const Case& c : {Case{"closebutton.tga", false, false}, Case{"closebutton_down.tga", false, true},
                        Case{"maximizebutton.tga", true, false},
                        Case{"maximizebutton_down.tga", true, true}}) {
    SCOPED_TRACE(c.image);
    const TgaImage image = decodeFile(c.image);
    ASSERT_EQ(image.Width, 64);
    for (bool red : {false, true}) {
      vt::resetView();
      glTranslatef(100, 50, 0);
      glColor4f(1, red ? 0.0f : 1.0f, red ? 0.0f : 1.0f, 1);
      c.maximize ? lf.drawMaximizeButton(c.down, 19, 19) : lf.drawCloseButton(c.down, 19, 19);
      glLoadIdentity();
      for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 19; ++x) {
          const double u = (x + 0.5) * 64 / 19 - 0.5;
          const double v = (19 - y - 0.5) * 64 / 19 - 0.5;
          const int column = static_cast<int>(std::floor(u));
          const int row = static_cast<int>(std::floor(v));
          const Texel t = texel(image, column, row);
          ASSERT_EQ(t.r, texel(image, column + 1, row).r) << x << ", " << y;
          ASSERT_EQ(t.r, texel(image, column, row + 1).r) << x << ", " << y;
          ASSERT_EQ(t.a, 255);
          const vt::Rgb expected = scaled(t, 1, red ? 0.0f : 1.0f, red ? 0.0f : 1.0f);
          ASSERT_TRUE(vt::pixelNear(100 + x, 50 + y, expected));
        }
      }
    }
  }
}

TEST_F(LookAndFeel, WindowButtonsStretchOverTheSizeGiven) {
  VLookAndFeel lf;
  clearTo(0, 0, 1);
  glColor4f(1, 1, 1, 1);
  glTranslatef(20, 30, 0);
  lf.drawCloseButton(true, 14, 12);
  glLoadIdentity();
  for (int y = 28; y <= 43; ++y) {
    for (int x = 18; x <= 35; ++x) {
      const bool inside = x >= 20 && x < 34 && y >= 30 && y < 42;
      const vt::Rgb c = vt::readPixel(x, y);
      EXPECT_EQ(!(c.r == 0 && c.g == 0 && c.b == 255), inside) << x << ", " << y;
    }
  }
}

TEST_F(LookAndFeel, DrawTextureShowsTheFirstStoredRowAtTheBottomAndLeavesTexturingOff) {
  VLookAndFeel lf;
  // First row: red, transparent; second row: green, white.
  const unsigned char texels[] = {255, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 255, 255, 255, 255, 255};
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

  clearTo(0, 0, 1);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
  glTranslatef(100, 100, 0);
  lf.drawTexture(tex, 20, 30);
  glLoadIdentity();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  EXPECT_TRUE(vt::pixelNear(100, 129, vt::Rgb{255, 0, 0}));    // bottom left
  EXPECT_TRUE(vt::pixelNear(119, 129, vt::Rgb{0, 0, 255}));    // transparent
  EXPECT_TRUE(vt::pixelNear(100, 100, vt::Rgb{0, 255, 0}));    // top left
  EXPECT_TRUE(vt::pixelNear(119, 100, vt::Rgb{255, 255, 255}));
  EXPECT_TRUE(vt::pixelNear(120, 100, vt::Rgb{0, 0, 255}));
  EXPECT_TRUE(vt::pixelNear(100, 130, vt::Rgb{0, 0, 255}));
  glDeleteTextures(1, &tex);
}

TEST_F(LookAndFeel, AMissingImageIsReportedOnceAndConstructionGoesOn) {
  TestFolder folder;
  for (const std::string& image : kImages) {
    if (image != "radio.tga") {
      std::filesystem::copy_file(image, folder.file(image));
    }
  }
  folder.enter();
  vt::StreamCapture out(std::cout);
  VLookAndFeel lf;
  EXPECT_EQ(out.lines(), (Lines{"Error occured while tried to load TGA texture from radio.tga"}));

  // The images after the missing one loaded.
  clearTo(0, 0, 1);
  lf.drawRadioButton(true);
  glLoadIdentity();
  glTranslatef(100, 0, 0);
  glColor4f(1, 1, 1, 1);
  lf.drawMaximizeButton(true, 64, 64);
  glLoadIdentity();
  expectImageDrawn(decodeFile("radiochecked.tga"), 0, 0, 0.8f, 0.8f, 0.8f, vt::Rgb{0, 0, 255});
  expectImageDrawn(decodeFile("maximizebutton_down.tga"), 100, 0, 1, 1, 1, vt::Rgb{0, 0, 255});
}

TEST_F(LookAndFeel, DeletingItDeletesExactlyItsEightTextures) {
  const std::set<GLuint> before = liveTextures();
  auto* lf = new VLookAndFeel();
  const std::set<GLuint> during = liveTextures();
  std::set<GLuint> made;
  for (GLuint n : during) {
    if (!before.count(n)) {
      made.insert(n);
    }
  }
  EXPECT_EQ(made.size(), 8u);
  delete lf;
  EXPECT_EQ(liveTextures(), before);
}

TEST_F(LookAndFeel, TheDarkImagesLoadOnceAtTheFirstSwitchAndGoWithTheRest) {
  const std::set<GLuint> before = liveTextures();
  auto* lf = new VLookAndFeel();
  vt::StreamCapture out(std::cout);
  for (VTheme theme : {thDark, thLight, thDark}) {
    lf->setTheme(theme);
    EXPECT_EQ(lf->getTheme(), theme);
  }
  EXPECT_EQ(out.lines(), Lines{});  // all eight found
  EXPECT_EQ(liveTextures().size(), before.size() + 16);
  delete lf;
  EXPECT_EQ(liveTextures(), before);
}

// Under a modelview scale of 2 the 16-unit check box shows its 2x image texel for pixel, in
// either theme; each of the four sets is loaded the first time it is in use, and deleting the
// look and feel deletes all of them.
TEST_F(LookAndFeel, HighResolutionDrawsThe2xImagesTexelForPixelAndLoadsEachSetOnce) {
  const std::set<GLuint> before = liveTextures();
  auto* lf = new VLookAndFeel();
  vt::StreamCapture out(std::cout);
  struct Case {
    VTheme theme;
    bool high;
    const char* image;
    float tint;
    std::size_t loaded;  // textures made so far
  };
  const vt::Rgb blue{0, 0, 255};
  for (const Case& c : {Case{thLight, true, "checkboxchecked_2x.tga", 0.8f, 16},
                        Case{thDark, true, "checkboxchecked_dark_2x.tga", 1.0f, 24},
                        Case{thDark, false, "checkboxchecked_dark.tga", 1.0f, 32},
                        Case{thLight, true, "checkboxchecked_2x.tga", 0.8f, 32}}) {
    SCOPED_TRACE(c.image);
    lf->setTheme(c.theme);
    lf->setHighResolution(c.high);
    EXPECT_EQ(lf->getHighResolution(), c.high);
    vt::resetView();
    clearTo(0, 0, 1);
    glTranslatef(30, 40, 0);
    glScalef(c.high ? 2.0f : 1.0f, c.high ? 2.0f : 1.0f, 1.0f);
    lf->drawCheckBox(true);
    glLoadIdentity();
    const TgaImage image = decodeFile(c.image);
    ASSERT_EQ(image.Width, c.high ? 32 : 16);
    expectImageDrawn(image, 30, 40, c.tint, c.tint, c.tint, blue);
    EXPECT_EQ(liveTextures().size(), before.size() + c.loaded);
  }
  EXPECT_EQ(out.lines(), Lines{});  // every image found
  delete lf;
  EXPECT_EQ(liveTextures(), before);
}

TEST_F(LookAndFeel, CleanUpDeletesTheTexturesAndKeepsTheRest) {
  VLookAndFeel lf;
  const std::set<GLuint> before = liveTextures();
  lf.CleanUp();
  const std::set<GLuint> after = liveTextures();
  EXPECT_EQ(before.size() - after.size(), 8u);
  EXPECT_EQ(lf.getFont()->getSize(), 16);
}

}  // namespace
