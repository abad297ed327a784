// VButton: the press state machine, driven through the screen as the GLUT callbacks drive it.
#include "widgets/VButton.h"

#include <gtest/gtest.h>

#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;

struct Press {
  VWidget* widget;
  VEventType type;
};
std::vector<Press> gPresses;
void recordPress(VWidget* w, VEvent* e) { gPresses.push_back({w, e->getType()}); }

// Host calls, as GLUT makes them: D/U = button down/up, M = motion, K/k = key down/up.
struct Step {
  char what;
  int a;  // button or key
  int x;
  int y;
};

struct StateCase {
  const char* name;
  VBevelState initial;
  std::vector<Step> steps;
  VBevelState final;
  int presses;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

// A 40 by 20 button at (100, 100) of the screen: inside is x 100..140, y 100..120.
class ButtonStates : public vt::ScreenFixture, public ::testing::WithParamInterface<StateCase> {
 protected:
  void SetUp() override {
    vt::ScreenFixture::SetUp();
    gPresses.clear();
    button = new VButton(screen_);
    button->setLeft(100);
    button->setTop(100);
    button->setWidth(40);
    button->setHeight(20);
    button->onPress = recordPress;
  }
  void run(const Step& s) {
    switch (s.what) {
      case 'D': press(s.x, s.y, s.a); break;
      case 'U': release(s.x, s.y, s.a); break;
      case 'M': motion(s.x, s.y); break;
      case 'K': keyDown(static_cast<unsigned char>(s.a)); break;
      case 'k': keyUp(static_cast<unsigned char>(s.a)); break;
      default: FAIL() << "unknown step " << s.what;
    }
  }
  VButton* button = nullptr;
};

TEST_P(ButtonStates, FollowTheStateTable) {
  const StateCase& c = GetParam();
  // Focus the button first (a press outside it would not), then start from the given state.
  click(110, 110, vt::kRightButton);
  ASSERT_TRUE(button->getFocused());
  button->setState(c.initial);
  for (const Step& s : c.steps) run(s);
  EXPECT_EQ(button->getState(), c.final) << c.name;
  EXPECT_EQ(static_cast<int>(gPresses.size()), c.presses) << c.name;
}

constexpr int L = vt::kLeftButton, M = vt::kMiddleButton, R = vt::kRightButton;

INSTANTIATE_TEST_SUITE_P(
    Table, ButtonStates,
    ::testing::Values(
        StateCase{"left_press_and_release_inside", bsUp, {{'D', L, 110, 110}, {'U', L, 110, 110}},
                  bsUp, 1},
        StateCase{"left_press_holds_down", bsUp, {{'D', L, 110, 110}}, bsDown, 0},
        StateCase{"middle_does_nothing", bsUp, {{'D', M, 110, 110}, {'U', M, 110, 110}}, bsUp,
                  0},
        StateCase{"right_does_nothing", bsUp, {{'D', R, 110, 110}, {'U', R, 110, 110}}, bsUp, 0},
        StateCase{"drag_out_and_back_in_cancels",
                  bsUp,
                  {{'D', L, 110, 110}, {'M', 0, 300, 300}, {'M', 0, 110, 110}, {'U', L, 110, 110}},
                  bsUp,
                  0},
        StateCase{"release_outside_cancels", bsUp, {{'D', L, 110, 110}, {'U', L, 300, 110}},
                  bsUp, 0},
        StateCase{"release_on_right_and_bottom_edge_counts_inside",
                  bsUp,
                  {{'D', L, 110, 110}, {'U', L, 140, 120}},
                  bsUp,
                  1},
        StateCase{"release_one_past_the_edge_cancels",
                  bsUp,
                  {{'D', L, 110, 110}, {'U', L, 141, 120}},
                  bsUp,
                  0},
        StateCase{"release_inside_without_press", bsUp, {{'U', L, 110, 110}}, bsUp, 0},
        StateCase{"space_presses_on_release", bsUp, {{'K', ' ', 0, 0}, {'k', ' ', 0, 0}}, bsUp, 1},
        StateCase{"space_down_holds", bsUp, {{'K', ' ', 0, 0}}, bsDown, 0},
        StateCase{"return_presses_on_release", bsUp, {{'K', 13, 0, 0}, {'k', 13, 0, 0}}, bsUp,
                  1},
        StateCase{"key_up_alone_presses", bsUp, {{'k', ' ', 0, 0}}, bsUp, 1},
        StateCase{"other_keys_do_nothing", bsUp, {{'K', 'a', 0, 0}, {'k', 'a', 0, 0}}, bsUp, 0},
        StateCase{"disabled_look_does_not_block",
                  bsDisabled,
                  {{'D', L, 110, 110}, {'U', L, 110, 110}},
                  bsUp,
                  1},
        StateCase{"disabled_look_up_without_press_stays", bsDisabled, {{'U', L, 110, 110}},
                  bsDisabled, 0}));

TEST_F(ButtonStates, OnPressGetsTheButtonAndTheUpEventAndOnClickFollowsIndependently) {
  static std::vector<VEventType> clicks;
  clicks.clear();
  button->onClick = [](VWidget*, VEvent* e) { clicks.push_back(e->getType()); };
  click(110, 110);
  ASSERT_EQ(gPresses.size(), 1u);
  EXPECT_EQ(gPresses[0].widget, button);
  EXPECT_EQ(gPresses[0].type, etMouseUp);
  EXPECT_EQ(clicks, (std::vector<VEventType>{etMouseClick}));
  // A click also follows a cancelled press: it does not look at State.
  click(110, 110, vt::kRightButton);
  EXPECT_EQ(clicks.size(), 2u);
  EXPECT_EQ(gPresses.size(), 1u);
}

TEST_F(ButtonStates, ADisabledButtonIgnoresPressesAndKeepsItsState) {
  click(110, 110);  // focus it
  gPresses.clear();
  button->setState(bsDown);
  button->setEnabled(false);
  click(110, 110);
  keyUp(' ');
  EXPECT_EQ(button->getState(), bsDown);
  EXPECT_TRUE(gPresses.empty());
}

TEST_F(ButtonStates, KeysReachOnlyAFocusedButton) {
  type(" ");
  EXPECT_TRUE(gPresses.empty());
  EXPECT_EQ(button->getState(), bsUp);
}

TEST_F(ButtonStates, PrintShowsTheStateOnly) {
  button->setState(bsDisabled);
  vt::StreamCapture out(std::cout);
  button->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VButton", "State = 2"}));
}

TEST(VButton, NewButtonIsUpWithoutHandlerAndPrintsStateZero) {
  VButton b(nullptr);
  EXPECT_EQ(b.onPress, nullptr);
  vt::StreamCapture out(std::cout);
  b.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VButton", "State = 0"}));
}

}  // namespace
