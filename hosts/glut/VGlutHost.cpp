// VGlutHost: the GLUT values through the host-neutral input, and GLUT's timers and cursors.
#include "hosts/glut/VGlutHost.h"

#include <GL/freeglut.h>

#ifdef __EMSCRIPTEN__
#include <emscripten/html5.h>
#endif

#include <algorithm>
#include <vector>

#include "screen/VScreen.h"

namespace {

// The live hosts, so that GLUT's timer callback, which carries one int, finds the timer's
// host: timer numbers are unique in the process.
std::vector<VGlutHost*>& liveHosts() {
  static std::vector<VGlutHost*> hosts;
  return hosts;
}

// freeglut ends the process when a call comes before glutInit or without a window.
bool glutReady() {
#ifdef __EMSCRIPTEN__
  return true;
#else
  return glutGet(GLUT_INIT_STATE) != 0 && glutGetWindow() != 0;
#endif
}

double deviceScale() {
#ifdef __EMSCRIPTEN__
  return emscripten_get_device_pixel_ratio();
#else
  return 1.0;
#endif
}

}  // namespace

VGlutHost::VGlutHost(VScreen* screen, VHostRole role) : Input(screen, role, this, nullptr) {
  liveHosts().push_back(this);
  Input.setFollowsContentScale(false);
  Input.setContentScale(deviceScale());
}

VGlutHost::~VGlutHost() {
  auto& hosts = liveHosts();
  hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
}

VScreen* VGlutHost::getScreen() const { return Input.getScreen(); }

bool VGlutHost::keyboard(unsigned char key, int x, int y) {
  Input.setPointer(x, y);
  return Input.character(key, true);
}

bool VGlutHost::keyboardUp(unsigned char key, int x, int y) {
  Input.setPointer(x, y);
  return Input.character(key, false);
}

bool VGlutHost::special(int key, int x, int y) {
  Input.setPointer(x, y);
  return Input.specialKey(key);
}

// A value of no button or of no state still reaches a program's screen, as the designed
// callback sends it: the screen makes no event of it but notes its place and redraws. A guest's
// program keeps it.
bool VGlutHost::mouse(int button, int state, int x, int y) {
  Input.setPointer(x, y);
  const bool known = button >= GLUT_LEFT_BUTTON && button <= GLUT_RIGHT_BUTTON &&
                     (state == GLUT_DOWN || state == GLUT_UP);
  if (known) {
    return Input.mouseButton(button, state == GLUT_DOWN);
  }
  if (button >= 3 && button <= 6 && state == GLUT_DOWN) {
    const int steps[4][2] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
    return Input.wheel(steps[button - 3][0], steps[button - 3][1]);
  }
  const bool wheelRelease = button >= 3 && button <= 6 && state == GLUT_UP;
  if (Input.getRole() == hrProgram && Input.getScreen() != nullptr) {
    Input.getScreen()->glutMouse(button, state, x, y);
  }
  return wheelRelease && Input.wheel(0, 0);
}

bool VGlutHost::motion(int x, int y) { return Input.pointerDragged(x, y); }

bool VGlutHost::passiveMotion(int x, int y) { return Input.pointerMoved(x, y); }

// A GLUT window's pixels are its screen's: the framebuffer has the window's size.
void VGlutHost::reshape(int width, int height) {
  Input.resize(width, height, width, height);
  Input.setContentScale(deviceScale());
}

// GLUT draws once for any number of posts; the loop calls the display callback.
void VGlutHost::redisplay() {
  if (Input.getScreen() != nullptr && glutReady()) {
    glutPostRedisplay();
  }
}

int VGlutHost::startTimer(int milliseconds, TimerCallback callback, void* data) {
  if (callback == nullptr || !glutReady()) {
    return 0;
  }
  const int timer = Input.timers().start(milliseconds, callback, data);
  glutTimerFunc(static_cast<unsigned>(std::max(milliseconds, 0)), fire, timer);
  return timer;
}

// GLUT cannot take a timer back: it still calls fire, which finds the number gone.
void VGlutHost::cancelTimer(int timer) { Input.timers().cancel(timer); }

// GLUT counts whole milliseconds and may call a little early: the rest is waited again. The
// walk ends with the one host that has the timer, whose callback may delete hosts.
void VGlutHost::fire(int timer) {
  for (VGlutHost* host : liveHosts()) {
    const long left = host->Input.timers().millisecondsLeft(timer);
    if (left > 0) {
      glutTimerFunc(static_cast<unsigned>(left), fire, timer);
      return;
    }
    if (left == 0) {
      host->Input.timers().fire(timer);
      return;
    }
  }
}

// One text for the process, whichever host or window set it.
std::string& VGlutHost::clipboard() {
  static std::string text;
  return text;
}

std::string VGlutHost::getClipboardText() { return clipboard(); }
void VGlutHost::setClipboardText(const std::string& text) { clipboard() = text; }
double VGlutHost::getContentScale() { return Input.getContentScale(); }

void VGlutHost::setPointerShape(VPointerShape shape) {
  if (!glutReady()) {
    return;
  }
  switch (shape) {
    case psTextBeam: glutSetCursor(GLUT_CURSOR_TEXT); break;
    case psResizeCorner: glutSetCursor(GLUT_CURSOR_BOTTOM_RIGHT_CORNER); break;
    case psHand: glutSetCursor(GLUT_CURSOR_INFO); break;
    case psArrow:
    default: glutSetCursor(GLUT_CURSOR_LEFT_ARROW); break;
  }
}
