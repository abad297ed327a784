// VGLCompat: OpenGL 1.x meaning for the GL calls the toolkit makes, on a GL that lacks or bends
// some of them: WebGL under emscripten's immediate-mode emulation. Compiled into the browser
// build only; every source of that build reaches these functions through VWebGL.h, which
// renames the toolkit's GL calls, so the toolkit's own sources keep their calls as they are.
//
// What it gives, each with the meaning of OpenGL 1.x:
// - display lists (glGenLists, glNewList, glEndList, glDeleteLists, glListBase, glCallLists),
//   recorded and replayed. A list may hold primitives, vertices, texture coordinates, colours,
//   translations and scalings; any other call made while a list is compiled is refused with a
//   line on standard error naming it ("... is not covered inside a display list") and drops
//   out of the list, rather than drawing something else later;
// - GL_POLYGON, drawn as the triangle fan it is for the convex polygons the toolkit draws;
// - lines wider than one pixel (WebGL draws every line one pixel wide), drawn as quads in
//   window space, widened across their minor axis as a desktop GL widens them; their ends are
//   square to the end points, where a desktop GL's diamond rule may take one pixel more or
//   less at an end that falls between pixel centres;
// - GL_CLAMP as clamp-to-edge, an intensity texture from luminance bytes as a
//   luminance-alpha texture with the same value in both, the texture environment's mode given
//   as a float;
// - the attribute stacks, for the state that the toolkit changes and WebGL keeps: the current
//   colour and texture coordinate, texturing, blending and WebGL's own capabilities, the blend
//   function, colour mask and clear colour, line width, viewport, scissor box, the active unit
//   with its 2D binding and environment mode, and the unpack parameters. Those that WebGL 1
//   lacks (row length, skips, ...) are served at their default of 0, which changes nothing;
// - gluErrorString.
// Commands that GL runs at once even while a list is compiled (queries, name generation,
// client state) run at once here too. Every other call named in VWebGL.h passes through
// unchanged, unless a list is being compiled.
#pragma once

#include <GL/gl.h>

class VGLCompat {
 public:
  // Display lists.
  static GLuint genLists(GLsizei range);
  static void newList(GLuint list, GLenum mode);
  static void endList();
  static void deleteLists(GLuint list, GLsizei range);
  static void listBase(GLuint base);
  static void callLists(GLsizei n, GLenum type, const GLvoid* lists);
  // True for a name that holds a recorded list (a generated name holds none until then).
  static GLboolean isList(GLuint list);

  // The identity of the one context the layer serves, where a desktop program would ask GLX.
  static const void* currentContext();

  // Immediate mode; recorded while a list is compiled, drawn otherwise.
  static void begin(GLenum mode);
  static void end();
  static void vertex2f(GLfloat x, GLfloat y);
  static void vertex2i(GLint x, GLint y);
  static void texCoord2f(GLfloat s, GLfloat t);
  static void color3f(GLfloat r, GLfloat g, GLfloat b);
  static void color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
  static void translatef(GLfloat x, GLfloat y, GLfloat z);
  static void scalef(GLfloat x, GLfloat y, GLfloat z);

  // State with a meaning to restore.
  static void enable(GLenum cap);
  static void disable(GLenum cap);
  static void blendFunc(GLenum src, GLenum dst);
  static void lineWidth(GLfloat width);
  static void texParameteri(GLenum target, GLenum pname, GLint param);
  static void texEnvf(GLenum target, GLenum pname, GLfloat param);
  static void texEnvi(GLenum target, GLenum pname, GLint param);
  static void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                         GLsizei height, GLint border, GLenum format, GLenum type,
                         const GLvoid* pixels);
  static void pixelStorei(GLenum pname, GLint param);
  static void bindBuffer(GLenum target, GLuint buffer);
  static void getIntegerv(GLenum pname, GLint* params);
  static void getFloatv(GLenum pname, GLfloat* params);
  static void pushAttrib(GLbitfield mask);
  static void popAttrib();
  static void pushClientAttrib(GLbitfield mask);
  static void popClientAttrib();
  static GLenum getError();
  static const GLubyte* errorString(GLenum error);

  // Any other call: made unless a list is being compiled, when it is refused and reported.
  template <typename R, typename... P, typename... A>
  static R call(const char* name, R (*function)(P...), A... args) {
    if (refusedInList(name)) {
      return R();
    }
    return function(static_cast<P>(args)...);
  }
  // A command GL runs at once, list or no list.
  template <typename R, typename... P, typename... A>
  static R now(R (*function)(P...), A... args) {
    return function(static_cast<P>(args)...);
  }

  // Back to the state of a new context: no lists, no saved attributes, default tracking.
  // For tests, which share one context between cases.
  static void reset();

 private:
  static bool refusedInList(const char* name);
};
