#define GL_GLEXT_PROTOTYPES 1
#include "VGLCompat.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "draw/VDisplayLists.h"

namespace {

// Desktop GL guarantees at least 16 entries on each attribute stack.
constexpr std::size_t kStackDepth = 16;

struct Color {
  GLfloat r, g, b, a;
};

// A vertex as the program gave it, with the colour and texture coordinate current then.
struct Vertex {
  GLfloat x, y;
  GLfloat s, t;
  Color color;
};

// The unpack parameters the toolkit sets. WebGL 1 knows only the alignment; the others are
// kept here so that a program reads back what it set, and only their default of 0 is served.
constexpr GLenum kUnpackParameters[] = {
    GL_UNPACK_ALIGNMENT,   GL_UNPACK_ROW_LENGTH,  GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
    GL_UNPACK_IMAGE_HEIGHT, GL_UNPACK_SKIP_IMAGES, GL_UNPACK_SWAP_BYTES, GL_UNPACK_LSB_FIRST};
constexpr std::size_t kUnpackCount = sizeof(kUnpackParameters) / sizeof(kUnpackParameters[0]);

int unpackIndex(GLenum pname) {
  for (std::size_t i = 0; i < kUnpackCount; ++i) {
    if (kUnpackParameters[i] == pname) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// Capabilities WebGL keeps, with the attribute groups that hold each.
struct KeptCapability {
  GLenum cap;
  GLbitfield groups;
};
constexpr KeptCapability kKeptCapabilities[] = {
    {GL_DEPTH_TEST, GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT},
    {GL_CULL_FACE, GL_ENABLE_BIT | GL_POLYGON_BIT},
    {GL_POLYGON_OFFSET_FILL, GL_ENABLE_BIT | GL_POLYGON_BIT},
    {GL_SCISSOR_TEST, GL_ENABLE_BIT | GL_SCISSOR_BIT},
    {GL_STENCIL_TEST, GL_ENABLE_BIT | GL_STENCIL_BUFFER_BIT},
    {GL_DITHER, GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT}};
constexpr std::size_t kKeptCount = sizeof(kKeptCapabilities) / sizeof(kKeptCapabilities[0]);

// One entry of the server attribute stack: the groups asked for and their state then.
struct ServerAttributes {
  GLbitfield mask;
  Color color;
  GLfloat texS, texT;
  bool texture2D, blend;
  bool kept[kKeptCount];
  GLenum blendSrc, blendDst;
  GLboolean colorMask[4];
  GLfloat clearColor[4];
  GLfloat lineWidth;
  GLint viewport[4];
  GLint scissorBox[4];
  GLint activeTexture;
  GLint textureBinding;
  GLint envMode;
};

// One entry of the client attribute stack.
struct ClientAttributes {
  GLbitfield mask;
  GLint unpack[kUnpackCount];
};

struct State {
  VDisplayLists lists;
  // The primitive between begin and end, kept until end.
  bool inPrimitive = false;
  GLenum mode = 0;
  std::vector<Vertex> primitive;
  Color color{1.0f, 1.0f, 1.0f, 1.0f};
  GLfloat texS = 0.0f;
  GLfloat texT = 0.0f;
  GLfloat lineWidth = 1.0f;
  bool texture2D = false;
  bool blend = false;
  GLenum blendSrc = GL_ONE;
  GLenum blendDst = GL_ZERO;
  GLint envMode = GL_MODULATE;
  GLint unpack[kUnpackCount] = {4, 0, 0, 0, 0, 0, 0, 0};
  std::vector<ServerAttributes> server;
  std::vector<ClientAttributes> client;
  GLenum error = GL_NO_ERROR;
  std::set<std::string> reported;
};

State& state() {
  static State s;
  return s;
}

void setError(GLenum error) {
  if (state().error == GL_NO_ERROR) {
    state().error = error;
  }
}

// One line on standard error the first time each problem is met: loud enough to be seen in a
// browser's console, without a flood from a call made every frame.
void report(const std::string& line) {
  if (state().reported.insert(line).second) {
    std::fprintf(stderr, "Vuna web GL: %s\n", line.c_str());
    std::fflush(stderr);
  }
}

bool isLineMode(GLenum mode) {
  return mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
}

void record(VDisplayLists::Op op, GLenum mode, GLfloat a, GLfloat b, GLfloat c, GLfloat d) {
  state().lists.record(VDisplayLists::Call{op, mode, {a, b, c, d}});
}

void setCapability(GLenum cap, bool on) {
  if (cap == GL_TEXTURE_2D) {
    state().texture2D = on;
  } else if (cap == GL_BLEND) {
    state().blend = on;
  }
  if (on) {
    ::glEnable(cap);
  } else {
    ::glDisable(cap);
  }
}

// p = m * (x, y, 0, 1) for a column-major 4 by 4 matrix.
void transform(const GLfloat* m, const GLfloat in[4], GLfloat out[4]) {
  for (int row = 0; row < 4; ++row) {
    out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
  }
}

// The colour of a vertex, so that it lands on the framebuffer value a desktop GL gives: the
// emulation stores per-vertex colours as bytes by truncation, where Mesa rounds c * 255 to the
// nearest byte, halves to even (0.3 gives 76, 0.5 gives 128). The byte is given with a quarter
// over it, so that the truncation keeps it.
void vertexColor(const Color& c) {
  const auto exact = [](GLfloat v) {
    const GLfloat clamped = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
    return (std::nearbyint(clamped * 255.0f) + 0.25f) / 255.0f;
  };
  ::glColor4f(exact(c.r), exact(c.g), exact(c.b), exact(c.a));
}

// A desktop GL widens a line across its minor axis: a line steeper than 45 degrees gets
// width / 2 on each side in x, a flatter one in y, and its ends stay square to that axis. The
// same parallelogram, drawn as two triangles in window space, covers the same pixels. Draws the
// first n vertices.
void drawWideLines(GLenum mode, const std::vector<Vertex>& vertices, std::size_t n,
                   GLfloat width) {
  std::vector<std::pair<std::size_t, std::size_t>> segments;
  if (mode == GL_LINES) {
    for (std::size_t i = 0; i + 1 < n; i += 2) segments.emplace_back(i, i + 1);
  } else if (n >= 2) {
    for (std::size_t i = 0; i + 1 < n; ++i) segments.emplace_back(i, i + 1);
    if (mode == GL_LINE_LOOP) segments.emplace_back(n - 1, 0);
  }
  if (segments.empty()) {
    return;
  }

  GLfloat modelView[16];
  GLfloat projection[16];
  GLint viewport[4];
  GLint matrixMode = GL_MODELVIEW;
  ::glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  ::glGetFloatv(GL_PROJECTION_MATRIX, projection);
  ::glGetIntegerv(GL_VIEWPORT, viewport);
  ::glGetIntegerv(GL_MATRIX_MODE, &matrixMode);

  std::vector<Vertex> window(n);
  for (std::size_t i = 0; i < n; ++i) {
    const GLfloat object[4] = {vertices[i].x, vertices[i].y, 0.0f, 1.0f};
    GLfloat eye[4];
    GLfloat clip[4];
    transform(modelView, object, eye);
    transform(projection, eye, clip);
    const GLfloat w = clip[3] != 0.0f ? clip[3] : 1.0f;
    window[i].x = static_cast<GLfloat>(viewport[0]) +
                  (clip[0] / w + 1.0f) * 0.5f * static_cast<GLfloat>(viewport[2]);
    window[i].y = static_cast<GLfloat>(viewport[1]) +
                  (clip[1] / w + 1.0f) * 0.5f * static_cast<GLfloat>(viewport[3]);
    window[i].color = vertices[i].color;
  }

  // The matrices are kept by value: a program may have filled the short projection stack.
  ::glMatrixMode(GL_PROJECTION);
  ::glLoadIdentity();
  ::glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1,
            1);
  ::glMatrixMode(GL_MODELVIEW);
  ::glLoadIdentity();
  ::glBegin(GL_TRIANGLES);
  const GLfloat half = width / 2.0f;
  for (const auto& [first, second] : segments) {
    const Vertex& a = window[first];
    const Vertex& b = window[second];
    const bool xMajor = std::fabs(b.x - a.x) >= std::fabs(b.y - a.y);
    const GLfloat ox = xMajor ? 0.0f : half;
    const GLfloat oy = xMajor ? half : 0.0f;
    const Vertex corners[4] = {{a.x - ox, a.y - oy, 0, 0, a.color},
                               {a.x + ox, a.y + oy, 0, 0, a.color},
                               {b.x + ox, b.y + oy, 0, 0, b.color},
                               {b.x - ox, b.y - oy, 0, 0, b.color}};
    for (int index : {0, 1, 2, 0, 2, 3}) {
      const Vertex& c = corners[index];
      vertexColor(c.color);
      ::glVertex2f(c.x, c.y);
    }
  }
  ::glEnd();
  ::glLoadMatrixf(modelView);
  ::glMatrixMode(GL_PROJECTION);
  ::glLoadMatrixf(projection);
  ::glMatrixMode(static_cast<GLenum>(matrixMode));
}

// The emulation's immediate mode is one interleaved stream that expects the same attributes
// for every vertex, and it has no GL_POLYGON. So a primitive is kept until its end and then
// given with a colour for every vertex (and a texture coordinate while texturing is on), as
// the triangle fan that a convex polygon is. A quad strip is the triangle strip of the same vertices. Vertices that complete no
// primitive are dropped, as GL drops them.
void drawPrimitive(const State& s) {
  std::size_t n = s.primitive.size();
  GLenum mode = s.mode;
  switch (mode) {
    case GL_LINES: n -= n % 2; break;
    case GL_TRIANGLES: n -= n % 3; break;
    case GL_QUADS: n -= n % 4; break;
    case GL_QUAD_STRIP: n = n < 4 ? 0 : n - n % 2; mode = GL_TRIANGLE_STRIP; break;
    case GL_POLYGON: n = n < 3 ? 0 : n; mode = GL_TRIANGLE_FAN; break;
    case GL_TRIANGLE_STRIP:
    case GL_TRIANGLE_FAN: n = n < 3 ? 0 : n; break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP: n = n < 2 ? 0 : n; break;
    default: break;  // GL_POINTS
  }
  // Aliased lines are as wide as their width rounded to whole pixels, one at least.
  const GLfloat lineWidth = std::max(1.0f, std::round(s.lineWidth));
  if (n == 0) {
    // nothing to draw
  } else if (isLineMode(mode) && lineWidth > 1.0f) {
    drawWideLines(mode, s.primitive, n, lineWidth);
  } else {
    ::glBegin(mode);
    for (std::size_t i = 0; i < n; ++i) {
      const Vertex& v = s.primitive[i];
      vertexColor(v.color);
      if (s.texture2D) {
        ::glTexCoord2f(v.s, v.t);
      }
      ::glVertex2f(v.x, v.y);
    }
    ::glEnd();
  }
  // The current colour is the last one given, as a float again outside the primitive.
  ::glColor4f(s.color.r, s.color.g, s.color.b, s.color.a);
}

}  // namespace

bool VGLCompat::refusedInList(const char* name) {
  if (!state().lists.recording()) {
    return false;
  }
  report(std::string(name) + " is not covered inside a display list; it is left out of the list");
  return true;
}

void VGLCompat::reset() { state() = State(); }

// --- display lists ---

GLuint VGLCompat::genLists(GLsizei range) {
  if (range < 0) {
    setError(GL_INVALID_VALUE);
    return 0;
  }
  return state().lists.generate(range);
}

void VGLCompat::newList(GLuint list, GLenum mode) {
  if (mode != GL_COMPILE) {
    report("glNewList is covered for GL_COMPILE only");
    setError(GL_INVALID_ENUM);
    return;
  }
  if (list == 0) {
    setError(GL_INVALID_VALUE);
  } else if (!state().lists.open(list)) {
    setError(GL_INVALID_OPERATION);
  }
}

void VGLCompat::endList() {
  if (!state().lists.close()) {
    setError(GL_INVALID_OPERATION);
  }
}

void VGLCompat::deleteLists(GLuint list, GLsizei range) {
  if (range < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  state().lists.remove(list, range);
}

GLboolean VGLCompat::isList(GLuint list) {
  return state().lists.find(list) != nullptr ? GL_TRUE : GL_FALSE;
}

const void* VGLCompat::currentContext() { return &state(); }

void VGLCompat::listBase(GLuint base) {
  if (refusedInList("glListBase")) return;
  state().lists.setBase(base);
}

void VGLCompat::callLists(GLsizei n, GLenum type, const GLvoid* lists) {
  if (refusedInList("glCallLists")) return;
  if (n < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  if (type != GL_BYTE && type != GL_UNSIGNED_BYTE) {
    report("glCallLists is covered for GL_BYTE and GL_UNSIGNED_BYTE names only");
    setError(GL_INVALID_ENUM);
    return;
  }
  if (n == 0 || lists == nullptr) {
    return;
  }
  for (GLsizei i = 0; i < n; ++i) {
    const int offset = type == GL_BYTE ? static_cast<const GLbyte*>(lists)[i]
                                       : static_cast<const GLubyte*>(lists)[i];
    const VDisplayLists::List* list = state().lists.find(state().lists.nameAt(offset));
    if (list == nullptr) {
      continue;  // a name without a list calls nothing
    }
    for (const VDisplayLists::Call& call : *list) {
      const GLfloat* v = call.v;
      switch (call.op) {
        case VDisplayLists::Op::Begin: begin(call.mode); break;
        case VDisplayLists::Op::End: end(); break;
        case VDisplayLists::Op::Vertex: vertex2f(v[0], v[1]); break;
        case VDisplayLists::Op::TexCoord: texCoord2f(v[0], v[1]); break;
        case VDisplayLists::Op::Color: color4f(v[0], v[1], v[2], v[3]); break;
        case VDisplayLists::Op::Translate: ::glTranslatef(v[0], v[1], v[2]); break;
        case VDisplayLists::Op::Scale: ::glScalef(v[0], v[1], v[2]); break;
      }
    }
  }
}

// --- immediate mode ---

void VGLCompat::begin(GLenum mode) {
  State& s = state();
  if (s.lists.recording()) {
    record(VDisplayLists::Op::Begin, mode, 0, 0, 0, 0);
  } else if (s.inPrimitive) {
    setError(GL_INVALID_OPERATION);
  } else if (mode > GL_POLYGON) {  // GL_POINTS (0) to GL_POLYGON (9) are the primitives
    setError(GL_INVALID_ENUM);
  } else {
    s.inPrimitive = true;
    s.mode = mode;
    s.primitive.clear();
  }
}

void VGLCompat::end() {
  State& s = state();
  if (s.lists.recording()) {
    record(VDisplayLists::Op::End, 0, 0, 0, 0, 0);
  } else if (!s.inPrimitive) {
    setError(GL_INVALID_OPERATION);
  } else {
    s.inPrimitive = false;
    drawPrimitive(s);
    s.primitive.clear();
  }
}

void VGLCompat::vertex2f(GLfloat x, GLfloat y) {
  State& s = state();
  if (s.lists.recording()) {
    record(VDisplayLists::Op::Vertex, 0, x, y, 0, 0);
  } else if (s.inPrimitive) {
    s.primitive.push_back(Vertex{x, y, s.texS, s.texT, s.color});
  }
  // A vertex outside glBegin and glEnd draws nothing in GL either.
}

void VGLCompat::vertex2i(GLint x, GLint y) {
  vertex2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y));
}

void VGLCompat::texCoord2f(GLfloat s, GLfloat t) {
  if (state().lists.recording()) {
    record(VDisplayLists::Op::TexCoord, 0, s, t, 0, 0);
  } else {
    state().texS = s;
    state().texT = t;
  }
}

void VGLCompat::color3f(GLfloat r, GLfloat g, GLfloat b) { color4f(r, g, b, 1.0f); }

void VGLCompat::color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  State& s = state();
  if (s.lists.recording()) {
    record(VDisplayLists::Op::Color, 0, r, g, b, a);
    return;
  }
  s.color = Color{r, g, b, a};
  if (!s.inPrimitive) {
    ::glColor4f(r, g, b, a);
  }
}

void VGLCompat::translatef(GLfloat x, GLfloat y, GLfloat z) {
  if (state().lists.recording()) {
    record(VDisplayLists::Op::Translate, 0, x, y, z, 0);
  } else {
    ::glTranslatef(x, y, z);
  }
}

void VGLCompat::scalef(GLfloat x, GLfloat y, GLfloat z) {
  if (state().lists.recording()) {
    record(VDisplayLists::Op::Scale, 0, x, y, z, 0);
  } else {
    ::glScalef(x, y, z);
  }
}

// --- state ---

void VGLCompat::enable(GLenum cap) {
  if (!refusedInList("glEnable")) setCapability(cap, true);
}

void VGLCompat::disable(GLenum cap) {
  if (!refusedInList("glDisable")) setCapability(cap, false);
}

void VGLCompat::blendFunc(GLenum src, GLenum dst) {
  if (refusedInList("glBlendFunc")) return;
  state().blendSrc = src;
  state().blendDst = dst;
  ::glBlendFunc(src, dst);
}

void VGLCompat::lineWidth(GLfloat width) {
  if (refusedInList("glLineWidth")) return;
  if (!(width > 0.0f)) {
    setError(GL_INVALID_VALUE);
    return;
  }
  state().lineWidth = width;
}

void VGLCompat::texParameteri(GLenum target, GLenum pname, GLint param) {
  if (refusedInList("glTexParameteri")) return;
  if ((pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T) && param == GL_CLAMP) {
    param = GL_CLAMP_TO_EDGE;
  }
  ::glTexParameteri(target, pname, param);
}

void VGLCompat::texEnvf(GLenum target, GLenum pname, GLfloat param) {
  if (refusedInList("glTexEnvf")) return;
  if (pname == GL_TEXTURE_ENV_MODE) {
    texEnvi(target, pname, static_cast<GLint>(param));
  } else {
    ::glTexEnvf(target, pname, param);
  }
}

void VGLCompat::texEnvi(GLenum target, GLenum pname, GLint param) {
  if (refusedInList("glTexEnvi")) return;
  if (target == GL_TEXTURE_ENV && pname == GL_TEXTURE_ENV_MODE) {
    state().envMode = param;
  }
  ::glTexEnvi(target, pname, param);
}

void VGLCompat::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                           GLsizei height, GLint border, GLenum format, GLenum type,
                           const GLvoid* pixels) {
  if (refusedInList("glTexImage2D")) return;
  if (internalFormat != GL_INTENSITY || format != GL_LUMINANCE || type != GL_UNSIGNED_BYTE ||
      width < 0 || height < 0) {
    ::glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
    return;
  }
  // Sizes GL would refuse are refused before anything is copied, so that the copy's sizes
  // stay small (size_t has 32 bits in WebAssembly).
  GLint largest = 0;
  ::glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (width > largest + 2 * border || height > largest + 2 * border) {
    setError(GL_INVALID_VALUE);
    return;
  }
  // Intensity gives each grey value to all four channels; luminance-alpha with the grey value
  // in both places samples the same.
  std::vector<GLubyte> expanded;
  if (pixels != nullptr) {
    const auto alignment = static_cast<std::size_t>(state().unpack[0]);
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    const std::size_t stride = (w + alignment - 1) / alignment * alignment;
    expanded.resize(w * h * 2);
    const auto* source = static_cast<const GLubyte*>(pixels);
    for (std::size_t row = 0; row < h; ++row) {
      for (std::size_t x = 0; x < w; ++x) {
        const GLubyte grey = source[row * stride + x];
        expanded[(row * w + x) * 2] = grey;
        expanded[(row * w + x) * 2 + 1] = grey;
      }
    }
  }
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  ::glTexImage2D(target, level, GL_LUMINANCE_ALPHA, width, height, border, GL_LUMINANCE_ALPHA,
                 GL_UNSIGNED_BYTE, pixels != nullptr ? expanded.data() : nullptr);
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, state().unpack[0]);
}

void VGLCompat::pixelStorei(GLenum pname, GLint param) {
  const int index = unpackIndex(pname);
  if (index < 0) {
    ::glPixelStorei(pname, param);
    return;
  }
  if (pname == GL_UNPACK_ALIGNMENT) {
    if (param != 1 && param != 2 && param != 4 && param != 8) {
      setError(GL_INVALID_VALUE);  // and the alignment stays as it was
      return;
    }
    ::glPixelStorei(pname, param);
  } else if (param != 0) {
    char line[96];
    std::snprintf(line, sizeof line,
                  "glPixelStorei of unpack parameter 0x%04X is covered for its default 0 only",
                  pname);
    report(line);
    return;
  }
  state().unpack[index] = param;
}

void VGLCompat::bindBuffer(GLenum target, GLuint buffer) {
  if (target == GL_PIXEL_UNPACK_BUFFER) {
    // WebGL 1 has no pixel buffers: none is ever bound, and unbinding changes nothing.
    if (buffer != 0) {
      report("glBindBuffer of a pixel unpack buffer is not covered");
    }
    return;
  }
  ::glBindBuffer(target, buffer);
}

void VGLCompat::getIntegerv(GLenum pname, GLint* params) {
  const State& s = state();
  switch (pname) {
    case GL_ATTRIB_STACK_DEPTH: *params = static_cast<GLint>(s.server.size()); return;
    case GL_CLIENT_ATTRIB_STACK_DEPTH: *params = static_cast<GLint>(s.client.size()); return;
    case GL_MAX_ATTRIB_STACK_DEPTH:
    case GL_MAX_CLIENT_ATTRIB_STACK_DEPTH: *params = static_cast<GLint>(kStackDepth); return;
    case GL_PIXEL_UNPACK_BUFFER_BINDING: *params = 0; return;
    case GL_LIST_BASE: *params = static_cast<GLint>(s.lists.getBase()); return;
    case GL_BLEND_SRC: *params = static_cast<GLint>(s.blendSrc); return;
    case GL_BLEND_DST: *params = static_cast<GLint>(s.blendDst); return;
    default: break;
  }
  if (const int index = unpackIndex(pname); index >= 0) {
    *params = s.unpack[index];
    return;
  }
  ::glGetIntegerv(pname, params);
}

void VGLCompat::getFloatv(GLenum pname, GLfloat* params) {
  const State& s = state();
  if (pname == GL_LINE_WIDTH) {
    *params = s.lineWidth;
  } else if (pname == GL_CURRENT_COLOR) {
    params[0] = s.color.r;
    params[1] = s.color.g;
    params[2] = s.color.b;
    params[3] = s.color.a;
  } else {
    ::glGetFloatv(pname, params);
  }
}

void VGLCompat::pushAttrib(GLbitfield mask) {
  if (refusedInList("glPushAttrib")) return;
  State& s = state();
  if (s.server.size() >= kStackDepth) {
    setError(GL_STACK_OVERFLOW);
    return;
  }
  ServerAttributes a{};
  a.mask = mask;
  a.color = s.color;
  a.texS = s.texS;
  a.texT = s.texT;
  a.texture2D = s.texture2D;
  a.blend = s.blend;
  for (std::size_t i = 0; i < kKeptCount; ++i) {
    a.kept[i] = ::glIsEnabled(kKeptCapabilities[i].cap) == GL_TRUE;
  }
  a.blendSrc = s.blendSrc;
  a.blendDst = s.blendDst;
  ::glGetBooleanv(GL_COLOR_WRITEMASK, a.colorMask);
  ::glGetFloatv(GL_COLOR_CLEAR_VALUE, a.clearColor);
  a.lineWidth = s.lineWidth;
  ::glGetIntegerv(GL_VIEWPORT, a.viewport);
  ::glGetIntegerv(GL_SCISSOR_BOX, a.scissorBox);
  ::glGetIntegerv(GL_ACTIVE_TEXTURE, &a.activeTexture);
  ::glGetIntegerv(GL_TEXTURE_BINDING_2D, &a.textureBinding);
  a.envMode = s.envMode;
  s.server.push_back(a);
}

void VGLCompat::popAttrib() {
  if (refusedInList("glPopAttrib")) return;
  State& s = state();
  if (s.server.empty()) {
    setError(GL_STACK_UNDERFLOW);
    return;
  }
  const ServerAttributes a = s.server.back();
  s.server.pop_back();
  if ((a.mask & GL_TEXTURE_BIT) != 0) {
    // The group holds the active unit too; the unit's enable, binding and mode go back to it.
    ::glActiveTexture(static_cast<GLenum>(a.activeTexture));
  }
  if ((a.mask & GL_CURRENT_BIT) != 0) {
    color4f(a.color.r, a.color.g, a.color.b, a.color.a);
    s.texS = a.texS;
    s.texT = a.texT;
  }
  if ((a.mask & (GL_ENABLE_BIT | GL_TEXTURE_BIT)) != 0) {
    setCapability(GL_TEXTURE_2D, a.texture2D);
  }
  if ((a.mask & (GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT)) != 0) {
    setCapability(GL_BLEND, a.blend);
  }
  for (std::size_t i = 0; i < kKeptCount; ++i) {
    if ((a.mask & kKeptCapabilities[i].groups) != 0) {
      setCapability(kKeptCapabilities[i].cap, a.kept[i]);
    }
  }
  if ((a.mask & GL_SCISSOR_BIT) != 0) {
    ::glScissor(a.scissorBox[0], a.scissorBox[1], a.scissorBox[2], a.scissorBox[3]);
  }
  if ((a.mask & GL_COLOR_BUFFER_BIT) != 0) {
    blendFunc(a.blendSrc, a.blendDst);
    ::glColorMask(a.colorMask[0], a.colorMask[1], a.colorMask[2], a.colorMask[3]);
    ::glClearColor(a.clearColor[0], a.clearColor[1], a.clearColor[2], a.clearColor[3]);
  }
  if ((a.mask & GL_LINE_BIT) != 0) {
    s.lineWidth = a.lineWidth;
  }
  if ((a.mask & GL_VIEWPORT_BIT) != 0) {
    ::glViewport(a.viewport[0], a.viewport[1], a.viewport[2], a.viewport[3]);
  }
  if ((a.mask & GL_TEXTURE_BIT) != 0) {
    ::glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(a.textureBinding));
    texEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, a.envMode);
  }
}

void VGLCompat::pushClientAttrib(GLbitfield mask) {
  State& s = state();
  if (s.client.size() >= kStackDepth) {
    setError(GL_STACK_OVERFLOW);
    return;
  }
  ClientAttributes a{};
  a.mask = mask;
  std::copy(std::begin(s.unpack), std::end(s.unpack), a.unpack);
  s.client.push_back(a);
}

void VGLCompat::popClientAttrib() {
  State& s = state();
  if (s.client.empty()) {
    setError(GL_STACK_UNDERFLOW);
    return;
  }
  const ClientAttributes a = s.client.back();
  s.client.pop_back();
  if ((a.mask & GL_CLIENT_PIXEL_STORE_BIT) != 0) {
    for (std::size_t i = 0; i < kUnpackCount; ++i) {
      pixelStorei(kUnpackParameters[i], a.unpack[i]);
    }
  }
}

GLenum VGLCompat::getError() {
  const GLenum own = state().error;
  if (own != GL_NO_ERROR) {
    state().error = GL_NO_ERROR;
    return own;
  }
  return ::glGetError();
}

const GLubyte* VGLCompat::errorString(GLenum error) {
  const char* text = nullptr;
  switch (error) {
    case GL_NO_ERROR: text = "no error"; break;
    case GL_INVALID_ENUM: text = "invalid enumerant"; break;
    case GL_INVALID_VALUE: text = "invalid value"; break;
    case GL_INVALID_OPERATION: text = "invalid operation"; break;
    case GL_STACK_OVERFLOW: text = "stack overflow"; break;
    case GL_STACK_UNDERFLOW: text = "stack underflow"; break;
    case GL_OUT_OF_MEMORY: text = "out of memory"; break;
    case 0x0506: text = "invalid framebuffer operation"; break;
    default: return nullptr;
  }
  return reinterpret_cast<const GLubyte*>(text);
}
