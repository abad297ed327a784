// host: GLUT glue. The only place where GLUT callbacks and the widget tree meet.
#include "screen/host.h"

#include <GL/freeglut.h>

#include <cstdlib>

VScreen* screen = nullptr;

namespace {

void postRedisplay(void*) { glutPostRedisplay(); }

}  // namespace

void glutResize(int w, int h) {
  // The model-view matrix stays current for the draw pass, which pushes and pops around
  // every widget.
  VScreen::usePixelProjection(w, h, w, h);
  if (screen != nullptr) {
    screen->setWidth(w);
    screen->setHeight(h);
  }
}

void glutDisplay() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (screen != nullptr) {
    screen->glutDisplay();
  }
  glutSwapBuffers();
}

void glutKeyboard(unsigned char key, int x, int y) {
  if (key == 27) {
    std::exit(0);
  }
  if (screen != nullptr) {
    screen->glutKeyboard(key, x, y);
  }
}

void glutKeyboardUp(unsigned char key, int x, int y) {
  if (screen != nullptr) {
    screen->glutKeyboardUp(key, x, y);
  }
}

void glutSpecial(int key, int x, int y) {
  if (screen != nullptr) {
    screen->glutSpecialFunc(key, x, y);
  }
}

void glutMouse(int button, int state, int x, int y) {
  if (screen != nullptr) {
    screen->glutMouse(button, state, x, y);
  }
}

void glutMotion(int x, int y) {
  if (screen != nullptr) {
    screen->glutMotion(x, y);
  }
}

int vunaMain(int argc, char** argv, VSceneBuilder buildScene, const char* title) {
  return vunaMain(argc, argv, buildScene, VHostOptions::titled(title));
}

int vunaMain(int argc, char** argv, VSceneBuilder buildScene, const VHostOptions& given) {
  const VHostOptions options = given.checked();
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE);
  glutInitWindowSize(options.width, options.height);
  glutInitWindowPosition(options.left, options.top);
  glutCreateWindow(options.title);

  screen = new VScreen(nullptr);
  screen->setRedisplayHook(postRedisplay, nullptr);  // redraw() is glutPostRedisplay()
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
  // No passive-motion, idle or timer callback: widgets see the pointer only while a button is
  // held, and nothing runs between events.
  glutMainLoop();
  return 0;
}
