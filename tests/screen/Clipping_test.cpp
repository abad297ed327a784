// Clipping: a widget that clips its children shows them only inside its client area, nested
// clips intersect, and the pointer finds a child exactly where its pixels are drawn.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"

namespace {

using Clipping = vt::ScreenFixture;

void paintGreen(VWidget* w, VEvent*) {
  glColor3f(0, 1, 0);
  glRecti(0, 0, w->getWidth(), w->getHeight());
}

// The frame at (50, 50), 100 by 80, clips to its client area 10 pixels in: x 60 to 139, y 60
// to 119. Inside it the pane at (30, 30), 100 by 100, clips to itself: x 80 to 179, y 80 to
// 179. The ink fills far more than both, so it shows at x 80 to 139, y 80 to 119 only.
TEST_F(Clipping, NestedClipsShowTheIntersectionAndPressesFindTheWidgetWhoseInkIsThere) {
  auto* frame = new vt::RecordingWidget(screen_, "frame", 50, 50, 100, 80);
  for (auto set : {&VWidget::setClientBorderLeft, &VWidget::setClientBorderTop,
                   &VWidget::setClientBorderRight, &VWidget::setClientBorderBottom}) {
    (frame->*set)(10);
  }
  frame->setClipChildren(true);
  auto* pane = new vt::RecordingWidget(frame, "pane", 30, 30, 100, 100);
  pane->setClipChildren(true);
  auto* ink = new vt::RecordingWidget(pane, "ink", -50, -50, 300, 300);
  ink->onCustomDraw = paintGreen;
  drawFrame();
  const struct {
    int x, y;
    bool green;
    const char* pressed;  // whose processEvent the press reaches
  } points[] = {{80, 80, true, "ink"},     {139, 119, true, "ink"},
                {140, 100, false, "frame"}, {100, 120, false, "frame"},  // the frame's border
                {79, 100, false, "frame"},  {70, 70, false, "frame"},    // beside the pane
                {200, 200, false, "screen"}};
  for (const auto& p : points) {
    EXPECT_EQ(vt::pixelNear(p.x, p.y, vt::toRgb(0, 1, 0)), p.green) << p.x << "," << p.y;
    vt::hookLog().clear();
    press(p.x, p.y);
    release(p.x, p.y);
    std::string who = "screen";
    for (const std::string& line : vt::hookLog()) {
      if (line.find(".processEvent down") != std::string::npos) {
        who = line.substr(0, line.find('.'));
        break;
      }
    }
    EXPECT_EQ(who, p.pressed) << p.x << "," << p.y;
  }
  // A drag that began inside follows the pointer out of both clips (to the pane's edge).
  auto* chip = new vt::RecordingWidget(pane, "chip", 10, 10, 20, 20);
  chip->draggable = true;
  press(95, 95);
  motion(300, 300);
  EXPECT_EQ(chip->getLeft(), 100 - 20);
  release(300, 300);
}

}  // namespace
