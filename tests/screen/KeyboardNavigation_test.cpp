// Keyboard navigation: off by default; on, Tab's order through windows, the ring, and the keys
// the focused control takes first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/VColor.h"
#include "core/VEvent.h"
#include "core/VSpecialKey.h"
#include "draw/VLookAndFeel.h"
#include "support/ScreenFixture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VLabel.h"
#include "widgets/VRadioButton.h"
#include "widgets/VRadioButtonGroup.h"
#include "widgets/VSlider.h"
#include "widgets/VTextEdit.h"
#include "widgets/VWindow.h"

namespace {

template <class W>
W* place(VWidget* owner, int left, int top, int width = 80, int height = 20) {
  auto* w = new W(owner);
  w->setLeft(left);
  w->setTop(top);
  w->setWidth(width);
  w->setHeight(height);
  return w;
}

int changes = 0;
void countChange(VWidget*, VEvent*) { ++changes; }

class Navigation : public vt::ScreenFixture {
 protected:
  // Window "A" (front) at (10, 10) and "B" behind it at (260, 10). A's stops in reading order:
  // the button, the field right of it, the check box below; made in another order, with a
  // label, a disabled and a hidden button that Tab passes by.
  void SetUp() override {
    ScreenFixture::SetUp();
    changes = 0;
    b_ = place<VWindow>(screen_, 260, 10, 220, 200);
    slider_ = place<VSlider>(b_, 10, 40, 150);
    a_ = place<VWindow>(screen_, 10, 10, 240, 200);
    check_ = place<VCheckBox>(a_, 10, 70, 100, 16);
    check_->onChange = countChange;
    place<VLabel>(a_, 10, 100)->setCaption("Label");
    place<VCaptionButton>(a_, 10, 130)->setEnabled(false);
    place<VCaptionButton>(a_, 100, 130)->setVisible(false);
    field_ = place<VTextEdit>(a_, 120, 40, 100);
    button_ = place<VCaptionButton>(a_, 10, 40);
  }
  void tab(bool back = false) {
    screen_->setModifiers(back ? vmShift : 0);
    keyDown(9);
    keyUp(9);
    screen_->setModifiers(0);
  }
  VWidget* focused() { return screen_->getFocusedWidget(); }
  VWindow* a_ = nullptr;
  VWindow* b_ = nullptr;
  VCaptionButton* button_ = nullptr;
  VTextEdit* field_ = nullptr;
  VCheckBox* check_ = nullptr;
  VSlider* slider_ = nullptr;
};

TEST_F(Navigation, OffByDefaultTheFocusedFieldReceivesTab) {
  clickOn(field_);
  EXPECT_FALSE(screen_->capturesKey(9, false));  // the field takes no control bytes
  tab();
  EXPECT_EQ(focused(), field_);
  drawFrame();
  EXPECT_FALSE(screen_->getKeyboardNavigation());
}

TEST_F(Navigation, TabVisitsEachWindowsControlsInReadingOrderThenTheNextWindow) {
  screen_->setKeyboardNavigation(true);
  EXPECT_TRUE(screen_->capturesKey(9, false));
  const struct {
    bool back;
    VWidget* expected;
    VWidget* front;
  } steps[] = {
      {false, button_, a_}, {false, field_, a_},  {false, check_, a_}, {false, slider_, b_},
      {false, button_, a_}, {true, slider_, b_},  {true, check_, a_},  {true, field_, a_},
  };
  for (const auto& step : steps) {
    tab(step.back);
    EXPECT_EQ(focused(), step.expected) << (step.back ? "Shift+Tab" : "Tab");
    EXPECT_EQ(screen_->getFocusPath(), step.front);
  }
  // A window alone wraps round within itself; Ctrl+Tab is not navigation's.
  b_->setVisible(false);
  tab();
  tab();
  EXPECT_EQ(focused(), button_);
  screen_->setModifiers(vmCtrl);
  keyDown(9);
  screen_->setModifiers(0);
  EXPECT_EQ(focused(), button_);
}

TEST_F(Navigation, TheFocusedControlShowsARingAndTakesSpaceEnterAndArrows) {
  screen_->setKeyboardNavigation(true);
  tab();
  tab();
  tab();  // the check box
  ASSERT_EQ(focused(), check_);
  const vt::Rgb highlight = [this] {
    VColor* c = screen_->getLookAndFeel()->getHighlightColor();
    return vt::toRgb(c->getR(), c->getG(), c->getB());
  }();
  long long left = 0;
  long long top = 0;
  check_->getPlaceInRoot(left, top);
  drawFrame();
  // One pixel line 2 pixels outside the box on each side, nothing between.
  const int x = static_cast<int>(left);
  const int y = static_cast<int>(top) + 8;
  EXPECT_TRUE(vt::pixelNear(x - 2, y, highlight));
  EXPECT_FALSE(vt::pixelNear(x - 1, y, highlight));
  EXPECT_TRUE(vt::pixelNear(x + check_->getWidth() + 1, y, highlight));
  EXPECT_TRUE(vt::pixelNear(x + 20, static_cast<int>(top) - 2, highlight));
  screen_->setKeyboardNavigation(false);
  drawFrame();
  EXPECT_FALSE(vt::pixelNear(static_cast<int>(left) - 2, static_cast<int>(top) + 8, highlight));
  screen_->setKeyboardNavigation(true);

  EXPECT_TRUE(screen_->capturesKey(' ', false));
  for (unsigned char key : {' ', '\r'}) {
    keyDown(key);
    keyUp(key);
  }
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(check_->getState(), cbUnchecked);

  // A group of three radio buttons in a column: the arrows select and focus the neighbour,
  // and stop at the ends; Space selects the focused one.
  VRadioButtonGroup group;
  group.onChange = countChange;
  std::vector<VRadioButton*> radios;
  for (int i = 0; i < 3; ++i) {
    radios.push_back(place<VRadioButton>(b_, 10, 80 + 20 * i, 100, 16));
    radios.back()->setRadioButtonGroup(&group);
  }
  clickOn(radios[0]);
  changes = 0;
  const struct {
    int key;
    int chosen;
  } arrows[] = {{skDown, 1}, {skRight, 2}, {skDown, 2}, {skUp, 1}, {skLeft, 0}, {skUp, 0}};
  for (const auto& a : arrows) {
    special(a.key);
    EXPECT_EQ(focused(), radios[static_cast<std::size_t>(a.chosen)]) << a.key;
    EXPECT_EQ(radios[static_cast<std::size_t>(a.chosen)]->getState(), cbChecked) << a.key;
  }
  EXPECT_EQ(changes, 4);
}

}  // namespace
