#include "draw/VGLLayer.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "draw/VGLRenderer.h"

// Where GL 1.x is there and the renderer is not asked for, each call is the driver's own.
#if VUNA_GL_HAS_FIXED_FUNCTION
#define VUNA_GL_PASS(call) \
  if (!DrawsItself) {      \
    return call;           \
  }
#else
#define VUNA_GL_PASS(call)
#endif

namespace {

// "4.5 (Compatibility Profile) Mesa 22.3.6", "OpenGL ES 3.2 Mesa 22.3.6": the major and minor
// numbers and whether it is ES.
struct Version {
  long major = 0;
  long minor = 0;
  bool es = false;
};

Version readVersion(const char* text) {
  Version v;
  const char* esPrefix = "OpenGL ES";
  if (std::strncmp(text, esPrefix, std::strlen(esPrefix)) == 0) {
    v.es = true;
    text += std::strlen(esPrefix);
    while (*text != '\0' && (*text < '0' || *text > '9')) {
      ++text;
    }
  }
  char* rest = nullptr;
  v.major = std::strtol(text, &rest, 10);
  v.minor = rest != nullptr && *rest == '.' ? std::strtol(rest + 1, nullptr, 10) : 0;
  return v;
}

}  // namespace

VGLRenderer& VGLLayer::renderer() {
  static VGLRenderer r;
  return r;
}

VGLContextKind VGLLayer::chooseForCurrentContext() {
  const auto* text = reinterpret_cast<const char*>(::glGetString(GL_VERSION));
  if (text == nullptr) {
    Kind = ckNone;
    return Kind;
  }
  const Version v = readVersion(text);
#if VUNA_GL_HAS_FIXED_FUNCTION
  bool core = false;
  if (!v.es && v.major >= 3) {
    GLint flags = 0;
    ::glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
    core = (flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) != 0;
    if (v.major > 3 || v.minor >= 2) {
      GLint profile = 0;
      ::glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
      core = core || (profile & GL_CONTEXT_CORE_PROFILE_BIT) != 0;
    }
  }
  const bool programmable = v.es ? v.major >= 3 : core && (v.major > 3 || v.minor >= 2);
  if (!v.es && !core) {
    Kind = ckFixedFunction;
  } else {
    Kind = programmable ? ckProgrammable : ckNone;
  }
#else
  // WebGL 2 names itself "OpenGL ES 3.0 (WebGL 2.0)"; WebGL 1 is "OpenGL ES 2.0 (WebGL 1.0)".
  Kind = v.major >= 3 ? ckProgrammable : ckNone;
#endif
  DrawsItself = Kind == ckProgrammable || !VUNA_GL_HAS_FIXED_FUNCTION;
  if (Kind == ckProgrammable) {
    renderer().useCurrentContext(v.es);
  }
  return Kind;
}

VGLContextKind VGLLayer::getContextKind() { return Kind; }

void VGLLayer::setDrawsItself(bool drawsItself) {
  if (!VUNA_GL_HAS_FIXED_FUNCTION || drawsItself == DrawsItself) {
    return;
  }
  if (drawsItself) {
    const auto* text = reinterpret_cast<const char*>(::glGetString(GL_VERSION));
    renderer().useCurrentContext(text != nullptr && readVersion(text).es);
  } else {
    renderer().release();
  }
  DrawsItself = drawsItself;
}

void VGLLayer::flush() {
  if (DrawsItself) {
    renderer().flush();
  }
}

bool VGLLayer::failed() { return DrawsItself && renderer().failed(); }

long VGLLayer::getDrawCount() { return renderer().getDrawCount(); }

// --- display lists ---

GLuint VGLLayer::genLists(GLsizei range) {
  VUNA_GL_PASS(::glGenLists(range))
  return renderer().genLists(range);
}
void VGLLayer::newList(GLuint list, GLenum mode) {
  VUNA_GL_PASS(::glNewList(list, mode))
  renderer().newList(list, mode);
}
void VGLLayer::endList() {
  VUNA_GL_PASS(::glEndList())
  renderer().endList();
}
void VGLLayer::deleteLists(GLuint list, GLsizei range) {
  VUNA_GL_PASS(::glDeleteLists(list, range))
  renderer().deleteLists(list, range);
}
void VGLLayer::listBase(GLuint base) {
  VUNA_GL_PASS(::glListBase(base))
  renderer().listBase(base);
}
void VGLLayer::callLists(GLsizei n, GLenum type, const GLvoid* lists) {
  VUNA_GL_PASS(::glCallLists(n, type, lists))
  renderer().callLists(n, type, lists);
}
GLboolean VGLLayer::isList(GLuint list) {
  VUNA_GL_PASS(::glIsList(list))
  return renderer().isList(list);
}

// The current context's handle, from GLX or EGL, looked up at run time so that the toolkit adds
// no link dependency on either; the browser's one context is the renderer's.
const void* VGLLayer::currentContext() {
#if VUNA_GL_HAS_FIXED_FUNCTION
  using CurrentContextFunction = void* (*)();
  static const auto glx =
      reinterpret_cast<CurrentContextFunction>(dlsym(RTLD_DEFAULT, "glXGetCurrentContext"));
  static const auto egl =
      reinterpret_cast<CurrentContextFunction>(dlsym(RTLD_DEFAULT, "eglGetCurrentContext"));
  if (glx != nullptr) {
    if (const void* context = glx()) {
      return context;
    }
  }
  if (egl != nullptr) {
    if (const void* context = egl()) {
      return context;
    }
  }
  return nullptr;
#else
  return &renderer();
#endif
}

// --- immediate mode and matrices ---

void VGLLayer::begin(GLenum mode) {
  VUNA_GL_PASS(::glBegin(mode))
  renderer().begin(mode);
}
void VGLLayer::end() {
  VUNA_GL_PASS(::glEnd())
  renderer().end();
}
void VGLLayer::vertex2f(GLfloat x, GLfloat y) {
  VUNA_GL_PASS(::glVertex2f(x, y))
  renderer().vertex(x, y);
}
void VGLLayer::vertex2i(GLint x, GLint y) {
  VUNA_GL_PASS(::glVertex2i(x, y))
  renderer().vertex(static_cast<GLfloat>(x), static_cast<GLfloat>(y));
}
void VGLLayer::texCoord2f(GLfloat s, GLfloat t) {
  VUNA_GL_PASS(::glTexCoord2f(s, t))
  renderer().texCoord(s, t);
}
void VGLLayer::color3f(GLfloat r, GLfloat g, GLfloat b) {
  VUNA_GL_PASS(::glColor3f(r, g, b))
  renderer().color(r, g, b, 1.0f);
}
void VGLLayer::color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  VUNA_GL_PASS(::glColor4f(r, g, b, a))
  renderer().color(r, g, b, a);
}
void VGLLayer::translatef(GLfloat x, GLfloat y, GLfloat z) {
  VUNA_GL_PASS(::glTranslatef(x, y, z))
  renderer().translate(x, y, z);
}
void VGLLayer::scalef(GLfloat x, GLfloat y, GLfloat z) {
  VUNA_GL_PASS(::glScalef(x, y, z))
  renderer().scale(x, y, z);
}
void VGLLayer::matrixMode(GLenum mode) {
  VUNA_GL_PASS(::glMatrixMode(mode))
  renderer().matrixMode(mode);
}
void VGLLayer::loadIdentity() {
  VUNA_GL_PASS(::glLoadIdentity())
  renderer().loadIdentity();
}
void VGLLayer::loadMatrixf(const GLfloat* m) {
  VUNA_GL_PASS(::glLoadMatrixf(m))
  renderer().loadMatrix(m);
}
void VGLLayer::ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top,
                     GLdouble zNear, GLdouble zFar) {
  VUNA_GL_PASS(::glOrtho(left, right, bottom, top, zNear, zFar))
  renderer().ortho(left, right, bottom, top, zNear, zFar);
}
void VGLLayer::pushMatrix() {
  VUNA_GL_PASS(::glPushMatrix())
  renderer().pushMatrix();
}
void VGLLayer::popMatrix() {
  VUNA_GL_PASS(::glPopMatrix())
  renderer().popMatrix();
}

// --- state ---

void VGLLayer::enable(GLenum cap) {
  VUNA_GL_PASS(::glEnable(cap))
  renderer().setCapability(cap, true);
}
void VGLLayer::disable(GLenum cap) {
  VUNA_GL_PASS(::glDisable(cap))
  renderer().setCapability(cap, false);
}
void VGLLayer::blendFunc(GLenum src, GLenum dst) {
  VUNA_GL_PASS(::glBlendFunc(src, dst))
  renderer().blendFunc(src, dst);
}
void VGLLayer::lineWidth(GLfloat width) {
  VUNA_GL_PASS(::glLineWidth(width))
  renderer().lineWidth(width);
}
void VGLLayer::polygonMode(GLenum face, GLenum mode) {
  VUNA_GL_PASS(::glPolygonMode(face, mode))
  renderer().polygonMode(face, mode);
}
void VGLLayer::shadeModel(GLenum mode) {
  VUNA_GL_PASS(::glShadeModel(mode))
  renderer().shadeModel(mode);
}
void VGLLayer::colorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
  VUNA_GL_PASS(::glColorMask(r, g, b, a))
  renderer().colorMask(r, g, b, a);
}
void VGLLayer::scissor(GLint x, GLint y, GLsizei width, GLsizei height) {
  VUNA_GL_PASS(::glScissor(x, y, width, height))
  renderer().scissor(x, y, width, height);
}
void VGLLayer::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  VUNA_GL_PASS(::glViewport(x, y, width, height))
  renderer().viewport(x, y, width, height);
}
void VGLLayer::clear(GLbitfield mask) {
  VUNA_GL_PASS(::glClear(mask))
  renderer().clear(mask);
}
void VGLLayer::pushAttrib(GLbitfield mask) {
  VUNA_GL_PASS(::glPushAttrib(mask))
  renderer().pushAttrib(mask);
}
void VGLLayer::popAttrib() {
  VUNA_GL_PASS(::glPopAttrib())
  renderer().popAttrib();
}
void VGLLayer::pushClientAttrib(GLbitfield mask) {
  VUNA_GL_PASS(::glPushClientAttrib(mask))
  renderer().pushClientAttrib(mask);
}
void VGLLayer::popClientAttrib() {
  VUNA_GL_PASS(::glPopClientAttrib())
  renderer().popClientAttrib();
}

// --- textures and pixels ---

void VGLLayer::genTextures(GLsizei n, GLuint* textures) {
  VUNA_GL_PASS(::glGenTextures(n, textures))
  renderer().genTextures(n, textures);
}
void VGLLayer::deleteTextures(GLsizei n, const GLuint* textures) {
  VUNA_GL_PASS(::glDeleteTextures(n, textures))
  renderer().deleteTextures(n, textures);
}
void VGLLayer::bindTexture(GLenum target, GLuint texture) {
  VUNA_GL_PASS(::glBindTexture(target, texture))
  renderer().bindTexture(target, texture);
}
void VGLLayer::activeTexture(GLenum unit) {
  VUNA_GL_PASS(::glActiveTexture(unit))
  renderer().activeTexture(unit);
}
void VGLLayer::clientActiveTexture(GLenum unit) {
  VUNA_GL_PASS(::glClientActiveTexture(unit))
  renderer().clientActiveTexture(unit);
}
void VGLLayer::texParameteri(GLenum target, GLenum pname, GLint param) {
  VUNA_GL_PASS(::glTexParameteri(target, pname, param))
  renderer().texParameteri(target, pname, param);
}
void VGLLayer::texEnvf(GLenum target, GLenum pname, GLfloat param) {
  VUNA_GL_PASS(::glTexEnvf(target, pname, param))
  renderer().texEnv(target, pname, static_cast<GLint>(param));
}
void VGLLayer::texEnvi(GLenum target, GLenum pname, GLint param) {
  VUNA_GL_PASS(::glTexEnvi(target, pname, param))
  renderer().texEnv(target, pname, param);
}
void VGLLayer::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                          GLsizei height, GLint border, GLenum format, GLenum type,
                          const GLvoid* pixels) {
  VUNA_GL_PASS(::glTexImage2D(target, level, internalFormat, width, height, border, format, type,
                              pixels))
  renderer().texImage2D(target, level, internalFormat, width, height, border, format, type,
                        pixels);
}
void VGLLayer::pixelStorei(GLenum pname, GLint param) {
  VUNA_GL_PASS(::glPixelStorei(pname, param))
  renderer().pixelStorei(pname, param);
}
void VGLLayer::bindBuffer(GLenum target, GLuint buffer) {
  VUNA_GL_PASS(::glBindBuffer(target, buffer))
  renderer().bindBuffer(target, buffer);
}

// --- queries ---

void VGLLayer::getIntegerv(GLenum pname, GLint* params) {
  VUNA_GL_PASS(::glGetIntegerv(pname, params))
  renderer().getIntegerv(pname, params);
}
void VGLLayer::getFloatv(GLenum pname, GLfloat* params) {
  VUNA_GL_PASS(::glGetFloatv(pname, params))
  renderer().getFloatv(pname, params);
}
const GLubyte* VGLLayer::getString(GLenum name) { return ::glGetString(name); }
GLenum VGLLayer::getError() {
  VUNA_GL_PASS(::glGetError())
  return renderer().getError();
}
const GLubyte* VGLLayer::errorString(GLenum error) {
  VUNA_GL_PASS(::gluErrorString(error))
  return VGLRenderer::errorString(error);
}

// --- the program's state around the overlay ---

struct VGLLayer::ProgramState::Saved {
  VGLRenderer::ProgramState state;
};

VGLLayer::ProgramState::ProgramState() {
  if (DrawsItself) {
    S = std::make_unique<Saved>();
    renderer().saveProgramState(S->state);
  }
}

VGLLayer::ProgramState::~ProgramState() {
  if (S != nullptr) {
    renderer().restoreProgramState(S->state);
  }
}
