// VCounter, the example widget of the widget guide: presses, keys, focus, size and pixels.
#include "VCounter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "widgets/VWindow.h"

namespace {

class Counter : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    window_ = new VWindow(screen_);
    window_->setLeft(100);
    window_->setTop(100);
    window_->setWidth(200);
    window_->setHeight(100);
    counter_ = new VCounter(window_);
    counter_->setLeft(20);
    counter_->setTop(40);
    counter_->setUserData(&changes_);
    counter_->onChange = [](VWidget* w, VEvent*) {
      static_cast<std::vector<int>*>(w->getUserData())->push_back(
          static_cast<VCounter*>(w)->getValue());
    };
  }
  VWindow* window_ = nullptr;
  VCounter* counter_ = nullptr;
  std::vector<int> changes_;
};

TEST_F(Counter, PressesAndKeysChangeTheNumberAndTellTheProgram) {
  struct Step {
    const char* what;
    int glutButton;  // -1: a key instead
    unsigned char key;
    int value;
  };
  const Step steps[] = {
      {"left press", 0, 0, 1},  {"left press", 0, 0, 2},   {"right press", 2, 0, 1},
      {"middle press", 1, 0, 1}, {"key +", -1, '+', 2},     {"key -", -1, '-', 1},
      {"key a", -1, 'a', 1},    {"key -", -1, '-', 0},     {"key -", -1, '-', -1},
  };
  for (const Step& step : steps) {
    if (step.glutButton >= 0) {
      clickOn(counter_, step.glutButton);
    } else {
      keyDown(step.key);
    }
    EXPECT_EQ(counter_->getValue(), step.value) << step.what;
  }
  EXPECT_EQ(changes_, (std::vector<int>{1, 2, 1, 2, 1, 0, -1}));
}

TEST_F(Counter, TakesTheFocusOnAPressAndKeysReachItOnlyThen) {
  keyDown('+');
  EXPECT_EQ(counter_->getValue(), 0);
  clickOn(counter_);
  EXPECT_TRUE(counter_->getFocused());
  EXPECT_EQ(screen_->getScreenFocusedWidget(), counter_);
  screen_->dropFocus();
  keyDown('+');
  EXPECT_EQ(counter_->getValue(), 1);
}

// Built under its window, it had the base 20 by 10 while the window's add ran; its own layout
// then sized it to its number, and every change of the number sizes it again.
TEST_F(Counter, SizesItselfToItsNumber) {
  EXPECT_EQ(counter_->getWidth(), 24);  // "0" is 12 wide: the minimum holds
  EXPECT_EQ(counter_->getHeight(), 22);
  counter_->setValue(123456);
  EXPECT_EQ(counter_->getWidth(), 6 * 12 + 12);
  counter_->setValue(-5);
  EXPECT_EQ(counter_->getWidth(), 2 * 12 + 12);
}

TEST_F(Counter, DrawsItsNumberInsideARaisedThenSunkenBevel) {
  counter_->setValue(8);
  EXPECT_EQ(drawFrame(), "");
  const int x = 100 + counter_->getLeft();
  const int y = 100 + counter_->getTop();
  const int w = counter_->getWidth();
  const int h = counter_->getHeight();
  // The digit: dark strokes inside the face; the face itself the look and feel's grey.
  int dark = 0;
  for (int py = y + 4; py < y + h - 4; ++py) {
    for (int px = x + 4; px < x + w - 4; ++px) {
      const vt::Rgb c = vt::readPixel(px, py);
      dark += c.r + c.g + c.b < 200 ? 1 : 0;
    }
  }
  EXPECT_GT(dark, 10);
  const vt::Region raised = vt::readRegion(x - 1, y - 1, w + 2, h + 2);

  clickOn(counter_);  // focused now: the bevel sinks
  counter_->setValue(8);
  const vt::Region sunken = frame(x - 1, y - 1, w + 2, h + 2);
  int changed = 0;
  int changedInside = 0;
  for (int row = 0; row < h + 2; ++row) {
    for (int col = 0; col < w + 2; ++col) {
      const std::size_t at = (static_cast<std::size_t>(row) * (w + 2) + col) * 3;
      if (raised[at] != sunken[at] || raised[at + 1] != sunken[at + 1] ||
          raised[at + 2] != sunken[at + 2]) {
        ++changed;
        const bool edge = row < 3 || col < 3 || row >= h - 1 || col >= w - 1;
        changedInside += edge ? 0 : 1;
      }
    }
  }
  EXPECT_GT(changed, w + h) << "the bevel's edges change colour";
  EXPECT_EQ(changedInside, 0) << "nothing but the bevel changes";
}

}  // namespace
