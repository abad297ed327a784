// The screen inside a program's own GL scene: the overlay pass and the GL state it leaves.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "draw/DrawText.h"
#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VTextEdit.h"
#include "widgets/VWindow.h"

namespace {

// One piece of GL state and how to read it.
struct StateItem {
  const char* name;
  GLenum pname;
  int values;  // 0: a capability, read with glIsEnabled
};

// Every piece of state the overlay must leave as it found it.
const StateItem kState[] = {
    {"GL_MODELVIEW_MATRIX", GL_MODELVIEW_MATRIX, 16},
    {"GL_PROJECTION_MATRIX", GL_PROJECTION_MATRIX, 16},
    {"GL_TEXTURE_MATRIX", GL_TEXTURE_MATRIX, 16},
    {"GL_MODELVIEW_STACK_DEPTH", GL_MODELVIEW_STACK_DEPTH, 1},
    {"GL_PROJECTION_STACK_DEPTH", GL_PROJECTION_STACK_DEPTH, 1},
    {"GL_MATRIX_MODE", GL_MATRIX_MODE, 1},
    {"GL_VIEWPORT", GL_VIEWPORT, 4},
    {"GL_BLEND_SRC", GL_BLEND_SRC, 1},
    {"GL_BLEND_DST", GL_BLEND_DST, 1},
    {"GL_CURRENT_COLOR", GL_CURRENT_COLOR, 4},
    {"GL_LINE_WIDTH", GL_LINE_WIDTH, 1},
    {"GL_TEXTURE_BINDING_2D", GL_TEXTURE_BINDING_2D, 1},
    {"GL_LIST_BASE", GL_LIST_BASE, 1},
    {"GL_POLYGON_MODE", GL_POLYGON_MODE, 2},
    {"GL_SHADE_MODEL", GL_SHADE_MODEL, 1},
    {"GL_CULL_FACE_MODE", GL_CULL_FACE_MODE, 1},
    {"GL_DEPTH_FUNC", GL_DEPTH_FUNC, 1},
    {"GL_ALPHA_TEST_FUNC", GL_ALPHA_TEST_FUNC, 1},
    {"GL_SCISSOR_BOX", GL_SCISSOR_BOX, 4},
    {"GL_COLOR_WRITEMASK", GL_COLOR_WRITEMASK, 4},
    {"GL_UNPACK_ALIGNMENT", GL_UNPACK_ALIGNMENT, 1},
    {"GL_UNPACK_ROW_LENGTH", GL_UNPACK_ROW_LENGTH, 1},
    {"GL_UNPACK_SKIP_PIXELS", GL_UNPACK_SKIP_PIXELS, 1},
    {"GL_PACK_ALIGNMENT", GL_PACK_ALIGNMENT, 1},
    {"GL_ACTIVE_TEXTURE", GL_ACTIVE_TEXTURE, 1},
    {"GL_DEPTH_TEST", GL_DEPTH_TEST, 0},
    {"GL_LIGHTING", GL_LIGHTING, 0},
    {"GL_LIGHT0", GL_LIGHT0, 0},
    {"GL_CULL_FACE", GL_CULL_FACE, 0},
    {"GL_FOG", GL_FOG, 0},
    {"GL_SCISSOR_TEST", GL_SCISSOR_TEST, 0},
    {"GL_STENCIL_TEST", GL_STENCIL_TEST, 0},
    {"GL_ALPHA_TEST", GL_ALPHA_TEST, 0},
    {"GL_BLEND", GL_BLEND, 0},
    {"GL_TEXTURE_2D", GL_TEXTURE_2D, 0},
    {"GL_COLOR_MATERIAL", GL_COLOR_MATERIAL, 0},
    {"GL_NORMALIZE", GL_NORMALIZE, 0},
};

std::string readState() {
  std::ostringstream os;
  for (const StateItem& item : kState) {
    os << item.name << " =";
    if (item.values == 0) {
      os << " " << (glIsEnabled(item.pname) ? 1 : 0);
    } else {
      GLfloat v[16] = {};
      glGetFloatv(item.pname, v);
      for (int i = 0; i < item.values; ++i) {
        os << " " << v[i];
      }
    }
    os << "\n";
  }
  GLint env = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  os << "GL_TEXTURE_ENV_MODE = " << env << "\n";
  return os.str();
}

// A program's scene set-up at its most unfriendly: a perspective projection, a moved model
// view, depth test, lighting and culling of the front faces, a 3-pixel line width, a bound
// texture, a list base, blending off with an odd function, lines for polygons, flat shading,
// a replacing texture environment, a scissor box, fog, alpha and stencil tests that pass
// nothing, a colour of its own and odd pixel-store values. Left in projection mode.
GLuint setUnfriendlyState() {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.5f, -0.25f, -6.0f);
  glRotatef(30.0f, 1.0f, 1.0f, 0.0f);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(2.0f, 2.0f, 1.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 500.0 / 400.0, 0.1, 100.0);
  glViewport(20, 10, 300, 200);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_GREATER);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT_AND_BACK);
  glEnable(GL_FOG);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 5, 5);
  glEnable(GL_STENCIL_TEST);
  glStencilFunc(GL_NEVER, 0, 0xFF);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_NEVER, 0.0f);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_NORMALIZE);
  glDisable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glLineWidth(3.0f);
  glListBase(1000);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glShadeModel(GL_FLAT);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 2);
  return texture;
}

void setFriendlyStateAgain(GLuint texture) {
  glDisable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glDisable(GL_LIGHTING);
  glDisable(GL_LIGHT0);
  glDisable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glDisable(GL_FOG);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_NORMALIZE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLineWidth(1.0f);
  glListBase(0);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glShadeModel(GL_SMOOTH);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
}

class Overlay : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    auto* window = new VWindow(screen_);
    window->setLeft(30);
    window->setTop(40);
    window->setWidth(300);
    window->setHeight(200);
    window->setCaption("Overlay");
    window->setClipChildren(true);  // the pass sets a scissor of its own, which must go again
    auto* button = new VCaptionButton(window);
    button->setCaption("Reset view");
    button->setLeft(10);
    button->setTop(35);
    auto* box = new VCheckBox(window);
    box->setCaption("Wireframe");
    box->setLeft(10);
    box->setTop(70);
    auto* field = new VTextEdit(window);
    field->setLeft(10);
    field->setTop(100);
    field->setWidth(150);
    field->setText("typed");
  }

};

TEST_F(Overlay, LeavesEveryPieceOfTheProgramsStateAsItFoundItAndDrawsAsTheDesignedPass) {
  const vt::Region expected = frame();
  // The font sheet is loaded again inside the overlay: its upload sets the pixel store.
  CTextDrawer::Destroy();

  const GLuint texture = setUnfriendlyState();
  const std::string before = readState();
  glClear(GL_COLOR_BUFFER_BIT);
  screen_->drawOverlay();
  const std::string after = readState();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(after, before);
  setFriendlyStateAgain(texture);

  const vt::Region drawn = vt::readRegion(0, 0, vt::kWindowWidth, vt::kWindowHeight);
  EXPECT_EQ(vt::regionDifference(drawn, expected, vt::kWindowWidth), "");
}

// With the program's model-view stack full, or one entry short of full, the overlay draws as the
// designed pass and leaves the depth and every entry as it found them, with no GL error.
TEST_F(Overlay, AFullModelViewStackIsLeftAsItWasFound) {
  const vt::Region expected = frame();
  GLint most = 0;
  glGetIntegerv(GL_MAX_MODELVIEW_STACK_DEPTH, &most);
  for (const GLint depth : {most, most - 1}) {
    SCOPED_TRACE(depth);
    vt::resetView();
    for (GLint level = 2; level <= depth; ++level) {
      glPushMatrix();
      glTranslatef(1.0f, 2.0f, 0.0f);  // entry n is moved by (n - 1, 2n - 2)
    }
    screen_->drawOverlay();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(vt::regionDifference(vt::readRegion(0, 0, vt::kWindowWidth, vt::kWindowHeight),
                                   expected, vt::kWindowWidth), "");
    GLint after = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
    EXPECT_EQ(after, depth);
    for (GLint level = after; level >= 1; --level) {
      GLfloat m[16];
      glGetFloatv(GL_MODELVIEW_MATRIX, m);
      EXPECT_EQ(std::make_pair(m[12], m[13]), std::make_pair(level - 1.0f, 2.0f * level - 2.0f));
      if (level > 1) {
        glPopMatrix();
      }
    }
  }
}

// With the background off, the program's picture stays wherever no widget is drawn, and the
// widgets look exactly as in the designed pass.
TEST_F(Overlay, WithoutBackgroundTheSceneShowsAroundTheWidgets) {
  const vt::Region designed = frame();
  screen_->setBackgroundVisible(false);
  vt::resetView();
  glClearColor(0.0f, 0.5f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  screen_->drawOverlay();
  const vt::Rgb scene = vt::toRgb(0.0f, 0.5f, 0.0f);
  for (auto [x, y] : {std::pair{5, 5}, {400, 300}, {25, 100}, {335, 100}, {100, 245}}) {
    EXPECT_TRUE(vt::pixelNear(x, y, scene));
  }
  const vt::Region window = vt::readRegion(30, 40, 300, 200);
  vt::Region designedWindow;
  for (int row = 40; row < 240; ++row) {
    const auto* from = &designed[(static_cast<std::size_t>(row) * vt::kWindowWidth + 30) * 3];
    designedWindow.insert(designedWindow.end(), from, from + 300 * 3);
  }
  EXPECT_EQ(vt::regionDifference(window, designedWindow, 300), "");
}

// On a scaled display the framebuffer has more pixels than the window the screen counts in:
// the overlay spreads the screen's pixels over the whole framebuffer.
TEST_F(Overlay, SpreadsTheScreenOverALargerFramebuffer) {
  screen_->setBackgroundVisible(false);
  screen_->setSize(250, 200);  // the test window's framebuffer is 500 by 400
  screen_->setFramebufferSize(500, 400);
  vt::resetView();
  screen_->drawOverlay();
  // The window's left edge, x 30 of 250, lands at 60 of 500: black before it, frame after it.
  const vt::Rgb black{0, 0, 0};
  EXPECT_TRUE(vt::pixelNear(50, 150, black));
  EXPECT_FALSE(vt::pixelNear(70, 150, black));
  EXPECT_FALSE(vt::pixelNear(480, 150, black));  // x 240 of 250: still the window

  // Back to the screen's own size: drawn at 1:1 into the framebuffer's lower-left 250 by 200
  // (GL counts the viewport from the bottom), so the screen's (40, 50) is the window's (40, 250).
  screen_->setFramebufferSize(0, 0);
  vt::resetView();
  screen_->drawOverlay();
  EXPECT_FALSE(vt::pixelNear(40, 250, black));
  EXPECT_TRUE(vt::pixelNear(40, 50, black));
  EXPECT_TRUE(vt::pixelNear(480, 150, black));
}

// Creating a screen loads the control images: under GL's default unpack state whatever the
// program set, and with the program's pixel store, bound texture and environment kept.
TEST_F(Overlay, CreatingAScreenKeepsTheProgramsStateAndReadsTheImagesWhole) {
  auto drawBox = [](VScreen* owner) {
    auto* box = new VCheckBox(owner);
    box->setLeft(40);
    box->setTop(300);
    box->setState(cbChecked);
    vt::Region pixels = vt::ScreenDriver(owner).frame(40, 300, 16, 16);
    box->free();
    return pixels;
  };
  const vt::Region expected = drawBox(screen_);

  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 5);
  const std::string before = readState();
  auto* second = new VScreen(nullptr);
  const std::string after = readState();
  EXPECT_EQ(after, before);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);

  second->setSize(vt::kWindowWidth, vt::kWindowHeight);
  EXPECT_EQ(vt::regionDifference(drawBox(second), expected, 16), "");
  delete second;
}

}  // namespace
