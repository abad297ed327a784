// host: GLUT glue. The designed callbacks over one VGlutHost for the global screen, and the
// entry.
#include "hosts/glut/host.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "hosts/glut/VGlutHost.h"
#include "widgets/VPopupLayer.h"

VScreen* screen = nullptr;

namespace {

// Inside GLUT's input callbacks (and only there, else freeglut complains) the modifiers held are
// known; the screen carries them with the events that follow.
void reportModifiers() {
  if (screen != nullptr) {
    screen->setModifiers(glutGetModifiers());
  }
}

// The host of the screen the global names now: made for it at its first callback (or by
// vunaMain), made anew when the program put another screen there or deleted this one. A screen
// to which the program gave services of its own keeps them: the callbacks then go straight to
// its host methods (null here). The pointer keeps the host reachable for the life of the
// process.
VGlutHost* hostOfScreen() {
  static VGlutHost* host = nullptr;
  if (screen == nullptr) {
    return nullptr;
  }
  if (host != nullptr && host->getScreen() == screen) {
    return screen->getHostServices() == host ? host : nullptr;
  }
  if (screen->getHostServices() != nullptr) {
    return nullptr;
  }
  delete host;
  host = new VGlutHost(screen, hrProgram);
  return host;
}

}  // namespace

// The model-view matrix stays current for the draw pass, which pushes and pops around every
// widget.
void glutResize(int w, int h) {
  if (VGlutHost* host = hostOfScreen()) {
    host->reshape(w, h);
    return;
  }
  VScreen::usePixelProjection(w, h, w, h);
  if (screen != nullptr) {
    screen->setSize(w, h);
  }
}

void glutDisplay() {
  hostOfScreen();  // a screen the program just put in place gets GLUT's services
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (screen != nullptr) {
    screen->glutDisplay();
  }
  glutSwapBuffers();
}

void glutKeyboard(unsigned char key, int x, int y) {
  // Escape ends the program, except while a menu or a list is open: then it closes that.
  if (key == 27 && (screen == nullptr || !screen->getPopupLayer()->anyOpen())) {
    std::exit(0);
  }
  reportModifiers();
  if (VGlutHost* host = hostOfScreen()) {
    host->keyboard(key, x, y);
  } else if (screen != nullptr) {
    screen->glutKeyboard(key, x, y);
  }
}

void glutKeyboardUp(unsigned char key, int x, int y) {
  reportModifiers();
  if (VGlutHost* host = hostOfScreen()) {
    host->keyboardUp(key, x, y);
  } else if (screen != nullptr) {
    screen->glutKeyboardUp(key, x, y);
  }
}

void glutSpecial(int key, int x, int y) {
  reportModifiers();
  if (VGlutHost* host = hostOfScreen()) {
    host->special(key, x, y);
  } else if (screen != nullptr) {
    screen->glutSpecialFunc(key, x, y);
  }
}

void glutMouse(int button, int state, int x, int y) {
  reportModifiers();
  if (VGlutHost* host = hostOfScreen()) {
    host->mouse(button, state, x, y);
  } else if (screen != nullptr) {
    screen->glutMouse(button, state, x, y);
  }
}

void glutMotion(int x, int y) {
  if (VGlutHost* host = hostOfScreen()) {
    host->motion(x, y);
  } else if (screen != nullptr) {
    screen->glutMotion(x, y);
  }
}

// Not a designed callback: the tooltips' only source, silent while no widget has one.
void glutPassiveMotion(int x, int y) {
  if (VGlutHost* host = hostOfScreen()) {
    host->passiveMotion(x, y);
  } else if (screen != nullptr && VWidget::wantsPassiveMotion()) {
    screen->glutPassiveMotion(x, y);
  }
}

int vunaMain(int argc, char** argv, VSceneBuilder buildScene, const char* title) {
  return vunaMain(argc, argv, buildScene, VHostOptions::titled(title));
}

int vunaMain(int argc, char** argv, VSceneBuilder buildScene, const VHostOptions& given) {
  const VHostOptions options = given.checked();
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE);
  glutInitWindowSize(options.pixelWidth(), options.pixelHeight());
  glutInitWindowPosition(options.left, options.top);
  glutCreateWindow(options.title);

  screen = new VScreen(nullptr);
  if (options.scale > 0) {
    screen->setScale(options.scale);
  }
  hostOfScreen();  // before the scene: its redraws and timers already go to GLUT
  if (buildScene != nullptr) {
    buildScene(screen);
  }

  glutReshapeFunc(glutResize);
  glutDisplayFunc(glutDisplay);
  glutKeyboardFunc(glutKeyboard);
  glutKeyboardUpFunc(glutKeyboardUp);
  glutSpecialFunc(glutSpecial);
  glutMouseFunc(glutMouse);
  glutMotionFunc(glutMotion);
  glutPassiveMotionFunc(glutPassiveMotion);
  // No idle or timer callback: nothing runs between events unless a widget starts a timer.
  // Widgets see the pointer only while a button is held; the passive motion serves tooltips.
  glutMainLoop();
  return 0;
}
