// The screen's scale: points drawn at that many window pixels each, the pointer's pixels
// divided back, clips in device pixels, and who decides the scale.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"

namespace {

using Scale = vt::ScreenFixture;

void paintRed(VWidget* w, VEvent*) {
  glColor3f(1, 0, 0);
  glRecti(0, 0, w->getWidth(), w->getHeight());
}

// At 2 the 500 by 400 window holds 250 by 200 points; a widget at (20, 30), 40 by 10 points,
// covers window pixels 40 to 119 and 60 to 79, and a press finds it there, in points. A clip
// cuts its child at the same device pixel as its own edge.
TEST_F(Scale, TheTreeIsDrawnAndHitInPointsAndClipsFollowTheScale) {
  screen_->setSize(500, 400);
  screen_->setScale(2);
  EXPECT_EQ(screen_->getWidth(), 250);
  EXPECT_EQ(screen_->getHeight(), 200);
  auto* box = new vt::RecordingWidget(screen_, "box", 20, 30, 40, 10);
  box->onCustomDraw = paintRed;
  auto* frame = new vt::RecordingWidget(screen_, "frame", 100, 100, 30, 30);
  frame->setClipChildren(true);
  (new vt::RecordingWidget(frame, "ink", -10, -10, 100, 100))->onCustomDraw = paintRed;
  drawFrame();
  const vt::Rgb red = vt::toRgb(1, 0, 0);
  const struct {
    int x, y;
    bool red;
  } pixels[] = {{40, 60, true},   {119, 79, true},   {39, 60, false},  {120, 70, false},
                {200, 200, true}, {259, 259, true},  {199, 230, false}, {260, 230, false}};
  for (const auto& p : pixels) {
    EXPECT_EQ(vt::pixelNear(p.x, p.y, red), p.red) << p.x << "," << p.y;
  }
  click(119, 79);
  ASSERT_FALSE(box->seen.empty());
  EXPECT_EQ(box->seen.front().x, 59);  // points, in the screen's space
  EXPECT_EQ(box->seen.front().y, 39);
  box->seen.clear();
  click(123, 70);  // point 61: outside
  EXPECT_TRUE(box->seen.empty());

  // Back at 1 every size and pixel is the designed one.
  screen_->setScale(1);
  EXPECT_EQ(screen_->getWidth(), 500);
  drawFrame();
  EXPECT_TRUE(vt::pixelNear(20, 30, red));
  EXPECT_FALSE(vt::pixelNear(60, 30, red));
}

TEST_F(Scale, TheProgramsScaleWinsTheHostsFollowsWhatTheFramebufferDoesNotCarry) {
  screen_->setSize(500, 400);
  const struct {
    const char* what;
    void (*act)(VScreen*);
    double scale;
    int width;
  } steps[] = {
      {"host 2", [](VScreen* s) { s->setHostScale(2); }, 2, 250},
      {"framebuffer twice the window", [](VScreen* s) { s->setFramebufferSize(1000, 800); }, 1,
       500},
      {"framebuffer back", [](VScreen* s) { s->setFramebufferSize(500, 400); }, 2, 250},
      {"host nonsense", [](VScreen* s) { s->setHostScale(-1); }, 2, 250},
      {"program 1.5", [](VScreen* s) { s->setScale(1.5); }, 1.5, 334},
      {"host 3 after the program", [](VScreen* s) { s->setHostScale(3); }, 1.5, 334},
      {"program NaN", [](VScreen* s) { s->setScale(std::numeric_limits<double>::quiet_NaN()); }, 1.5, 334},
      {"program 9", [](VScreen* s) { s->setScale(9); }, 4, 125},
      {"program 0.5", [](VScreen* s) { s->setScale(0.5); }, 1, 500},
  };
  for (const auto& step : steps) {
    step.act(screen_);
    EXPECT_EQ(screen_->getScale(), step.scale) << step.what;
    EXPECT_EQ(screen_->getWidth(), step.width) << step.what;
  }
}

}  // namespace
