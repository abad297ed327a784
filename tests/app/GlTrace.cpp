// GlTrace: preloaded into the demo, it writes each GL call the program makes, with its
// arguments, to the file named by VUNA_GL_TRACE, up to the first glutSwapBuffers: the calls of
// the first frame. The end-to-end test holds that list to the one the demo made before its
// calls went through the GL layer, so that on a compatibility context the layer is invisible.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

std::FILE* out() {
  static std::FILE* file = [] {
    const char* path = std::getenv("VUNA_GL_TRACE");
    return path != nullptr ? std::fopen(path, "w") : nullptr;
  }();
  return file;
}

bool tracing = true;

void write(const char* line) {
  if (tracing && out() != nullptr) {
    std::fputs(line, out());
    std::fputc('\n', out());
  }
}

template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// Each traced function: its line (the format and what it prints), then the driver's own.
#define VUNA_TRACE(ret, name, params, args, ...)             \
  extern "C" ret name params {                               \
    char line[256];                                          \
    std::snprintf(line, sizeof line, #name "(" __VA_ARGS__); \
    write(line);                                             \
    static const auto real = next<ret(*) params>(#name);     \
    return real args;                                        \
  }

#define VUNA_TRACE0(name)                             \
  extern "C" void name() {                            \
    write(#name "()");                                \
    static const auto real = next<void (*)()>(#name); \
    real();                                           \
  }

VUNA_TRACE0(glEnd)
VUNA_TRACE0(glEndList)
VUNA_TRACE0(glLoadIdentity)
VUNA_TRACE0(glPushMatrix)
VUNA_TRACE0(glPopMatrix)
VUNA_TRACE0(glPopAttrib)
VUNA_TRACE0(glPopClientAttrib)
VUNA_TRACE(GLuint, glGenLists, (GLsizei range), (range), "%d)", range)
VUNA_TRACE(void, glNewList, (GLuint list, GLenum mode), (list, mode), "%u, 0x%x)", list, mode)
VUNA_TRACE(void, glDeleteLists, (GLuint list, GLsizei range), (list, range), "%u, %d)", list, range)
VUNA_TRACE(void, glListBase, (GLuint base), (base), "%u)", base)
VUNA_TRACE(void, glCallLists, (GLsizei n, GLenum type, const GLvoid* lists), (n, type, lists),
           "%d, 0x%x, %.*s)", n, type, n > 0 && type == GL_UNSIGNED_BYTE ? n : 0,
           static_cast<const char*>(lists))
VUNA_TRACE(GLboolean, glIsList, (GLuint list), (list), "%u)", list)
VUNA_TRACE(void, glBegin, (GLenum mode), (mode), "0x%x)", mode)
VUNA_TRACE(void, glVertex2f, (GLfloat x, GLfloat y), (x, y), "%.9g, %.9g)", x, y)
VUNA_TRACE(void, glVertex2i, (GLint x, GLint y), (x, y), "%d, %d)", x, y)
VUNA_TRACE(void, glTexCoord2f, (GLfloat s, GLfloat t), (s, t), "%.9g, %.9g)", s, t)
VUNA_TRACE(void, glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b), "%.9g, %.9g, %.9g)", r, g,
           b)
VUNA_TRACE(void, glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a),
           "%.9g, %.9g, %.9g, %.9g)", r, g, b, a)
VUNA_TRACE(void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), "%.9g, %.9g, %.9g)", x,
           y, z)
VUNA_TRACE(void, glScalef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), "%.9g, %.9g, %.9g)", x, y,
           z)
VUNA_TRACE(void, glMatrixMode, (GLenum mode), (mode), "0x%x)", mode)
VUNA_TRACE(void, glLoadMatrixf, (const GLfloat* m), (m), "%.9g, %.9g, ..., %.9g, %.9g)", m[0], m[1],
           m[12], m[13])
VUNA_TRACE(void, glOrtho, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f),
           (l, r, b, t, n, f), "%g, %g, %g, %g, %g, %g)", l, r, b, t, n, f)
VUNA_TRACE(void, glEnable, (GLenum cap), (cap), "0x%x)", cap)
VUNA_TRACE(void, glDisable, (GLenum cap), (cap), "0x%x)", cap)
VUNA_TRACE(void, glBlendFunc, (GLenum s, GLenum d), (s, d), "0x%x, 0x%x)", s, d)
VUNA_TRACE(void, glLineWidth, (GLfloat w), (w), "%g)", w)
VUNA_TRACE(void, glPolygonMode, (GLenum face, GLenum mode), (face, mode), "0x%x, 0x%x)", face, mode)
VUNA_TRACE(void, glShadeModel, (GLenum mode), (mode), "0x%x)", mode)
VUNA_TRACE(void, glColorMask, (GLboolean r, GLboolean g, GLboolean b, GLboolean a), (r, g, b, a),
           "%d, %d, %d, %d)", r, g, b, a)
VUNA_TRACE(void, glScissor, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h),
           "%d, %d, %d, %d)", x, y, w, h)
VUNA_TRACE(void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h),
           "%d, %d, %d, %d)", x, y, w, h)
VUNA_TRACE(void, glClear, (GLbitfield mask), (mask), "0x%x)", mask)
VUNA_TRACE(void, glPushAttrib, (GLbitfield mask), (mask), "0x%x)", mask)
VUNA_TRACE(void, glPushClientAttrib, (GLbitfield mask), (mask), "0x%x)", mask)
VUNA_TRACE(void, glGenTextures, (GLsizei n, GLuint* t), (n, t), "%d)", n)
VUNA_TRACE(void, glDeleteTextures, (GLsizei n, const GLuint* t), (n, t), "%d, %u)", n,
           n > 0 ? *t : 0u)
VUNA_TRACE(void, glBindTexture, (GLenum target, GLuint t), (target, t), "0x%x, %u)", target, t)
VUNA_TRACE(void, glActiveTexture, (GLenum unit), (unit), "0x%x)", unit)
VUNA_TRACE(void, glClientActiveTexture, (GLenum unit), (unit), "0x%x)", unit)
VUNA_TRACE(void, glTexParameteri, (GLenum target, GLenum p, GLint v), (target, p, v),
           "0x%x, 0x%x, 0x%x)", target, p, v)
VUNA_TRACE(void, glTexEnvf, (GLenum target, GLenum p, GLfloat v), (target, p, v), "0x%x, 0x%x, %g)",
           target, p, v)
VUNA_TRACE(void, glTexEnvi, (GLenum target, GLenum p, GLint v), (target, p, v), "0x%x, 0x%x, 0x%x)",
           target, p, v)
VUNA_TRACE(void, glTexImage2D,
           (GLenum target, GLint level, GLint internal, GLsizei w, GLsizei h, GLint border,
            GLenum format, GLenum type, const GLvoid* pixels),
           (target, level, internal, w, h, border, format, type, pixels),
           "0x%x, %d, 0x%x, %d, %d, %d, 0x%x, 0x%x)", target, level, internal, w, h, border, format,
           type)
VUNA_TRACE(void, glPixelStorei, (GLenum p, GLint v), (p, v), "0x%x, %d)", p, v)
VUNA_TRACE(void, glBindBuffer, (GLenum target, GLuint b), (target, b), "0x%x, %u)", target, b)
VUNA_TRACE(void, glGetIntegerv, (GLenum p, GLint* v), (p, v), "0x%x)", p)
VUNA_TRACE(void, glGetFloatv, (GLenum p, GLfloat* v), (p, v), "0x%x)", p)
VUNA_TRACE(GLenum, glGetError, (), (), ")")
VUNA_TRACE(const GLubyte*, glGetString, (GLenum name), (name), "0x%x)", name)

// The end of the first frame: nothing is written after it.
extern "C" void glutSwapBuffers() {
  write("glutSwapBuffers()");
  if (out() != nullptr) {
    std::fflush(out());
  }
  tracing = false;
  static const auto real = next<void (*)()>("glutSwapBuffers");
  real();
}
