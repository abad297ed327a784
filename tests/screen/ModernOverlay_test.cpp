// The overlay in a program of today: on a core-profile or OpenGL ES 3 context the program's
// own state (its program, vertex array, buffers, texture unit, sampler, blending, enables,
// viewport, scissor box, polygon mode, unpack state) reads back the same after the overlay, and
// the widgets look as in the screen's own pass. Runs on those contexts only.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "draw/DrawText.h"
#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VWindow.h"

namespace {

bool es() { return vt::contextKind() == "es"; }

std::string readState() {
  std::ostringstream s;
  const auto integers = [&s](const char* name, GLenum pname, int count) {
    GLint v[4] = {};
    glGetIntegerv(pname, v);
    s << name << '=';
    for (int i = 0; i < count; ++i) s << v[i] << ' ';
    s << '\n';
  };
  integers("program", GL_CURRENT_PROGRAM, 1);
  integers("vertex array", GL_VERTEX_ARRAY_BINDING, 1);
  integers("array buffer", GL_ARRAY_BUFFER_BINDING, 1);
  integers("element buffer", GL_ELEMENT_ARRAY_BUFFER_BINDING, 1);
  integers("unpack buffer", GL_PIXEL_UNPACK_BUFFER_BINDING, 1);
  integers("active texture", GL_ACTIVE_TEXTURE, 1);
  integers("texture on the active unit", GL_TEXTURE_BINDING_2D, 1);
  glActiveTexture(GL_TEXTURE0);
  integers("texture on unit 0", GL_TEXTURE_BINDING_2D, 1);
  integers("sampler on unit 0", GL_SAMPLER_BINDING, 1);
  glActiveTexture(GL_TEXTURE2);
  for (const auto& [name, pname] :
       {std::pair{"blend src rgb", GL_BLEND_SRC_RGB}, {"blend dst rgb", GL_BLEND_DST_RGB},
        {"blend src alpha", GL_BLEND_SRC_ALPHA}, {"blend dst alpha", GL_BLEND_DST_ALPHA},
        {"blend equation rgb", GL_BLEND_EQUATION_RGB},
        {"blend equation alpha", GL_BLEND_EQUATION_ALPHA},
        {"unpack alignment", GL_UNPACK_ALIGNMENT}, {"unpack row length", GL_UNPACK_ROW_LENGTH},
        {"unpack skip rows", GL_UNPACK_SKIP_ROWS}, {"unpack skip pixels", GL_UNPACK_SKIP_PIXELS}}) {
    integers(name, pname, 1);
  }
  integers("viewport", GL_VIEWPORT, 4);
  integers("scissor box", GL_SCISSOR_BOX, 4);
  if (!es()) {
    integers("polygon mode", GL_POLYGON_MODE, 2);
  }
  GLboolean mask[4] = {};
  glGetBooleanv(GL_COLOR_WRITEMASK, mask);
  s << "colour mask=" << int{mask[0]} << int{mask[1]} << int{mask[2]} << int{mask[3]} << '\n';
  for (const auto& [name, cap] :
       {std::pair{"blend", GL_BLEND}, {"depth test", GL_DEPTH_TEST}, {"cull face", GL_CULL_FACE},
        {"stencil test", GL_STENCIL_TEST}, {"scissor test", GL_SCISSOR_TEST},
        {"polygon offset fill", GL_POLYGON_OFFSET_FILL}}) {
    s << name << '=' << int{glIsEnabled(cap)} << '\n';
  }
  return s.str();
}

GLuint compile(GLenum kind, const char* body) {
  const std::string source =
      std::string(es() ? "#version 300 es\nprecision mediump float;\n" : "#version 330 core\n") +
      body;
  const char* text = source.c_str();
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  return shader;
}

class ModernOverlay : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    if (vt::contextKind().empty()) {
      GTEST_SKIP() << "a core-profile or OpenGL ES 3 context only";
    }
    ScreenFixture::SetUp();
    auto* window = new VWindow(screen_);
    window->setLeft(30);
    window->setTop(40);
    window->setWidth(300);
    window->setHeight(200);
    window->setCaption("Overlay");
    window->setClipChildren(true);
    auto* button = new VCaptionButton(window);
    button->setCaption("Reset view");
    button->setLeft(10);
    button->setTop(35);
  }
};

TEST_F(ModernOverlay, LeavesTheProgramsStateAsItFoundItAndDrawsAsTheScreensOwnPass) {
  const vt::Region expected = frame();
  CTextDrawer::Destroy();  // the font sheet is uploaded again inside the overlay

  // A program's state, as unlike the toolkit's as it gets.
  const GLuint program = glCreateProgram();
  glAttachShader(program, compile(GL_VERTEX_SHADER, "in vec4 p; void main() { gl_Position = p; }"));
  glAttachShader(program, compile(GL_FRAGMENT_SHADER,
                                  "out vec4 c; void main() { c = vec4(1.0); }"));
  glLinkProgram(program);
  glUseProgram(program);
  GLuint vertexArray = 0;
  GLuint buffers[3] = {};
  GLuint textures[2] = {};
  GLuint sampler = 0;
  glGenVertexArrays(1, &vertexArray);
  glBindVertexArray(vertexArray);
  glGenBuffers(3, buffers);
  glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, buffers[2]);
  glGenTextures(2, textures);
  glGenSamplers(1, &sampler);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, textures[0]);
  glBindSampler(0, sampler);
  glActiveTexture(GL_TEXTURE2);
  glBindTexture(GL_TEXTURE_2D, textures[1]);
  glBlendFuncSeparate(GL_ONE, GL_DST_COLOR, GL_ZERO, GL_SRC_ALPHA);
  glBlendEquationSeparate(GL_MAX, GL_FUNC_SUBTRACT);
  for (GLenum cap : {GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE, GL_STENCIL_TEST, GL_SCISSOR_TEST,
                     GL_POLYGON_OFFSET_FILL}) {
    glEnable(cap);
  }
  glViewport(7, 9, 100, 80);
  glScissor(3, 4, 50, 60);
  if (!es()) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  }
  glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_FALSE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 5);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 1);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 1);
  const std::string before = readState();

  screen_->drawOverlay();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(readState(), before);

  // Back to a friendly state to read the picture.
  glUseProgram(0);
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  for (GLenum cap : {GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE, GL_STENCIL_TEST, GL_SCISSOR_TEST,
                     GL_POLYGON_OFFSET_FILL}) {
    glDisable(cap);
  }
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  EXPECT_EQ(vt::regionDifference(vt::readRegion(0, 0, vt::kWindowWidth, vt::kWindowHeight),
                                 expected, vt::kWindowWidth),
            "");
  glDeleteSamplers(1, &sampler);
  glDeleteTextures(2, textures);
  glDeleteBuffers(3, buffers);
  glDeleteVertexArrays(1, &vertexArray);
  glDeleteProgram(program);
  glBlendFuncSeparate(GL_ONE, GL_ZERO, GL_ONE, GL_ZERO);
  glBlendEquation(GL_FUNC_ADD);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  if (!es()) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  }
}

}  // namespace
