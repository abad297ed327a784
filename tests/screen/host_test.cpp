// host: the GLUT callbacks as the program registers them.
#include "screen/host.h"

#include <GL/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iostream>

#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"
#include "widgets/VMenu.h"
#include "widgets/VPopupLayer.h"

namespace {

using vt::hookLog;
using vt::RecordingWidget;

using HostCallbacks = vt::ScreenFixture;

TEST_F(HostCallbacks, ReshapingTo640By480SizesTheScreenAndRunsOnResizeOncePerDimension) {
  static int resizes = 0;
  resizes = 0;
  screen_->onResize = [](VWidget*) { ++resizes; };
  glutResize(640, 480);
  EXPECT_EQ(screen_->getWidth(), 640);
  EXPECT_EQ(screen_->getHeight(), 480);
  EXPECT_EQ(resizes, 2);
  glutResize(640, 300);
  EXPECT_EQ(resizes, 3);
  glutResize(640, 300);
  EXPECT_EQ(resizes, 3);
  vt::resetView();
}

TEST_F(HostCallbacks, ReshapeSetsAPixelProjectionWithTheOriginTopLeft) {
  glutResize(500, 400);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLfloat p[16];
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  // x: 0..500 -> -1..1; y: 0..400 -> 1..-1 (downwards).
  EXPECT_FLOAT_EQ(p[0], 2.0f / 500);
  EXPECT_FLOAT_EQ(p[5], -2.0f / 400);
  EXPECT_FLOAT_EQ(p[12], -1.0f);
  EXPECT_FLOAT_EQ(p[13], 1.0f);
}

// A minimised window may be reshaped to a side of 0: no GL error is left behind, and the next
// real size brings the pixel projection back.
TEST_F(HostCallbacks, ReshapingToAnEmptySideLeavesNoGlError) {
  while (glGetError() != GL_NO_ERROR) {
  }
  for (auto [w, h] : {std::pair{500, 0}, {0, 400}, {0, 0}}) {
    glutResize(w, h);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << w << "x" << h;
  }
  glutResize(500, 400);
  GLfloat p[16];
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_FLOAT_EQ(p[0], 2.0f / 500);
  EXPECT_FLOAT_EQ(p[5], -2.0f / 400);
  vt::resetView();
}

TEST_F(HostCallbacks, CallbacksForwardToTheScreen) {
  auto* w = new RecordingWidget(screen_, "w", 0, 0, 100, 100);
  w->focusable = true;
  w->logHandlers();
  glutMouse(0, 0, 10, 20);
  glutMotion(11, 21);
  glutMouse(0, 1, 12, 22);
  glutKeyboard('a', 1, 2);
  glutKeyboardUp('a', 1, 2);
  glutSpecial(100, 1, 2);
  EXPECT_EQ(hookLog(), (std::vector<std::string>{
                           "w.processMouseOwner down 10,20", "w.processEvent down 10,20",
                           "w.onMouseDown down 10,20", "w.processMouseOwner motion 11,21",
                           "w.processEvent motion 11,21", "w.onMouseMove motion 11,21",
                           "w.processMouseOwner up 12,22", "w.processEvent up 12,22",
                           "w.onMouseUp up 12,22", "w.processMouseOwner click 12,22",
                           "w.processEvent click 12,22", "w.onClick click 12,22",
                           "w.processEvent key 1,2", "w.onKey key 1,2", "w.processEvent keyup 1,2",
                           "w.onKey keyup 1,2", "w.processEvent special 1,2",
                           "w.onKey special 1,2"}));
}

TEST_F(HostCallbacks, TheDisplayCallbackClearsAndDrawsTheTree) {
  new RecordingWidget(screen_, "w", 0, 0, 100, 100);
  hookLog().clear();
  glutDisplay();
  EXPECT_EQ(hookLog(), (std::vector<std::string>{"w.draw"}));
}

TEST_F(HostCallbacks, EscapeUpReachesTheWidgetsAsAnyOtherKeyUp) {
  auto* w = new RecordingWidget(screen_, "w", 0, 0, 100, 100);
  w->focusable = true;
  glutMouse(0, 0, 1, 1);
  hookLog().clear();
  glutKeyboardUp(27, 0, 0);
  EXPECT_EQ(hookLog().front(), "w.processEvent keyup 0,0");
}

void reportKey(VWidget*, VEvent* e) { std::cerr << "widget saw key " << e->getKey() << std::endl; }

TEST_F(HostCallbacks, EscapeEndsTheProcessWithStatusZeroBeforeAnyWidgetSeesIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto* w = new RecordingWidget(screen_, "w", 0, 0, 100, 100);
  w->focusable = true;
  w->onKey = reportKey;
  glutMouse(0, 0, 1, 1);
  screen_->onKey = reportKey;
  EXPECT_EXIT(glutKeyboard(27, 5, 5), ::testing::ExitedWithCode(0),
              ::testing::Not(::testing::HasSubstr("widget saw key")));
  // Any other key does reach them.
  EXPECT_EXIT(
      {
        glutKeyboard('x', 5, 5);
        std::exit(3);
      },
      ::testing::ExitedWithCode(3), ::testing::HasSubstr("widget saw key 120"));
}

// With a menu open, Escape is the menu's: it closes it, and the program goes on.
TEST_F(HostCallbacks, EscapeClosesAnOpenMenuInsteadOfEndingTheProgram) {
  VMenu menu(nullptr);
  menu.addItem("Open");
  screen_->popupMenu(&menu, 10, 10);
  glutKeyboard(27, 5, 5);
  EXPECT_FALSE(menu.isOpen());
  EXPECT_FALSE(screen_->getPopupLayer()->anyOpen());
}

}  // namespace
