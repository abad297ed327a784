// VScreen: dispatch of the host's calls, the deferred free queue and the end of focus requests.
#include "screen/VScreen.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "core/VSpecialKey.h"
#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"
#include "widgets/VCaptionButton.h"

namespace {

using vt::hookLog;
using vt::RecordingWidget;
using vt::Lines;

class ScreenDispatch : public vt::ScreenFixture {
 protected:
  // A widget over the whole screen; its seen list holds every event it receives.
  RecordingWidget* recorder(bool focusable) {
    auto* rec = new RecordingWidget(screen_, "rec", 0, 0, 500, 400);
    rec->focusable = focusable;
    return rec;
  }
  // A widget that logs its deletion: "~name".
  static RecordingWidget* mortal(VWidget* owner, std::string name, int left, int top, int w,
                                 int h) {
    auto* widget = new RecordingWidget(owner, std::move(name), left, top, w, h);
    widget->logsDeletion = true;
    return widget;
  }
};

TEST_F(ScreenDispatch, APressAndReleaseGiveDownUpAndClickAtOnePlaceWithOneButton) {
  auto* rec = recorder(false);
  click(40, 50, vt::kRightButton);
  ASSERT_EQ(rec->seen.size(), 3u);
  const VEventType expected[] = {etMouseDown, etMouseUp, etMouseClick};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rec->seen[i].type, expected[i]) << i;
    EXPECT_EQ(rec->seen[i].button, mbRight) << i;
    EXPECT_EQ(rec->seen[i].x, 40) << i;
    EXPECT_EQ(rec->seen[i].y, 50) << i;
  }
}

// Positions near the int limits would overflow as routing subtracts offsets on the way down
// (the sanitizer build reports that); the screen holds them within +-2^24 instead.
TEST_F(ScreenDispatch, PositionsFarOutsideTheWindowAreHeldWithinTwoToThe24th) {
  constexpr int kLimit = 1 << 24;
  auto* rec = recorder(true);
  rec->setLeft(154);
  rec->setTop(7);
  press(200, 100);  // focus it
  for (int v : {INT_MIN, INT_MAX}) {
    drag(v, v, v, v);
  }
  rec->seen.clear();
  keyDown('a', INT_MIN, INT_MAX);
  keyUp('a', INT_MAX, INT_MIN);
  special(skF1, -kLimit - 1, kLimit + 1);
  keyDown('b', -kLimit, kLimit);
  ASSERT_EQ(rec->seen.size(), 4u);
  const std::pair<int, int> expected[] = {
      {-kLimit, kLimit}, {kLimit, -kLimit}, {-kLimit, kLimit}, {-kLimit, kLimit}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rec->seen[i].x, expected[i].first) << i;
    EXPECT_EQ(rec->seen[i].y, expected[i].second) << i;
  }
}

TEST_F(ScreenDispatch, GlutButtonsZeroOneTwoAreLeftMiddleRight) {
  auto* rec = recorder(false);
  for (int b : {vt::kLeftButton, vt::kMiddleButton, vt::kRightButton}) press(1, 1, b);
  ASSERT_EQ(rec->seen.size(), 3u);
  EXPECT_EQ(rec->seen[0].button, mbLeft);
  EXPECT_EQ(rec->seen[1].button, mbCenter);
  EXPECT_EQ(rec->seen[2].button, mbRight);
}

// A wheel button's press is one step and its release nothing; other numbers and states are
// no event at all.
TEST_F(ScreenDispatch, WheelButtonsAreStepsAndUnknownButtonsOrStatesProduceNoEvent) {
  auto* rec = recorder(false);
  for (int b = 3; b <= 8; ++b) {
    click(10, 10, b);
  }
  screen_->glutMouse(0, 7, 10, 10);  // a state that is neither down nor up
  ASSERT_EQ(rec->seen.size(), 4u);
  const std::pair<int, int> steps[] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rec->seen[i].type, etMouseWheel);
    EXPECT_EQ(std::make_pair(rec->seen[i].wheelX, rec->seen[i].wheelY), steps[i]) << i;
  }
}

// The deepest widget under the pointer is offered the step first, then its owners; the first
// that takes it ends it. A window in front hides those behind; nothing is raised or focused.
TEST_F(ScreenDispatch, AWheelStepGoesUpFromTheWidgetUnderThePointerUntilOneTakesIt) {
  auto* back = new vt::RecordingWidget(screen_, "back", 0, 0, 200, 200);
  auto* front = new vt::RecordingWidget(screen_, "front", 10, 10, 100, 100);
  auto* inner = new vt::RecordingWidget(front, "inner", 10, 10, 50, 50);
  new vt::RecordingWidget(inner, "leaf", 5, 5, 10, 10);
  auto* off = new vt::RecordingWidget(inner, "off", 0, 0, 40, 40);  // in front of leaf
  off->setEnabled(false);
  back->takesWheel = true;
  front->takesWheel = true;
  const struct {
    int x, y;
    bool innerTakes;
    std::vector<std::string> log;
    bool gui;
  } cases[] = {
      {27, 28, false, {"leaf.processWheel wheel 7,8", "inner.processWheel wheel 17,18",
                       "front.processWheel wheel 27,28"}, true},
      {27, 28, true, {"leaf.processWheel wheel 7,8", "inner.processWheel wheel 17,18"}, true},
      {100, 100, false, {"front.processWheel wheel 100,100"}, true},
      {150, 150, false, {"back.processWheel wheel 150,150"}, true},
      {300, 300, false, {}, false},
  };
  for (const auto& c : cases) {
    inner->takesWheel = c.innerTakes;
    vt::hookLog().clear();
    EXPECT_EQ(screen_->mouseWheel(0, 1, c.x, c.y), c.gui);
    std::vector<std::string> wheelLog;
    for (const std::string& line : vt::hookLog()) {
      if (line.find("process") != std::string::npos) {
        wheelLog.push_back(line);
      }
    }
    EXPECT_EQ(wheelLog, c.log) << c.x << "," << c.y;
    EXPECT_EQ(screen_->capturesMouse(), c.gui) << c.x << "," << c.y;
    EXPECT_FALSE(screen_->capturesMouse());  // asked again: for the last press, none
  }
  EXPECT_EQ(screen_->getFocusPath(), nullptr);
  EXPECT_TRUE(screen_->isInFront(front));
  EXPECT_TRUE(inner->isInFront(off));
  vt::hookLog().clear();
  screen_->mouseWheel(0, 0, 27, 28);  // no steps: no event
  EXPECT_FALSE(vt::logged("leaf.processWheel wheel 7,8"));
}

TEST_F(ScreenDispatch, AWheelStepOverAButtonPressesNothing) {
  static int presses = 0;
  presses = 0;
  auto* button = new VCaptionButton(screen_);
  button->onPress = [](VWidget*, VEvent*) { ++presses; };
  click(5, 5);  // a real left click, so the wheel would reuse mbLeft under the old rule
  ASSERT_EQ(presses, 1);
  for (int step = 0; step < 4; ++step) {
    click(5, 5, step % 2 == 0 ? vt::kWheelUp : vt::kWheelDown);
  }
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(button->getState(), bsUp);
}

TEST_F(ScreenDispatch, MotionKeepsTheButtonAndKeyOfEarlierEvents) {
  auto* rec = recorder(true);
  press(3, 4, vt::kMiddleButton);  // also focuses the recorder
  keyDown('q', 9, 9);
  motion(30, 40);
  ASSERT_EQ(rec->seen.size(), 3u);
  EXPECT_EQ(rec->seen[2].type, etMouseMotion);
  EXPECT_EQ(rec->seen[2].button, mbCenter);
  EXPECT_EQ(rec->seen[2].key, 'q');
  EXPECT_EQ(rec->seen[2].x, 30);
  EXPECT_EQ(rec->seen[2].y, 40);
}

TEST_F(ScreenDispatch, KeysCarryTheirCodeAndPosition) {
  auto* rec = recorder(true);
  press(1, 1);
  rec->seen.clear();
  keyDown(200, 7, 8);
  keyUp(200, 7, 8);
  special(skUp, 9, 10);
  ASSERT_EQ(rec->seen.size(), 3u);
  EXPECT_EQ(rec->seen[0].type, etKeyboard);
  EXPECT_EQ(rec->seen[0].key, 200);
  EXPECT_EQ(rec->seen[1].type, etKeyboardUp);
  EXPECT_EQ(rec->seen[2].type, etSpecialKey);
  EXPECT_EQ(rec->seen[2].key, skUp);
  EXPECT_EQ(rec->seen[2].x, 9);
  EXPECT_EQ(rec->seen[2].y, 10);
}

// --- deferred freeing -------------------------------------------------------------------------

void freeOwnWindow(VWidget* button, VEvent*) {
  button->getOwner()->free();
  // Still alive and in place for the rest of this routing.
  hookLog().push_back(std::string("after free, owner's owner is ") +
                      (button->getOwner()->getOwner() != nullptr ? "set" : "null"));
}

TEST_F(ScreenDispatch, AWindowFreedFromItsOwnButtonLivesUntilTheRoutingEnds) {
  mortal(screen_, "behind", 0, 0, 500, 400);
  auto* window = mortal(screen_, "window", 100, 100, 200, 150);
  auto* button = mortal(window, "button", 10, 10, 50, 20);
  mortal(window, "label", 100, 10, 50, 20);
  button->onMouseUp = freeOwnWindow;
  hookLog().clear();
  click(115, 115);
  // The release ran the handler; the window and its children went before the click routed,
  // which therefore reached the widget behind.
  // (A subclass's destructor body runs before the base deletes the children.)
  EXPECT_EQ(hookLog(), (Lines{"label.processMouseOwner down 15,15",
                              "button.processMouseOwner down 15,15",
                              "button.processEvent down 15,15",
                              "button.processMouseOwner up 15,15", "button.processEvent up 15,15",
                              "after free, owner's owner is set", "~window", "~button",
                              "~label", "behind.processMouseOwner click 115,115",
                              "behind.processEvent click 115,115"}));
}

TEST_F(ScreenDispatch, AFreedWidgetIsNeverDrawnAgain) {
  auto* doomed = mortal(screen_, "doomed", 0, 0, 10, 10);
  doomed->free();
  hookLog().clear();
  drawFrame();
  EXPECT_EQ(hookLog(), (Lines{"~doomed"}));
}

TEST_F(ScreenDispatch, AWidgetQueuedTwiceIsDeletedOnce) {
  auto* w = mortal(screen_, "w", 0, 0, 10, 10);
  w->free();
  w->free();
  screen_->freeWidget(w);
  hookLog().clear();
  drawFrame();
  drawFrame();
  EXPECT_EQ(hookLog(), (Lines{"~w"}));
}

TEST_F(ScreenDispatch, AWidgetAndItsAncestorQueuedTogetherAreEachDeletedOnce) {
  for (bool descendantFirst : {true, false}) {
    auto* outer = mortal(screen_, "outer", 0, 0, 100, 100);
    auto* middle = mortal(outer, "middle", 0, 0, 50, 50);
    auto* inner = mortal(middle, "inner", 0, 0, 20, 20);
    if (descendantFirst) {
      inner->free();
      outer->free();
    } else {
      outer->free();
      inner->free();
    }
    hookLog().clear();
    drawFrame();
    // In request order: a descendant queued first leaves its owner before the ancestor goes.
    EXPECT_EQ(hookLog(), descendantFirst ? (Lines{"~inner", "~outer", "~middle"})
                                         : (Lines{"~outer", "~middle", "~inner"}))
        << (descendantFirst ? "descendant queued first" : "ancestor queued first");
  }
}

TEST_F(ScreenDispatch, FreeingKeepsTheRequestOrderAcrossSiblings) {
  auto* a = mortal(screen_, "a", 0, 0, 10, 10);
  auto* b = mortal(screen_, "b", 0, 0, 10, 10);
  auto* c = mortal(screen_, "c", 0, 0, 10, 10);
  c->free();
  a->free();
  b->free();
  c->free();  // a repeated request moves c to the end
  hookLog().clear();
  drawFrame();
  EXPECT_EQ(hookLog(), (Lines{"~a", "~b", "~c"}));
}

// A turn that closes many top-level windows: the survivors keep their order and the focus
// leaves with its window.
TEST_F(ScreenDispatch, FreeingManyTopLevelWindowsInOneTurnKeepsTheSurvivorsInOrder) {
  constexpr int kCount = 2000;
  std::vector<RecordingWidget*> windows;
  for (int i = 0; i < kCount; ++i) {
    auto* w = new RecordingWidget(screen_, "w" + std::to_string(i), 0, 0, 10, 10);
    w->focusable = true;
    windows.push_back(w);  // each new one goes in front of the others
  }
  press(5, 5);
  ASSERT_EQ(screen_->getScreenFocusedWidget(), windows.back());
  for (int i = 0; i < kCount; i += 2) {
    windows[i]->free();
  }
  windows.back()->free();  // the focused, frontmost one
  hookLog().clear();
  drawFrame();  // deletes the queue, then draws the survivors back to front

  Lines expected;
  for (int i = 1; i < kCount - 1; i += 2) {
    expected.push_back(windows[i]->name + ".draw");
  }
  EXPECT_EQ(hookLog(), expected);
  EXPECT_EQ(screen_->getScreenFocusedWidget(), nullptr);
  EXPECT_EQ(screen_->getFocusPath(), nullptr);
}

TEST_F(ScreenDispatch, TheScreenItselfAndNullAreNeverQueued) {
  screen_->freeWidget(screen_);
  screen_->freeWidget(nullptr);
  auto* rec = recorder(false);
  press(1, 1);  // would touch a deleted tree if the screen had gone
  EXPECT_EQ(rec->seen.size(), 1u);
}

// --- focus ------------------------------------------------------------------------------------

TEST_F(ScreenDispatch, AFocusRequestEndsAtTheScreenAndNamesTheTarget) {
  auto* window = new RecordingWidget(screen_, "window", 0, 0, 200, 200);
  window->focusable = true;
  auto* edit = new RecordingWidget(window, "edit", 10, 10, 50, 20);
  edit->focusable = true;
  press(15, 15);
  EXPECT_EQ(screen_->getScreenFocusedWidget(), edit);
  EXPECT_EQ(screen_->getFocusPath(), window);
  press(150, 150);
  EXPECT_EQ(screen_->getScreenFocusedWidget(), window);
  EXPECT_EQ(window->getFocusPath(), edit);
}

TEST_F(ScreenDispatch, RemovingTheTopLevelWidgetOnTheFocusChainClearsTheFocusedWidget) {
  auto* focused = new RecordingWidget(screen_, "focused", 0, 0, 100, 100);
  focused->focusable = true;
  auto* other = new RecordingWidget(screen_, "other", 200, 0, 100, 100);
  press(10, 10);
  ASSERT_EQ(screen_->getScreenFocusedWidget(), focused);
  screen_->remove(other);
  EXPECT_EQ(screen_->getScreenFocusedWidget(), focused);
  screen_->remove(focused);
  EXPECT_EQ(screen_->getScreenFocusedWidget(), nullptr);
  EXPECT_EQ(screen_->getFocusPath(), nullptr);
  delete focused;
  delete other;
}

TEST_F(ScreenDispatch, FreeingASubtreeThatHoldsTheFocusedWidgetClearsIt) {
  auto* window = new RecordingWidget(screen_, "window", 0, 0, 200, 200);
  auto* panel = new RecordingWidget(window, "panel", 0, 0, 100, 100);
  auto* edit = new RecordingWidget(panel, "edit", 10, 10, 50, 20);
  edit->focusable = true;
  auto* bystander = new RecordingWidget(screen_, "bystander", 300, 0, 50, 50);
  press(15, 15);
  ASSERT_EQ(screen_->getScreenFocusedWidget(), edit);
  bystander->free();
  drawFrame();
  EXPECT_EQ(screen_->getScreenFocusedWidget(), edit);
  panel->free();  // not top level: the chain above stays, but the target is gone
  drawFrame();
  EXPECT_EQ(screen_->getScreenFocusedWidget(), nullptr);
  EXPECT_EQ(window->getFocusPath(), nullptr);
}

// --- drawing and dump -------------------------------------------------------------------------

TEST_F(ScreenDispatch, TheDisplayPassFillsTheWholeScreenInDarkBlueGrey) {
  EXPECT_EQ(drawFrame(), "");
  const vt::Rgb expected = vt::toRgb(0.3f, 0.3f, 0.5f);
  for (auto [x, y] : {std::pair{0, 0}, {499, 0}, {0, 399}, {499, 399}, {250, 200}}) {
    EXPECT_TRUE(vt::pixelNear(x, y, expected));
  }
}

TEST_F(ScreenDispatch, PrintNamesTheFocusedWidget) {
  auto* w = new RecordingWidget(screen_, "w", 0, 0, 10, 10);
  w->focusable = true;
  {
    vt::StreamCapture out(std::cout);
    screen_->print();
    EXPECT_EQ(out.lines(), (Lines{"Class : VScreen", "ScreenFocusedWidget = 0"}));
  }
  press(1, 1);
  std::ostringstream address;
  address << static_cast<const void*>(w);
  vt::StreamCapture out(std::cout);
  screen_->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VScreen", "ScreenFocusedWidget = " + address.str()}));
}

}  // namespace
