// Tooltips: the rest before a hint shows, where its box goes, and everything that takes it away.
#include "screen/VTooltip.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "core/VColor.h"
#include "draw/VLookAndFeel.h"
#include "support/GlTest.h"
#include "support/ManualTimers.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"

namespace {

class Tooltip : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    screen_->setHostServices(&timers_);
  }
  void TearDown() override {
    ScreenFixture::TearDown();  // the screen goes first: it cancels with these timers
  }
  // The pointer comes to rest at (x, y): a hint is due after the whole delay, then shows.
  void rest(int x, int y) {
    screen_->glutPassiveMotion(x, y);
    ASSERT_EQ(timers_.pending.size(), 1u);
    EXPECT_EQ(timers_.pending[0].milliseconds, VTooltip::kDelay);
    EXPECT_FALSE(screen_->isTooltipShown());
    timers_.fire();
  }
  vt::ManualTimers timers_;
};

vt::Rgb rgbOf(VColor* c) { return vt::toRgb(c->getR(), c->getG(), c->getB()); }

// "Degrees per second" is 18 glyphs of 12 pixels: the box is 216 + 2 x 4 wide, 20 high, its
// corner 4 right of and 20 below the pointer, moved in from the screen's edges.
TEST_F(Tooltip, AHintShowsAfterTheRestBesideThePointerInsideTheScreenOverEveryWindow) {
  auto* area = new vt::RecordingWidget(screen_, "area", 0, 0, 500, 400);
  area->setTooltip("Degrees per second");
  // Over it a painted child without a hint of its own: the pointer over it shows its owner's.
  auto* front = new vt::RecordingWidget(area, "front", 0, 0, 500, 400);
  front->onCustomDraw = [](VWidget*, VEvent*) {
    glColor3f(1, 0, 0);
    glRecti(0, 0, 500, 400);
  };
  const vt::Rgb background = vt::toRgb(1, 0, 0);
  const struct {
    int x, y, left, top;
  } cases[] = {{50, 50, 54, 70}, {480, 50, 276, 70}, {50, 390, 54, 370}, {499, 399, 276, 379},
               {0, 0, 4, 20}};
  const vt::Rgb frame = rgbOf(screen_->getLookAndFeel()->getBevelLoweredColor());
  const vt::Rgb fill = rgbOf(screen_->getLookAndFeel()->getBackGroundColor());
  for (const auto& c : cases) {
    screen_->glutPassiveMotion(-100, -100);  // off every widget: a new rest
    rest(c.x, c.y);
    ASSERT_TRUE(screen_->isTooltipShown());
    drawFrame();
    EXPECT_TRUE(vt::pixelNear(c.left, c.top, frame)) << c.x << "," << c.y;
    EXPECT_TRUE(vt::pixelNear(c.left + 223, c.top + 19, frame)) << c.x << "," << c.y;
    EXPECT_TRUE(vt::pixelNear(c.left + 1, c.top + 1, fill)) << c.x << "," << c.y;
    if (c.left > 0) {
      EXPECT_TRUE(vt::pixelNear(c.left - 1, c.top, background)) << c.x << "," << c.y;
    }
    if (c.left + 224 < 500) {
      EXPECT_TRUE(vt::pixelNear(c.left + 224, c.top + 19, background)) << c.x << "," << c.y;
    }
  }
}

TEST_F(Tooltip, TheHintGoesWithThePointerAPressOrItsWidgetAndTheTreeNeverSeesTheMotion) {
  auto* owner = new vt::RecordingWidget(screen_, "owner", 0, 0, 300, 300);
  owner->setTooltip("owner's");
  auto* plain = new vt::RecordingWidget(owner, "plain", 0, 0, 100, 100);  // shows its owner's
  auto* own = new vt::RecordingWidget(owner, "own", 150, 0, 100, 100);
  own->setTooltip("own");
  rest(10, 10);
  EXPECT_TRUE(screen_->isTooltipShown());
  screen_->glutPassiveMotion(60, 60);  // still over the same hint's widget
  EXPECT_TRUE(screen_->isTooltipShown());
  EXPECT_TRUE(timers_.pending.empty());
  rest(160, 10);  // another widget: the old hint goes, the new one waits for its own rest
  EXPECT_TRUE(screen_->isTooltipShown());
  click(160, 10);
  EXPECT_FALSE(screen_->isTooltipShown());
  screen_->glutPassiveMotion(170, 20);  // held back until the pointer leaves
  EXPECT_TRUE(timers_.pending.empty());
  screen_->glutPassiveMotion(10, 10);
  rest(160, 10);
  delete own;  // deleted while shown
  EXPECT_FALSE(screen_->isTooltipShown());
  rest(10, 10);
  owner->setVisible(false);
  drawFrame();
  EXPECT_FALSE(screen_->isTooltipShown());
  owner->setVisible(true);
  owner->setTooltip("");
  screen_->glutPassiveMotion(20, 20);
  EXPECT_TRUE(timers_.pending.empty());  // no hint anywhere: nothing to wait for
  EXPECT_FALSE(VWidget::anyTooltips());
  EXPECT_TRUE(plain->seen.empty());      // only the click's events reached a widget
  EXPECT_EQ(owner->seen.size(), 0u);
}

}  // namespace
