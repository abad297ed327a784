// VGlfwHost: GLFW's buttons and keys in GLUT's terms, the installed callbacks and their chain.
#include "hosts/glfw/VGlfwHost.h"

#include <GLFW/glfw3.h>

#include <climits>
#include <cmath>
#include <utility>
#include <vector>

#include "core/VSpecialKey.h"
#include "hosts/VLatin1.h"
#include "screen/VScreen.h"

namespace {

// The hosts with a window, so that a callback finds its host without the window's user
// pointer, which belongs to the program.
std::vector<std::pair<GLFWwindow*, VGlfwHost*>>& installed() {
  static std::vector<std::pair<GLFWwindow*, VGlfwHost*>> hosts;
  return hosts;
}

int glutButton(int button) {
  switch (button) {
    case GLFW_MOUSE_BUTTON_LEFT: return 0;
    case GLFW_MOUSE_BUTTON_MIDDLE: return 1;
    case GLFW_MOUSE_BUTTON_RIGHT: return 2;
    default: return -1;
  }
}

// The character GLUT gives for a key that GLFW's character callback never reports.
int typedBy(int key, int mods) {
  switch (key) {
    case GLFW_KEY_BACKSPACE: return 8;
    case GLFW_KEY_TAB: return 9;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_KP_ENTER: return 13;
    case GLFW_KEY_ESCAPE: return 27;
    case GLFW_KEY_DELETE: return 127;
    default: break;
  }
  if ((mods & GLFW_MOD_CONTROL) != 0 && key >= GLFW_KEY_A && key <= GLFW_KEY_Z) {
    return key - GLFW_KEY_A + 1;
  }
  return -1;
}

int special(int key) {
  if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F12) {
    return skF1 + (key - GLFW_KEY_F1);
  }
  switch (key) {
    case GLFW_KEY_LEFT: return skLeft;
    case GLFW_KEY_UP: return skUp;
    case GLFW_KEY_RIGHT: return skRight;
    case GLFW_KEY_DOWN: return skDown;
    case GLFW_KEY_PAGE_UP: return skPageUp;
    case GLFW_KEY_PAGE_DOWN: return skPageDown;
    case GLFW_KEY_HOME: return skHome;
    case GLFW_KEY_END: return skEnd;
    case GLFW_KEY_INSERT: return skInsert;
    default: return 0;
  }
}

// GLFW reports the pointer in fractions of a screen coordinate on a scaled display, and passes
// on whatever the platform gave: a value that is no number keeps the last position, and one
// beyond int's range stops at its end (the screen holds positions much closer still).
int pixel(double v, int last) {
  if (std::isnan(v)) {
    return last;
  }
  const double whole = std::floor(v);
  if (whole <= static_cast<double>(INT_MIN)) {
    return INT_MIN;
  }
  if (whole >= static_cast<double>(INT_MAX)) {
    return INT_MAX;
  }
  return static_cast<int>(whole);
}

void placePointer(VHostInput& input, double x, double y) {
  input.setPointer(pixel(x, input.getPointerX()), pixel(y, input.getPointerY()));
}

}  // namespace

VGlfwHost::VGlfwHost(VScreen* screen, VHostRole role)
    : Input(screen, role, this, glfwPostEmptyEvent) {}

VGlfwHost::~VGlfwHost() {
  uninstall();
  destroyCursors();
}

VScreen* VGlfwHost::getScreen() const { return Input.getScreen(); }
GLFWwindow* VGlfwHost::getWindow() const { return Window; }
bool VGlfwHost::takeRedisplay() { return Input.takeRedisplay(); }

// --- the raw values ---------------------------------------------------------------------------

// GLFW's modifier bits are the toolkit's: shift 1, control 2, alt 4.
bool VGlfwHost::mouseButton(int button, int action, int mods) {
  Input.setModifiers(mods);
  return Input.mouseButton(glutButton(button), action == GLFW_PRESS);
}

bool VGlfwHost::cursorPos(double x, double y) {
  return Input.pointerMoved(pixel(x, Input.getPointerX()), pixel(y, Input.getPointerY()));
}

// GLFW's x offset is positive to the left, on every platform.
bool VGlfwHost::scroll(double x, double y) { return Input.wheel(-x, y); }

// The scancode names the physical key: it is what a later release and the character callback
// in between have in common.
bool VGlfwHost::key(int key, int scancode, int action, int mods) {
  Input.setModifiers(mods);
  if (action == GLFW_RELEASE) {
    return Input.keyUp(scancode);
  }
  return Input.keyDown(scancode, typedBy(key, mods), special(key));
}

bool VGlfwHost::character(unsigned int codePoint) { return Input.text(codePoint); }

void VGlfwHost::resize(int width, int height, int framebufferWidth, int framebufferHeight) {
  Input.resize(width, height, framebufferWidth, framebufferHeight);
}

// --- the window's callbacks -------------------------------------------------------------------

// A host without a screen installs nothing: the program's callbacks stay as they were.
void VGlfwHost::install(GLFWwindow* window) {
  uninstall();
  if (Input.getScreen() == nullptr) {
    return;
  }
  Window = window;
  installed().emplace_back(window, this);
  PrevMouseButton = glfwSetMouseButtonCallback(window, onMouseButton);
  PrevCursorPos = glfwSetCursorPosCallback(window, onCursorPos);
  PrevScroll = glfwSetScrollCallback(window, onScroll);
  PrevKey = glfwSetKeyCallback(window, onKey);
  PrevChar = glfwSetCharCallback(window, onChar);
  PrevWindowSize = glfwSetWindowSizeCallback(window, onWindowSize);
  PrevFramebufferSize = glfwSetFramebufferSizeCallback(window, onFramebufferSize);
  PrevRefresh = glfwSetWindowRefreshCallback(window, onRefresh);
  PrevContentScale = glfwSetWindowContentScaleCallback(window, onContentScale);
  double x = 0;
  double y = 0;
  glfwGetCursorPos(window, &x, &y);
  placePointer(Input, x, y);
  resizeFromWindow();
  if (ClipboardSet) {  // text set before there was a window goes to the desktop now
    ClipboardSet = false;
    setClipboardText(Clipboard);
  }
}

void VGlfwHost::uninstall() {
  if (Window == nullptr) {
    return;
  }
  glfwSetMouseButtonCallback(Window, PrevMouseButton);
  glfwSetCursorPosCallback(Window, PrevCursorPos);
  glfwSetScrollCallback(Window, PrevScroll);
  glfwSetKeyCallback(Window, PrevKey);
  glfwSetCharCallback(Window, PrevChar);
  glfwSetWindowSizeCallback(Window, PrevWindowSize);
  glfwSetFramebufferSizeCallback(Window, PrevFramebufferSize);
  glfwSetWindowRefreshCallback(Window, PrevRefresh);
  glfwSetWindowContentScaleCallback(Window, PrevContentScale);
  glfwSetCursor(Window, nullptr);
  auto& hosts = installed();
  for (auto it = hosts.begin(); it != hosts.end(); ++it) {
    if (it->second == this) {
      hosts.erase(it);
      break;
    }
  }
  Window = nullptr;
}

void VGlfwHost::resizeFromWindow() {
  int width = 0;
  int height = 0;
  int framebufferWidth = 0;
  int framebufferHeight = 0;
  glfwGetWindowSize(Window, &width, &height);
  glfwGetFramebufferSize(Window, &framebufferWidth, &framebufferHeight);
  resize(width, height, framebufferWidth, framebufferHeight);
  float xScale = 1;
  float yScale = 1;
  glfwGetWindowContentScale(Window, &xScale, &yScale);
  Input.setContentScale(xScale);
}

VGlfwHost* VGlfwHost::of(GLFWwindow* window) {
  for (const auto& entry : installed()) {
    if (entry.first == window) {
      return entry.second;
    }
  }
  return nullptr;
}

// GLFW's button callback carries no position: it is read from the window.
void VGlfwHost::onMouseButton(GLFWwindow* window, int button, int action, int mods) {
  VGlfwHost* host = of(window);
  if (host == nullptr) {
    return;
  }
  double x = 0;
  double y = 0;
  glfwGetCursorPos(window, &x, &y);
  placePointer(host->Input, x, y);
  if (!host->mouseButton(button, action, mods) && host->PrevMouseButton != nullptr) {
    host->PrevMouseButton(window, button, action, mods);
  }
}

void VGlfwHost::onCursorPos(GLFWwindow* window, double x, double y) {
  VGlfwHost* host = of(window);
  if (host != nullptr && !host->cursorPos(x, y) && host->PrevCursorPos != nullptr) {
    host->PrevCursorPos(window, x, y);
  }
}

void VGlfwHost::onScroll(GLFWwindow* window, double x, double y) {
  VGlfwHost* host = of(window);
  if (host != nullptr && !host->scroll(x, y) && host->PrevScroll != nullptr) {
    host->PrevScroll(window, x, y);
  }
}

void VGlfwHost::onKey(GLFWwindow* window, int key, int scancode, int action, int mods) {
  VGlfwHost* host = of(window);
  if (host != nullptr && !host->key(key, scancode, action, mods) && host->PrevKey != nullptr) {
    host->PrevKey(window, key, scancode, action, mods);
  }
}

void VGlfwHost::onChar(GLFWwindow* window, unsigned int codePoint) {
  VGlfwHost* host = of(window);
  if (host != nullptr && !host->character(codePoint) && host->PrevChar != nullptr) {
    host->PrevChar(window, codePoint);
  }
}

// Window and framebuffer sizes change together; each callback sizes from both.
void VGlfwHost::onWindowSize(GLFWwindow* window, int width, int height) {
  VGlfwHost* host = of(window);
  if (host == nullptr) {
    return;
  }
  host->resizeFromWindow();
  if (host->PrevWindowSize != nullptr) {
    host->PrevWindowSize(window, width, height);
  }
}

void VGlfwHost::onFramebufferSize(GLFWwindow* window, int width, int height) {
  VGlfwHost* host = of(window);
  if (host == nullptr) {
    return;
  }
  host->resizeFromWindow();
  if (host->PrevFramebufferSize != nullptr) {
    host->PrevFramebufferSize(window, width, height);
  }
}

void VGlfwHost::onRefresh(GLFWwindow* window) {
  VGlfwHost* host = of(window);
  if (host == nullptr) {
    return;
  }
  host->Input.requestRedisplay();
  if (host->PrevRefresh != nullptr) {
    host->PrevRefresh(window);
  }
}

void VGlfwHost::onContentScale(GLFWwindow* window, float xScale, float yScale) {
  VGlfwHost* host = of(window);
  if (host == nullptr) {
    return;
  }
  host->Input.setContentScale(xScale);
  if (host->PrevContentScale != nullptr) {
    host->PrevContentScale(window, xScale, yScale);
  }
}

// --- services ---------------------------------------------------------------------------------

void VGlfwHost::redisplay() { Input.requestRedisplay(); }

void VGlfwHost::waitEvents() {
  const long next = Input.timers().millisecondsToNext();
  if (next < 0) {
    glfwWaitEvents();
  } else if (next > 0) {
    glfwWaitEventsTimeout(static_cast<double>(next) / 1000.0);
  } else {
    glfwPollEvents();
  }
  fireDueTimers();
}

void VGlfwHost::fireDueTimers() { Input.timers().fireDue(); }

int VGlfwHost::startTimer(int milliseconds, TimerCallback callback, void* data) {
  if (callback == nullptr || Input.getScreen() == nullptr) {
    return 0;
  }
  return Input.timers().start(milliseconds, callback, data);
}

void VGlfwHost::cancelTimer(int timer) { Input.timers().cancel(timer); }

// The desktop's clipboard speaks UTF-8; GLFW needs no particular window for it, only to be
// initialised, which a host with a window is.
std::string VGlfwHost::getClipboardText() {
  if (Window == nullptr) {
    return Clipboard;
  }
  return VLatin1::fromUtf8(glfwGetClipboardString(Window));
}

void VGlfwHost::setClipboardText(const std::string& text) {
  if (Window == nullptr) {
    Clipboard = text;
    ClipboardSet = true;
    return;
  }
  glfwSetClipboardString(Window, VLatin1::toUtf8(text).c_str());
}

double VGlfwHost::getContentScale() { return Input.getContentScale(); }

void VGlfwHost::setPointerShape(VPointerShape shape) {
  if (Window == nullptr || shape < psArrow || shape > psHand) {
    return;
  }
  GLFWcursor*& cursor = Cursors[shape];
  if (cursor == nullptr && !CursorTried[shape]) {
    CursorTried[shape] = true;  // a shape this GLFW lacks is asked for once, not at every call
    switch (shape) {
      case psTextBeam: cursor = glfwCreateStandardCursor(GLFW_IBEAM_CURSOR); break;
#ifdef GLFW_RESIZE_NWSE_CURSOR
      case psResizeCorner: cursor = glfwCreateStandardCursor(GLFW_RESIZE_NWSE_CURSOR); break;
#else
      case psResizeCorner: cursor = glfwCreateStandardCursor(GLFW_CROSSHAIR_CURSOR); break;
#endif
      case psHand: cursor = glfwCreateStandardCursor(GLFW_HAND_CURSOR); break;
      case psArrow:
      default: cursor = glfwCreateStandardCursor(GLFW_ARROW_CURSOR); break;
    }
  }
  glfwSetCursor(Window, cursor);
}

void VGlfwHost::destroyCursors() {
  for (GLFWcursor*& cursor : Cursors) {
    if (cursor != nullptr) {
      glfwDestroyCursor(cursor);
      cursor = nullptr;
    }
  }
  for (bool& tried : CursorTried) {
    tried = false;
  }
}
