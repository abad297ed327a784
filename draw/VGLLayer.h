// VGLLayer: the one way the toolkit's GL 1.x calls reach the driver.
//
// Every source of the library is compiled with VGLCalls.h read first, which names each GL call
// the toolkit makes after a function of this class; the sources keep their calls as written.
// What a call then does depends on the context the screen found current at its creation:
// - a compatibility context (or any GL up to 3.1): the call goes straight to the driver, the same
//   function with the same arguments in the same order, at the cost of one test of a flag;
// - a core profile (3.2 and up), OpenGL ES 3 or WebGL 2, where immediate mode, the matrix
//   stacks, display lists and the texture environment do not exist: VGLRenderer gives each call
//   its GL 1.x meaning and draws the frame in a few batched draws.
// A browser build has no GL 1.x at all and always draws through the renderer.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glu.h>

#include <memory>

#if defined(__EMSCRIPTEN__)
#define VUNA_GL_HAS_FIXED_FUNCTION 0
#else
#define VUNA_GL_HAS_FIXED_FUNCTION 1
#endif

class VGLRenderer;

/// What a context can do for the toolkit.
enum VGLContextKind {
  ckNone,           ///< no context, or one the toolkit cannot draw with (OpenGL ES 2, GL 3.0)
  ckFixedFunction,  ///< GL 1.x calls go to the driver as they are
  ckProgrammable    ///< core profile 3.2+, OpenGL ES 3 or WebGL 2: the layer draws itself
};

class VGLLayer {
 public:
  /// Looks at the current context and chooses how the toolkit's calls reach it; the screen does
  /// this at its creation. Answers what it found (ckNone for no context or an unusable one:
  /// the calls then go to the driver as before, where they draw nothing).
  static VGLContextKind chooseForCurrentContext();
  /// The kind chosen last.
  static VGLContextKind getContextKind();
  /// Draws through the renderer in the current context even where GL 1.x is there: a program
  /// that wants one path on every context, and the tests that hold the renderer's pictures
  /// against the driver's. False goes back to passing the calls through.
  static void setDrawsItself(bool drawsItself);
  static bool drawsItself() { return DrawsItself; }
  /// Sends what the renderer has batched: before the frame is shown or read back, and before
  /// the program draws on its own. Nothing to do when the calls go straight through.
  static void flush();
  /// True when the renderer could not make its shaders: nothing it batches is drawn.
  static bool failed();
  /// The draws the renderer has made in this process: how well a frame batches.
  static long getDrawCount();

  /// The program's own state around the overlay in a programmable context: saved at
  /// construction piece by piece (program, vertex array, buffers, texture unit and binding,
  /// sampler, blending, the enables, viewport, scissor box, polygon mode, unpack state), set to
  /// what the toolkit's drawing assumes, and put back at destruction. Does nothing when the
  /// calls go straight through (the attribute stacks serve there).
  class ProgramState {
   public:
    ProgramState();
    ~ProgramState();
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

   private:
    struct Saved;
    std::unique_ptr<Saved> S;
  };

  // --- the toolkit's calls ---
  // Display lists.
  static GLuint genLists(GLsizei range);
  static void newList(GLuint list, GLenum mode);
  static void endList();
  static void deleteLists(GLuint list, GLsizei range);
  static void listBase(GLuint base);
  static void callLists(GLsizei n, GLenum type, const GLvoid* lists);
  static GLboolean isList(GLuint list);
  static const void* currentContext();

  // Immediate mode and matrices.
  static void begin(GLenum mode);
  static void end();
  static void vertex2f(GLfloat x, GLfloat y);
  static void vertex2i(GLint x, GLint y);
  static void texCoord2f(GLfloat s, GLfloat t);
  static void color3f(GLfloat r, GLfloat g, GLfloat b);
  static void color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
  static void translatef(GLfloat x, GLfloat y, GLfloat z);
  static void scalef(GLfloat x, GLfloat y, GLfloat z);
  static void matrixMode(GLenum mode);
  static void loadIdentity();
  static void loadMatrixf(const GLfloat* m);
  static void ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar);
  static void pushMatrix();
  static void popMatrix();

  // State.
  static void enable(GLenum cap);
  static void disable(GLenum cap);
  static void blendFunc(GLenum src, GLenum dst);
  static void lineWidth(GLfloat width);
  static void polygonMode(GLenum face, GLenum mode);
  static void shadeModel(GLenum mode);
  static void colorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a);
  static void scissor(GLint x, GLint y, GLsizei width, GLsizei height);
  static void viewport(GLint x, GLint y, GLsizei width, GLsizei height);
  static void clear(GLbitfield mask);
  static void pushAttrib(GLbitfield mask);
  static void popAttrib();
  static void pushClientAttrib(GLbitfield mask);
  static void popClientAttrib();

  // Textures and pixels.
  static void genTextures(GLsizei n, GLuint* textures);
  static void deleteTextures(GLsizei n, const GLuint* textures);
  static void bindTexture(GLenum target, GLuint texture);
  static void activeTexture(GLenum unit);
  static void clientActiveTexture(GLenum unit);
  static void texParameteri(GLenum target, GLenum pname, GLint param);
  static void texEnvf(GLenum target, GLenum pname, GLfloat param);
  static void texEnvi(GLenum target, GLenum pname, GLint param);
  static void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                         GLsizei height, GLint border, GLenum format, GLenum type,
                         const GLvoid* pixels);
  static void pixelStorei(GLenum pname, GLint param);
  static void bindBuffer(GLenum target, GLuint buffer);

  // Queries.
  static void getIntegerv(GLenum pname, GLint* params);
  static void getFloatv(GLenum pname, GLfloat* params);
  static const GLubyte* getString(GLenum name);
  static GLenum getError();
  static const GLubyte* errorString(GLenum error);

 private:
  static VGLRenderer& renderer();
  static inline bool DrawsItself = !VUNA_GL_HAS_FIXED_FUNCTION;
  static inline VGLContextKind Kind = ckNone;
};
