// VGlfwHost: one GLFW window's input, sizes and redisplays turned into the screen's host calls.
#pragma once

#include <string>

#include "../../screen/VHostServices.h"
#include "../VHostInput.h"

typedef struct GLFWwindow GLFWwindow;
typedef struct GLFWcursor GLFWcursor;

/// Every widget sees the same VEvent values as under GLUT: GLFW's buttons left, middle, right as
/// GLUT's 0, 1, 2 (GLFW numbers middle and right the other way round); characters from the
/// character callback, with their key-ups from the key that typed them (GLFW's character
/// callback has none); backspace, tab, return (keypad enter too), escape, delete and Ctrl+letter
/// as the characters GLUT gives for them; F1 to F12, the arrows, page up and down, home, end and
/// insert as VSpecialKey codes. Who gets each event, and what each role changes, is written at
/// VHostInput.
///
/// A program that owns its window (hrGuest) installs the host on it:
///   VGlfwHost host(screen, hrGuest);
///   host.install(window);
/// The host keeps the callbacks the program had installed and calls them for every event that is
/// not the GUI's. The scroll callback stays the program's alone: the GUI takes no wheel. GLFW's
/// window user pointer stays the program's too. Install the host after the program's own
/// callbacks; a callback the program installs later replaces the host's.
///
/// Services: redisplays wake glfwWaitEvents; timers are kept by the host and run by waitEvents,
/// which waits for events no longer than until the next one is due (a program that polls calls
/// fireDueTimers each frame instead); the clipboard is the desktop's, GLFW's content scale is
/// reported as it changes, and the pointer takes GLFW's standard cursors (the resize corner is
/// GLFW 3.3's crosshair where it has no diagonal one). Without a window (a test's host, or the
/// scene being built before install) the clipboard is kept in the process; text set then goes
/// to the desktop at install.
///
/// The member functions below take GLFW's raw callback values, so a test can feed a host that has
/// no window; each answers whether the event was the GUI's.
class VGlfwHost : public VHostServices {
 public:
  VGlfwHost(VScreen* screen, VHostRole role);
  /// Uninstalls, and takes its services off the screen (which then asks no host).
  ~VGlfwHost() override;
  VGlfwHost(const VGlfwHost&) = delete;
  VGlfwHost& operator=(const VGlfwHost&) = delete;

  /// Installs the mouse button, cursor position, scroll, key, character, window size,
  /// framebuffer size and refresh callbacks on the window (one window per host: installing again uninstalls first)
  /// and sizes the screen from the window at once, since GLFW reports no first size. A host
  /// without a screen installs nothing.
  void install(GLFWwindow* window);
  /// Puts the program's callbacks back; nothing when not installed.
  void uninstall();
  GLFWwindow* getWindow() const;

  bool mouseButton(int button, int action, int mods);
  bool cursorPos(double x, double y);
  /// GLFW's scroll offsets in wheel steps: x to the left, y away from the user.
  bool scroll(double x, double y);
  bool key(int key, int scancode, int action, int mods);
  bool character(unsigned int codePoint);
  /// Window size in screen coordinates, framebuffer size in pixels.
  void resize(int width, int height, int framebufferWidth, int framebufferHeight);

  /// Was a redisplay asked for since the last call (an input event, a focus change, a new size, an
  /// exposed window)? Each first request also wakes glfwWaitEvents with glfwPostEmptyEvent, so a
  /// loop may wait for events and draw only when this says so.
  bool takeRedisplay();
  VScreen* getScreen() const;

  /// glfwWaitEvents, returning by the time the next timer is due, then fireDueTimers.
  void waitEvents();
  /// Runs the timers that are due.
  void fireDueTimers();

  void redisplay() override;
  int startTimer(int milliseconds, TimerCallback callback, void* data) override;
  void cancelTimer(int timer) override;
  std::string getClipboardText() override;
  void setClipboardText(const std::string& text) override;
  double getContentScale() override;
  void setPointerShape(VPointerShape shape) override;

 private:
  static VGlfwHost* of(GLFWwindow* window);
  static void onMouseButton(GLFWwindow* window, int button, int action, int mods);
  static void onCursorPos(GLFWwindow* window, double x, double y);
  static void onScroll(GLFWwindow* window, double x, double y);
  static void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);
  static void onChar(GLFWwindow* window, unsigned int codePoint);
  static void onWindowSize(GLFWwindow* window, int width, int height);
  static void onFramebufferSize(GLFWwindow* window, int width, int height);
  static void onRefresh(GLFWwindow* window);
  static void onContentScale(GLFWwindow* window, float xScale, float yScale);
  void resizeFromWindow();
  void destroyCursors();

  VHostInput Input;
  GLFWwindow* Window = nullptr;

  /// The program's callbacks from before install, as glfwSet*Callback returned them.
  void (*PrevMouseButton)(GLFWwindow*, int, int, int) = nullptr;
  void (*PrevCursorPos)(GLFWwindow*, double, double) = nullptr;
  void (*PrevScroll)(GLFWwindow*, double, double) = nullptr;
  void (*PrevKey)(GLFWwindow*, int, int, int, int) = nullptr;
  void (*PrevChar)(GLFWwindow*, unsigned int) = nullptr;
  void (*PrevWindowSize)(GLFWwindow*, int, int) = nullptr;
  void (*PrevFramebufferSize)(GLFWwindow*, int, int) = nullptr;
  void (*PrevRefresh)(GLFWwindow*) = nullptr;
  void (*PrevContentScale)(GLFWwindow*, float, float) = nullptr;

  std::string Clipboard;                 ///< without a window
  bool ClipboardSet = false;             ///< set without a window, for the desktop at install
  GLFWcursor* Cursors[4] = {nullptr};    ///< by VPointerShape, made at first use
  bool CursorTried[4] = {false};
};
