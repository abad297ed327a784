// VLabel and VProgressBar: sizes, alignment and fills as pixels of a real frame.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>

#include <cmath>
#include <cstdlib>
#include <utility>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "hosts/glut/VGlutHost.h"
#include "support/GlTest.h"
#include "support/ManualTimers.h"
#include "support/ScreenFixture.h"
#include "widgets/VCheckBox.h"
#include "widgets/VLabel.h"
#include "widgets/VProgressBar.h"
#include "widgets/VRadioButton.h"
#include "widgets/VRadioButtonGroup.h"
#include "widgets/VSlider.h"
#include "widgets/VSpinBox.h"

namespace {

using Panel = vt::ScreenFixture;

vt::Rgb rgbOf(VColor* c) { return vt::toRgb(c->getR(), c->getG(), c->getB()); }

// The first column, left to right, of the box whose pixel is not the screen's background; -1
// when all are.
// The screen's own fill, where no widget is.
vt::Rgb screenBackground() { return vt::readPixel(vt::kWindowWidth - 5, vt::kWindowHeight - 5); }

int firstInkColumn(int x, int y, int w, int h, vt::Rgb background) {
  for (int px = x; px < x + w; ++px) {
    for (int py = y; py < y + h; ++py) {
      if (!vt::near(vt::readPixel(px, py), background)) {
        return px;
      }
    }
  }
  return -1;
}

int firstInkRow(int x, int y, int w, int h, vt::Rgb background) {
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      if (!vt::near(vt::readPixel(px, py), background)) {
        return py;
      }
    }
  }
  return -1;
}

TEST_F(Panel, ALabelSizesToItsLinesUntilGivenASizeAndAlignsEachLineInItsWidth) {
  auto* label = new VLabel(screen_);
  label->setCaption("ab\nlonger");
  EXPECT_EQ(label->getWidth(), 6 * 12);  // the widest line
  EXPECT_EQ(label->getHeight(), 2 * 20);
  label->setLeft(100);
  label->setTop(100);
  label->setWidth(200);
  label->setCaption("ab");
  EXPECT_EQ(label->getWidth(), 200);  // given: kept
  EXPECT_EQ(label->getHeight(), 40);

  int left[3] = {};
  for (VAlignment a : {alLeft, alCenter, alRight}) {
    label->setAlignment(a);
    drawFrame();
    left[a] = firstInkColumn(100, 100, 200, 20, screenBackground());
  }
  ASSERT_GE(left[alLeft], 100);
  EXPECT_EQ(left[alCenter] - left[alLeft], (200 - 24) / 2);
  EXPECT_EQ(left[alRight] - left[alLeft], 200 - 24);

  label->setAlignment(alLeft);
  label->setCaption("ab\nab");
  drawFrame();
  const int first = firstInkRow(100, 100, 200, 20, screenBackground());
  ASSERT_GE(first, 100);
  EXPECT_EQ(firstInkRow(100, 120, 200, 20, screenBackground()), first + 20);
}

// The glyphs' edges blend into the background: the pixel farthest from it shows the colour.
TEST_F(Panel, ALabelDrawsInItsFontsColourAndWhenDisabledInTheDisabledGrey) {
  auto* label = new VLabel(screen_);
  label->setCaption("WWW");
  VLookAndFeel* look = screen_->getLookAndFeel();
  for (bool enabled : {true, false}) {
    label->setEnabled(enabled);
    drawFrame();
    const vt::Rgb background = screenBackground();
    vt::Rgb strongest = background;
    int most = 0;
    for (int x = 0; x < label->getWidth(); ++x) {
      for (int y = 0; y < label->getHeight(); ++y) {
        const vt::Rgb c = vt::readPixel(x, y);
        const int far = std::abs(c.r - background.r) + std::abs(c.g - background.g) +
                        std::abs(c.b - background.b);
        if (far > most) {
          most = far;
          strongest = c;
        }
      }
    }
    VColor* expected = enabled ? label->getFont()->getColor() : look->getBevelDisabledColor();
    EXPECT_TRUE(vt::near(strongest, rgbOf(expected), 8))
        << (enabled ? "enabled " : "disabled ") << vt::toString(strongest);
  }
  EXPECT_TRUE(vt::near(rgbOf(label->getFont()->getColor()), rgbOf(look->getFont()->getColor()), 0));
}

// The highlight fills the share of the inside, from 1 pixel in; odd ranges and values are
// taken as the class says.
TEST_F(Panel, AProgressBarFillsItsShareAndHoldsItsValueInItsRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double minimum, maximum, value;
    int filled;  // pixels of the 100 inside
    const char* text;
  } cases[] = {{0, 100, 40, 40, "40%"},     {0, 100, 150, 100, "100%"},
               {0, 100, -3, 0, "0%"},       {100, 0, 25, 25, "25%"},  // ends swapped
               {0, 200, 99, 49, "50%"},     {5, 5, 5, 0, "0%"},
               {0, 100, nan, 0, "0%"}};     // ignored: the value stays the range's start
  VColor* highlight = screen_->getLookAndFeel()->getHighlightColor();
  VColor* inside = screen_->getLookAndFeel()->getBackGroundColor();
  for (const Case& c : cases) {
    auto* bar = new VProgressBar(screen_);
    bar->setLeft(50);
    bar->setTop(60);
    bar->setWidth(102);
    bar->setRange(c.minimum, c.maximum);
    bar->setValue(c.value);
    EXPECT_EQ(bar->getPercentageText(), c.text) << c.value;
    drawFrame();
    if (c.filled > 0) {
      EXPECT_TRUE(vt::pixelNear(50 + c.filled, 70, rgbOf(highlight))) << c.value;
    }
    if (c.filled < 100) {
      EXPECT_TRUE(vt::pixelNear(51 + c.filled, 70, rgbOf(inside))) << c.value;
    }
    delete bar;
  }
}

// A slider 210 wide at (100, 100): the knob's centre travels from x 105 to 295, a value a pixel
// apart in 0..100 at a step of 1 (the track has 200 pixels, the knob 10).
class SliderTest : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    slider_ = new VSlider(screen_);
    slider_->setLeft(100);
    slider_->setTop(100);
    slider_->setWidth(210);
    slider_->setUserData(&log_);
    slider_->onChange = [](VWidget* w, VEvent*) { note(w, "change "); };
    slider_->onCommit = [](VWidget* w, VEvent*) { note(w, "commit "); };
  }
  static void note(VWidget* w, const std::string& what) {
    static_cast<std::vector<std::string>*>(w->getUserData())
        ->push_back(what + std::to_string(static_cast<VSlider*>(w)->getValue()).substr(0, 4));
  }
  std::vector<std::string> take() { return std::exchange(log_, {}); }
  VSlider* slider_ = nullptr;
  std::vector<std::string> log_;
};

TEST_F(SliderTest, TheTrackMapsBothEndsAndTheMiddleAndTheKnobDragsFromWhereItWasTaken) {
  const std::pair<int, double> presses[] = {{105, 0}, {205, 100.0 / 190 * 100}, {295, 100},
                                            {100, 0}, {300, 100}};  // past the track's ends
  slider_->setWidth(200);  // 190 of travel: the middle press rounds to the step
  for (const auto& [x, value] : presses) {
    slider_->setValue(x < 200 ? 100 : 0);  // the press must move it
    click(x, 110);
    EXPECT_DOUBLE_EQ(slider_->getValue(), std::round(value)) << "press at " << x;
  }
  slider_->setWidth(210);
  slider_->setValue(50);  // knob centre at 205
  take();
  press(208, 110);        // taken 3 pixels right of its centre
  motion(218, 300);       // anywhere: the knob's centre goes to 215, 110 into the travel
  motion(600, 300);       // past the end
  release(600, 300);
  EXPECT_EQ(take(), (std::vector<std::string>{"change 55.0", "change 100.", "commit 100."}));
  motion(105, 110);       // no drag any more
  EXPECT_EQ(slider_->getValue(), 100);
  drawFrame();  // the knob at its end, 300 to 310; above the 4-pixel groove, the screen
  EXPECT_TRUE(vt::pixelNear(305, 110, rgbOf(screen_->getLookAndFeel()->getBackGroundColor())));
  EXPECT_TRUE(vt::pixelNear(150, 103, screenBackground()));
}

// Steps that divide the range or not: a drag over the whole track, beyond both ends, meets the
// steps from the minimum in order and ends on the last of them, or on the maximum when the end
// is nearer to the step past it; never beyond the maximum.
TEST_F(SliderTest, ADragOverAStepThatDoesNotDivideTheRangeMeetsEveryStepAndStopsAtTheEnd) {
  struct Case {
    double minimum, maximum, step;
    std::vector<double> met;
  };
  const Case cases[] = {{0, 10, 3, {0, 3, 6, 9}},
                        {0, 10, 4, {0, 4, 8, 10}},
                        {-5, 5, 2.5, {-5, -2.5, 0, 2.5, 5}},
                        {-1, 1, 0.75, {-1, -0.25, 0.5, 1}}};
  for (const Case& c : cases) {
    slider_->setRange(c.minimum, c.maximum);
    slider_->setStep(c.step);
    slider_->setValue(c.minimum);  // knob centre at 105
    press(105, 110);
    std::vector<double> met = {slider_->getValue()};
    for (int x = 90; x <= 320; ++x) {
      motion(x, 110);
      if (slider_->getValue() != met.back()) {
        met.push_back(slider_->getValue());
      }
    }
    release(320, 110);
    ASSERT_EQ(met.size(), c.met.size()) << "step " << c.step;
    for (std::size_t i = 0; i < met.size(); ++i) {
      EXPECT_NEAR(met[i], c.met[i], 1e-12) << "step " << c.step << ", value " << i;
    }
  }
}

TEST_F(SliderTest, KeysStepWithTheFocusAndTheProgramsValuesCallNoHandler) {
  clickOn(slider_);  // focused, the knob under the press: 50
  take();
  slider_->setValue(50);
  slider_->setValue(1e9);  // held at the end, quietly
  slider_->setValue(std::nan(""));
  EXPECT_EQ(slider_->getValue(), 100);
  slider_->setValue(49.6);  // rounded to the step
  EXPECT_EQ(slider_->getValue(), 50);
  EXPECT_TRUE(take().empty());
  const std::pair<int, double> keys[] = {{skRight, 51}, {skUp, 52},     {skLeft, 51},
                                         {skDown, 50},  {skPageUp, 60}, {skPageDown, 50},
                                         {skEnd, 100},  {skRight, 100}, {skHome, 0}};
  for (const auto& [key, value] : keys) {
    special(key);
    EXPECT_EQ(slider_->getValue(), value) << "key " << key;
  }
  // Each key commits; the one at the end changed nothing, so it only commits.
  EXPECT_EQ(take().size(), 2u * 9 - 1);
  EXPECT_TRUE(screen_->capturesKey(skLeft, true));
  EXPECT_FALSE(screen_->capturesKey('a', false));
  // The wheel over the slider, with or without the focus: up and right one step more.
  screen_->dropFocus();
  screen_->mouseWheel(0, 3, 150, 110);
  screen_->mouseWheel(-1, 0, 150, 110);
  screen_->mouseWheel(0, 1, 150, 130);  // below it: not the slider's
  EXPECT_EQ(take(), (std::vector<std::string>{"change 3.00", "commit 3.00", "change 2.00",
                                              "commit 2.00"}));
}

// A program hears a check box's and a radio group's changes from the press that made them, and
// not from its own calls or a press that changed nothing.
TEST_F(Panel, CheckBoxesAndRadioGroupsTellTheirChangesToOnChange) {
  static std::vector<std::string> heard;
  heard.clear();
  const VEventHandler hear = [](VWidget* w, VEvent*) {
    heard.push_back(static_cast<VCheckBox*>(w)->getCaption() + " " +
                    std::to_string(static_cast<VCheckBox*>(w)->getState()));
  };
  auto* box = new VCheckBox(screen_);
  box->setCaption("box");
  box->onChange = hear;
  VRadioButtonGroup group;
  group.onChange = hear;
  VRadioButton* items[2];
  for (int i = 0; i < 2; ++i) {
    items[i] = new VRadioButton(screen_);
    items[i]->setCaption(i == 0 ? "one" : "two");
    items[i]->setTop(50 + 30 * i);
    items[i]->setRadioButtonGroup(&group);
  }
  box->setState(cbChecked);
  group.setAsSelected(items[0]);
  clickOn(box);
  clickOn(items[1]);
  clickOn(items[1]);  // already checked: no change
  clickOn(items[0]);
  EXPECT_EQ(heard, (std::vector<std::string>{"box 1", "two 0", "one 0"}));
}

// A box that goes with an arrow held out of the screen's tree (freed: the screen takes it out
// before deleting it; or taken out and deleted by the program) reaches no host to cancel its
// timer. That timer, fired later, touches nothing: not the freed box, nor a new box held in its
// place, which steps once per turn of its own timer.
TEST_F(Panel, ATimerOfABoxDeletedWithItsArrowHeldTouchesNothing) {
  vt::ManualTimers timers;
  screen_->setHostServices(&timers);
  for (const bool freed : {true, false}) {
    SCOPED_TRACE(freed ? "freed" : "taken out and deleted");
    auto* gone = new VSpinBox(screen_);
    gone->setLeft(100);
    gone->setTop(100);
    press(175, 103);
    ASSERT_EQ(timers.pending.size(), 1u);
    if (freed) {
      gone->free();
    } else {
      screen_->remove(gone);
      delete gone;
    }
    release(500, 500);  // the screen deletes the freed box
    auto* held = new VSpinBox(screen_);
    held->setLeft(100);
    held->setTop(100);
    held->setValue(5);
    press(175, 103);
    timers.fire();
    EXPECT_EQ(held->getValue(), 7);
    EXPECT_EQ(timers.pending.size(), 1u);  // the held box's next step only
    release(500, 500);
    delete held;  // still in the tree: it cancels its timer
    EXPECT_TRUE(timers.pending.empty());
  }
  screen_->setHostServices(nullptr);
}

// A spin box 80 by 20 at (100, 100), 1 to 10, value 3: its arrows span x 166 to 180, the up
// arrow y 100 to 109, the down arrow below. GLUT's host serves its timers.
class SpinBoxTest : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    host_ = std::make_unique<VGlutHost>(screen_, hrProgram);
    box_ = new VSpinBox(screen_);
    box_->setLeft(100);
    box_->setTop(100);
    box_->setRange(1, 10);
    box_->setValue(3);
    box_->setUserData(&values_);
    box_->onChange = [](VWidget* w, VEvent*) {
      static_cast<std::vector<double>*>(w->getUserData())
          ->push_back(static_cast<VSpinBox*>(w)->getValue());
    };
  }
  void TearDown() override {
    host_.reset();
    ScreenFixture::TearDown();
  }
  std::unique_ptr<VGlutHost> host_;
  VSpinBox* box_ = nullptr;
  std::vector<double> values_;
};

TEST_F(SpinBoxTest, ArrowsAndKeysStepWithinTheRangeAndTypedTextCommitsClampedOrGoesBack) {
  click(175, 103);                  // up
  click(175, 115);                  // down
  click(175, 115);
  special(skDown);                  // the arrows' presses gave it the focus
  for (int i = 0; i < 3; ++i) {
    special(skDown);                // held at 1
  }
  screen_->mouseWheel(0, 2, 120, 110);  // the wheel steps as the arrows do
  EXPECT_EQ(values_, (std::vector<double>{4, 3, 2, 1, 3}));
  values_.clear();
  const std::pair<const char*, double> typed[] = {
      {"\b7\r", 7}, {"5\r", 10}, {"\b\b-\r", 10}, {"\b\b4.4\r", 4}, {"\b+x9\r", 9}};
  for (const auto& [text, value] : typed) {
    type(text);
    EXPECT_EQ(box_->getValue(), value) << text;
  }
  EXPECT_EQ(values_, (std::vector<double>{7, 10, 4, 9}));  // typed text is appended; "-" is
                                                            // no number: the value came back
  type("2");                        // not committed yet
  screen_->dropFocus();             // the focus goes: the next frame commits
  EXPECT_EQ(box_->getText(), "92");
  drawFrame();
  EXPECT_EQ(box_->getValue(), 10);
  EXPECT_EQ(box_->getText(), "10");
}

// Held, an arrow steps at the press, again no sooner than 400 ms later, then on; any release
// ends it.
TEST_F(SpinBoxTest, AHeldArrowRepeatsAfterItsDelayUntilReleased) {
  box_->setRange(0, 1000);
  box_->setValue(0);
  const auto start = std::chrono::steady_clock::now();
  std::chrono::steady_clock::duration second{};
  press(175, 103);
  while (values_.size() < 4 && std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
    glutMainLoopEvent();
    if (values_.size() == 2 && second == std::chrono::steady_clock::duration{}) {
      second = std::chrono::steady_clock::now() - start;
    }
  }
  ASSERT_EQ(values_.size(), 4u);
  EXPECT_GE(second, std::chrono::milliseconds(400));
  release(500, 500);                // elsewhere: still ends it
  const double held = box_->getValue();
  const auto after = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - after < std::chrono::milliseconds(300)) {
    glutMainLoopEvent();
  }
  EXPECT_EQ(box_->getValue(), held);
}

}  // namespace
