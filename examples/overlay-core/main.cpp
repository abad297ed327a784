// vuna-overlay-core: the overlay example's lit, turnable cube and widgets, under GLFW in an
// OpenGL 3.3 core-profile context, where the program draws with its own shaders and buffers.
//
// It is examples/overlay with another window system and another GL: the same window, cube,
// widgets, keys and printed lines, and the same routing, which VGlfwHost as a guest (hrGuest)
// does for it. The host calls the program's own callbacks, installed before it, only for the
// input that is not the GUI's:
//   press       always reaches the screen first; a widget or window that took it owns the
//               gesture, otherwise the scene does: the host drops the focus, and the left
//               button turns the cube
//   motion      the GUI's gesture: the screen's; the scene's: turns the cube
//   release     the screen's only when the GUI owns the gesture, so a drag over the scene never
//               ends as a click on a widget the pointer happened to cross
//   character   the GUI's when the focused widget takes it (every character while the text
//               field has the focus, Space and Return while a button has it); otherwise w and r
//               are the program's
//   key, key-up the same rule; Escape ends the program before any widget sees it, so the
//               program's key callback goes in after the host's and hands the host the rest
//
// GL: Mesa's libGL (glvnd) exports the core entry points, so the prototypes are enough; no
// loader is needed.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <array>
#include <cmath>
#include <iostream>

#include <vuna/hosts/glfw/VGlfwHost.h>
#include <vuna/vuna.h>

#include "OverlayWidgets.h"

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
// The start view shows three faces of the cube; "Reset view" and r come back to it.
constexpr float kStartTurnX = 30.0f;
constexpr float kStartTurnY = -40.0f;
constexpr float kDegreesPerPixel = 0.5f;
constexpr float kPi = 3.14159265358979f;

VScreen* screen = nullptr;
VGlfwHost* gui = nullptr;
// The one record of the wireframe switch: the w key sets the box, so they never disagree.
VCheckBox* wireframeBox = nullptr;

float turnX = kStartTurnX;  // degrees about the horizontal axis
float turnY = kStartTurnY;  // degrees about the vertical axis
bool turning = false;       // a left drag that began on the scene is running
double lastX = 0;           // the pointer at the last step of that drag
double lastY = 0;

// --- the scene's GL -------------------------------------------------------------------------

// A 4 by 4 matrix in GL's column-major order.
typedef std::array<GLfloat, 16> Matrix;

Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix m{};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      for (int k = 0; k < 4; ++k) {
        m[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
      }
    }
  }
  return m;
}

Matrix translation(GLfloat x, GLfloat y, GLfloat z) {
  return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

// A turn by degrees about the x axis (axis 0) or the y axis (axis 1), as glRotatef's.
Matrix rotation(float degrees, int axis) {
  const GLfloat c = std::cos(degrees * kPi / 180.0f);
  const GLfloat s = std::sin(degrees * kPi / 180.0f);
  if (axis == 0) {
    return {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1};
  }
  return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1};
}

// gluPerspective's matrix.
Matrix perspective(float fovyDegrees, float aspect, float zNear, float zFar) {
  const GLfloat f = 1.0f / std::tan(fovyDegrees * kPi / 360.0f);
  return {f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (zFar + zNear) / (zNear - zFar), -1,
          0, 0, 2.0f * zFar * zNear / (zNear - zFar), 0};
}

// The eye-space normal needs no inverse transpose: the model-view only turns and moves. The
// light is the GLUT version's fixed-function one: a directional light at (1, 2, 4, 0) in eye
// space, white diffuse, ambient 0.3, plus the 0.2 of scene ambient GL's light model adds, on a
// material whose ambient and diffuse are the colour. In wireframe, the lines along a face's
// diagonal (where it is split into two triangles) are dropped: there both face coordinates lie
// inside the face, while on its twelve edges one of them is 0 or 1.
const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 facePlace;
uniform mat4 modelView;
uniform mat4 projection;
out vec3 eyeNormal;
out vec2 place;
void main() {
  eyeNormal = mat3(modelView) * normal;
  place = facePlace;
  gl_Position = projection * modelView * vec4(position, 1.0);
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec3 eyeNormal;
in vec2 place;
uniform vec3 colour;
uniform bool edgesOnly;
out vec4 fragColour;
const vec3 towardsLight = normalize(vec3(1.0, 2.0, 4.0));
const float ambient = 0.3 + 0.2;
void main() {
  vec2 fromEdge = min(place, 1.0 - place);
  if (edgesOnly && min(fromEdge.x, fromEdge.y) > 0.01) {
    discard;
  }
  float diffuse = max(dot(normalize(eyeNormal), towardsLight), 0.0);
  fragColour = vec4(min(colour * (ambient + diffuse), 1.0), 1.0);
}
)";

struct Scene {
  GLuint program = 0;
  GLuint vertexArray = 0;
  GLuint buffer = 0;
  GLint modelView = -1;
  GLint projection = -1;
  GLint colour = -1;
  GLint edgesOnly = -1;
};

Scene scene;
constexpr GLsizei kCubeVertices = 36;

// A shader that does not compile or link is the program's own bug: its log, and the scene
// stays empty.
GLuint compile(GLenum kind, const char* source) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    GLchar log[1024] = {0};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::cerr << "vuna-overlay-core: shader: " << log << std::endl;
  }
  return shader;
}

// A cube of side 2 around the origin: each face two triangles with the face's normal and each
// corner's place on the face, (0, 0) to (1, 1).
void makeScene() {
  static const GLfloat normals[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0},
                                        {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  // Corners of each face, counter-clockwise seen from outside.
  static const GLfloat corners[6][4][3] = {
      {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},
      {{-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}},
      {{-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}},
      {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},
      {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
      {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}};
  static const GLfloat places[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  static const int triangles[6] = {0, 1, 2, 0, 2, 3};
  constexpr int kFloats = 3 + 3 + 2;  // position, normal, place
  GLfloat vertices[kCubeVertices * kFloats];
  GLfloat* v = vertices;
  const auto put = [&v](const GLfloat* values, int count) {
    for (int i = 0; i < count; ++i) {
      *v++ = values[i];
    }
  };
  for (int face = 0; face < 6; ++face) {
    for (int corner : triangles) {
      put(corners[face][corner], 3);
      put(normals[face], 3);
      put(places[corner], 2);
    }
  }

  scene.program = glCreateProgram();
  const GLuint vertexShader = compile(GL_VERTEX_SHADER, kVertexShader);
  const GLuint fragmentShader = compile(GL_FRAGMENT_SHADER, kFragmentShader);
  glAttachShader(scene.program, vertexShader);
  glAttachShader(scene.program, fragmentShader);
  glLinkProgram(scene.program);
  glDeleteShader(vertexShader);
  glDeleteShader(fragmentShader);
  GLint linked = GL_FALSE;
  glGetProgramiv(scene.program, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) {
    GLchar log[1024] = {0};
    glGetProgramInfoLog(scene.program, sizeof log, nullptr, log);
    std::cerr << "vuna-overlay-core: program: " << log << std::endl;
  }
  scene.modelView = glGetUniformLocation(scene.program, "modelView");
  scene.projection = glGetUniformLocation(scene.program, "projection");
  scene.colour = glGetUniformLocation(scene.program, "colour");
  scene.edgesOnly = glGetUniformLocation(scene.program, "edgesOnly");

  glGenVertexArrays(1, &scene.vertexArray);
  glBindVertexArray(scene.vertexArray);
  glGenBuffers(1, &scene.buffer);
  glBindBuffer(GL_ARRAY_BUFFER, scene.buffer);
  glBufferData(GL_ARRAY_BUFFER, sizeof vertices, vertices, GL_STATIC_DRAW);
  constexpr GLsizei kStride = kFloats * sizeof(GLfloat);
  for (GLuint attribute : {0u, 1u, 2u}) {
    glEnableVertexAttribArray(attribute);
    glVertexAttribPointer(attribute, attribute == 2 ? 2 : 3, GL_FLOAT, GL_FALSE, kStride,
                          reinterpret_cast<const void*>(attribute * 3 * sizeof(GLfloat)));
  }
  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void deleteScene() {
  glDeleteBuffers(1, &scene.buffer);
  glDeleteVertexArrays(1, &scene.vertexArray);
  glDeleteProgram(scene.program);
}

bool wireframe() { return wireframeBox != nullptr && wireframeBox->getState() == cbChecked; }

// The scene sets every piece of state it relies on, each frame, and leaves it in force: the
// overlay is drawn under the program's shader, vertex array, depth test and, in wireframe, line
// polygons, and still looks the same.
void drawScene(int width, int height) {
  glViewport(0, 0, width, height);
  glEnable(GL_DEPTH_TEST);
  glPolygonMode(GL_FRONT_AND_BACK, wireframe() ? GL_LINE : GL_FILL);
  glUseProgram(scene.program);
  const Matrix projection = perspective(
      40.0f, static_cast<float>(width) / static_cast<float>(height > 0 ? height : 1), 1.0f,
      20.0f);
  const Matrix modelView = multiply(multiply(translation(0.0f, 0.0f, -6.0f),
                                             rotation(turnX, 0)),
                                    rotation(turnY, 1));
  glUniformMatrix4fv(scene.projection, 1, GL_FALSE, projection.data());
  glUniformMatrix4fv(scene.modelView, 1, GL_FALSE, modelView.data());
  glUniform3f(scene.colour, 0.9f, 0.55f, 0.15f);
  glUniform1i(scene.edgesOnly, wireframe() ? 1 : 0);
  glBindVertexArray(scene.vertexArray);
  glDrawArrays(GL_TRIANGLES, 0, kCubeVertices);
}

void display(GLFWwindow* window) {
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(window, &width, &height);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawScene(width, height);
  screen->drawOverlay();
  glfwSwapBuffers(window);
}

// --- the widgets ------------------------------------------------------------------------------

void resetView() {
  turnX = kStartTurnX;
  turnY = kStartTurnY;
  std::cout << "view reset" << std::endl;
  gui->redisplay();
}

void resetPressed(VWidget*, VEvent*) { resetView(); }

// --- the program's input: what the GUI did not take -----------------------------------------

// A press here is one the GUI did not take: it starts a turn with the left button and ends one
// with any other.
void mouseButton(GLFWwindow* window, int button, int action, int) {
  if (action == GLFW_PRESS) {
    turning = button == GLFW_MOUSE_BUTTON_LEFT;
    glfwGetCursorPos(window, &lastX, &lastY);
    gui->redisplay();  // the focus the press dropped
  } else if (button == GLFW_MOUSE_BUTTON_LEFT) {
    turning = false;
  }
}

// A turn also ends with a left release that went to the GUI (a press the GUI took in the
// middle of the turn made the release the GUI's): the program then sees the button up here.
void cursorPos(GLFWwindow* window, double x, double y) {
  if (turning && glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) != GLFW_PRESS) {
    turning = false;
  }
  if (!turning) {
    return;
  }
  turnY += kDegreesPerPixel * static_cast<float>(std::floor(x) - std::floor(lastX));
  turnX += kDegreesPerPixel * static_cast<float>(std::floor(y) - std::floor(lastY));
  lastX = x;
  lastY = y;
  gui->redisplay();
}

void character(GLFWwindow*, unsigned int codePoint) {
  if (codePoint == 'w') {
    wireframeBox->setState(wireframe() ? cbUnchecked : cbChecked);
    gui->redisplay();
  } else if (codePoint == 'r') {
    resetView();
  }
}

// Installed over the host's: Escape first, everything else through the host (a key is only the
// way to a character here, which comes to character() when it is the program's).
void keyFirst(GLFWwindow* window, int key, int scancode, int action, int mods) {
  if (key == GLFW_KEY_ESCAPE && action == GLFW_PRESS) {
    glfwSetWindowShouldClose(window, GLFW_TRUE);
    return;
  }
  gui->key(key, scancode, action, mods);
}

void reportError(int, const char* description) {
  std::cerr << "vuna-overlay-core: GLFW: " << description << std::endl;
}

}  // namespace

int main() {
  glfwSetErrorCallback(reportError);
  if (glfwInit() != GLFW_TRUE) {
    return 1;
  }
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
  glfwWindowHint(GLFW_DEPTH_BITS, 24);
  // Placed before it is shown: GLFW 3.3 has no hint for the position.
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  GLFWwindow* window =
      glfwCreateWindow(kWindowWidth, kWindowHeight, "Vuna overlay", nullptr, nullptr);
  if (window == nullptr) {
    glfwTerminate();
    return 1;
  }
  glfwSetWindowPos(window, 100, 100);
  glfwMakeContextCurrent(window);
  makeScene();

  // The screen loads its images into textures, so it needs the window's GL context.
  screen = new VScreen(nullptr);
  screen->setBackgroundVisible(false);
  // The screen's host services (redisplays, timers, the clipboard, the pointer's shape) from
  // now on; its widgets may ask for them while they are built.
  gui = new VGlfwHost(screen, hrGuest);
  wireframeBox = buildOverlayWidgets(screen, resetPressed);

  glfwSetMouseButtonCallback(window, mouseButton);
  glfwSetCursorPosCallback(window, cursorPos);
  glfwSetCharCallback(window, character);
  gui->install(window);  // sizes the screen from the window
  glfwSetKeyCallback(window, keyFirst);
  glfwShowWindow(window);

  while (glfwWindowShouldClose(window) == GLFW_FALSE) {
    if (gui->takeRedisplay()) {
      display(window);
    }
    gui->waitEvents();
  }

  delete gui;     // takes itself off the window and the screen
  delete screen;  // its textures go while their context is still current
  deleteScene();
  glfwDestroyWindow(window);
  glfwTerminate();
  return 0;
}
