// VGLCompat on the desktop GL: each scene is drawn once with the desktop GL's own calls and
// once through the layer, and the two pictures must agree. In the browser the layer then draws
// what a desktop GL draws, which the browser tests check against the demo's pictures.
#define GL_GLEXT_PROTOTYPES 1
#include "VGLCompat.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "draw/tga.h"
#include "support/GlTest.h"

namespace {

// The same scene code runs against either API.
struct Desktop {
  static GLuint genLists(GLsizei n) { return glGenLists(n); }
  static void newList(GLuint l, GLenum m) { glNewList(l, m); }
  static void endList() { glEndList(); }
  static void listBase(GLuint b) { glListBase(b); }
  static void callLists(GLsizei n, GLenum t, const void* p) { glCallLists(n, t, p); }
  static void deleteLists(GLuint l, GLsizei n) { glDeleteLists(l, n); }
  static void begin(GLenum m) { glBegin(m); }
  static void end() { glEnd(); }
  static void vertex(float x, float y) { glVertex2f(x, y); }
  static void texCoord(float s, float t) { glTexCoord2f(s, t); }
  static void color(float r, float g, float b, float a) { glColor4f(r, g, b, a); }
  static void translate(float x, float y) { glTranslatef(x, y, 0); }
  static void scale(float x, float y) { glScalef(x, y, 1); }
  static void enable(GLenum c) { glEnable(c); }
  static void disable(GLenum c) { glDisable(c); }
  static void lineWidth(float w) { glLineWidth(w); }
  static void texImage(GLint internal, GLsizei w, GLsizei h, GLenum format, const void* p) {
    glTexImage2D(GL_TEXTURE_2D, 0, internal, w, h, 0, format, GL_UNSIGNED_BYTE, p);
  }
  static void texEnvf(GLenum p, GLfloat v) { glTexEnvf(GL_TEXTURE_ENV, p, v); }
  static void pixelStore(GLenum p, GLint v) { glPixelStorei(p, v); }
};

struct Layer {
  static GLuint genLists(GLsizei n) { return VGLCompat::genLists(n); }
  static void newList(GLuint l, GLenum m) { VGLCompat::newList(l, m); }
  static void endList() { VGLCompat::endList(); }
  static void listBase(GLuint b) { VGLCompat::listBase(b); }
  static void callLists(GLsizei n, GLenum t, const void* p) { VGLCompat::callLists(n, t, p); }
  static void deleteLists(GLuint l, GLsizei n) { VGLCompat::deleteLists(l, n); }
  static void begin(GLenum m) { VGLCompat::begin(m); }
  static void end() { VGLCompat::end(); }
  static void vertex(float x, float y) { VGLCompat::vertex2f(x, y); }
  static void texCoord(float s, float t) { VGLCompat::texCoord2f(s, t); }
  static void color(float r, float g, float b, float a) { VGLCompat::color4f(r, g, b, a); }
  static void translate(float x, float y) { VGLCompat::translatef(x, y, 0); }
  static void scale(float x, float y) { VGLCompat::scalef(x, y, 1); }
  static void enable(GLenum c) { VGLCompat::enable(c); }
  static void disable(GLenum c) { VGLCompat::disable(c); }
  static void lineWidth(float w) { VGLCompat::lineWidth(w); }
  static void texImage(GLint internal, GLsizei w, GLsizei h, GLenum format, const void* p) {
    VGLCompat::texImage2D(GL_TEXTURE_2D, 0, internal, w, h, 0, format, GL_UNSIGNED_BYTE, p);
  }
  static void texEnvf(GLenum p, GLfloat v) { VGLCompat::texEnvf(GL_TEXTURE_ENV, p, v); }
  static void pixelStore(GLenum p, GLint v) { VGLCompat::pixelStorei(p, v); }
};

constexpr int kW = 240;
constexpr int kH = 120;

class WebGlLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    VGLCompat::reset();
    vt::resetView();
  }
  void TearDown() override {
    VGLCompat::reset();
    vt::resetView();
  }

  // Draws scene() with each API on a cleared grey frame and compares the two pictures.
  template <typename Scene>
  void expectSamePicture(Scene scene) {
    const auto draw = [&](auto api) {
      vt::resetView();
      glClearColor(0.3f, 0.3f, 0.5f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT);
      glPushMatrix();
      scene(api);
      glPopMatrix();
      if constexpr (std::is_same_v<decltype(api), Layer>) {
        EXPECT_EQ(VGLCompat::getError(), static_cast<GLenum>(GL_NO_ERROR));
      }
      EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
      return vt::readRegion(0, 0, kW, kH);
    };
    const auto desktop = draw(Desktop{});
    const auto layer = draw(Layer{});
    EXPECT_EQ(vt::regionDifference(layer, desktop, kW), "");
  }
};

// The text drawer's 256 glyph lists over the font sheet: a textured 16 by 16 quad, then the
// 12-unit advance.
template <typename Api>
GLuint buildGlyphLists(GLuint sheet) {
  const GLuint base = Api::genLists(256);
  glBindTexture(GL_TEXTURE_2D, sheet);
  for (int i = 0; i < 256; ++i) {
    const float s0 = static_cast<float>(i % 16) / 16.0f;
    const float t0 = static_cast<float>(i / 16) / 16.0f;
    Api::newList(base + static_cast<GLuint>(i), GL_COMPILE);
    Api::begin(GL_QUADS);
    Api::texCoord(s0, t0);
    Api::vertex(0, 0);
    Api::texCoord(s0 + 0.0625f, t0);
    Api::vertex(16, 0);
    Api::texCoord(s0 + 0.0625f, t0 + 0.0625f);
    Api::vertex(16, 16);
    Api::texCoord(s0, t0 + 0.0625f);
    Api::vertex(0, 16);
    Api::end();
    Api::translate(12, 0);
    Api::endList();
  }
  return base;
}

TEST_F(WebGlLayer, TextFromRecordedListsMatchesTheDesktopLists) {
  const GLuint sheet = createTexture("font_arial.tga");
  // Bold and regular sets, a scale as a 12-pixel font has, and bytes that call no list (tab in
  // the bold set, 130 in the regular) or the other set (200 in the regular).
  const std::string text = "Hallo Welt!\t\x82\xC8 ~";
  expectSamePicture([&](auto api) {
    using Api = decltype(api);
    const GLuint base = buildGlyphLists<Api>(sheet);
    Api::color(0, 0, 0, 1);
    for (const bool bold : {true, false}) {
      for (const float size : {16.0f, 12.0f}) {
        glPushMatrix();
        glTranslatef(2, bold ? 2.0f : 60.0f, 0);
        if (size == 12.0f) glTranslatef(0, 30, 0);
        Api::scale(size / 16.0f, size / 16.0f);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, sheet);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        Api::enable(GL_TEXTURE_2D);
        Api::listBase(bold ? base - 32u : base + 96u);
        Api::callLists(static_cast<GLsizei>(text.size()), GL_BYTE, text.data());
        Api::disable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glPopMatrix();
      }
    }
    Api::deleteLists(base, 256);
  });
  glDeleteTextures(1, &sheet);
}

// Filled rectangles as the toolkit draws them (GL_POLYGON, corners from the bottom-left), at
// whole and half pixels, a bevel whose colour changes inside its one GL_LINES primitive, a quad
// strip, and primitives with vertices to spare, which GL drops.
TEST_F(WebGlLayer, PolygonsAndColourChangesInsideAPrimitiveMatchTheDesktop) {
  expectSamePicture([](auto api) {
    using Api = decltype(api);
    const float rects[][4] = {{0, 0, 240, 120}, {10, 10, 50, 30}, {70.5f, 10.5f, 40, 20},
                              {130, 12, 1, 1}};
    for (const auto& r : rects) {
      Api::color(0.8f, 0.8f, 0.8f, 1.0f);
      Api::begin(GL_POLYGON);
      Api::vertex(r[0], r[1] + r[3]);
      Api::vertex(r[0], r[1]);
      Api::vertex(r[0] + r[2], r[1]);
      Api::vertex(r[0] + r[2], r[1] + r[3]);
      Api::end();
    }
    for (const float grey : {0.5f, 0.7f}) {
      Api::translate(20, 40);
      Api::begin(GL_LINES);
      Api::color(1.0f, 1.0f, 1.0f, 1.0f);
      Api::vertex(0, 30);
      Api::vertex(0, 0);
      Api::vertex(0, 0);
      Api::vertex(60, 0);
      Api::color(grey, grey, grey, 1.0f);
      Api::vertex(60, 0);
      Api::vertex(60, 30);
      Api::vertex(60, 30);
      Api::vertex(0, 30);
      Api::color(0.2f, 0.9f, 0.1f, 1.0f);  // after the last vertex: colours nothing here
      Api::end();
    }
    const std::pair<GLenum, std::vector<float>> spares[] = {
        {GL_QUAD_STRIP, {150, 30, 150, 50, 170, 35, 170, 55, 190, 30, 190, 50, 200, 40}},
        {GL_TRIANGLES, {150, 70, 180, 70, 150, 90, 200, 90}},
        {GL_QUADS, {190, 60, 230, 60, 230, 80, 190, 80, 100, 100, 110, 110}},
        {GL_LINE_STRIP, {10, 110}},
        {GL_POLYGON, {60, 100, 80, 100}}};
    for (const auto& [mode, points] : spares) {
      Api::begin(mode);
      for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
        Api::vertex(points[i], points[i + 1]);
      }
      Api::end();
    }
    // The colour after the primitive is the last one given.
    Api::begin(GL_POLYGON);
    Api::vertex(200, 100);
    Api::vertex(200, 90);
    Api::vertex(230, 90);
    Api::vertex(230, 100);
    Api::end();
  });
}

// Lines wider than a pixel: the text cursor's 2-pixel bar where a text field leaves it (whole
// pixels, and half pixels), and flatter and steeper strips of other widths. Ends that fall
// between pixel centres are left out: a desktop GL decides those end pixels by its diamond
// rule, which the layer does not follow.
TEST_F(WebGlLayer, WideLinesCoverTheDesktopPixels) {
  struct Case {
    float width, tx, ty, sx;
    GLenum mode;
    std::vector<float> points;
  };
  const std::vector<Case> cases = {
      {2, 10, 5, 1, GL_LINES, {2, 1, 2, 18}},
      {2, 33, 5, 2, GL_LINES, {2, 1, 2, 9}},
      {2, 50.5f, 5.5f, 1, GL_LINES, {2, 1, 2, 18}},
      {3, 60, 40, 1, GL_LINES, {0, 0, 40, 0, 0, 10, 40, 14}},
      {4, 120, 20, 1, GL_LINE_STRIP, {0, 0, 10, 40, 60, 50}},
      {2, 190, 10, 1, GL_LINE_LOOP, {0, 0, 30, 0, 30, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    expectSamePicture([&](auto api) {
      using Api = decltype(api);
      Api::translate(c.tx, c.ty);
      Api::scale(c.sx, c.sx);
      Api::color(0, 0, 0, 1);
      Api::lineWidth(c.width);
      Api::begin(c.mode);
      for (std::size_t i = 0; i + 1 < c.points.size(); i += 2) {
        Api::vertex(c.points[i], c.points[i + 1]);
      }
      Api::end();
      Api::lineWidth(1);
    });
  }
}

// A grey image uploaded as an intensity texture, drawn blended in a colour: the layer's
// luminance-alpha texture gives the same pixels. Rows of 3 bytes make the unpack alignment
// matter.
TEST_F(WebGlLayer, IntensityTexturesSampleAsTheDesktopOnes) {
  const std::vector<GLubyte> grey = {0, 60, 255, 0, 128, 200, 30, 0, 90, 250, 10, 170};
  for (const GLint alignment : {1, 4}) {
    SCOPED_TRACE(alignment);
    std::vector<GLubyte> rows;
    for (int row = 0; row < 4; ++row) {
      rows.insert(rows.end(), grey.begin() + row * 3, grey.begin() + row * 3 + 3);
      rows.resize(static_cast<std::size_t>((row + 1) * (alignment == 4 ? 4 : 3)));
    }
    expectSamePicture([&](auto api) {
      using Api = decltype(api);
      GLuint texture = 0;
      glGenTextures(1, &texture);
      glBindTexture(GL_TEXTURE_2D, texture);
      Api::pixelStore(GL_UNPACK_ALIGNMENT, alignment);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
      Api::texImage(GL_INTENSITY, 3, 4, GL_LUMINANCE, rows.data());
      Api::pixelStore(GL_UNPACK_ALIGNMENT, 4);
      Api::texEnvf(GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_MODULATE));
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      Api::enable(GL_TEXTURE_2D);
      Api::color(1.0f, 0.5f, 0.0f, 1.0f);
      Api::begin(GL_QUADS);
      Api::texCoord(0, 0);
      Api::vertex(10, 10);
      Api::texCoord(1, 0);
      Api::vertex(70, 10);
      Api::texCoord(1, 1);
      Api::vertex(70, 90);
      Api::texCoord(0, 1);
      Api::vertex(10, 90);
      Api::end();
      Api::disable(GL_TEXTURE_2D);
      glDisable(GL_BLEND);
      glDeleteTextures(1, &texture);
    });
  }
}

TEST_F(WebGlLayer, ClampAndAFloatEnvironmentModeGetTheirDesktopMeaning) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  VGLCompat::texParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  VGLCompat::texParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  VGLCompat::texEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_REPLACE));
  GLint wrapS = 0;
  GLint wrapT = 0;
  GLint mode = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_EQ(wrapS, GL_CLAMP_TO_EDGE);
  EXPECT_EQ(wrapT, GL_REPEAT);
  EXPECT_EQ(mode, GL_REPLACE);
  VGLCompat::texEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glDeleteTextures(1, &texture);
}

// A call without a meaning inside a list is refused, named once on standard error, and left out;
// the rest of the list still draws.
TEST_F(WebGlLayer, AnUncoveredCallInsideAListIsNamedAndLeftOut) {
  const GLuint list = VGLCompat::genLists(1);
  ::testing::internal::CaptureStderr();
  VGLCompat::newList(list, GL_COMPILE);
  VGLCompat::enable(GL_BLEND);
  VGLCompat::call("glShadeModel", ::glShadeModel, GL_FLAT);
  VGLCompat::call("glShadeModel", ::glShadeModel, GL_FLAT);
  VGLCompat::color4f(1, 0, 0, 1);
  VGLCompat::begin(GL_QUADS);
  VGLCompat::vertex2f(0, 0);
  VGLCompat::vertex2f(4, 0);
  VGLCompat::vertex2f(4, 4);
  VGLCompat::vertex2f(0, 4);
  VGLCompat::end();
  VGLCompat::endList();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said,
            "Vuna web GL: glEnable is not covered inside a display list; it is left out of the "
            "list\n"
            "Vuna web GL: glShadeModel is not covered inside a display list; it is left out of "
            "the list\n");
  GLint shading = 0;
  glGetIntegerv(GL_SHADE_MODEL, &shading);
  EXPECT_EQ(shading, GL_SMOOTH);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);

  const GLubyte name = 0;
  VGLCompat::listBase(list);
  VGLCompat::callLists(1, GL_UNSIGNED_BYTE, &name);
  EXPECT_TRUE(vt::near(vt::readPixel(2, 2), vt::Rgb{255, 0, 0}));
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
}

TEST_F(WebGlLayer, ListNamesAndErrorsFollowGl) {
  EXPECT_EQ(VGLCompat::genLists(0), 0u);
  const GLuint a = VGLCompat::genLists(3);
  const GLuint b = VGLCompat::genLists(2);
  EXPECT_NE(a, 0u);
  EXPECT_GE(b, a + 3);

  // Signed bytes reach names below the base; names without a list call nothing.
  for (const GLuint name : {a, a + 2}) {
    VGLCompat::newList(name, GL_COMPILE);
    VGLCompat::translatef(name == a ? 1.0f : 100.0f, 0, 0);
    VGLCompat::endList();
  }
  const GLbyte offsets[] = {-1, 1, 0, 50};
  VGLCompat::listBase(a + 1);
  glLoadIdentity();
  VGLCompat::callLists(4, GL_BYTE, offsets);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_FLOAT_EQ(m[12], 101.0f);
  GLint base = 0;
  VGLCompat::getIntegerv(GL_LIST_BASE, &base);
  EXPECT_EQ(static_cast<GLuint>(base), a + 1);

  VGLCompat::deleteLists(a, 3);
  glLoadIdentity();
  VGLCompat::callLists(4, GL_BYTE, offsets);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_FLOAT_EQ(m[12], 0.0f);

  struct Misuse {
    const char* what;
    void (*call)();
    GLenum error;
  };
  const Misuse misuses[] = {
      {"glEndList without glNewList", [] { VGLCompat::endList(); }, GL_INVALID_OPERATION},
      {"glNewList of name 0", [] { VGLCompat::newList(0, GL_COMPILE); }, GL_INVALID_VALUE},
      {"glCallLists of a negative count",
       [] { VGLCompat::callLists(-1, GL_BYTE, nullptr); }, GL_INVALID_VALUE},
      {"glEnd without glBegin", [] { VGLCompat::end(); }, GL_INVALID_OPERATION},
      {"glPopAttrib on an empty stack", [] { VGLCompat::popAttrib(); }, GL_STACK_UNDERFLOW},
      {"glBegin of no primitive", [] { VGLCompat::begin(GL_POLYGON + 1); }, GL_INVALID_ENUM},
      {"glBegin inside glBegin",
       [] {
         VGLCompat::begin(GL_LINES);
         VGLCompat::begin(GL_LINES);
         VGLCompat::end();
       },
       GL_INVALID_OPERATION},
      {"glNewList while one is recorded",
       [] {
         VGLCompat::newList(900, GL_COMPILE);
         VGLCompat::newList(901, GL_COMPILE);
         VGLCompat::endList();
       },
       GL_INVALID_OPERATION},
      {"an unpack alignment of 3", [] { VGLCompat::pixelStorei(GL_UNPACK_ALIGNMENT, 3); },
       GL_INVALID_VALUE},
  };
  for (const Misuse& m : misuses) {
    m.call();
    EXPECT_EQ(VGLCompat::getError(), m.error) << m.what;
    EXPECT_EQ(VGLCompat::getError(), static_cast<GLenum>(GL_NO_ERROR)) << m.what;
  }
  EXPECT_STREQ(reinterpret_cast<const char*>(VGLCompat::errorString(GL_STACK_UNDERFLOW)),
               "stack underflow");
  GLint alignment = 0;
  VGLCompat::getIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4) << "a refused alignment is not kept";

  // A generation skips names that lists recorded under names of the program's own choosing
  // hold, and a range that no longer fits gets 0.
  const GLuint c = VGLCompat::genLists(1);
  VGLCompat::newList(c + 2, GL_COMPILE);
  VGLCompat::endList();
  EXPECT_GT(VGLCompat::genLists(3), c + 2);
  EXPECT_NE(VGLCompat::genLists(0x7fffffff), 0u);
  EXPECT_EQ(VGLCompat::genLists(0x7fffffff), 0u);
}

// Queries, name generation and client state run at once while a list is compiled, as in GL,
// and are not reported.
TEST_F(WebGlLayer, CommandsGlRunsAtOnceRunInsideAList) {
  const GLuint list = VGLCompat::genLists(1);
  VGLCompat::listBase(7);
  ::testing::internal::CaptureStderr();
  VGLCompat::newList(list, GL_COMPILE);
  GLint base = 0;
  VGLCompat::getIntegerv(GL_LIST_BASE, &base);
  const GLuint more = VGLCompat::genLists(2);
  VGLCompat::pixelStorei(GL_UNPACK_ALIGNMENT, 2);
  VGLCompat::endList();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(base, 7);
  EXPECT_NE(more, 0u);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 2);
  VGLCompat::pixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// What the screen saves around loading its images and around an overlay comes back, and the
// depths the screen reads before pushing are the layer's own.
TEST_F(WebGlLayer, AttributeStacksBringBackWhatTheyKept) {
  GLuint textures[2] = {0, 0};
  glGenTextures(2, textures);
  glBindTexture(GL_TEXTURE_2D, textures[0]);
  VGLCompat::texEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  VGLCompat::pixelStorei(GL_UNPACK_ALIGNMENT, 8);
  VGLCompat::color4f(0.2f, 0.4f, 0.6f, 1.0f);
  VGLCompat::blendFunc(GL_ONE, GL_ONE);
  VGLCompat::enable(GL_BLEND);
  VGLCompat::lineWidth(3);
  glViewport(5, 6, 70, 80);

  VGLCompat::pushAttrib(GL_ALL_ATTRIB_BITS);
  VGLCompat::pushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  GLint depth = 0;
  GLint clientDepth = 0;
  VGLCompat::getIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  VGLCompat::getIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &clientDepth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(clientDepth, 1);

  glBindTexture(GL_TEXTURE_2D, textures[1]);
  VGLCompat::texEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  VGLCompat::pixelStorei(GL_UNPACK_ALIGNMENT, 1);
  VGLCompat::pixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  VGLCompat::color4f(1, 1, 1, 1);
  VGLCompat::blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  VGLCompat::disable(GL_BLEND);
  VGLCompat::lineWidth(1);
  glViewport(0, 0, 500, 400);

  VGLCompat::popClientAttrib();
  VGLCompat::popAttrib();
  GLint binding = 0;
  GLint mode = 0;
  GLint alignment = 0;
  GLint src = 0;
  GLint viewport[4] = {};
  GLfloat color[4] = {};
  GLfloat width = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  VGLCompat::getIntegerv(GL_BLEND_SRC, &src);
  glGetIntegerv(GL_VIEWPORT, viewport);
  VGLCompat::getFloatv(GL_CURRENT_COLOR, color);
  VGLCompat::getFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(static_cast<GLuint>(binding), textures[0]);
  EXPECT_EQ(mode, GL_REPLACE);
  EXPECT_EQ(alignment, 8);
  EXPECT_EQ(src, GL_ONE);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
  EXPECT_EQ(viewport[0], 5);
  EXPECT_EQ(viewport[3], 80);
  EXPECT_FLOAT_EQ(color[1], 0.4f);
  EXPECT_FLOAT_EQ(width, 3.0f);

  GLint most = 0;
  VGLCompat::getIntegerv(GL_MAX_ATTRIB_STACK_DEPTH, &most);
  for (GLint i = 0; i < most; ++i) VGLCompat::pushAttrib(GL_CURRENT_BIT);
  EXPECT_EQ(VGLCompat::getError(), static_cast<GLenum>(GL_NO_ERROR));
  VGLCompat::pushAttrib(GL_CURRENT_BIT);
  EXPECT_EQ(VGLCompat::getError(), static_cast<GLenum>(GL_STACK_OVERFLOW));
  glDeleteTextures(2, textures);
  VGLCompat::texEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  VGLCompat::disable(GL_BLEND);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// The texture group holds the active unit: a binding saved on unit 1 goes back to unit 1 even
// when unit 0 is active at the pop, as the overlay leaves it.
TEST_F(WebGlLayer, TheTextureGroupBringsBackTheActiveUnitAndItsBinding) {
  GLuint textures[2] = {0, 0};
  glGenTextures(2, textures);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, textures[1]);
  VGLCompat::pushAttrib(GL_TEXTURE_BIT);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, textures[0]);
  VGLCompat::popAttrib();
  GLint active = 0;
  GLint binding = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
  EXPECT_EQ(active, GL_TEXTURE1);
  EXPECT_EQ(static_cast<GLuint>(binding), textures[1]);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
  EXPECT_EQ(static_cast<GLuint>(binding), textures[0]);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(2, textures);
}

}  // namespace
