// The GL layer's renderer against the driver: each scene is drawn with the toolkit's GL 1.x
// calls once straight to the driver (a compatibility context) and once through the renderer,
// which draws as it does on a core profile or OpenGL ES, and the two pictures must agree.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "draw/VGLLayer.h"
#include "draw/tga.h"
#include "support/GlTest.h"

namespace {

constexpr int kW = 240;
constexpr int kH = 120;

class GLLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!vt::contextKind().empty()) {
      GTEST_SKIP() << "compares the renderer with the driver's fixed function";
    }
  }
  void TearDown() override {
    VGLLayer::setDrawsItself(false);
    vt::resetView();
  }

  static vt::Region draw(const std::function<void()>& scene, bool renderer) {
    VGLLayer::setDrawsItself(renderer);
    vt::resetView();
    glClearColor(0.3f, 0.3f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    scene();
    glPopMatrix();
    VGLLayer::flush();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    VGLLayer::setDrawsItself(false);
    return vt::readRegion(0, 0, kW, kH);
  }
  static void expectSamePicture(const std::function<void()>& scene) {
    const vt::Region driver = draw(scene, false);
    const vt::Region renderer = draw(scene, true);
    EXPECT_EQ(vt::regionDifference(renderer, driver, kW), "");
  }
};

void shape(GLenum mode, const std::vector<float>& points) {
  glBegin(mode);
  for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
    glVertex2f(points[i], points[i + 1]);
  }
  glEnd();
}

// Lines as the toolkit draws them (bevels along whole pixels, a focus loop), at half pixels,
// both ways along each axis, steep and flat diagonals, under translations, and wider lines
// (the text cursor's 2-pixel bar).
TEST_F(GLLayer, LinesLightTheDriversPixels) {
  struct Case {
    float width, tx, ty;
    GLenum mode;
    std::vector<float> points;
  };
  const std::vector<Case> cases = {
      {1, 10, 10, GL_LINES, {0, 30, 0, 0, 0, 0, 60, 0, 60, 0, 60, 30, 60, 30, 0, 30}},
      {1, 80.5f, 10.5f, GL_LINES, {0, 30, 0, 0, 0, 0, 60, 0, 60, 0, 60, 30, 60, 30, 0, 30}},
      {1, 150, 10, GL_LINE_LOOP, {1, 1, 1, 29, 59, 29, 59, 1}},
      {1, 10, 60, GL_LINES, {0, 0, 40, 13, 0, 10, 13, 50, 60, 50, 20, 20, 45, 0, 5, 40}},
      {1, 80, 60, GL_LINE_STRIP, {0, 0, 40, 0, 40, 40, 0, 40}},
      {1, 80, 60.5f, GL_LINES, {0, 0, 20, 0, 40, 5, 20, 5, 0.5f, 10, 0.5f, 30, 30.5f, 30, 30.5f, 10}},
      {2, 140, 60, GL_LINES, {2, 1, 2, 18, 10, 1.5f, 10, 18.5f}},
      {3, 160, 60, GL_LINE_STRIP, {0, 0, 30, 10, 60, 50}},
      {1, 200, 60, GL_LINE_STRIP, {5, 9, 9, 13, 15, 5}},
      {1, 200, 80, GL_POLYGON, {0, 0, 8, 0, 4, 4}},
      {1, 200, 100, GL_POINTS, {0.5f, 0.5f, 2.5f, 3.5f, 5.5f, 0.5f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    SCOPED_TRACE(c.tx);
    expectSamePicture([&] {
      glTranslatef(c.tx, c.ty, 0);
      glColor4f(0, 0, 0, 1);
      glLineWidth(c.width);
      shape(c.mode, c.points);
      glLineWidth(1);
    });
  }
}

}  // namespace

namespace {

// The text drawer's glyph lists over the font sheet (a textured 16 by 16 quad, then the advance)
// called with bytes of both sets, at two sizes, among rectangles at whole and half pixels, a
// quad strip, spare vertices GL drops, colour changes inside a primitive and a blended half-
// transparent face; and all of it again under a scissor box.
TEST_F(GLLayer, TextPolygonsBlendingAndScissorsMatchTheDriver) {
  const GLuint sheet = createTexture("font_arial.tga");
  const std::string text = "Hallo Welt!\t\x82\xC8 ~";
  for (const bool clipped : {false, true}) {
    SCOPED_TRACE(clipped);
    expectSamePicture([&] {
      if (clipped) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(20, 15, 150, 70);
      }
      const float rects[][4] = {{10, 10, 50, 30}, {70.5f, 10.5f, 40, 20}, {130, 12, 1, 1}};
      for (const auto& r : rects) {
        glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
        shape(GL_POLYGON, {r[0], r[1] + r[3], r[0], r[1], r[0] + r[2], r[1], r[0] + r[2],
                           r[1] + r[3]});
      }
      glBegin(GL_LINES);
      glColor3f(1, 1, 1);
      for (float v : {0.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0.0f, 60.0f, 0.0f}) glVertex2f(v + 20, 45);
      glColor3f(0.5f, 0.2f, 0.9f);
      glVertex2f(80, 45);
      glVertex2f(80, 75);
      glEnd();
      shape(GL_QUAD_STRIP, {150, 30, 150, 50, 170, 35, 170, 55, 190, 30, 190, 50, 200, 40});
      shape(GL_TRIANGLES, {150, 70, 180, 70, 150, 90, 200, 90});
      shape(GL_QUADS, {190, 60, 230, 60, 230, 80, 190, 80, 100, 100, 110, 110});
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glColor4f(0.9f, 0.1f, 0.1f, 0.5f);
      shape(GL_TRIANGLE_FAN, {100, 60, 140, 60, 140, 100, 100, 100});
      const GLuint base = glGenLists(256);
      for (int i = 0; i < 256; ++i) {
        const float s0 = static_cast<float>(i % 16) / 16.0f;
        const float t0 = static_cast<float>(i / 16) / 16.0f;
        glNewList(base + static_cast<GLuint>(i), GL_COMPILE);
        glBegin(GL_QUADS);
        for (const auto& [x, y] : {std::pair{0, 0}, {16, 0}, {16, 16}, {0, 16}}) {
          glTexCoord2f(s0 + x / 256.0f, t0 + y / 256.0f);
          glVertex2f(static_cast<float>(x), static_cast<float>(y));
        }
        glEnd();
        glTranslatef(12, 0, 0);
        glEndList();
      }
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, sheet);
      glColor4f(0, 0, 0, 1);
      for (const bool bold : {true, false}) {
        glPushMatrix();
        glTranslatef(2, bold ? 2.0f : 90.0f, 0);
        glScalef(bold ? 1.0f : 0.75f, bold ? 1.0f : 0.75f, 1);
        glListBase(bold ? base - 32u : base + 96u);
        glCallLists(static_cast<GLsizei>(text.size()), GL_BYTE, text.data());
        glPopMatrix();
      }
      glDisable(GL_TEXTURE_2D);
      glDisable(GL_BLEND);
      glDisable(GL_SCISSOR_TEST);
      glDeleteLists(base, 256);
    });
  }
  glDeleteTextures(1, &sheet);
}

// Grey, grey-and-alpha and RGB images, modulated and replaced, read with both row alignments.
TEST_F(GLLayer, TextureFormatsAndEnvironmentsSampleAsTheDriversDo) {
  const std::vector<GLubyte> bytes = {0,   60, 255, 0,  128, 200, 30, 0,   90,  250, 10, 170,
                                      77,  5,  99,  14, 250, 3,   66, 180, 120, 40,  9,  222};
  struct Case {
    GLint internal;
    GLenum format;
    int channels;
    GLint env;
  };
  const Case cases[] = {{GL_INTENSITY, GL_LUMINANCE, 1, GL_MODULATE},
                        {GL_INTENSITY, GL_LUMINANCE, 1, GL_REPLACE},
                        {GL_LUMINANCE_ALPHA, GL_LUMINANCE_ALPHA, 2, GL_MODULATE},
                        {GL_RGB, GL_RGB, 3, GL_REPLACE},
                        {GL_RGBA, GL_RGBA, 4, GL_MODULATE}};
  for (const Case& c : cases) {
    for (const GLint alignment : {1, 4}) {
      SCOPED_TRACE(c.format);
      SCOPED_TRACE(alignment);
      // 3 by 2 pixels, each row padded to the alignment.
      std::vector<GLubyte> rows;
      for (int row = 0; row < 2; ++row) {
        const auto begin = bytes.begin() + row * 3 * c.channels;
        rows.insert(rows.end(), begin, begin + 3 * c.channels);
        while (rows.size() % static_cast<std::size_t>(alignment) != 0) rows.push_back(0);
      }
      expectSamePicture([&] {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexImage2D(GL_TEXTURE_2D, 0, c.internal, 3, 2, 0, c.format, GL_UNSIGNED_BYTE,
                     rows.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, c.env);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 0.5f, 0.0f, 0.75f);
        glBegin(GL_QUADS);
        for (const auto& [s, t] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
          glTexCoord2f(static_cast<float>(s) * 1.2f, static_cast<float>(t));
          glVertex2f(10.0f + 90.0f * static_cast<float>(s), 10.0f + 60.0f * static_cast<float>(t));
        }
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glDeleteTextures(1, &texture);
      });
    }
  }
}

// A frame of many controls (faces, bevels, text over one sheet) is a handful of draws: opaque
// faces join blended text, and only a change of texture or blending starts a new one.
TEST_F(GLLayer, AFrameOfFacesBevelsAndTextIsAFewDraws) {
  const GLuint sheet = createTexture("font_arial.tga");
  VGLLayer::setDrawsItself(true);
  const long before = VGLLayer::getDrawCount();
  for (int i = 0; i < 100; ++i) {
    const float x = static_cast<float>(i % 10) * 24;
    const float y = static_cast<float>(i / 10) * 12;
    glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
    shape(GL_POLYGON, {x, y + 10, x, y, x + 20, y, x + 20, y + 10});
    glColor4f(1, 1, 1, 1);
    shape(GL_LINES, {x, y + 10, x, y, x, y, x + 20, y});
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, sheet);
    glColor4f(0, 0, 0, 1);
    shape(GL_QUADS, {x + 2, y + 2, x + 8, y + 2, x + 8, y + 8, x + 2, y + 8});
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
  }
  VGLLayer::flush();
  EXPECT_EQ(VGLLayer::getDrawCount() - before, 1);
  glDeleteTextures(1, &sheet);
}

// An opaque rectangle of one colour over the whole viewport (a screen's background) is cleared,
// not drawn: the driver's pixels, none outside a viewport smaller than the window, and the
// program's clear colour and scissor test as they were. A rectangle that is translucent,
// smaller than the viewport or scissored is drawn as before.
TEST_F(GLLayer, AnOpaqueRectangleOverTheViewportIsAClearWithTheDriversPixels) {
  struct Case {
    const char* what;
    float alpha;
    bool blend;
    float inset;
    bool scissor;
    long draws;
  };
  const Case cases[] = {
      {"opaque", 1.0f, false, 0, false, 0},
      {"opaque and blended", 1.0f, true, 0, false, 0},
      {"larger than the viewport", 1.0f, true, -5, false, 0},
      {"translucent", 0.5f, true, 0, false, 1},
      {"a pixel short of the viewport", 1.0f, false, 1, false, 1},
      {"scissored", 1.0f, false, 0, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const long before = VGLLayer::getDrawCount();
    expectSamePicture([&] {
      // 200 by 100 pixels at (20, 10) of the window, one unit a pixel.
      glViewport(20, 400 - 110, 200, 100);
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      glOrtho(0, 200, 100, 0, -1, 1);
      glMatrixMode(GL_MODELVIEW);
      if (c.blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      }
      if (c.scissor) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(40, 400 - 60, 100, 40);
      }
      glColor4f(0.9f, 0.6f, 0.2f, c.alpha);
      const float lo = c.inset;
      shape(GL_POLYGON, {lo, 100 - lo, lo, lo, 200 - lo, lo, 200 - lo, 100 - lo});
      GLfloat clearColor[4] = {};
      glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
      EXPECT_FLOAT_EQ(clearColor[2], 0.5f);
      if (VGLLayer::drawsItself()) {  // the renderer keeps its scissor test to itself
        EXPECT_EQ(::glIsEnabled(GL_SCISSOR_TEST), GL_FALSE);
      }
      glDisable(GL_SCISSOR_TEST);
      glDisable(GL_BLEND);
      glViewport(0, 0, 500, 400);
    });
    EXPECT_EQ(VGLLayer::getDrawCount() - before, c.draws);
  }
}

// Misuse gets GL's error, not a crash; a call a display list cannot hold is named once and
// left out, and the rest of the list still draws.
TEST_F(GLLayer, MisuseGetsGlsErrorsAndAListKeepsOnlyWhatItCanHold) {
  VGLLayer::setDrawsItself(true);
  struct Misuse {
    const char* what;
    void (*call)();
    GLenum error;
  };
  const Misuse misuses[] = {
      {"glEndList without glNewList", [] { glEndList(); }, GL_INVALID_OPERATION},
      {"glNewList of name 0", [] { glNewList(0, GL_COMPILE); }, GL_INVALID_VALUE},
      {"glCallLists of a negative count", [] { glCallLists(-1, GL_BYTE, nullptr); },
       GL_INVALID_VALUE},
      {"glEnd without glBegin", [] { glEnd(); }, GL_INVALID_OPERATION},
      {"glPopAttrib on an empty stack", [] { glPopAttrib(); }, GL_STACK_UNDERFLOW},
      {"glPopMatrix at the bottom", [] { glPopMatrix(); }, GL_STACK_UNDERFLOW},
      {"glBegin of no primitive", [] { glBegin(GL_POLYGON + 1); }, GL_INVALID_ENUM},
      {"glMatrixMode of no stack", [] { glMatrixMode(GL_COLOR); }, GL_INVALID_ENUM},
      {"glOrtho of an empty range", [] { glOrtho(1, 1, 0, 1, -1, 1); }, GL_INVALID_VALUE},
      {"glTexImage2D of shorts",
       [] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_SHORT, nullptr); },
       GL_INVALID_ENUM},
      {"glTexImage2D of a negative size",
       [] {
         glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, -1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
       },
       GL_INVALID_VALUE},
  };
  for (const Misuse& m : misuses) {
    m.call();
    EXPECT_EQ(glGetError(), m.error) << m.what;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << m.what;
  }

  const GLuint list = glGenLists(1);
  ::testing::internal::CaptureStderr();
  glNewList(list, GL_COMPILE);
  glShadeModel(GL_FLAT);
  glShadeModel(GL_FLAT);
  glColor4f(1, 0, 0, 1);
  shape(GL_QUADS, {0, 0, 4, 0, 4, 4, 0, 4});
  glEndList();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Vuna GL layer: glShadeModel is not covered inside a display list; it is left out "
            "of the list\n");
  vt::resetView();
  glListBase(list);
  const GLubyte name = 0;
  glCallLists(1, GL_UNSIGNED_BYTE, &name);
  VGLLayer::flush();
  EXPECT_TRUE(vt::near(vt::readPixel(2, 2), vt::Rgb{255, 0, 0}));
  GLint shading = 0;
  glGetIntegerv(GL_SHADE_MODEL, &shading);
  EXPECT_EQ(shading, GL_SMOOTH);
  glDeleteLists(list, 1);
}

}  // namespace
