// startup_floor: the least a GLUT program can do before its first frame, the start-up floor.
//
// It opens the same window as minivuna (500 by 400 at 100, 100, double-buffered RGBA), clears
// it and swaps, with nothing of the toolkit: no screen, no images, no widgets. The start-up
// case runs it with the same preloaded shim, so the difference to minivuna is the toolkit's
// own start-up.
#include <GL/freeglut.h>

namespace {

void display() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE);
  glutInitWindowSize(500, 400);
  glutInitWindowPosition(100, 100);
  glutCreateWindow("mini Vuna");
  glutDisplayFunc(display);
  glutMainLoop();
  return 0;
}
