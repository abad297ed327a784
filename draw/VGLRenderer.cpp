#include "draw/VGLRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/VMessages.h"
#include "draw/VGLLayer.h"

// GL 1.x names a core profile's headers may lack.
#ifndef GL_CLAMP
#define GL_CLAMP 0x2900
#endif
#ifndef GL_INTENSITY
#define GL_INTENSITY 0x8049
#endif
// WebGL 2 has no polygon mode; a browser's context is ES, where the renderer never sets it.
#if defined(__EMSCRIPTEN__)
#define glPolygonMode(face, mode) static_cast<void>(0)
#endif

namespace {

// The stack depths Mesa gives a compatibility context, so that a program sees the same room.
constexpr std::size_t kStackDepths[3] = {32, 32, 10};
constexpr std::size_t kAttribDepth = 16;
// Vertices a batch holds at most (2.5 MB) before it is drawn.
constexpr std::size_t kBatchLimit = 1 << 16;

// The unpack parameters kept for the toolkit; the renderer reads pixels with them itself.
constexpr GLenum kUnpackNames[] = {
    GL_UNPACK_ALIGNMENT,    GL_UNPACK_ROW_LENGTH,  GL_UNPACK_SKIP_ROWS,  GL_UNPACK_SKIP_PIXELS,
    GL_UNPACK_IMAGE_HEIGHT, GL_UNPACK_SKIP_IMAGES, GL_UNPACK_SWAP_BYTES, GL_UNPACK_LSB_FIRST};

int unpackIndex(GLenum pname) {
  for (int i = 0; i < 8; ++i) {
    if (kUnpackNames[i] == pname) {
      return i;
    }
  }
  return -1;
}

// Capabilities the driver keeps in a programmable context, so they go through to it; every
// other one the toolkit switches (lighting, fog, texture generation, ...) means nothing there.
constexpr GLenum kDriverCapabilities[] = {
    GL_DEPTH_TEST,    GL_CULL_FACE,       GL_STENCIL_TEST, GL_POLYGON_OFFSET_FILL,
    GL_DITHER,        GL_SAMPLE_ALPHA_TO_COVERAGE, GL_SAMPLE_COVERAGE, GL_RASTERIZER_DISCARD};
constexpr GLenum kDesktopCapabilities[] = {
    GL_COLOR_LOGIC_OP, GL_FRAMEBUFFER_SRGB, GL_POLYGON_OFFSET_LINE, GL_DEPTH_CLAMP,
    GL_CLIP_DISTANCE0, GL_CLIP_DISTANCE1,   GL_CLIP_DISTANCE2,     GL_CLIP_DISTANCE3,
    GL_CLIP_DISTANCE4, GL_CLIP_DISTANCE5,   GL_LINE_SMOOTH,        GL_POLYGON_SMOOTH};

// A scissor box that clips nothing.
constexpr std::int16_t kOpenBox[4] = {std::numeric_limits<std::int16_t>::min(),
                                      std::numeric_limits<std::int16_t>::min(),
                                      std::numeric_limits<std::int16_t>::max(),
                                      std::numeric_limits<std::int16_t>::max()};

// Lines that run along neither a row nor a column (see thinLineSpan for those) are drawn as
// parallelograms: a thin one's ends move back along it by kEndShift, so that the pixel its start
// is in is lit and the one its end is in is not, and it moves by kAcrossShift across, to the row
// below (the column left of) a border it runs on, as Mesa lights it. Wider lines are quads in
// the driver too, cut by the rule triangles follow: no shift.
constexpr float kEndShift = 1.0f / 256.0f;
constexpr float kAcrossShift = -1.0f / 256.0f;

const char* const kVertexShader = R"(
in vec4 aPosition;
in vec2 aTexCoord;
in vec4 aColor;
in vec4 aShading;
in vec4 aBox;
out vec2 vTexCoord;
out vec4 vColor;
flat out float vShading;
flat out vec4 vBox;
void main() {
  gl_Position = aPosition;
  vTexCoord = aTexCoord;
  vColor = aColor;
  vShading = aShading.x;
  vBox = aBox;
}
)";

// Shading 0: the colour; 1: the colour modulated by the texture; 2: the texture; 3: the texture's
// colour with the fragment's alpha (GL_REPLACE on a texture without alpha).
const char* const kFragmentShader = R"(
uniform sampler2D uTexture;
in vec2 vTexCoord;
in vec4 vColor;
flat in float vShading;
flat in vec4 vBox;
out vec4 fragColor;
void main() {
  if (gl_FragCoord.x < vBox.x || gl_FragCoord.y < vBox.y ||
      gl_FragCoord.x >= vBox.z || gl_FragCoord.y >= vBox.w) {
    discard;
  }
  if (vShading < 0.5) {
    fragColor = vColor;
    return;
  }
  vec4 t = texture(uTexture, vTexCoord);
  if (vShading < 1.5) {
    fragColor = vColor * t;
  } else if (vShading < 2.5) {
    fragColor = t;
  } else {
    fragColor = vec4(t.rgb, vColor.a);
  }
}
)";

// Mesa rounds a colour to the nearest byte, halves to even.
std::uint8_t toByte(float v) {
  const float clamped = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
  return static_cast<std::uint8_t>(std::nearbyint(clamped * 255.0f));
}

std::int16_t toShort(long v) {
  return static_cast<std::int16_t>(std::clamp<long>(v, std::numeric_limits<std::int16_t>::min(),
                                                    std::numeric_limits<std::int16_t>::max()));
}

void identity(float* m) {
  for (int i = 0; i < 16; ++i) {
    m[i] = i % 5 == 0 ? 1.0f : 0.0f;
  }
}

// r = a * b, column-major.
void product(const float* a, const float* b, float* r) {
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) {
        sum += a[k * 4 + row] * b[column * 4 + k];
      }
      r[column * 4 + row] = sum;
    }
  }
}

GLuint compile(GLenum kind, bool es, const char* body, std::string& log) {
  const char* header = es ? "#version 300 es\nprecision highp float;\nprecision highp sampler2D;\n"
                          : "#version 150\n";
  const char* parts[2] = {header, body};
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 2, parts, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    char text[1024] = {};
    glGetShaderInfoLog(shader, sizeof text, nullptr, text);
    log += text;
  }
  return shader;
}

}  // namespace

VGLRenderer::VGLRenderer() { resetState(); }

void VGLRenderer::resetState() {
  for (int i = 0; i < 3; ++i) {
    Stacks[i].assign(1, Matrix{});
    identity(Stacks[i][0].m);
  }
  MatrixIndex = 0;
  MvpDirty = true;
  std::fill(std::begin(Color), std::end(Color), 1.0f);
  TexS = TexT = 0.0f;
  InPrimitive = false;
  Primitive.clear();
  LineWidth = 1.0f;
  ShadeModel = GL_SMOOTH;
  PolygonModeNow = GL_FILL;
  std::fill(std::begin(Texture2D), std::end(Texture2D), false);
  std::fill(std::begin(EnvMode), std::end(EnvMode), GL_MODULATE);
  std::fill(std::begin(Binding), std::end(Binding), 0u);
  ActiveUnit = ClientActiveUnit = 0;
  Blend = false;
  BlendSrc = GL_ONE;
  BlendDst = GL_ZERO;
  Scissor = false;
  ScissorBoxKnown = false;
  std::fill(std::begin(ColorMaskNow), std::end(ColorMaskNow), GL_TRUE);
  ViewportKnown = false;
  Kept.clear();
  const GLint unpackDefaults[8] = {4, 0, 0, 0, 0, 0, 0, 0};
  std::copy(std::begin(unpackDefaults), std::end(unpackDefaults), Unpack);
  TextureHasAlpha.clear();
  ServerStack.clear();
  ClientStack.clear();
  Error = GL_NO_ERROR;
  Lists = VDisplayLists();
  Batch.clear();
  BatchTexture = 0;
  BatchBlend = bbUndecided;
}

void VGLRenderer::useCurrentContext(bool es) {
  const void* context = VGLLayer::currentContext();
  if (Program != 0 && context == Context && es == Es) {
    return;
  }
  // A new context has none of the old one's lists, textures or state; the old objects went
  // with their context.
  if (Program != 0) {
    resetState();
  }
  Context = context;
  Es = es;
  makeProgram();
}

void VGLRenderer::makeProgram() {
  std::string log;
  const GLuint vertex = compile(GL_VERTEX_SHADER, Es, kVertexShader, log);
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, Es, kFragmentShader, log);
  Program = glCreateProgram();
  glAttachShader(Program, vertex);
  glAttachShader(Program, fragment);
  const char* names[] = {"aPosition", "aTexCoord", "aColor", "aShading", "aBox"};
  for (GLuint i = 0; i < 5; ++i) {
    glBindAttribLocation(Program, i, names[i]);
  }
  glLinkProgram(Program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = GL_FALSE;
  glGetProgramiv(Program, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) {
    char text[1024] = {};
    glGetProgramInfoLog(Program, sizeof text, nullptr, text);
    log += text;
  }
  Failed = linked != GL_TRUE;
  if (Failed) {
    VMessages::write(VMessages::msError,
                     "Vuna: the GL layer's shaders were refused by the driver; nothing is drawn: " +
                         log);
    return;
  }

  GLint program = 0;
  GLint vertexArray = 0;
  GLint arrayBuffer = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
  glUseProgram(Program);
  glUniform1i(glGetUniformLocation(Program, "uTexture"), 0);
  glGenVertexArrays(1, &VertexArray);
  glGenBuffers(1, &Buffer);
  glBindVertexArray(VertexArray);
  glBindBuffer(GL_ARRAY_BUFFER, Buffer);
  const auto stride = static_cast<GLsizei>(sizeof(Output));
  const auto at = [](std::size_t offset) { return reinterpret_cast<const void*>(offset); };
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(Output, x)));
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(Output, s)));
  glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(Output, color)));
  glVertexAttribPointer(3, 4, GL_UNSIGNED_BYTE, GL_FALSE, stride, at(offsetof(Output, shading)));
  glVertexAttribPointer(4, 4, GL_SHORT, GL_FALSE, stride, at(offsetof(Output, box)));
  for (GLuint i = 0; i < 5; ++i) {
    glEnableVertexAttribArray(i);
  }
  // The program's bindings stay as they were.
  glUseProgram(static_cast<GLuint>(program));
  glBindVertexArray(static_cast<GLuint>(vertexArray));
  glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(arrayBuffer));
}

void VGLRenderer::setError(GLenum error) {
  if (Error == GL_NO_ERROR) {
    Error = error;
  }
}

// One line the first time each problem is met, not one a frame.
void VGLRenderer::report(const std::string& line) {
  if (Reported.insert(line).second) {
    VMessages::write(VMessages::msError, "Vuna GL layer: " + line);
  }
}

bool VGLRenderer::refusedInList(const char* name) {
  if (!Lists.recording()) {
    return false;
  }
  report(std::string(name) + " is not covered inside a display list; it is left out of the list");
  return true;
}

// --- the batch ---

void VGLRenderer::bindOwnState() {
  glUseProgram(Program);
  glBindVertexArray(VertexArray);
  glBindBuffer(GL_ARRAY_BUFFER, Buffer);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, BatchTexture);
  if (BatchBlend == bbOff || BatchBlend == bbUndecided) {
    glDisable(GL_BLEND);
  } else {
    glEnable(GL_BLEND);
    glBlendFunc(BatchSrc, BatchDst);
  }
}

void VGLRenderer::flush() {
  if (!Batch.empty() && Program != 0 && !Failed) {
    bindOwnState();
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(Batch.size() * sizeof(Output)),
                 Batch.data(), GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(Batch.size()));
    ++DrawCount;
    // The toolkit's texture stays bound where it bound it: uploads and parameters go to it.
    glBindTexture(GL_TEXTURE_2D, Binding[0]);
    if (ActiveUnit != 0) {
      glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + ActiveUnit));
    }
  }
  Batch.clear();
  BatchTexture = 0;
  BatchBlend = bbUndecided;
}

void VGLRenderer::release() {
  flush();
  if (Program != 0) {
    glUseProgram(0);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
  }
}

VGLRenderer::Shading VGLRenderer::currentShading() {
  if (!Texture2D[0] || Binding[0] == 0) {
    return shColor;
  }
  const GLint mode = EnvMode[0];
  if (mode == GL_REPLACE) {
    const auto found = TextureHasAlpha.find(Binding[0]);
    return found == TextureHasAlpha.end() || found->second ? shReplace : shReplaceColorAlpha;
  }
  if (mode != GL_MODULATE) {
    char line[96];
    std::snprintf(line, sizeof line, "texture environment mode 0x%04X is drawn as GL_MODULATE",
                  static_cast<unsigned>(mode));
    report(line);
  }
  return shModulate;
}

// Makes the batch ready for a primitive of this shading: a primitive that samples another
// texture, or blends otherwise, starts a new draw. An opaque untextured primitive comes out the
// same blended with (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA) as not blended, so it joins either.
void VGLRenderer::prepareBatch(Shading shading, bool opaque) {
  if (Batch.size() >= kBatchLimit) {
    flush();  // a frame of very many primitives goes in parts, never in one growing buffer
  }
  const bool textured = shading != shColor;
  if (textured && BatchTexture != 0 && BatchTexture != Binding[0]) {
    flush();
  }
  const bool standard = BlendSrc == GL_SRC_ALPHA && BlendDst == GL_ONE_MINUS_SRC_ALPHA;
  BatchBlending wanted = bbOff;
  if (Blend) {
    wanted = standard ? bbStandard : bbOther;
  }
  const bool either = opaque && wanted != bbOther;
  if (!either) {
    const bool same = BatchBlend == wanted &&
                      (wanted != bbOther || (BatchSrc == BlendSrc && BatchDst == BlendDst));
    if (BatchBlend != bbUndecided && !same) {
      flush();
    }
    BatchBlend = wanted;
    BatchSrc = BlendSrc;
    BatchDst = BlendDst;
  } else if (BatchBlend == bbOther) {
    flush();
  }
  if (textured) {
    BatchTexture = Binding[0];
  }
}

const GLint* VGLRenderer::viewportNow() {
  if (!ViewportKnown) {
    glGetIntegerv(GL_VIEWPORT, Viewport);
    ViewportKnown = true;
  }
  return Viewport;
}

const VGLRenderer::Matrix& VGLRenderer::mvp() {
  if (MvpDirty) {
    product(Stacks[1].back().m, Stacks[0].back().m, Mvp.m);
    MvpDirty = false;
  }
  return Mvp;
}

void VGLRenderer::fillOutput(Output& o, const Input& in, Shading shading, const float* color) {
  o.s = in.s;
  o.t = in.t;
  for (int i = 0; i < 4; ++i) {
    o.color[i] = toByte(color[i]);
  }
  o.shading[0] = shading;
  o.shading[1] = o.shading[2] = o.shading[3] = 0;
  if (Scissor) {
    const GLint* b = ScissorBox;
    o.box[0] = toShort(b[0]);
    o.box[1] = toShort(b[1]);
    o.box[2] = toShort(static_cast<long>(b[0]) + b[2]);
    o.box[3] = toShort(static_cast<long>(b[1]) + b[3]);
  } else {
    std::copy(std::begin(kOpenBox), std::end(kOpenBox), o.box);
  }
}

// The vertices of the primitive as triangles: a quad or a polygon splits from its first
// vertex, as a desktop GL's does; flat shading gives each triangle its provoking vertex's colour.
void VGLRenderer::emitTriangles(const Input* v, std::size_t n) {
  const Shading shading = currentShading();
  bool opaque = shading == shColor;
  for (std::size_t i = 0; opaque && i < n; ++i) {
    opaque = v[i].color[3] >= 1.0f;
  }
  prepareBatch(shading, opaque);
  const bool flat = ShadeModel == GL_FLAT;
  const auto triangle = [&](std::size_t a, std::size_t b, std::size_t c, std::size_t provoking) {
    for (std::size_t index : {a, b, c}) {
      const Input& in = v[index];
      Output o;
      toClip(in, &o.x);
      fillOutput(o, in, shading, flat ? v[provoking].color : in.color);
      Batch.push_back(o);
    }
  };
  switch (Mode) {
    case GL_TRIANGLES:
      for (std::size_t i = 0; i + 2 < n; i += 3) triangle(i, i + 1, i + 2, i + 2);
      break;
    case GL_TRIANGLE_STRIP:
      for (std::size_t i = 0; i + 2 < n; ++i) {
        if (i % 2 == 0) {
          triangle(i, i + 1, i + 2, i + 2);
        } else {
          triangle(i + 1, i, i + 2, i + 2);
        }
      }
      break;
    case GL_TRIANGLE_FAN:
      for (std::size_t i = 1; i + 1 < n; ++i) triangle(0, i, i + 1, i + 1);
      break;
    case GL_QUADS:
      for (std::size_t i = 0; i + 3 < n; i += 4) {
        triangle(i, i + 1, i + 2, i + 3);
        triangle(i, i + 2, i + 3, i + 3);
      }
      break;
    case GL_QUAD_STRIP:
      for (std::size_t i = 0; i + 3 < n; i += 2) {
        triangle(i, i + 1, i + 3, i + 3);
        triangle(i, i + 3, i + 2, i + 3);
      }
      break;
    case GL_POLYGON:
      for (std::size_t i = 1; i + 1 < n; ++i) triangle(0, i, i + 1, 0);
      break;
    default:
      break;
  }
}

// A rectangle of one opaque colour over the whole viewport (a screen's background) lights every
// pixel of the viewport with that colour, which a clear of the viewport does too, without a
// fragment shaded: on a software rasteriser the blended fill of a 500 by 400 window costs more
// than all the widgets over it (llvmpipe clears it in a fraction of that). Taken only where the
// draw and the clear come out the same: no texture, no scissor box, a blending that keeps an
// opaque colour, no driver test or culling that could drop fragments, and the four corners a
// rectangle in window space (two triangles that cover it) within the depth range.
bool VGLRenderer::clearedInstead(const Input* v, std::size_t n) {
  if (n != 4 || (Mode != GL_QUADS && Mode != GL_POLYGON && Mode != GL_TRIANGLE_FAN) || Scissor ||
      currentShading() != shColor) {
    return false;
  }
  const float* c = v[0].color;
  for (std::size_t i = 1; i < n; ++i) {
    if (!std::equal(c, c + 4, v[i].color)) {
      return false;
    }
  }
  const bool keepsColor = (BlendSrc == GL_SRC_ALPHA && BlendDst == GL_ONE_MINUS_SRC_ALPHA &&
                           c[3] >= 1.0f) ||
                          (BlendSrc == GL_ONE && BlendDst == GL_ZERO);
  if (Blend && !keepsColor) {
    return false;
  }
  for (const auto& [cap, on] : Kept) {
    if (on && cap != GL_DITHER && drawsOwnCapability(cap)) {
      return false;
    }
  }
  float corner[4][4];
  for (std::size_t i = 0; i < n; ++i) {
    toWindow(v[i], corner[i]);
    if (!(corner[i][2] >= -1.0f && corner[i][2] <= 1.0f)) {
      return false;
    }
  }
  // Each corner shares its x with one neighbour and its y with the other: a rectangle walked
  // round its edges, not crossed and not flat.
  bool sharesX[4] = {};
  for (std::size_t i = 0; i < n; ++i) {
    const float* a = corner[i];
    const float* b = corner[(i + 1) % n];
    sharesX[i] = a[0] == b[0];
    if (sharesX[i] == (a[1] == b[1])) {
      return false;
    }
  }
  if (sharesX[0] == sharesX[1] || sharesX[1] == sharesX[2] || sharesX[2] == sharesX[3]) {
    return false;
  }
  const float left = std::min(corner[0][0], corner[2][0]);
  const float right = std::max(corner[0][0], corner[2][0]);
  const float bottom = std::min(corner[0][1], corner[2][1]);
  const float top = std::max(corner[0][1], corner[2][1]);
  const GLint* vp = viewportNow();
  if (left > static_cast<float>(vp[0]) || bottom > static_cast<float>(vp[1]) ||
      right < static_cast<float>(vp[0] + vp[2]) || top < static_cast<float>(vp[1] + vp[3])) {
    return false;
  }
  flush();
  // The clear colour and the scissor are the program's: set for the clear, then put back.
  GLfloat clearColor[4] = {};
  GLint box[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
  glGetIntegerv(GL_SCISSOR_BOX, box);
  const bool scissorOn = glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE;
  glEnable(GL_SCISSOR_TEST);
  glScissor(vp[0], vp[1], vp[2], vp[3]);
  glClearColor(toByte(c[0]) / 255.0f, toByte(c[1]) / 255.0f, toByte(c[2]) / 255.0f,
               toByte(c[3]) / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
  glScissor(box[0], box[1], box[2], box[3]);
  if (!scissorOn) {
    glDisable(GL_SCISSOR_TEST);
  }
  return true;
}

// The clip position (x, y, z, w) of a vertex: the model-view and projection matrices applied
// as one, in the order of terms the driver's own transform uses.
void VGLRenderer::toClip(const Input& in, float out[4]) {
  const float* m = mvp().m;
  for (int row = 0; row < 4; ++row) {
    out[row] = m[row] * in.x + m[4 + row] * in.y + m[12 + row];
  }
}

// The window position (x, y) of a vertex and its depth.
void VGLRenderer::toWindow(const Input& in, float out[4]) {
  float clip[4];
  toClip(in, clip);
  const float x = clip[0];
  const float y = clip[1];
  const float z = clip[2];
  const float w = clip[3] != 0.0f ? clip[3] : 1.0f;
  // As the driver maps to the window: x * scale + offset, so that ends on a pixel border land
  // on the same side of it.
  const GLint* vp = viewportNow();
  const float scaleX = static_cast<float>(vp[2]) * 0.5f;
  const float scaleY = static_cast<float>(vp[3]) * 0.5f;
  out[0] = x / w * scaleX + (static_cast<float>(vp[0]) + scaleX);
  out[1] = y / w * scaleY + (static_cast<float>(vp[1]) + scaleY);
  out[2] = z / w;
  out[3] = 1.0f;
}

void VGLRenderer::pushWindowVertex(const float win[4], const Input& in, Shading shading,
                                   const float* color) {
  const GLint* vp = viewportNow();
  Output o;
  o.x = vp[2] != 0 ? (win[0] - static_cast<float>(vp[0])) / static_cast<float>(vp[2]) * 2.0f - 1.0f
                   : 0.0f;
  o.y = vp[3] != 0 ? (win[1] - static_cast<float>(vp[1])) / static_cast<float>(vp[3]) * 2.0f - 1.0f
                   : 0.0f;
  o.z = win[2];
  o.w = 1.0f;
  fillOutput(o, in, shading, color);
  Batch.push_back(o);
}

// The pixels a line one pixel wide along a row (xMajor) or a column lights, from its ends along
// that axis and its place across it, all in window space: the diamond rule as Mesa applies it.
// A pixel's diamond reaches along the line as far as the line passes near its centre (1/2 on
// the centre, 0 on the border). Along a row a pixel is lit when the line leaves its diamond
// strictly between its ends; along a column, a diamond counts its lower corner in and its upper
// corner out, and a pixel is lit when the line meets the diamond and does not end inside it. A
// line on the border of two rows (columns) lights the row below (the column left of) it.
void VGLRenderer::thinLineSpan(float a, float b, float place, bool xMajor, int& first,
                               int& last, int& across) {
  // The driver places a line across on a grid of 1/256 pixel, which takes the rounding of the
  // transforms off a place meant to be whole or half; its ends it compares as they come.
  place = std::nearbyint(place * 256.0f) / 256.0f;
  const float whole = std::floor(place);
  across = static_cast<int>(whole) - (place == whole ? 1 : 0);
  const float w = 0.5f - std::fabs(place - (static_cast<float>(across) + 0.5f));
  // first and last index the pixels whose centres i + 1/2 lie in the open or half-open range.
  const auto above = [](float x) { return static_cast<int>(std::floor(x - 0.5f)) + 1; };
  const auto below = [](float x) { return static_cast<int>(std::ceil(x - 0.5f)) - 1; };
  const auto atMost = [](float x) { return static_cast<int>(std::floor(x - 0.5f)); };
  if (xMajor) {
    if (b > a) {
      first = above(a - w);  // a < centre + w < b
      last = below(b - w);
    } else {
      first = above(b + w);  // b < centre - w < a
      last = below(a + w);
    }
  } else if (b < a) {
    first = above(b + w);  // b + w < centre <= a + w
    last = atMost(a + w);
  } else {
    first = above(a - w);  // a - w < centre <= b - w
    last = atMost(b - w);
  }
}

// Lines and points as the pixels a desktop GL lights for them: a segment widens across its
// minor axis to a parallelogram as wide as the line (its width rounded, one pixel at least),
// with square ends; a point is a square as wide. Both are triangles in the same batch.
void VGLRenderer::emitLines(const Input* v, std::size_t n) {
  const Shading shading = currentShading();
  bool opaque = shading == shColor;
  for (std::size_t i = 0; opaque && i < n; ++i) {
    opaque = v[i].color[3] >= 1.0f;
  }
  prepareBatch(shading, opaque);
  const float width = std::max(1.0f, std::round(LineWidth));
  const float half = width / 2.0f;
  const bool thin = width == 1.0f;
  const bool flat = ShadeModel == GL_FLAT;
  std::vector<float>& window = WindowScratch;  // kept between primitives: no allocation a line
  window.resize(n * 4);
  for (std::size_t i = 0; i < n; ++i) {
    toWindow(v[i], &window[i * 4]);
  }
  const auto quad = [&](const float* corners, const Input* const* ends,
                        const float* const* colors) {
    for (int index : {0, 1, 2, 0, 2, 3}) {
      pushWindowVertex(&corners[index * 4], *ends[index], shading, colors[index]);
    }
  };
  if (Mode == GL_POINTS) {
    for (std::size_t i = 0; i < n; ++i) {
      const float* p = &window[i * 4];
      const float x = p[0] + kAcrossShift;
      const float y = p[1] + kAcrossShift;
      const float corners[16] = {x - half, y - half, p[2], 1, x + half, y - half, p[2], 1,
                                 x + half, y + half, p[2], 1, x - half, y + half, p[2], 1};
      const Input* ends[4] = {&v[i], &v[i], &v[i], &v[i]};
      const float* colors[4] = {v[i].color, v[i].color, v[i].color, v[i].color};
      quad(corners, ends, colors);
    }
    return;
  }
  const auto segment = [&](std::size_t ia, std::size_t ib) {
    const float* a = &window[ia * 4];
    const float* b = &window[ib * 4];
    const float dx = b[0] - a[0];
    const float dy = b[1] - a[1];
    const bool xMajor = std::fabs(dx) >= std::fabs(dy);
    const Input* ends[4] = {&v[ia], &v[ia], &v[ib], &v[ib]};
    const float* ca = flat ? v[ib].color : v[ia].color;
    const float* colors[4] = {ca, ca, v[ib].color, v[ib].color};
    if (thin && (dx == 0.0f || dy == 0.0f)) {
      if (dx == 0.0f && dy == 0.0f) {
        return;  // leaves no diamond
      }
      // Whole pixels: from first to last along the line, one across.
      int first = 0;
      int last = 0;
      int across = 0;
      thinLineSpan(xMajor ? a[0] : a[1], xMajor ? b[0] : b[1], xMajor ? a[1] : a[0], xMajor,
                   first, last, across);
      if (first > last) {
        return;
      }
      const bool forward = (xMajor ? dx : dy) > 0.0f;
      const auto from = static_cast<float>(forward ? first : last + 1);
      const auto to = static_cast<float>(forward ? last + 1 : first);
      const auto near = static_cast<float>(across);
      const auto far = static_cast<float>(across + 1);
      const float corners[16] = {
          xMajor ? from : near, xMajor ? near : from, a[2], 1, xMajor ? from : far,
          xMajor ? far : from, a[2], 1, xMajor ? to : far, xMajor ? far : to, b[2], 1,
          xMajor ? to : near, xMajor ? near : to, b[2], 1};
      quad(corners, ends, colors);
      return;
    }
    // Other lines: a parallelogram across the minor axis; a thin one's ends move back along
    // it a little (its start's pixel is lit, its end's is not) and to one side across it.
    const float length = std::max(std::fabs(dx), std::fabs(dy));
    const float endShift = thin && length > 0.0f ? kEndShift / length : 0.0f;
    const float bx = -endShift * dx;
    const float by = -endShift * dy;
    const float ox = xMajor ? 0.0f : half;
    const float oy = xMajor ? half : 0.0f;
    const float across = thin ? kAcrossShift : 0.0f;
    const float sx = xMajor ? 0.0f : across;
    const float sy = xMajor ? across : 0.0f;
    const float ax0 = a[0] + bx + sx, ay0 = a[1] + by + sy;
    const float bx0 = b[0] + bx + sx, by0 = b[1] + by + sy;
    const float corners[16] = {ax0 - ox, ay0 - oy, a[2], 1, ax0 + ox, ay0 + oy, a[2], 1,
                               bx0 + ox, by0 + oy, b[2], 1, bx0 - ox, by0 - oy, b[2], 1};
    quad(corners, ends, colors);
  };
  if (Mode == GL_LINES) {
    for (std::size_t i = 0; i + 1 < n; i += 2) segment(i, i + 1);
  } else {
    for (std::size_t i = 0; i + 1 < n; ++i) segment(i, i + 1);
    if (Mode == GL_LINE_LOOP) segment(n - 1, 0);
  }
}

// --- display lists ---

GLuint VGLRenderer::genLists(GLsizei range) {
  if (range < 0) {
    setError(GL_INVALID_VALUE);
    return 0;
  }
  return Lists.generate(range);
}

void VGLRenderer::newList(GLuint list, GLenum mode) {
  if (mode != GL_COMPILE) {
    report("glNewList is covered for GL_COMPILE only");
    setError(GL_INVALID_ENUM);
  } else if (list == 0) {
    setError(GL_INVALID_VALUE);
  } else if (!Lists.open(list)) {
    setError(GL_INVALID_OPERATION);
  }
}

void VGLRenderer::endList() {
  if (!Lists.close()) {
    setError(GL_INVALID_OPERATION);
  }
}

void VGLRenderer::deleteLists(GLuint list, GLsizei range) {
  if (range < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  Lists.remove(list, range);
}

void VGLRenderer::listBase(GLuint base) {
  if (!refusedInList("glListBase")) {
    Lists.setBase(base);
  }
}

GLboolean VGLRenderer::isList(GLuint list) const {
  return Lists.find(list) != nullptr ? GL_TRUE : GL_FALSE;
}

void VGLRenderer::replay(const VDisplayLists::List& list) {
  for (const VDisplayLists::Call& call : list) {
    const float* v = call.v;
    switch (call.op) {
      case VDisplayLists::Op::Begin: begin(call.mode); break;
      case VDisplayLists::Op::End: end(); break;
      case VDisplayLists::Op::Vertex: vertex(v[0], v[1]); break;
      case VDisplayLists::Op::TexCoord: texCoord(v[0], v[1]); break;
      case VDisplayLists::Op::Color: color(v[0], v[1], v[2], v[3]); break;
      case VDisplayLists::Op::Translate: translate(v[0], v[1], v[2]); break;
      case VDisplayLists::Op::Scale: scale(v[0], v[1], v[2]); break;
    }
  }
}

void VGLRenderer::callLists(GLsizei n, GLenum type, const GLvoid* lists) {
  if (refusedInList("glCallLists")) {
    return;
  }
  if (n < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  if (n == 0 || lists == nullptr) {
    return;
  }
  for (GLsizei i = 0; i < n; ++i) {
    long offset = 0;
    switch (type) {
      case GL_BYTE: offset = static_cast<const GLbyte*>(lists)[i]; break;
      case GL_UNSIGNED_BYTE: offset = static_cast<const GLubyte*>(lists)[i]; break;
      case GL_SHORT: offset = static_cast<const GLshort*>(lists)[i]; break;
      case GL_UNSIGNED_SHORT: offset = static_cast<const GLushort*>(lists)[i]; break;
      case GL_INT: offset = static_cast<const GLint*>(lists)[i]; break;
      case GL_UNSIGNED_INT: offset = static_cast<long>(static_cast<const GLuint*>(lists)[i]); break;
      case GL_FLOAT: offset = static_cast<long>(static_cast<const GLfloat*>(lists)[i]); break;
      default:
        report("glCallLists is covered for names of one type (byte to int, float)");
        setError(GL_INVALID_ENUM);
        return;
    }
    if (const VDisplayLists::List* list = Lists.find(Lists.nameAt(static_cast<int>(offset)))) {
      replay(*list);
    }
  }
}

// --- immediate mode ---

void VGLRenderer::begin(GLenum mode) {
  if (Lists.recording()) {
    Lists.record(VDisplayLists::Call{VDisplayLists::Op::Begin, mode, {0, 0, 0, 0}});
  } else if (InPrimitive) {
    setError(GL_INVALID_OPERATION);
  } else if (mode > GL_POLYGON) {  // GL_POINTS (0) to GL_POLYGON (9) are the primitives
    setError(GL_INVALID_ENUM);
  } else {
    InPrimitive = true;
    Mode = mode;
    Primitive.clear();
  }
}

void VGLRenderer::end() {
  if (Lists.recording()) {
    Lists.record(VDisplayLists::Call{VDisplayLists::Op::End, 0, {0, 0, 0, 0}});
    return;
  }
  if (!InPrimitive) {
    setError(GL_INVALID_OPERATION);
    return;
  }
  InPrimitive = false;
  // Vertices that complete no primitive are dropped, as GL drops them.
  std::size_t n = Primitive.size();
  switch (Mode) {
    case GL_LINES: n -= n % 2; break;
    case GL_TRIANGLES: n -= n % 3; break;
    case GL_QUADS: n -= n % 4; break;
    case GL_QUAD_STRIP: n = n < 4 ? 0 : n - n % 2; break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP: n = n < 2 ? 0 : n; break;
    case GL_POINTS: break;
    default: n = n < 3 ? 0 : n; break;
  }
  if (n == 0 || PolygonModeNow != GL_FILL) {
    // A polygon mode other than fill is a program's wireframe: not drawn by the toolkit.
  } else if (Mode == GL_POINTS || Mode == GL_LINES || Mode == GL_LINE_STRIP ||
             Mode == GL_LINE_LOOP) {
    emitLines(Primitive.data(), n);
  } else if (!clearedInstead(Primitive.data(), n)) {
    emitTriangles(Primitive.data(), n);
  }
  Primitive.clear();
}

void VGLRenderer::vertex(GLfloat x, GLfloat y) {
  if (Lists.recording()) {
    Lists.record(VDisplayLists::Call{VDisplayLists::Op::Vertex, 0, {x, y, 0, 0}});
  } else if (InPrimitive) {
    Primitive.push_back(Input{x, y, TexS, TexT, {Color[0], Color[1], Color[2], Color[3]}});
  }
}

void VGLRenderer::texCoord(GLfloat s, GLfloat t) {
  if (Lists.recording()) {
    Lists.record(VDisplayLists::Call{VDisplayLists::Op::TexCoord, 0, {s, t, 0, 0}});
  } else {
    TexS = s;
    TexT = t;
  }
}

void VGLRenderer::color(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  if (Lists.recording()) {
    Lists.record(VDisplayLists::Call{VDisplayLists::Op::Color, 0, {r, g, b, a}});
    return;
  }
  Color[0] = r;
  Color[1] = g;
  Color[2] = b;
  Color[3] = a;
}

// --- matrices ---

void VGLRenderer::multiply(const float* m) {
  Matrix result;
  product(current().m, m, result.m);
  current() = result;
  MvpDirty = MvpDirty || MatrixIndex < 2;
}

void VGLRenderer::translate(GLfloat x, GLfloat y, GLfloat z) {
  if (Lists.recording()) {
    Lists.record(VDisplayLists::Call{VDisplayLists::Op::Translate, 0, {x, y, z, 0}});
    return;
  }
  // m * T changes the last column only.
  float* m = current().m;
  for (int row = 0; row < 4; ++row) {
    m[12 + row] += m[row] * x + m[4 + row] * y + m[8 + row] * z;
  }
  MvpDirty = MvpDirty || MatrixIndex < 2;
}

void VGLRenderer::scale(GLfloat x, GLfloat y, GLfloat z) {
  if (Lists.recording()) {
    Lists.record(VDisplayLists::Call{VDisplayLists::Op::Scale, 0, {x, y, z, 0}});
    return;
  }
  float* m = current().m;
  for (int row = 0; row < 4; ++row) {
    m[row] *= x;
    m[4 + row] *= y;
    m[8 + row] *= z;
  }
  MvpDirty = MvpDirty || MatrixIndex < 2;
}

void VGLRenderer::matrixMode(GLenum mode) {
  if (refusedInList("glMatrixMode")) return;
  switch (mode) {
    case GL_MODELVIEW: MatrixIndex = 0; break;
    case GL_PROJECTION: MatrixIndex = 1; break;
    case GL_TEXTURE: MatrixIndex = 2; break;
    default: setError(GL_INVALID_ENUM); break;
  }
}

void VGLRenderer::loadIdentity() {
  if (refusedInList("glLoadIdentity")) return;
  identity(current().m);
  MvpDirty = MvpDirty || MatrixIndex < 2;
}

void VGLRenderer::loadMatrix(const GLfloat* m) {
  if (refusedInList("glLoadMatrixf")) return;
  std::copy(m, m + 16, current().m);
  MvpDirty = MvpDirty || MatrixIndex < 2;
}

void VGLRenderer::ortho(double left, double right, double bottom, double top, double zNear,
                        double zFar) {
  if (refusedInList("glOrtho")) return;
  if (left == right || bottom == top || zNear == zFar) {
    setError(GL_INVALID_VALUE);
    return;
  }
  float m[16];
  identity(m);
  m[0] = static_cast<float>(2.0 / (right - left));
  m[5] = static_cast<float>(2.0 / (top - bottom));
  m[10] = static_cast<float>(-2.0 / (zFar - zNear));
  m[12] = static_cast<float>(-(right + left) / (right - left));
  m[13] = static_cast<float>(-(top + bottom) / (top - bottom));
  m[14] = static_cast<float>(-(zFar + zNear) / (zFar - zNear));
  multiply(m);
}

void VGLRenderer::pushMatrix() {
  if (refusedInList("glPushMatrix")) return;
  std::vector<Matrix>& stack = Stacks[MatrixIndex];
  if (stack.size() >= kStackDepths[MatrixIndex]) {
    setError(GL_STACK_OVERFLOW);
    return;
  }
  stack.push_back(stack.back());
}

void VGLRenderer::popMatrix() {
  if (refusedInList("glPopMatrix")) return;
  std::vector<Matrix>& stack = Stacks[MatrixIndex];
  if (stack.size() <= 1) {
    setError(GL_STACK_UNDERFLOW);
    return;
  }
  stack.pop_back();
  MvpDirty = MvpDirty || MatrixIndex < 2;
}

// --- state ---

bool VGLRenderer::drawsOwnCapability(GLenum cap) const {
  if (std::find(std::begin(kDriverCapabilities), std::end(kDriverCapabilities), cap) !=
      std::end(kDriverCapabilities)) {
    return true;
  }
  return !Es && std::find(std::begin(kDesktopCapabilities), std::end(kDesktopCapabilities),
                          cap) != std::end(kDesktopCapabilities);
}

void VGLRenderer::applyCapability(GLenum cap, bool on) {
  if (drawsOwnCapability(cap)) {
    const auto found = Kept.find(cap);
    if (found == Kept.end() || found->second != on) {
      flush();
      if (on) {
        glEnable(cap);
      } else {
        glDisable(cap);
      }
    }
  }
  Kept[cap] = on;
}

void VGLRenderer::setCapability(GLenum cap, bool on) {
  if (refusedInList(on ? "glEnable" : "glDisable")) return;
  switch (cap) {
    case GL_TEXTURE_2D: Texture2D[ActiveUnit] = on; break;
    case GL_BLEND: Blend = on; break;
    case GL_SCISSOR_TEST: Scissor = on; break;
    default: applyCapability(cap, on); break;
  }
}

void VGLRenderer::blendFunc(GLenum src, GLenum dst) {
  if (refusedInList("glBlendFunc")) return;
  BlendSrc = src;
  BlendDst = dst;
}

void VGLRenderer::lineWidth(GLfloat width) {
  if (refusedInList("glLineWidth")) return;
  if (!(width > 0.0f)) {
    setError(GL_INVALID_VALUE);
    return;
  }
  LineWidth = width;
}

void VGLRenderer::polygonMode(GLenum face, GLenum mode) {
  if (refusedInList("glPolygonMode")) return;
  if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) {
    setError(GL_INVALID_ENUM);
    return;
  }
  if (mode != GL_FILL && mode != GL_LINE && mode != GL_POINT) {
    setError(GL_INVALID_ENUM);
    return;
  }
  PolygonModeNow = mode;
}

void VGLRenderer::shadeModel(GLenum mode) {
  if (refusedInList("glShadeModel")) return;
  if (mode != GL_FLAT && mode != GL_SMOOTH) {
    setError(GL_INVALID_ENUM);
    return;
  }
  ShadeModel = mode;
}

void VGLRenderer::colorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
  if (refusedInList("glColorMask")) return;
  const GLboolean wanted[4] = {r, g, b, a};
  if (!std::equal(std::begin(wanted), std::end(wanted), ColorMaskNow)) {
    flush();
    glColorMask(r, g, b, a);
    std::copy(std::begin(wanted), std::end(wanted), ColorMaskNow);
  }
}

void VGLRenderer::scissor(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (refusedInList("glScissor")) return;
  if (width < 0 || height < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  ScissorBox[0] = x;
  ScissorBox[1] = y;
  ScissorBox[2] = width;
  ScissorBox[3] = height;
  ScissorBoxKnown = true;
}

void VGLRenderer::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (refusedInList("glViewport")) return;
  if (width < 0 || height < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  const GLint* now = viewportNow();
  if (now[0] != x || now[1] != y || now[2] != width || now[3] != height) {
    flush();
    glViewport(x, y, width, height);
    ViewportKnown = false;
  }
}

void VGLRenderer::clear(GLbitfield mask) {
  if (refusedInList("glClear")) return;
  flush();
  if (Scissor) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(ScissorBox[0], ScissorBox[1], ScissorBox[2], ScissorBox[3]);
  }
  glClear(mask);
  if (Scissor) {
    glDisable(GL_SCISSOR_TEST);
  }
}

void VGLRenderer::pushAttrib(GLbitfield mask) {
  if (refusedInList("glPushAttrib")) return;
  if (ServerStack.size() >= kAttribDepth) {
    setError(GL_STACK_OVERFLOW);
    return;
  }
  Attributes a;
  a.mask = mask;
  std::copy(std::begin(Color), std::end(Color), a.color);
  a.texS = TexS;
  a.texT = TexT;
  std::copy(std::begin(Texture2D), std::end(Texture2D), a.texture2D);
  std::copy(std::begin(EnvMode), std::end(EnvMode), a.envMode);
  std::copy(std::begin(Binding), std::end(Binding), a.binding);
  a.activeUnit = ActiveUnit;
  a.blend = Blend;
  a.blendSrc = BlendSrc;
  a.blendDst = BlendDst;
  a.scissor = Scissor;
  getIntegerv(GL_SCISSOR_BOX, a.scissorBox);
  std::copy(std::begin(ColorMaskNow), std::end(ColorMaskNow), a.colorMask);
  std::copy(viewportNow(), viewportNow() + 4, a.viewport);
  a.lineWidth = LineWidth;
  a.polygonMode = PolygonModeNow;
  a.shadeModel = ShadeModel;
  a.matrixIndex = MatrixIndex;
  a.kept = Kept;
  ServerStack.push_back(std::move(a));
}

void VGLRenderer::popAttrib() {
  if (refusedInList("glPopAttrib")) return;
  if (ServerStack.empty()) {
    setError(GL_STACK_UNDERFLOW);
    return;
  }
  const Attributes a = std::move(ServerStack.back());
  ServerStack.pop_back();
  const GLbitfield m = a.mask;
  if ((m & GL_CURRENT_BIT) != 0) {
    std::copy(std::begin(a.color), std::end(a.color), Color);
    TexS = a.texS;
    TexT = a.texT;
  }
  if ((m & (GL_ENABLE_BIT | GL_TEXTURE_BIT)) != 0) {
    std::copy(std::begin(a.texture2D), std::end(a.texture2D), Texture2D);
  }
  if ((m & (GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT)) != 0) {
    Blend = a.blend;
  }
  if ((m & (GL_ENABLE_BIT | GL_SCISSOR_BIT)) != 0) {
    Scissor = a.scissor;
  }
  if ((m & GL_ENABLE_BIT) != 0) {
    for (const auto& [cap, on] : a.kept) {
      applyCapability(cap, on);
    }
  }
  if ((m & GL_SCISSOR_BIT) != 0) {
    scissor(a.scissorBox[0], a.scissorBox[1], a.scissorBox[2], a.scissorBox[3]);
  }
  if ((m & GL_COLOR_BUFFER_BIT) != 0) {
    BlendSrc = a.blendSrc;
    BlendDst = a.blendDst;
    colorMask(a.colorMask[0], a.colorMask[1], a.colorMask[2], a.colorMask[3]);
  }
  if ((m & GL_VIEWPORT_BIT) != 0) {
    viewport(a.viewport[0], a.viewport[1], a.viewport[2], a.viewport[3]);
  }
  if ((m & GL_LINE_BIT) != 0) {
    LineWidth = a.lineWidth;
  }
  if ((m & GL_POLYGON_BIT) != 0) {
    PolygonModeNow = a.polygonMode;
  }
  if ((m & GL_LIGHTING_BIT) != 0) {
    ShadeModel = a.shadeModel;
  }
  if ((m & GL_TRANSFORM_BIT) != 0) {
    MatrixIndex = a.matrixIndex;
  }
  if ((m & GL_TEXTURE_BIT) != 0) {
    std::copy(std::begin(a.envMode), std::end(a.envMode), EnvMode);
    for (int unit = 0; unit < kUnits; ++unit) {
      if (Binding[unit] != a.binding[unit]) {
        glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
        glBindTexture(GL_TEXTURE_2D, a.binding[unit]);
        Binding[unit] = a.binding[unit];
      }
    }
    ActiveUnit = a.activeUnit;
    glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + ActiveUnit));
  }
}

void VGLRenderer::pushClientAttrib(GLbitfield mask) {
  if (ClientStack.size() >= kAttribDepth) {
    setError(GL_STACK_OVERFLOW);
    return;
  }
  ClientAttributes a{};
  a.mask = mask;
  std::copy(std::begin(Unpack), std::end(Unpack), a.unpack);
  a.clientActiveUnit = ClientActiveUnit;
  ClientStack.push_back(a);
}

void VGLRenderer::popClientAttrib() {
  if (ClientStack.empty()) {
    setError(GL_STACK_UNDERFLOW);
    return;
  }
  const ClientAttributes a = ClientStack.back();
  ClientStack.pop_back();
  if ((a.mask & GL_CLIENT_PIXEL_STORE_BIT) != 0) {
    std::copy(std::begin(a.unpack), std::end(a.unpack), Unpack);
  }
  if ((a.mask & GL_CLIENT_VERTEX_ARRAY_BIT) != 0) {
    ClientActiveUnit = a.clientActiveUnit;
  }
}

// --- textures and pixels ---

void VGLRenderer::genTextures(GLsizei n, GLuint* textures) { glGenTextures(n, textures); }

void VGLRenderer::deleteTextures(GLsizei n, const GLuint* textures) {
  if (n < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  flush();
  glDeleteTextures(n, textures);
  // A deleted texture is unbound wherever it was bound, as GL does.
  for (GLsizei i = 0; i < n; ++i) {
    TextureHasAlpha.erase(textures[i]);
    for (GLuint& bound : Binding) {
      if (bound == textures[i]) {
        bound = 0;
      }
    }
  }
}

void VGLRenderer::bindTexture(GLenum target, GLuint texture) {
  if (refusedInList("glBindTexture")) return;
  if (target == GL_TEXTURE_2D) {
    Binding[ActiveUnit] = texture;
  }
  glBindTexture(target, texture);
}

void VGLRenderer::activeTexture(GLenum unit) {
  if (refusedInList("glActiveTexture")) return;
  if (unit < GL_TEXTURE0 || unit >= GL_TEXTURE0 + kUnits) {
    setError(GL_INVALID_ENUM);
    return;
  }
  ActiveUnit = static_cast<int>(unit - GL_TEXTURE0);
  glActiveTexture(unit);
}

void VGLRenderer::clientActiveTexture(GLenum unit) {
  if (unit < GL_TEXTURE0 || unit >= GL_TEXTURE0 + kUnits) {
    setError(GL_INVALID_ENUM);
    return;
  }
  ClientActiveUnit = static_cast<int>(unit - GL_TEXTURE0);
}

void VGLRenderer::texParameteri(GLenum target, GLenum pname, GLint param) {
  if (refusedInList("glTexParameteri")) return;
  if ((pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T || pname == GL_TEXTURE_WRAP_R) &&
      (param == GL_CLAMP || (Es && param == GL_CLAMP_TO_BORDER))) {
    param = GL_CLAMP_TO_EDGE;
  }
  flush();
  glTexParameteri(target, pname, param);
}

void VGLRenderer::texEnv(GLenum target, GLenum pname, GLint param) {
  if (refusedInList("glTexEnv")) return;
  if (target == GL_TEXTURE_ENV && pname == GL_TEXTURE_ENV_MODE) {
    EnvMode[ActiveUnit] = param;
  }
}

// Every format GL 1.x takes becomes RGBA with the samples it had: intensity I as (I, I, I, I),
// luminance L as (L, L, L, 1), luminance-alpha as (L, L, L, A), alpha as (1, 1, 1, A).
void VGLRenderer::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type,
                             const GLvoid* pixels) {
  if (refusedInList("glTexImage2D")) return;
  int channels = 0;
  switch (format) {
    case GL_LUMINANCE:
    case GL_ALPHA:
    case GL_RED: channels = 1; break;
    case GL_LUMINANCE_ALPHA: channels = 2; break;
    case GL_RGB:
    case GL_BGR: channels = 3; break;
    case GL_RGBA:
    case GL_BGRA: channels = 4; break;
    default: break;
  }
  if (channels == 0 || type != GL_UNSIGNED_BYTE) {
    report("glTexImage2D is covered for unsigned bytes of luminance, alpha, luminance-alpha, RGB "
           "and RGBA");
    setError(GL_INVALID_ENUM);
    return;
  }
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (width < 0 || height < 0 || width > largest || height > largest || border != 0 ||
      level < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  flush();
  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  std::vector<GLubyte> rgba;
  if (pixels != nullptr) {
    rgba.resize(w * h * 4);
    const auto alignment = static_cast<std::size_t>(Unpack[0] > 0 ? Unpack[0] : 1);
    const std::size_t rowPixels = Unpack[1] > 0 ? static_cast<std::size_t>(Unpack[1]) : w;
    const std::size_t rowBytes = rowPixels * static_cast<std::size_t>(channels);
    const std::size_t stride = (rowBytes + alignment - 1) / alignment * alignment;
    const auto* source = static_cast<const GLubyte*>(pixels) +
                         static_cast<std::size_t>(Unpack[2]) * stride +
                         static_cast<std::size_t>(Unpack[3]) * static_cast<std::size_t>(channels);
    const bool intensity = internalFormat == GL_INTENSITY || internalFormat == GL_INTENSITY8;
    for (std::size_t row = 0; row < h; ++row) {
      const GLubyte* in = source + row * stride;
      GLubyte* out = &rgba[row * w * 4];
      for (std::size_t x = 0; x < w; ++x, in += channels, out += 4) {
        switch (format) {
          case GL_LUMINANCE:
          case GL_RED:
            out[0] = out[1] = out[2] = in[0];
            out[3] = intensity ? in[0] : 255;
            break;
          case GL_ALPHA: out[0] = out[1] = out[2] = 255; out[3] = in[0]; break;
          case GL_LUMINANCE_ALPHA: out[0] = out[1] = out[2] = in[0]; out[3] = in[1]; break;
          case GL_RGB: out[0] = in[0]; out[1] = in[1]; out[2] = in[2]; out[3] = 255; break;
          case GL_BGR: out[0] = in[2]; out[1] = in[1]; out[2] = in[0]; out[3] = 255; break;
          case GL_RGBA: std::memcpy(out, in, 4); break;
          default: out[0] = in[2]; out[1] = in[1]; out[2] = in[0]; out[3] = in[3]; break;
        }
      }
    }
  }
  if (target == GL_TEXTURE_2D) {
    const bool intensity = internalFormat == GL_INTENSITY || internalFormat == GL_INTENSITY8;
    TextureHasAlpha[Binding[ActiveUnit]] =
        intensity || format == GL_LUMINANCE_ALPHA || format == GL_ALPHA || channels == 4;
  }
  // The driver's own unpack state is the program's: read the converted rows plainly, then put
  // it back.
  GLint saved[4] = {};
  GLint unpackBuffer = 0;
  glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &unpackBuffer);
  for (int i = 0; i < 4; ++i) {
    glGetIntegerv(kUnpackNames[i], &saved[i]);
  }
  if (unpackBuffer != 0) {
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int i = 1; i < 4; ++i) {
    glPixelStorei(kUnpackNames[i], 0);
  }
  glTexImage2D(target, level, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               pixels != nullptr ? rgba.data() : nullptr);
  for (int i = 0; i < 4; ++i) {
    glPixelStorei(kUnpackNames[i], saved[i]);
  }
  if (unpackBuffer != 0) {
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(unpackBuffer));
  }
}

void VGLRenderer::pixelStorei(GLenum pname, GLint param) {
  const int index = unpackIndex(pname);
  if (index < 0) {
    glPixelStorei(pname, param);
    return;
  }
  if (pname == GL_UNPACK_ALIGNMENT && param != 1 && param != 2 && param != 4 && param != 8) {
    setError(GL_INVALID_VALUE);
    return;
  }
  if (param < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  Unpack[index] = param;
}

void VGLRenderer::bindBuffer(GLenum target, GLuint buffer) { glBindBuffer(target, buffer); }

// --- queries ---

void VGLRenderer::getIntegerv(GLenum pname, GLint* params) {
  switch (pname) {
    case GL_MATRIX_MODE:
      *params = MatrixIndex == 0 ? GL_MODELVIEW : MatrixIndex == 1 ? GL_PROJECTION : GL_TEXTURE;
      return;
    case GL_MODELVIEW_STACK_DEPTH: *params = static_cast<GLint>(Stacks[0].size()); return;
    case GL_PROJECTION_STACK_DEPTH: *params = static_cast<GLint>(Stacks[1].size()); return;
    case GL_TEXTURE_STACK_DEPTH: *params = static_cast<GLint>(Stacks[2].size()); return;
    case GL_MAX_MODELVIEW_STACK_DEPTH: *params = static_cast<GLint>(kStackDepths[0]); return;
    case GL_MAX_PROJECTION_STACK_DEPTH: *params = static_cast<GLint>(kStackDepths[1]); return;
    case GL_MAX_TEXTURE_STACK_DEPTH: *params = static_cast<GLint>(kStackDepths[2]); return;
    case GL_ATTRIB_STACK_DEPTH: *params = static_cast<GLint>(ServerStack.size()); return;
    case GL_CLIENT_ATTRIB_STACK_DEPTH: *params = static_cast<GLint>(ClientStack.size()); return;
    case GL_MAX_ATTRIB_STACK_DEPTH:
    case GL_MAX_CLIENT_ATTRIB_STACK_DEPTH: *params = static_cast<GLint>(kAttribDepth); return;
    case GL_CLIENT_ACTIVE_TEXTURE: *params = GL_TEXTURE0 + ClientActiveUnit; return;
    case GL_ACTIVE_TEXTURE: *params = GL_TEXTURE0 + ActiveUnit; return;
    case GL_TEXTURE_BINDING_2D: *params = static_cast<GLint>(Binding[ActiveUnit]); return;
    case GL_LIST_BASE: *params = static_cast<GLint>(Lists.getBase()); return;
    case GL_BLEND_SRC: *params = static_cast<GLint>(BlendSrc); return;
    case GL_BLEND_DST: *params = static_cast<GLint>(BlendDst); return;
    case GL_SHADE_MODEL: *params = static_cast<GLint>(ShadeModel); return;
    case GL_POLYGON_MODE: params[0] = params[1] = static_cast<GLint>(PolygonModeNow); return;
    case GL_VIEWPORT: std::copy(viewportNow(), viewportNow() + 4, params); return;
    case GL_SCISSOR_BOX:
      if (!ScissorBoxKnown) {
        glGetIntegerv(GL_SCISSOR_BOX, ScissorBox);
        ScissorBoxKnown = true;
      }
      std::copy(std::begin(ScissorBox), std::end(ScissorBox), params);
      return;
    case GL_CONTEXT_FLAGS:
    case GL_CONTEXT_PROFILE_MASK:
      if (Es) {
        *params = 0;
        return;
      }
      break;
    default: break;
  }
  if (const int index = unpackIndex(pname); index >= 0) {
    *params = Unpack[index];
    return;
  }
  glGetIntegerv(pname, params);
}

void VGLRenderer::getFloatv(GLenum pname, GLfloat* params) {
  switch (pname) {
    case GL_MODELVIEW_MATRIX:
    case GL_PROJECTION_MATRIX:
    case GL_TEXTURE_MATRIX: {
      const int index = pname == GL_MODELVIEW_MATRIX ? 0 : pname == GL_PROJECTION_MATRIX ? 1 : 2;
      std::copy(Stacks[index].back().m, Stacks[index].back().m + 16, params);
      return;
    }
    case GL_CURRENT_COLOR: std::copy(std::begin(Color), std::end(Color), params); return;
    case GL_CURRENT_TEXTURE_COORDS:
      params[0] = TexS;
      params[1] = TexT;
      params[2] = 0.0f;
      params[3] = 1.0f;
      return;
    case GL_LINE_WIDTH: *params = LineWidth; return;
    default: break;
  }
  glGetFloatv(pname, params);
}

GLenum VGLRenderer::getError() {
  const GLenum own = Error;
  if (own != GL_NO_ERROR) {
    Error = GL_NO_ERROR;
    return own;
  }
  return glGetError();
}

const GLubyte* VGLRenderer::errorString(GLenum error) {
  const char* text = nullptr;
  switch (error) {
    case GL_NO_ERROR: text = "no error"; break;
    case GL_INVALID_ENUM: text = "invalid enumerant"; break;
    case GL_INVALID_VALUE: text = "invalid value"; break;
    case GL_INVALID_OPERATION: text = "invalid operation"; break;
    case GL_STACK_OVERFLOW: text = "stack overflow"; break;
    case GL_STACK_UNDERFLOW: text = "stack underflow"; break;
    case GL_OUT_OF_MEMORY: text = "out of memory"; break;
    case GL_INVALID_FRAMEBUFFER_OPERATION: text = "invalid framebuffer operation"; break;
    default: return nullptr;
  }
  return reinterpret_cast<const GLubyte*>(text);
}

// --- the program's state around the overlay ---

void VGLRenderer::saveProgramState(ProgramState& s) {
  glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &s.vertexArray);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
  glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &s.unpackBuffer);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &s.activeTexture);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
  glGetIntegerv(GL_SAMPLER_BINDING, &s.sampler);
  glGetIntegerv(GL_BLEND_SRC_RGB, &s.blendSrcRgb);
  glGetIntegerv(GL_BLEND_DST_RGB, &s.blendDstRgb);
  glGetIntegerv(GL_BLEND_SRC_ALPHA, &s.blendSrcAlpha);
  glGetIntegerv(GL_BLEND_DST_ALPHA, &s.blendDstAlpha);
  glGetIntegerv(GL_BLEND_EQUATION_RGB, &s.blendEquationRgb);
  glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &s.blendEquationAlpha);
  glGetIntegerv(GL_VIEWPORT, s.viewport);
  glGetIntegerv(GL_SCISSOR_BOX, s.scissorBox);
  if (!Es) {
    glGetIntegerv(GL_POLYGON_MODE, s.polygonMode);
  }
  glGetBooleanv(GL_COLOR_WRITEMASK, s.colorMask);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &s.unpackAlignment);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &s.unpackRowLength);
  glGetIntegerv(GL_UNPACK_SKIP_ROWS, &s.unpackSkipRows);
  glGetIntegerv(GL_UNPACK_SKIP_PIXELS, &s.unpackSkipPixels);
  s.enables.clear();
  const auto keep = [&s](GLenum cap) { s.enables.emplace_back(cap, glIsEnabled(cap) == GL_TRUE); };
  keep(GL_BLEND);
  for (GLenum cap : kDriverCapabilities) keep(cap);
  keep(GL_SCISSOR_TEST);
  if (!Es) {
    for (GLenum cap : kDesktopCapabilities) keep(cap);
  }

  // What the toolkit's drawing assumes.
  glBindSampler(0, 0);
  glBlendEquation(GL_FUNC_ADD);
  // Every capability that could drop or change a fragment is off (dithering changes nothing on
  // the toolkit's flat colours and stays); blending is the batch's. The renderer's records of
  // the driver's capabilities follow.
  for (const auto& [cap, on] : s.enables) {
    const bool stays = cap == GL_DITHER && on;
    if (!stays && cap != GL_BLEND) {
      glDisable(cap);
    }
    if (drawsOwnCapability(cap)) {
      Kept[cap] = stays;
    }
  }
  if (!Es) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  }
  ActiveUnit = 0;
  Binding[0] = static_cast<GLuint>(s.texture);
  std::copy(std::begin(s.colorMask), std::end(s.colorMask), ColorMaskNow);
  ViewportKnown = false;
  ScissorBoxKnown = false;
}

void VGLRenderer::restoreProgramState(const ProgramState& s) {
  flush();
  glUseProgram(static_cast<GLuint>(s.program));
  glBindVertexArray(static_cast<GLuint>(s.vertexArray));
  glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(s.arrayBuffer));
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(s.unpackBuffer));
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(s.texture));
  glBindSampler(0, static_cast<GLuint>(s.sampler));
  glActiveTexture(static_cast<GLenum>(s.activeTexture));
  glBlendFuncSeparate(static_cast<GLenum>(s.blendSrcRgb), static_cast<GLenum>(s.blendDstRgb),
                      static_cast<GLenum>(s.blendSrcAlpha), static_cast<GLenum>(s.blendDstAlpha));
  glBlendEquationSeparate(static_cast<GLenum>(s.blendEquationRgb),
                          static_cast<GLenum>(s.blendEquationAlpha));
  glViewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
  glScissor(s.scissorBox[0], s.scissorBox[1], s.scissorBox[2], s.scissorBox[3]);
  if (!Es) {
    glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(s.polygonMode[0]));
  }
  glColorMask(s.colorMask[0], s.colorMask[1], s.colorMask[2], s.colorMask[3]);
  glPixelStorei(GL_UNPACK_ALIGNMENT, s.unpackAlignment);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, s.unpackRowLength);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, s.unpackSkipRows);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, s.unpackSkipPixels);
  for (const auto& [cap, on] : s.enables) {
    if (on) {
      glEnable(cap);
    } else {
      glDisable(cap);
    }
    if (drawsOwnCapability(cap)) {
      Kept[cap] = on;
    }
  }
  ActiveUnit = static_cast<int>(s.activeTexture - GL_TEXTURE0);
  ActiveUnit = ActiveUnit >= 0 && ActiveUnit < kUnits ? ActiveUnit : 0;
  Binding[0] = static_cast<GLuint>(s.texture);
  std::copy(std::begin(s.colorMask), std::end(s.colorMask), ColorMaskNow);
  ViewportKnown = false;
  ScissorBoxKnown = false;
}
