// VGlfwHost: GLFW's raw callback values give GLUT's events; a program's own callbacks get the rest.
#include "hosts/glfw/VGlfwHost.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

#include "HostTest.h"
#include "core/VSpecialKey.h"
#include "support/StreamCapture.h"
// After GoogleTest, whose own names X11's macros (None) would replace.
#include <GL/glx.h>

namespace {

using vt::Lines;
using GlfwHost = vt::HostTest<VGlfwHost>;

TEST_F(GlfwHost, ButtonsLeftMiddleRightAreGlutsZeroOneTwoAndMotionNeedsOneHeld) {
  const std::pair<int, const char*> buttons[] = {{GLFW_MOUSE_BUTTON_LEFT, "0"},
                                                 {GLFW_MOUSE_BUTTON_MIDDLE, "1"},
                                                 {GLFW_MOUSE_BUTTON_RIGHT, "2"},
                                                 {GLFW_MOUSE_BUTTON_4, nullptr}};
  for (const auto& [button, glut] : buttons) {
    host_->cursorPos(10.7, 20.2);  // no button held: no motion; fractions are cut off
    host_->mouseButton(button, GLFW_PRESS, 0);
    host_->cursorPos(50, 60);
    host_->mouseButton(button, GLFW_RELEASE, 0);
    const std::string b = glut != nullptr ? glut : "";
    const Lines seen{"down " + b + " at 10,20", "motion " + b + " at 50,60",
                     "up " + b + " at 50,60", "click " + b + " at 50,60"};
    EXPECT_EQ(widget_->take(), glut != nullptr ? seen : Lines{}) << "GLFW button " << button;
  }
}

// Parts of a step add up to whole ones; GLFW counts x to the left.
TEST_F(GlfwHost, ScrollingMakesWholeWheelStepsAtThePointer) {
  host_->cursorPos(50, 60);
  EXPECT_TRUE(host_->scroll(0, 1));
  EXPECT_TRUE(host_->scroll(-0.5, 0.25));  // not a whole step yet: answers as the last one
  EXPECT_TRUE(host_->scroll(-0.5, -2.5));
  EXPECT_EQ(widget_->take(), (Lines{"wheel 0,1 at 50,60", "wheel 1,-2 at 50,60"}));
  host_->cursorPos(300, 300);
  EXPECT_FALSE(host_->scroll(0, 1e30));  // a broken report: dropped
  EXPECT_FALSE(host_->scroll(0, -1));     // over the bare screen: the program's
  EXPECT_EQ(widget_->take(), Lines{});
}

// The modifiers held at a key or a button travel with it and the events after it.
TEST_F(GlfwHost, ModifiersTravelWithTheirEvents) {
  const std::pair<int, int> held[] = {{GLFW_MOD_CONTROL, vmCtrl},
                                      {GLFW_MOD_SHIFT | GLFW_MOD_ALT, vmShift | vmAlt},
                                      {GLFW_MOD_SUPER, 0}, {0, 0}};
  for (const auto& [mods, expected] : held) {
    host_->key(GLFW_KEY_A, 38, GLFW_PRESS, mods);
    EXPECT_EQ(screen_->getLastEvent()->getModifiers(), expected) << mods;
    host_->key(GLFW_KEY_A, 38, GLFW_RELEASE, 0);
    host_->mouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, mods);
    EXPECT_EQ(screen_->getLastEvent()->getModifiers(), expected) << mods;
    host_->mouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
  }
}

// GLFW's character callback has no key-up: the key that typed a character sends it, once.
TEST_F(GlfwHost, Latin1CharactersGoDownWithTheirKeyAndUpWithItOthersAreDropped) {
  const std::pair<unsigned, Lines> cases[] = {
      {'a', typed(97)}, {0xE9, typed(233)}, {0xFF, typed(255)}, {0x20AC, {}}};  // é ÿ €
  for (const auto& [codePoint, seen] : cases) {
    host_->key(GLFW_KEY_E, 26, GLFW_PRESS, 0);
    host_->character(codePoint);
    host_->key(GLFW_KEY_E, 26, GLFW_REPEAT, 0);
    host_->key(GLFW_KEY_E, 26, GLFW_RELEASE, 0);
    EXPECT_EQ(widget_->take(), seen) << codePoint;
  }
  host_->key(GLFW_KEY_A, 38, GLFW_PRESS, 0);
  host_->character('a');
  host_->key(GLFW_KEY_B, 56, GLFW_PRESS, GLFW_MOD_SHIFT);
  host_->character('B');
  host_->key(GLFW_KEY_A, 38, GLFW_RELEASE, 0);
  EXPECT_EQ(widget_->take(), (Lines{"key 97 at 0,0", "key 66 at 0,0", "keyup 97 at 0,0"}));
}

// Escape would end a whole program: a guest hands it to the focused widget like the others.
TEST_F(GlfwHost, KeysWithoutTextTypeGlutsControlCharactersAndSpecialKeysGlutsCodes) {
  use(hrGuest);
  const int keys[][3] = {
      {GLFW_KEY_BACKSPACE, 0, 8}, {GLFW_KEY_TAB, 0, 9},     {GLFW_KEY_ENTER, 0, 13},
      {GLFW_KEY_KP_ENTER, 0, 13}, {GLFW_KEY_ESCAPE, 0, 27}, {GLFW_KEY_DELETE, 0, 127},
      {GLFW_KEY_A, GLFW_MOD_CONTROL, 1}, {GLFW_KEY_Z, GLFW_MOD_CONTROL, 26},
      {GLFW_KEY_F1, 0, -skF1},     {GLFW_KEY_F2, 0, -skF2},     {GLFW_KEY_F3, 0, -skF3},
      {GLFW_KEY_F4, 0, -skF4},     {GLFW_KEY_F5, 0, -skF5},     {GLFW_KEY_F6, 0, -skF6},
      {GLFW_KEY_F7, 0, -skF7},     {GLFW_KEY_F8, 0, -skF8},     {GLFW_KEY_F9, 0, -skF9},
      {GLFW_KEY_F10, 0, -skF10},   {GLFW_KEY_F11, 0, -skF11},   {GLFW_KEY_F12, 0, -skF12},
      {GLFW_KEY_LEFT, 0, -skLeft}, {GLFW_KEY_UP, 0, -skUp},     {GLFW_KEY_RIGHT, 0, -skRight},
      {GLFW_KEY_DOWN, 0, -skDown}, {GLFW_KEY_PAGE_UP, 0, -skPageUp},
      {GLFW_KEY_PAGE_DOWN, 0, -skPageDown}, {GLFW_KEY_HOME, 0, -skHome},
      {GLFW_KEY_END, 0, -skEnd},   {GLFW_KEY_INSERT, 0, -skInsert}};  // negative: special
  for (const auto& [key, mods, code] : keys) {
    host_->key(key, 9, GLFW_PRESS, mods);
    host_->key(key, 9, GLFW_RELEASE, mods);
    EXPECT_EQ(widget_->take(),
              code > 0 ? typed(code) : Lines{"special " + std::to_string(-code) + " at 0,0"})
        << "GLFW key " << key;
  }
}

// A whole program's screen gets everything, as under GLUT. A guest's program keeps what began
// on its scene: a drag from the bare screen onto the widget clicks nothing, and the focus goes.
TEST_F(GlfwHost, AGuestLeavesTheProgramWhatBeganOnItsScene) {
  for (VHostRole role : {hrProgram, hrGuest}) {
    use(role);
    host_->cursorPos(300, 300);
    EXPECT_FALSE(host_->mouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0));
    EXPECT_FALSE(host_->cursorPos(50, 50));
    EXPECT_FALSE(host_->mouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0));
    EXPECT_EQ(host_->key(GLFW_KEY_X, 53, GLFW_PRESS, 0), role == hrProgram);
    EXPECT_EQ(host_->character('x'), role == hrProgram);
    const Lines all{"motion 0 at 50,50", "up 0 at 50,50", "click 0 at 50,50", "key 120 at 50,50"};
    EXPECT_EQ(widget_->take(), role == hrGuest ? Lines{} : all);
  }
}

// A real window: the program's callbacks, installed first, get only what the GUI did not take.
TEST_F(GlfwHost, AProgramsOwnCallbacksGetWhatTheGuiDidNotTake) {
  static Lines program;
  program.clear();
  struct KeepContext {  // GLFW leaves no context current: the test's comes back at the end
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    GLXContext context = glXGetCurrentContext();
    ~KeepContext() { glXMakeCurrent(display, drawable, context); }
  } keep;
  ASSERT_EQ(glfwInit(), GLFW_TRUE);
  GLFWwindow* window = glfwCreateWindow(500, 400, "guest", nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const GLFWmousebuttonfun own = [](GLFWwindow* w, int, int action, int) {
    double x = 0, y = 0;
    glfwGetCursorPos(w, &x, &y);
    program.push_back((action == GLFW_PRESS ? "press " : "release ") + std::to_string(int(x)));
  };
  glfwSetMouseButtonCallback(window, own);
  use(hrGuest);
  host_->install(window);
  const GLFWmousebuttonfun installed = glfwSetMouseButtonCallback(window, nullptr);
  glfwSetMouseButtonCallback(window, installed);
  for (int x : {30, 300}) {  // the widget's, then the bare screen's
    glfwSetCursorPos(window, x, 40);
    installed(window, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
    installed(window, GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
  }
  EXPECT_EQ(program, (Lines{"press 300", "release 300"}));
  EXPECT_EQ(widget_->take(), (Lines{"down 0 at 30,40", "up 0 at 30,40", "click 0 at 30,40"}));
  host_->uninstall();
  EXPECT_EQ(glfwSetMouseButtonCallback(window, nullptr), own);
  glfwDestroyWindow(window);
  glfwTerminate();
}

// The position as the screen's last event holds it: the screen keeps positions within 2^24.
TEST_F(GlfwHost, APositionThatIsNoNumberKeepsTheLastOneAndOneBeyondIntStopsAtItsEnd) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  const double cases[][4] = {{nan, nan, 50, 60},      {nan, 7.5, 50, 7},
                             {1e300, -1e300, 1 << 24, -(1 << 24)},
                             {inf, -inf, 1 << 24, -(1 << 24)}, {-2e10, 3e9, -(1 << 24), 1 << 24}};
  for (const auto& [x, y, seenX, seenY] : cases) {
    host_->cursorPos(50, 60);
    host_->mouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
    host_->cursorPos(x, y);
    EXPECT_EQ(screen_->getLastEvent()->getX(), seenX) << x << ", " << y;
    EXPECT_EQ(screen_->getLastEvent()->getY(), seenY) << x << ", " << y;
    host_->mouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
  }
}

// Given no screen, or when its screen is deleted first (a host on the stack), a host says so
// once, takes no event and installs nothing; even Escape no longer ends a whole program.
TEST_F(GlfwHost, WithoutAScreenItTakesNothingWhicheverGoesFirst) {
  vt::StreamCapture err(std::cerr);
  VGlfwHost none(nullptr, hrProgram);
  auto* own = new VScreen(nullptr);
  VGlfwHost orphan(own, hrProgram);
  delete own;
  EXPECT_EQ(orphan.getScreen(), nullptr);
  for (VGlfwHost* host : {&none, &orphan}) {
    EXPECT_FALSE(host->mouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0));
    EXPECT_FALSE(host->cursorPos(1, 2));
    EXPECT_FALSE(host->mouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0));
    EXPECT_FALSE(host->key(GLFW_KEY_ESCAPE, 9, GLFW_PRESS, 0));
    EXPECT_FALSE(host->character('a'));
    EXPECT_FALSE(host->key(GLFW_KEY_ESCAPE, 9, GLFW_RELEASE, 0));
    host->resize(10, 10, 10, 10);
    EXPECT_FALSE(host->takeRedisplay());
    host->install(nullptr);
    EXPECT_EQ(host->getWindow(), nullptr);
  }
  EXPECT_EQ(err.lines(), Lines{"Vuna: a host adapter was given no screen; it takes no events"});
}

}  // namespace
