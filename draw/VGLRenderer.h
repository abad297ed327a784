// VGLRenderer: the toolkit's GL 1.x calls given their meaning on a GL without fixed function
// (a core profile, OpenGL ES 3, WebGL 2), drawn in as few draws as the frame allows.
//
// - The matrix stacks, the current colour and texture coordinate, the enables and the texture
//   environment are kept here; every vertex leaves transformed to clip space.
// - Primitives become triangles when they end: quads, polygons (as the fans they are, convex),
//   strips and fans, and lines and points too, as the pixels a desktop GL lights for them
//   (parallelograms across the minor axis, in window space), so that lines of any width and
//   triangles share one draw.
// - One vertex stream and one shader pair. A vertex carries what would otherwise be state: how
//   it is shaded (colour only, modulated by the texture or replaced by it) and the scissor box
//   it is clipped to. A draw is made only when the texture it samples, the blending, the colour
//   mask or the viewport really change, and when the frame is flushed.
// - Textures of the formats GL 1.x knows (intensity, luminance, luminance-alpha, alpha, RGB)
//   are uploaded as RGBA with the same samples.
// - Display lists are recorded as calls (VDisplayLists) and replayed into the batch.
// - The attribute stacks keep the state above on the CPU; the state the driver keeps is put
//   back through the driver.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "draw/VDisplayLists.h"

class VGLRenderer {
 public:
  VGLRenderer();
  VGLRenderer(const VGLRenderer&) = delete;
  VGLRenderer& operator=(const VGLRenderer&) = delete;

  /// Makes the renderer's shaders and buffers in the current context when it has none there
  /// yet, and starts from a new context's state (no lists, default state) when the context
  /// changed. es: the context is OpenGL ES or WebGL (GLSL ES shaders, no polygon mode).
  void useCurrentContext(bool es);
  void flush();
  /// Flushes and unbinds the renderer's program and vertex array, for GL 1.x calls to draw
  /// with the fixed function again in the same context.
  void release();
  bool failed() const { return Failed; }

  // Display lists.
  GLuint genLists(GLsizei range);
  void newList(GLuint list, GLenum mode);
  void endList();
  void deleteLists(GLuint list, GLsizei range);
  void listBase(GLuint base);
  void callLists(GLsizei n, GLenum type, const GLvoid* lists);
  GLboolean isList(GLuint list) const;

  // Immediate mode and matrices.
  void begin(GLenum mode);
  void end();
  void vertex(GLfloat x, GLfloat y);
  void texCoord(GLfloat s, GLfloat t);
  void color(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
  void translate(GLfloat x, GLfloat y, GLfloat z);
  void scale(GLfloat x, GLfloat y, GLfloat z);
  void matrixMode(GLenum mode);
  void loadIdentity();
  void loadMatrix(const GLfloat* m);
  void ortho(double left, double right, double bottom, double top, double zNear, double zFar);
  void pushMatrix();
  void popMatrix();

  // State.
  void setCapability(GLenum cap, bool on);
  void blendFunc(GLenum src, GLenum dst);
  void lineWidth(GLfloat width);
  void polygonMode(GLenum face, GLenum mode);
  void shadeModel(GLenum mode);
  void colorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a);
  void scissor(GLint x, GLint y, GLsizei width, GLsizei height);
  void viewport(GLint x, GLint y, GLsizei width, GLsizei height);
  void clear(GLbitfield mask);
  void pushAttrib(GLbitfield mask);
  void popAttrib();
  void pushClientAttrib(GLbitfield mask);
  void popClientAttrib();

  // Textures and pixels.
  void genTextures(GLsizei n, GLuint* textures);
  void deleteTextures(GLsizei n, const GLuint* textures);
  void bindTexture(GLenum target, GLuint texture);
  void activeTexture(GLenum unit);
  void clientActiveTexture(GLenum unit);
  void texParameteri(GLenum target, GLenum pname, GLint param);
  void texEnv(GLenum target, GLenum pname, GLint param);
  void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                  GLsizei height, GLint border, GLenum format, GLenum type, const GLvoid* pixels);
  void pixelStorei(GLenum pname, GLint param);
  void bindBuffer(GLenum target, GLuint buffer);

  // Queries.
  void getIntegerv(GLenum pname, GLint* params);
  void getFloatv(GLenum pname, GLfloat* params);
  GLenum getError();
  static const GLubyte* errorString(GLenum error);

  /// The program's state that the renderer's drawing touches, read back from the driver.
  struct ProgramState {
    GLint program = 0, vertexArray = 0, arrayBuffer = 0, unpackBuffer = 0;
    GLint activeTexture = 0, texture = 0, sampler = 0;
    GLint blendSrcRgb = 0, blendDstRgb = 0, blendSrcAlpha = 0, blendDstAlpha = 0;
    GLint blendEquationRgb = 0, blendEquationAlpha = 0;
    GLint viewport[4] = {}, scissorBox[4] = {};
    GLint polygonMode[2] = {};
    GLboolean colorMask[4] = {};
    GLint unpackAlignment = 4, unpackRowLength = 0, unpackSkipRows = 0, unpackSkipPixels = 0;
    std::vector<std::pair<GLenum, bool>> enables;
  };
  void saveProgramState(ProgramState& s);
  void restoreProgramState(const ProgramState& s);

  /// Draws made since the renderer was made: the batching's measure, for tests and benchmarks.
  long getDrawCount() const { return DrawCount; }

 private:
  struct Matrix {
    float m[16];
  };
  // A vertex as the program gave it.
  struct Input {
    float x, y;
    float s, t;
    float color[4];
  };
  // A vertex as the shader reads it: clip position, texture coordinate, colour, how it is
  // shaded, the scissor box (left, bottom, right, top in window pixels).
  struct Output {
    float x, y, z, w;
    float s, t;
    std::uint8_t color[4];
    std::uint8_t shading[4];
    std::int16_t box[4];
  };
  enum Shading : std::uint8_t { shColor, shModulate, shReplace, shReplaceColorAlpha };
  static constexpr int kUnits = 8;
  // An attribute-stack entry: the whole of the state kept here, restored group by group.
  struct Attributes {
  GLbitfield mask = 0;
  float color[4] = {};
  float texS = 0.0f, texT = 0.0f;
  bool texture2D[kUnits] = {};
  GLint envMode[kUnits] = {};
  GLuint binding[kUnits] = {};
  int activeUnit = 0;
  bool blend = false;
  GLenum blendSrc = GL_ONE, blendDst = GL_ZERO;
  bool scissor = false;
  GLint scissorBox[4] = {};
  GLboolean colorMask[4] = {};
  GLint viewport[4] = {};
  float lineWidth = 1.0f;
  GLenum polygonMode = GL_FILL;
  GLenum shadeModel = GL_SMOOTH;
  int matrixIndex = 0;
  std::unordered_map<GLenum, bool> kept;
};
  struct ClientAttributes {
    GLbitfield mask;
    GLint unpack[8];
    GLint clientActiveUnit;
  };

  void setError(GLenum error);
  void report(const std::string& line);
  bool refusedInList(const char* name);
  Matrix& current() { return Stacks[MatrixIndex].back(); }
  void multiply(const float* m);
  const Matrix& mvp();
  void emitTriangles(const Input* v, std::size_t n);
  bool clearedInstead(const Input* v, std::size_t n);
  void emitLines(const Input* v, std::size_t n);
  static void thinLineSpan(float a, float b, float place, bool xMajor, int& first, int& last,
                           int& across);
  void toClip(const Input& in, float out[4]);
  void toWindow(const Input& in, float out[4]);
  void fillOutput(Output& o, const Input& in, Shading shading, const float* color);
  void pushWindowVertex(const float win[4], const Input& in, Shading shading, const float* color);
  Shading currentShading();
  void prepareBatch(Shading shading, bool opaque);
  const GLint* viewportNow();
  void makeProgram();
  void bindOwnState();
  void applyCapability(GLenum cap, bool on);
  bool drawsOwnCapability(GLenum cap) const;
  void replay(const VDisplayLists::List& list);
  void resetState();

  // The context served and the renderer's objects in it.
  const void* Context = nullptr;
  bool Es = false;
  bool Failed = false;
  GLuint Program = 0, VertexArray = 0, Buffer = 0;
  long DrawCount = 0;

  // GL 1.x state.
  std::vector<Matrix> Stacks[3];
  int MatrixIndex = 0;
  Matrix Mvp{};
  bool MvpDirty = true;
  float Color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float TexS = 0.0f, TexT = 0.0f;
  bool InPrimitive = false;
  GLenum Mode = 0;
  std::vector<Input> Primitive;
  std::vector<float> WindowScratch;  // a line primitive's vertices in window space
  float LineWidth = 1.0f;
  GLenum ShadeModel = GL_SMOOTH;
  GLenum PolygonModeNow = GL_FILL;
  bool Texture2D[kUnits] = {};
  GLint EnvMode[kUnits] = {GL_MODULATE, GL_MODULATE, GL_MODULATE, GL_MODULATE,
                           GL_MODULATE, GL_MODULATE, GL_MODULATE, GL_MODULATE};
  GLuint Binding[kUnits] = {};
  int ActiveUnit = 0;
  int ClientActiveUnit = 0;
  bool Blend = false;
  GLenum BlendSrc = GL_ONE, BlendDst = GL_ZERO;
  bool Scissor = false;
  GLint ScissorBox[4] = {0, 0, 0, 0};
  bool ScissorBoxKnown = false;
  GLboolean ColorMaskNow[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
  GLint Viewport[4] = {0, 0, 0, 0};
  bool ViewportKnown = false;
  // Capabilities the toolkit switches that this renderer does not draw with (lighting, fog,
  // ...): kept so that they read back, never drawn.
  std::unordered_map<GLenum, bool> Kept;
  // The unpack parameters as the toolkit set them (alignment, row length, skip rows, skip pixels
  // first); the driver's are the program's.
  GLint Unpack[8] = {4, 0, 0, 0, 0, 0, 0, 0};
  std::unordered_map<GLuint, bool> TextureHasAlpha;
  std::vector<Attributes> ServerStack;
  std::vector<ClientAttributes> ClientStack;
  GLenum Error = GL_NO_ERROR;
  std::set<std::string> Reported;
  VDisplayLists Lists;

  // The batch and the state it is drawn with. Its blending stays undecided while it holds only
  // primitives that come out the same either way.
  enum BatchBlending { bbUndecided, bbOff, bbStandard, bbOther };
  std::vector<Output> Batch;
  GLuint BatchTexture = 0;
  BatchBlending BatchBlend = bbUndecided;
  GLenum BatchSrc = GL_ONE, BatchDst = GL_ZERO;
};
