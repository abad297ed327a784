// What a program asks the screen after forwarding an event: did the GUI take it?
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/VSpecialKey.h"
#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VTextEdit.h"
#include "widgets/VWindow.h"

namespace {

class Capture : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    back_ = new VWindow(screen_);  // (0, 0) 200x150, behind
    back_->setWidth(200);
    back_->setHeight(150);
    window_ = new VWindow(screen_);
    window_->setLeft(100);
    window_->setTop(100);
    window_->setWidth(250);
    window_->setHeight(150);
    button_ = new VCaptionButton(window_);
    button_->setCaption("Reset view");
    button_->setLeft(10);
    button_->setTop(35);
    field_ = new VTextEdit(window_);
    field_->setLeft(10);
    field_->setTop(80);
    field_->setWidth(150);
  }
  VWindow* back_ = nullptr;
  VWindow* window_ = nullptr;
  VCaptionButton* button_ = nullptr;
  VTextEdit* field_ = nullptr;
};

// Each press in turn, from the same start: where it lands and whether the GUI took it.
TEST_F(Capture, APressIsTakenByAWidgetButNotByTheBareScreen) {
  struct Case {
    const char* where;
    int x;
    int y;
    bool disableFront;
    bool taken;
  };
  const Case cases[] = {
      {"a button", 115, 140, false, true},
      {"the front window's title bar", 200, 105, false, true},
      {"the front window's client area", 300, 220, false, true},
      {"the bare screen", 450, 50, false, false},
      {"a disabled window over the bare screen", 300, 220, true, false},
      {"a disabled window over another window", 150, 120, true, true},
      {"far outside the screen", -500, 900, false, false},
  };
  for (const Case& c : cases) {
    window_->setEnabled(!c.disableFront);
    press(c.x, c.y);
    EXPECT_EQ(screen_->capturesMouse(), c.taken) << "press on " << c.where;
    release(c.x, c.y);
    EXPECT_EQ(screen_->capturesMouse(), c.taken) << "release after a press on " << c.where;
    window_->setEnabled(true);
    screen_->bringToFront(window_);  // a press on the window behind raised it
  }
}

// The drag that follows a press on a title bar belongs to the GUI until its release, even
// where the pointer leaves the window; the next press on the scene ends that.
TEST_F(Capture, ADragThatStartsOnATitleBarStaysCapturedOutsideTheWindow) {
  press(200, 105);
  ASSERT_TRUE(screen_->capturesMouse());
  for (auto [x, y] : {std::pair{420, 105}, {480, 390}, {-50, -50}}) {
    motion(x, y);
    EXPECT_TRUE(screen_->capturesMouse()) << "motion to " << x << "," << y;
  }
  motion(300, 200);
  release(300, 200);
  EXPECT_TRUE(screen_->capturesMouse());
  EXPECT_EQ(window_->getLeft(), 200);  // the window followed the pointer
  EXPECT_EQ(window_->getTop(), 195);
  press(480, 20);
  EXPECT_FALSE(screen_->capturesMouse());
}

// The keys are the scene's unless the focused widget takes them: a text field every character
// (not Escape, no special key), a button Space and Return, a title bar none.
TEST_F(Capture, KeysAreTheGuisOnlyWhereTheFocusedWidgetTakesThem) {
  const struct {
    const char* clicked;
    int x, y;
    bool keyboard, space, w, escape, arrow;
  } cases[] = {
      {"title bar", 200, 105, false, false, false, false, false},
      {"button", 115, 140, false, true, false, false, false},
      {"text field", 130, 185, true, true, true, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clicked);
    click(c.x, c.y);
    EXPECT_EQ(screen_->capturesKeyboard(), c.keyboard);
    EXPECT_EQ(screen_->capturesKey(' ', false), c.space);
    EXPECT_EQ(screen_->capturesKey('w', false), c.w);
    EXPECT_EQ(screen_->capturesKey(vt::kEscape, false), c.escape);
    EXPECT_EQ(screen_->capturesKey(skUp, true), c.arrow);
  }
}

TEST_F(Capture, KeyboardIsCapturedWhileATextFieldHoldsTheFocusUntilTheProgramDropsIt) {
  EXPECT_FALSE(screen_->capturesKeyboard());
  click(130, 185);  // the text field
  EXPECT_TRUE(screen_->capturesKeyboard());
  EXPECT_EQ(screen_->getScreenFocusedWidget(), field_);
  // As designed, a press on the bare screen keeps the focus where it was.
  click(450, 50);
  EXPECT_TRUE(screen_->capturesKeyboard());
  EXPECT_FALSE(screen_->capturesMouse());

  screen_->dropFocus();
  EXPECT_FALSE(screen_->capturesKeyboard());
  EXPECT_EQ(screen_->getScreenFocusedWidget(), nullptr);
  EXPECT_EQ(screen_->getFocusPath(), nullptr);
  EXPECT_EQ(window_->getFocusPath(), nullptr);  // the whole chain is cut
  keyDown('w');
  EXPECT_EQ(field_->getText(), "");
}

int redisplays = 0;
void countRedisplay(void* data) {
  ++redisplays;
  EXPECT_EQ(data, &redisplays);
}

TEST_F(Capture, RedisplayRequestsGoThroughTheInstalledHook) {
  redisplays = 0;
  screen_->setRedisplayHook(countRedisplay, &redisplays);
  const std::function<void()> calls[] = {
      [this] { press(115, 140); },
      [this] { release(115, 140); },
      [this] { motion(120, 140); },
      [this] { keyDown('x'); },
      [this] { keyUp('x'); },
      [this] { special(skF1); },
      [this] { screen_->dropFocus(); },
  };
  for (const auto& call : calls) {
    const int before = redisplays;
    call();
    EXPECT_GT(redisplays, before) << "call " << (&call - calls);
  }
  screen_->setRedisplayHook(nullptr, nullptr);
  const int before = redisplays;
  motion(1, 1);  // back to GLUT's request
  EXPECT_EQ(redisplays, before);
}

TEST_F(Capture, SetSizeSizesTheScreenAsTheReshapeDoesWithoutTouchingTheProjection) {
  static int resizes = 0;
  resizes = 0;
  screen_->onResize = [](VWidget*) { ++resizes; };
  vt::resetView();
  GLfloat before[16];
  glGetFloatv(GL_PROJECTION_MATRIX, before);
  screen_->setSize(640, 480);
  EXPECT_EQ(resizes, 2);
  screen_->setSize(640, 300);
  EXPECT_EQ(resizes, 3);
  screen_->setSize(640, 300);
  EXPECT_EQ(resizes, 3);
  EXPECT_EQ(screen_->getWidth(), 640);
  EXPECT_EQ(screen_->getHeight(), 300);
  GLfloat after[16];
  glGetFloatv(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(after[i], before[i]) << i;
  }
}

}  // namespace
