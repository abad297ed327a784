// PuiStage: PUI's one-time set-up, the scene's top-level groups, a frame, a click and a key.
#include "bench/peers/PuiStage.h"

#include <GL/gl.h>
#include <plib/puGLUT.h>

#include "bench/SceneShape.h"

namespace {

// PUI asks its window binding for the window's size on every mouse event and every display
// pass (it turns y over with it). The stock GLUT binding answers with glutGet, which costs
// freeglut a round trip to the X server each time: four per click, more than everything else a
// click costs PUI. A host knows its window's size from the reshape callback, as Vuna's does, so
// this binding answers from that: the bench window is 500 by 400 and never reshaped.
void windowSizeFromReshape(int* width, int* height) {
  *width = bench::kWindowWidth;
  *height = bench::kWindowHeight;
}

void initialisePuiOnce() {
  static bool done = false;
  if (done) {
    return;
  }
  done = true;
  // puInit with the GLUT binding, but for the size.
  puSetWindowFuncs(puGetWindowGLUT, puSetWindowGLUT, windowSizeFromReshape, puSetWindowSizeGLUT);
  puRealInit();
  // Bevelled grey, the nearest of PUI's styles to the toolkit's raised and sunken frames.
  puSetDefaultStyle(PUSTYLE_SMALL_BEVELLED);
  puSetDefaultColourScheme(0.75f, 0.75f, 0.75f, 1.0f);
}

}  // namespace

PuiStage::PuiStage() { initialisePuiOnce(); }

PuiStage::~PuiStage() {
  // An object that has the input focus must not outlive its group in PUI's memory of it.
  puDeactivateWidget();
  for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) {
    delete *it;
  }
}

puGroup* PuiStage::openRoot(peers::Box b) {
  ++objects_;
  auto* g = new puGroup(b.x, bench::kWindowHeight - b.y - b.h);
  roots_.push_back(g);
  return g;
}

puMenuBar* PuiStage::openMenuBar() {
  ++objects_;
  auto* bar = new puMenuBar();
  roots_.push_back(bar);
  return bar;
}

puGroup* PuiStage::openGroup(peers::Box b, int parentHeight) {
  ++objects_;
  return new puGroup(b.x, parentHeight - b.y - b.h);
}

void PuiStage::close(puGroup* g) { g->close(); }

void PuiStage::frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  puDisplay();
  glFinish();
}

void PuiStage::click(int x, int y) {
  puMouse(PU_LEFT_BUTTON, PU_DOWN, x, y);
  puMouse(PU_LEFT_BUTTON, PU_UP, x, y);
}

void PuiStage::press(int x, int y) { puMouse(PU_LEFT_BUTTON, PU_DOWN, x, y); }

void PuiStage::release(int x, int y) { puMouse(PU_LEFT_BUTTON, PU_UP, x, y); }

void PuiStage::motion(int x, int y) { puMouse(x, y); }

void PuiStage::specialKey(int glutKey) {
  puKeyboard(glutKey + PU_KEY_GLUT_SPECIAL_OFFSET, PU_DOWN);
  puKeyboard(glutKey + PU_KEY_GLUT_SPECIAL_OFFSET, PU_UP);
}
