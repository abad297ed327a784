// RecordingWidget: the logging hooks and handlers.
#include "support/RecordingWidget.h"

#include <GL/gl.h>

#include <algorithm>

namespace vt {

std::vector<std::string>& hookLog() {
  static std::vector<std::string> log;
  return log;
}

std::vector<std::string> entriesOf(const std::string& name) {
  std::vector<std::string> out;
  for (const std::string& entry : hookLog()) {
    if (entry.rfind(name + ".", 0) == 0) {
      out.push_back(entry);
    }
  }
  return out;
}

bool logged(const std::string& entry) {
  return std::find(hookLog().begin(), hookLog().end(), entry) != hookLog().end();
}

std::string typeName(VEventType type) {
  switch (type) {
    case etDraw: return "draw";
    case etMouseDown: return "down";
    case etMouseUp: return "up";
    case etMouseMotion: return "motion";
    case etMouseClick: return "click";
    case etKeyboard: return "key";
    case etKeyboardUp: return "keyup";
    case etSpecialKey: return "special";
    case etMouseWheel: return "wheel";
  }
  return "?";
}

namespace {

std::string describe(VWidget* w, const std::string& what, VEvent* e) {
  return static_cast<RecordingWidget*>(w)->name + "." + what + " " + typeName(e->getType()) +
         " " + std::to_string(e->getX()) + "," + std::to_string(e->getY());
}

void logClick(VWidget* w, VEvent* e) { hookLog().push_back(describe(w, "onClick", e)); }
void logDown(VWidget* w, VEvent* e) { hookLog().push_back(describe(w, "onMouseDown", e)); }
void logUp(VWidget* w, VEvent* e) { hookLog().push_back(describe(w, "onMouseUp", e)); }
void logMove(VWidget* w, VEvent* e) { hookLog().push_back(describe(w, "onMouseMove", e)); }
void logKey(VWidget* w, VEvent* e) { hookLog().push_back(describe(w, "onKey", e)); }
void logCustomDraw(VWidget* w, VEvent*) {
  hookLog().push_back(static_cast<RecordingWidget*>(w)->name + ".onCustomDraw");
}
void logResize(VWidget* w) {
  hookLog().push_back(static_cast<RecordingWidget*>(w)->name + ".onResize " +
                      std::to_string(w->getWidth()) + "x" + std::to_string(w->getHeight()));
}

}  // namespace

RecordingWidget::RecordingWidget(VWidget* owner, std::string widgetName, int left, int top,
                                 int width, int height)
    : VWidget(owner), name(std::move(widgetName)) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
}

RecordingWidget::~RecordingWidget() {
  if (logsDeletion) {
    hookLog().push_back("~" + name);
  }
  if (freeOnDelete != nullptr) {
    freeOnDelete->free();
  }
}

void RecordingWidget::draw(VEvent*) {
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  drawnAtX = m[12];
  drawnAtY = m[13];
  hookLog().push_back(name + ".draw");
}

bool RecordingWidget::canDrag(VEvent*) { return draggable; }

bool RecordingWidget::processEvent(VEvent* e) {
  hookLog().push_back(describe(this, "processEvent", e));
  seen.push_back({e->getType(), e->getButton(), e->getX(), e->getY(), e->getKey()});
  return false;
}

bool RecordingWidget::processMouseOwner(VEvent* e) {
  hookLog().push_back(describe(this, "processMouseOwner", e));
  return false;
}

bool RecordingWidget::canFocus(VEvent*) { return focusable; }

bool RecordingWidget::processWheel(VEvent* e) {
  hookLog().push_back(describe(this, "processWheel", e));
  seen.push_back({e->getType(), e->getButton(), e->getX(), e->getY(), e->getKey(), e->getWheelX(),
                  e->getWheelY()});
  return takesWheel;
}

void RecordingWidget::layout() { ++layoutCalls; }

void RecordingWidget::remove(VWidget* child) {
  if (logsChildren) {
    auto* recording = dynamic_cast<RecordingWidget*>(child);
    hookLog().push_back(name + ".remove " + (recording != nullptr ? recording->name : "?"));
  }
  VWidget::remove(child);
}

void RecordingWidget::childrenChanged() {
  ++childrenChanges;
  if (logsChildren) {
    hookLog().push_back(name + ".childrenChanged");
  }
}

void RecordingWidget::logHandlers() {
  onClick = logClick;
  onMouseDown = logDown;
  onMouseUp = logUp;
  onMouseMove = logMove;
  onKey = logKey;
  onCustomDraw = logCustomDraw;
  onResize = logResize;
}

TestRoot::TestRoot(int width, int height) : RecordingWidget(nullptr, "root", 0, 0, width, height) {}

void TestRoot::requestFocus(VWidget* child, VWidget* target) {
  if (FocusPath != nullptr && FocusPath != child) {
    FocusPath->clearFocusPath();
  }
  FocusPath = child;
  focusTarget = target;
}

void TestRoot::freeWidget(VWidget* w) { freed.push_back(w); }

}  // namespace vt
