// CoreContext: opening the core-profile window and switching to it and back.
#include "bench/CoreContext.h"

#include <GL/freeglut.h>

#include "bench/SceneShape.h"
#include "draw/VGLLayer.h"

namespace {
int coreWindow = 0;
std::string coreVersion = "none";
}  // namespace

void CoreContext::open() {
  if (coreWindow != 0) {
    return;
  }
  const int previous = glutGetWindow();
  glutInitContextVersion(3, 3);
  glutInitContextProfile(GLUT_CORE_PROFILE);
  glutInitWindowSize(bench::kWindowWidth, bench::kWindowHeight);
  // Beside the bench window, not over it (Xvfb's screen is 1280 wide).
  glutInitWindowPosition(100 + bench::kWindowWidth + 50, 100);
  coreWindow = glutCreateWindow("mini Vuna bench, core profile");
  const auto* text = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  coreVersion = text != nullptr ? text : "unknown";
  glutInitContextVersion(1, 0);
  glutInitContextProfile(0);
  if (previous != 0) {
    glutSetWindow(previous);
  }
}

std::string CoreContext::version() { return coreVersion; }

CoreContext::CoreContext() : previous_(glutGetWindow()) {
  if (coreWindow == 0) {
    return;
  }
  glutSetWindow(coreWindow);
  ready_ = VGLLayer::chooseForCurrentContext() == ckProgrammable;
}

CoreContext::~CoreContext() {
  if (coreWindow == 0 || previous_ == 0) {
    return;
  }
  glutSetWindow(previous_);
  VGLLayer::chooseForCurrentContext();
}
