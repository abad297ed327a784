// vuna-overlay: a program's own lit, turnable cube with Vuna's widgets drawn over it.
//
// The program owns the GLUT window, its callbacks, its projection and its scene; Vuna is a
// guest that draws its tree last in each frame (drawOverlay) and is asked, after each press and
// before each key, whether the input is the GUI's or the scene's:
//   press       always forwarded first; a widget or window that took it (capturesMouse) owns
//               the gesture, otherwise the scene does: the focus is dropped, and the left
//               button turns the cube
//   motion      the GUI's gesture: forwarded; the scene's: turns the cube, never forwarded
//   release     forwarded only when the GUI owns the gesture, so a drag over the scene never
//               ends as a click on a widget the pointer happened to cross
//   key         Escape ends the program; a key the focused widget takes (capturesKey: every
//               character while the text field has the focus, Space and Return while a
//               button has it) goes to the GUI; otherwise w and r are the program's
//   key-up,     forwarded under the same rule
//   special key
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <utility>

#include <vuna/vuna.h>

#include "OverlayWidgets.h"

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
// The start view shows three faces of the cube; "Reset view" and r come back to it.
constexpr float kStartTurnX = 30.0f;
constexpr float kStartTurnY = -40.0f;
constexpr float kDegreesPerPixel = 0.5f;

VScreen* screen = nullptr;
// The one record of the wireframe switch: the w key sets the box, so they never disagree.
VCheckBox* wireframeBox = nullptr;

float turnX = kStartTurnX;  // degrees about the horizontal axis
float turnY = kStartTurnY;  // degrees about the vertical axis
bool turning = false;       // a left drag that began on the scene is running
int lastX = 0;              // the pointer at the last step of that drag
int lastY = 0;

// What the widgets ask of the host, served by this program's GLUT: the screen holds it. (A
// program may also take VGlutHost from vuna::glut, which serves the same and routes the input.)
class GlutServices : public VHostServices {
 public:
  void redisplay() override { glutPostRedisplay(); }

  // GLUT cannot take a timer back: a cancelled one is forgotten here and its call finds nothing.
  int startTimer(int milliseconds, TimerCallback callback, void* data) override {
    const int timer = ++lastTimer;
    pending()[timer] = {callback, data};
    glutTimerFunc(milliseconds > 0 ? static_cast<unsigned>(milliseconds) : 0, fire, timer);
    return timer;
  }
  void cancelTimer(int timer) override { pending().erase(timer); }

  // GLUT has no clipboard: the text stays in the program.
  std::string getClipboardText() override { return clipboard; }
  void setClipboardText(const std::string& text) override { clipboard = text; }
  double getContentScale() override { return 1.0; }

  void setPointerShape(VPointerShape shape) override {
    static const int cursors[] = {GLUT_CURSOR_LEFT_ARROW, GLUT_CURSOR_TEXT,
                                  GLUT_CURSOR_BOTTOM_RIGHT_CORNER, GLUT_CURSOR_INFO};
    glutSetCursor(cursors[shape]);
  }

 private:
  static std::map<int, std::pair<TimerCallback, void*>>& pending() {
    static std::map<int, std::pair<TimerCallback, void*>> timers;
    return timers;
  }
  static void fire(int timer) {
    const auto it = pending().find(timer);
    if (it != pending().end()) {
      const auto [callback, data] = it->second;
      pending().erase(it);
      callback(data);
    }
  }

  int lastTimer = 0;
  std::string clipboard;
};

GlutServices services;

void resetView() {
  turnX = kStartTurnX;
  turnY = kStartTurnY;
  std::cout << "view reset" << std::endl;
  glutPostRedisplay();
}

void resetPressed(VWidget*, VEvent*) { resetView(); }

bool wireframe() { return wireframeBox != nullptr && wireframeBox->getState() == cbChecked; }

// A cube of side 2 around the origin, one quad per face with its normal, so that line polygons
// show its twelve edges and nothing across the faces.
void drawCube() {
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
  glBegin(GL_QUADS);
  for (int face = 0; face < 6; ++face) {
    glNormal3fv(normals[face]);
    for (const GLfloat* corner : corners[face]) {
      glVertex3fv(corner);
    }
  }
  glEnd();
}

// The scene sets every piece of state it relies on, each frame, and leaves it in force: the
// overlay is drawn under lighting, the depth test and, in wireframe, line polygons, and still
// looks the same, because it sets up what it needs and hands the program's state back.
void drawScene() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_NORMALIZE);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glShadeModel(GL_SMOOTH);
  glPolygonMode(GL_FRONT_AND_BACK, wireframe() ? GL_LINE : GL_FILL);

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // A light from above, right of and behind the viewer, fixed to the eye (set under the
  // identity).
  const GLfloat lightPosition[] = {1.0f, 2.0f, 4.0f, 0.0f};
  const GLfloat ambient[] = {0.3f, 0.3f, 0.3f, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);

  glTranslatef(0.0f, 0.0f, -6.0f);
  glRotatef(turnX, 1.0f, 0.0f, 0.0f);
  glRotatef(turnY, 0.0f, 1.0f, 0.0f);
  glColor3f(0.9f, 0.55f, 0.15f);
  drawCube();
}

void display() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawScene();
  screen->drawOverlay();
  glutSwapBuffers();
}

// The program keeps its own projection; the screen is only told its size in pixels.
void reshape(int w, int h) {
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(40.0, static_cast<double>(w) / (h > 0 ? h : 1), 1.0, 20.0);
  glMatrixMode(GL_MODELVIEW);
  screen->setSize(w, h);
}

void mouse(int button, int state, int x, int y) {
  // The wheel's steps come as buttons 3 to 6. They neither start nor end a gesture: a step
  // during a drag leaves the drag running. A step over a widget is the GUI's (a slider moves);
  // asked right after it, capturesMouse says so, and a scene that zooms would zoom otherwise.
  if (button > GLUT_RIGHT_BUTTON) {
    screen->glutMouse(button, state, x, y);
    // Asked right after each step, as the rule goes: a scene that zooms with the wheel would
    // zoom when this is false. This scene does not.
    const bool gui = screen->capturesMouse();
    static_cast<void>(gui);
    return;
  }
  if (state == GLUT_DOWN) {
    screen->glutMouse(button, state, x, y);
    turning = false;
    if (screen->capturesMouse()) {
      return;
    }
    // A press on the scene: whatever widget had the keys loses them, so w and r are the
    // program's again.
    screen->dropFocus();
    if (button == GLUT_LEFT_BUTTON) {
      turning = true;
      lastX = x;
      lastY = y;
    }
    glutPostRedisplay();
    return;
  }
  if (button == GLUT_LEFT_BUTTON) {
    turning = false;
  }
  // capturesMouse still answers for the last press, so the release goes where the press went.
  if (screen->capturesMouse()) {
    screen->glutMouse(button, state, x, y);
  }
}

void motion(int x, int y) {
  if (screen->capturesMouse()) {
    screen->glutMotion(x, y);
    return;
  }
  if (turning) {
    turnY += kDegreesPerPixel * static_cast<float>(x - lastX);
    turnX += kDegreesPerPixel * static_cast<float>(y - lastY);
    lastX = x;
    lastY = y;
    glutPostRedisplay();
  }
}

void keyboard(unsigned char key, int x, int y) {
  if (key == 27) {
    std::exit(0);
  }
  if (screen->capturesKey(key, false)) {
    screen->glutKeyboard(key, x, y);
    return;
  }
  if (key == 'w') {
    wireframeBox->setState(wireframe() ? cbUnchecked : cbChecked);
    glutPostRedisplay();
  } else if (key == 'r') {
    resetView();
  }
}

void keyboardUp(unsigned char key, int x, int y) {
  if (screen->capturesKey(key, false)) {
    screen->glutKeyboardUp(key, x, y);
  }
}

void special(int key, int x, int y) {
  if (screen->capturesKey(key, true)) {
    screen->glutSpecialFunc(key, x, y);
  }
}

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
  glutInitWindowSize(kWindowWidth, kWindowHeight);
  glutInitWindowPosition(100, 100);
  glutCreateWindow("Vuna overlay");

  // The screen loads its images into textures, so it needs the window's GL context.
  screen = new VScreen(nullptr);
  // The widgets ask for new frames, timers and the clipboard through the program's host.
  screen->setHostServices(&services);
  screen->setBackgroundVisible(false);
  screen->setSize(kWindowWidth, kWindowHeight);
  wireframeBox = buildOverlayWidgets(screen, resetPressed);

  glutDisplayFunc(display);
  glutReshapeFunc(reshape);
  glutMouseFunc(mouse);
  glutMotionFunc(motion);
  glutKeyboardFunc(keyboard);
  glutKeyboardUpFunc(keyboardUp);
  glutSpecialFunc(special);
  glutMainLoop();
  return 0;
}
