// VunaStage: the bench's screen, the host's view, one frame, one click, and widget counting.
#include "bench/VunaStage.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <list>

#include "bench/SceneShape.h"
#include "screen/host.h"

namespace {
// Children is protected; a pointer to it taken in a derived class's scope reads it from any
// widget.
struct ChildrenAccess : VWidget {
  static std::list<VWidget*>& of(VWidget* w) { return w->*(&ChildrenAccess::Children); }
};
}  // namespace

VunaStage::VunaStage() {
  setView();
  screen_ = new VScreen(nullptr);
  // As vunaMain does: every input event and focus change posts a GLUT redisplay.
  screen_->setRedisplayHook([](void*) { glutPostRedisplay(); }, nullptr);
  ::screen = screen_;
  // As the host's first reshape: viewport, projection, then the screen's size.
  ::glutResize(bench::kWindowWidth, bench::kWindowHeight);
  glLoadIdentity();
}

VunaStage::~VunaStage() {
  ::screen = nullptr;
  delete screen_;
}

void VunaStage::setView() {
  glViewport(0, 0, bench::kWindowWidth, bench::kWindowHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, bench::kWindowWidth, bench::kWindowHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void VunaStage::frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  screen_->glutDisplay();
  glFinish();
}

void VunaStage::click(int x, int y) {
  screen_->glutMouse(0, 0, x, y);
  screen_->glutMouse(0, 1, x, y);
}

long long VunaStage::widgetCount() { return subtreeCount(screen_) - 1; }

long long VunaStage::subtreeCount(VWidget* w) {
  long long n = 1;
  for (VWidget* child : ChildrenAccess::of(w)) {
    n += subtreeCount(child);
  }
  return n;
}

std::vector<VWidget*> VunaStage::descendants(VWidget* w) {
  std::vector<VWidget*> found;
  for (VWidget* child : ChildrenAccess::of(w)) {
    found.push_back(child);
    for (VWidget* below : descendants(child)) {
      found.push_back(below);
    }
  }
  return found;
}

void VunaStage::sendToBack(VWidget* owner, VWidget* child) {
  std::list<VWidget*>& children = ChildrenAccess::of(owner);
  for (auto it = children.begin(); it != children.end(); ++it) {
    if (*it == child) {
      children.splice(children.end(), children, it);
      return;
    }
  }
}

bool VunaStage::glClean() {
  bool clean = true;
  // Bounded: without a context some drivers answer an error for ever.
  for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    clean = false;
  }
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  return clean && depth == 1;
}
