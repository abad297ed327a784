// VGlfwHost: GLFW's raw callback values give the events GLUT's would; a program's own callbacks get the rest.
#include "hosts/glfw/VGlfwHost.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
// After GoogleTest, whose own names X11's macros (None) would replace.
#include <GL/glx.h>

#include <memory>
#include <string>
#include <vector>

#include "SeenEvents.h"
#include "core/VSpecialKey.h"
#include "screen/VScreen.h"
#include "support/ScreenFixture.h"

namespace {

using Lines = std::vector<std::string>;
Lines pair(const std::string& down, const std::string& up) { return {down, up}; }

// A 200 by 100 widget at the screen's top-left corner, focused by a click at (30, 40); the rest
// of the 500 by 400 screen is bare.
class GlfwHost : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    vt::ScreenFixture::SetUp();
    widget_ = new vt::SeenEvents(screen_, 0, 0, 200, 100);
    use(hrProgram);
  }
  void TearDown() override {
    host_.reset();
    vt::ScreenFixture::TearDown();
  }
  void use(VHostRole role) {
    host_.reset();
    host_ = std::make_unique<VGlfwHost>(screen_, role);
    click(GLFW_MOUSE_BUTTON_LEFT, 30, 40);
    widget_->take();
  }
  void click(int button, double x, double y) {
    host_->cursorPos(x, y);
    host_->mouseButton(button, GLFW_PRESS, 0);
    host_->mouseButton(button, GLFW_RELEASE, 0);
  }
  Lines stroke(int key, int mods, unsigned codePoint = 0) {
    host_->key(key, 40, GLFW_PRESS, mods);
    if (codePoint != 0) host_->character(codePoint);
    host_->key(key, 40, GLFW_RELEASE, mods);
    return widget_->take();
  }

  vt::SeenEvents* widget_ = nullptr;
  std::unique_ptr<VGlfwHost> host_;
};

TEST_F(GlfwHost, ButtonsLeftMiddleRightAreGlutsZeroOneTwoAndMotionNeedsOneHeld) {
  const int buttons[] = {GLFW_MOUSE_BUTTON_LEFT, GLFW_MOUSE_BUTTON_MIDDLE,
                         GLFW_MOUSE_BUTTON_RIGHT, GLFW_MOUSE_BUTTON_4, GLFW_MOUSE_BUTTON_8};
  const char* glut[] = {"0", "1", "2", nullptr, nullptr};
  for (int i = 0; i < 5; ++i) {
    host_->cursorPos(10.7, 20.2);  // no button held: no motion; fractions are cut off
    host_->mouseButton(buttons[i], GLFW_PRESS, 0);
    host_->cursorPos(50, 60);
    host_->mouseButton(buttons[i], GLFW_RELEASE, 0);
    const std::string b = glut[i] != nullptr ? glut[i] : "";
    EXPECT_EQ(widget_->take(), (glut[i] == nullptr ? Lines{}
                                                    : Lines{"down " + b + " at 10,20",
                                                            "motion " + b + " at 50,60",
                                                            "up " + b + " at 50,60",
                                                            "click " + b + " at 50,60"}))
        << "GLFW button " << buttons[i];
  }
}

// GLFW's character callback has no key-up: the key that typed a character sends it.
TEST_F(GlfwHost, Latin1CharactersGoDownWithTheirKeyAndUpWithItOthersAreDropped) {
  const struct {
    int key, mods;
    unsigned codePoint;
    Lines seen;
  } cases[] = {
      {GLFW_KEY_A, 0, 'a', pair("key 97 at 30,40", "keyup 97 at 30,40")},
      {GLFW_KEY_H, GLFW_MOD_SHIFT, 'H', pair("key 72 at 30,40", "keyup 72 at 30,40")},
      {GLFW_KEY_E, 0, 0xE9, pair("key 233 at 30,40", "keyup 233 at 30,40")},        // é
      {GLFW_KEY_UNKNOWN, 0, 0xFF, pair("key 255 at 30,40", "keyup 255 at 30,40")},  // ÿ
      {GLFW_KEY_E, GLFW_MOD_ALT, 0x20AC, {}},                                       // €
  };
  for (const auto& c : cases) EXPECT_EQ(stroke(c.key, c.mods, c.codePoint), c.seen) << c.codePoint;

  host_->key(GLFW_KEY_A, 38, GLFW_PRESS, 0);
  host_->character('a');
  host_->key(GLFW_KEY_A, 38, GLFW_REPEAT, 0);
  host_->character('a');
  host_->key(GLFW_KEY_B, 56, GLFW_PRESS, 0);
  host_->character('b');
  host_->key(GLFW_KEY_A, 38, GLFW_RELEASE, 0);
  host_->key(GLFW_KEY_B, 56, GLFW_RELEASE, 0);
  host_->character('c');  // no key held: an input method's, down and up at once
  EXPECT_EQ(widget_->take(), (Lines{"key 97 at 30,40", "key 97 at 30,40", "key 98 at 30,40",
                                    "keyup 97 at 30,40", "keyup 98 at 30,40", "key 99 at 30,40",
                                    "keyup 99 at 30,40"}));
}

// Escape would end a whole program: a guest hands it to the focused widget like the others.
TEST_F(GlfwHost, KeysWithoutTextTypeGlutsControlCharactersAndSpecialKeysGlutsCodes) {
  use(hrGuest);
  const struct {
    int key, mods, code;
  } controls[] = {{GLFW_KEY_BACKSPACE, 0, 8}, {GLFW_KEY_TAB, 0, 9},       {GLFW_KEY_ENTER, 0, 13},
                  {GLFW_KEY_KP_ENTER, 0, 13}, {GLFW_KEY_ESCAPE, 0, 27},   {GLFW_KEY_DELETE, 0, 127},
                  {GLFW_KEY_A, GLFW_MOD_CONTROL, 1}, {GLFW_KEY_Z, GLFW_MOD_CONTROL, 26}};
  for (const auto& c : controls) {
    const std::string n = std::to_string(c.code);
    EXPECT_EQ(stroke(c.key, c.mods), pair("key " + n + " at 30,40", "keyup " + n + " at 30,40"));
  }
  const int specials[][2] = {
      {GLFW_KEY_F1, skF1},     {GLFW_KEY_F2, skF2},   {GLFW_KEY_F3, skF3},   {GLFW_KEY_F4, skF4},
      {GLFW_KEY_F5, skF5},     {GLFW_KEY_F6, skF6},   {GLFW_KEY_F7, skF7},   {GLFW_KEY_F8, skF8},
      {GLFW_KEY_F9, skF9},     {GLFW_KEY_F10, skF10}, {GLFW_KEY_F11, skF11}, {GLFW_KEY_F12, skF12},
      {GLFW_KEY_LEFT, skLeft}, {GLFW_KEY_UP, skUp},   {GLFW_KEY_RIGHT, skRight},
      {GLFW_KEY_DOWN, skDown}, {GLFW_KEY_PAGE_UP, skPageUp}, {GLFW_KEY_PAGE_DOWN, skPageDown},
      {GLFW_KEY_HOME, skHome}, {GLFW_KEY_END, skEnd}, {GLFW_KEY_INSERT, skInsert},
      {GLFW_KEY_F13, 0},       {GLFW_KEY_LEFT_SHIFT, 0}};
  for (const auto& s : specials) {
    const Lines seen{"special " + std::to_string(s[1]) + " at 30,40"};
    EXPECT_EQ(stroke(s[0], 0), s[1] == 0 ? Lines{} : seen) << "GLFW key " << s[0];
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
    EXPECT_EQ(widget_->take(), (role == hrGuest ? Lines{}
                                                : Lines{"motion 0 at 50,50", "up 0 at 50,50",
                                                        "click 0 at 50,50", "key 120 at 50,50"}));
  }
}

// A real window: the program's callbacks, installed first, get only what the GUI did not take.
TEST_F(GlfwHost, AProgramsOwnCallbacksGetWhatTheGuiDidNotTake) {
  static Lines program;
  program.clear();
  // GLFW makes no context of its own current for long, but leaves none current: the test's is
  // made current again at the end.
  struct KeepContext {
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
  const GLFWscrollfun scroll = [](GLFWwindow*, double, double) { program.push_back("scroll"); };
  glfwSetMouseButtonCallback(window, own);
  glfwSetScrollCallback(window, scroll);
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
  EXPECT_EQ(glfwSetScrollCallback(window, scroll), scroll);  // the wheel stays the program's
  host_->uninstall();
  EXPECT_EQ(glfwSetMouseButtonCallback(window, nullptr), own);
  glfwDestroyWindow(window);
  glfwTerminate();
}

}  // namespace
