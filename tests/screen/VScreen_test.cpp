// VScreen: dispatch of the host's calls, the deferred free queue and the end of focus requests.
#include "screen/VScreen.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"
#include "widgets/VCaptionButton.h"

namespace {

using vt::hookLog;
using vt::RecordingWidget;
using vt::Lines;

// Records the full event record of everything it sees as the consumer.
class EventRecorder : public VWidget {
 public:
  struct Seen {
    VEventType type;
    VMouseButton button;
    int x;
    int y;
    int key;
  };
  EventRecorder(VWidget* owner, bool focusable) : VWidget(owner), focusable_(focusable) {
    Width = 500;
    Height = 400;
  }
  bool processEvent(VEvent* e) override {
    seen.push_back({e->getType(), e->getButton(), e->getX(), e->getY(), e->getKey()});
    return false;
  }
  bool canFocus(VEvent*) override { return focusable_; }
  std::vector<Seen> seen;

 private:
  bool focusable_;
};

// Logs its destruction into the shared hook log.
class Mortal : public RecordingWidget {
 public:
  Mortal(VWidget* owner, std::string name, int left, int top, int w, int h)
      : RecordingWidget(owner, std::move(name), left, top, w, h) {}
  ~Mortal() override { hookLog().push_back(name + " deleted"); }
};

using ScreenDispatch = vt::ScreenFixture;

TEST_F(ScreenDispatch, APressAndReleaseGiveDownUpAndClickAtOnePlaceWithOneButton) {
  auto* rec = new EventRecorder(screen_, false);
  screen_->glutMouse(2, 0, 40, 50);
  screen_->glutMouse(2, 1, 40, 50);
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
  auto* rec = new EventRecorder(screen_, true);
  rec->setLeft(154);
  rec->setTop(7);
  screen_->glutMouse(0, 0, 200, 100);  // focus it
  for (int v : {INT_MIN, INT_MAX}) {
    screen_->glutMouse(0, 0, v, v);
    screen_->glutMotion(v, v);
    screen_->glutMouse(0, 1, v, v);
  }
  rec->seen.clear();
  screen_->glutKeyboard('a', INT_MIN, INT_MAX);
  screen_->glutKeyboardUp('a', INT_MAX, INT_MIN);
  screen_->glutSpecialFunc(1, -kLimit - 1, kLimit + 1);
  screen_->glutKeyboard('b', -kLimit, kLimit);
  ASSERT_EQ(rec->seen.size(), 4u);
  const std::pair<int, int> expected[] = {
      {-kLimit, kLimit}, {kLimit, -kLimit}, {-kLimit, kLimit}, {-kLimit, kLimit}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rec->seen[i].x, expected[i].first) << i;
    EXPECT_EQ(rec->seen[i].y, expected[i].second) << i;
  }
}

TEST_F(ScreenDispatch, GlutButtonsZeroOneTwoAreLeftMiddleRight) {
  auto* rec = new EventRecorder(screen_, false);
  for (int b = 0; b < 3; ++b) screen_->glutMouse(b, 0, 1, 1);
  ASSERT_EQ(rec->seen.size(), 3u);
  EXPECT_EQ(rec->seen[0].button, mbLeft);
  EXPECT_EQ(rec->seen[1].button, mbCenter);
  EXPECT_EQ(rec->seen[2].button, mbRight);
}

TEST_F(ScreenDispatch, WheelStepsAndUnknownButtonsOrStatesProduceNoEvent) {
  auto* rec = new EventRecorder(screen_, false);
  for (int b = 3; b <= 6; ++b) {
    screen_->glutMouse(b, 0, 10, 10);
    screen_->glutMouse(b, 1, 10, 10);
  }
  screen_->glutMouse(0, 7, 10, 10);  // a state that is neither down nor up
  EXPECT_TRUE(rec->seen.empty());
}

TEST_F(ScreenDispatch, AWheelStepOverAButtonPressesNothing) {
  static int presses = 0;
  presses = 0;
  auto* button = new VCaptionButton(screen_);
  button->onPress = [](VWidget*, VEvent*) { ++presses; };
  click(5, 5);  // a real left click, so the wheel would reuse mbLeft under the old rule
  ASSERT_EQ(presses, 1);
  for (int step = 0; step < 4; ++step) {
    screen_->glutMouse(3 + step % 2, 0, 5, 5);
    screen_->glutMouse(3 + step % 2, 1, 5, 5);
  }
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(button->getState(), bsUp);
}

TEST_F(ScreenDispatch, MotionKeepsTheButtonAndKeyOfEarlierEvents) {
  auto* rec = new EventRecorder(screen_, true);
  screen_->glutMouse(1, 0, 3, 4);  // middle press; also focuses the recorder
  screen_->glutKeyboard('q', 9, 9);
  screen_->glutMotion(30, 40);
  ASSERT_EQ(rec->seen.size(), 3u);
  EXPECT_EQ(rec->seen[2].type, etMouseMotion);
  EXPECT_EQ(rec->seen[2].button, mbCenter);
  EXPECT_EQ(rec->seen[2].key, 'q');
  EXPECT_EQ(rec->seen[2].x, 30);
  EXPECT_EQ(rec->seen[2].y, 40);
}

TEST_F(ScreenDispatch, KeysCarryTheirCodeAndPosition) {
  auto* rec = new EventRecorder(screen_, true);
  screen_->glutMouse(0, 0, 1, 1);
  rec->seen.clear();
  screen_->glutKeyboard(200, 7, 8);
  screen_->glutKeyboardUp(200, 7, 8);
  screen_->glutSpecialFunc(101, 9, 10);  // GLUT_KEY_UP
  ASSERT_EQ(rec->seen.size(), 3u);
  EXPECT_EQ(rec->seen[0].type, etKeyboard);
  EXPECT_EQ(rec->seen[0].key, 200);
  EXPECT_EQ(rec->seen[1].type, etKeyboardUp);
  EXPECT_EQ(rec->seen[2].type, etSpecialKey);
  EXPECT_EQ(rec->seen[2].key, 101);
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
  new Mortal(screen_, "behind", 0, 0, 500, 400);
  auto* window = new Mortal(screen_, "window", 100, 100, 200, 150);
  auto* button = new Mortal(window, "button", 10, 10, 50, 20);
  new Mortal(window, "label", 100, 10, 50, 20);
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
                              "after free, owner's owner is set", "window deleted",
                              "button deleted", "label deleted",
                              "behind.processMouseOwner click 115,115",
                              "behind.processEvent click 115,115"}));
}

TEST_F(ScreenDispatch, AFreedWidgetIsNeverDrawnAgain) {
  auto* doomed = new Mortal(screen_, "doomed", 0, 0, 10, 10);
  doomed->free();
  hookLog().clear();
  screen_->glutDisplay();
  EXPECT_EQ(hookLog(), (Lines{"doomed deleted"}));
}

TEST_F(ScreenDispatch, AWidgetQueuedTwiceIsDeletedOnce) {
  auto* w = new Mortal(screen_, "w", 0, 0, 10, 10);
  w->free();
  w->free();
  screen_->freeWidget(w);
  hookLog().clear();
  screen_->glutDisplay();
  screen_->glutDisplay();
  EXPECT_EQ(hookLog(), (Lines{"w deleted"}));
}

TEST_F(ScreenDispatch, AWidgetAndItsAncestorQueuedTogetherAreEachDeletedOnce) {
  for (bool descendantFirst : {true, false}) {
    auto* outer = new Mortal(screen_, "outer", 0, 0, 100, 100);
    auto* middle = new Mortal(outer, "middle", 0, 0, 50, 50);
    auto* inner = new Mortal(middle, "inner", 0, 0, 20, 20);
    if (descendantFirst) {
      inner->free();
      outer->free();
    } else {
      outer->free();
      inner->free();
    }
    hookLog().clear();
    screen_->glutDisplay();
    // In request order: a descendant queued first leaves its owner before the ancestor goes.
    EXPECT_EQ(hookLog(), descendantFirst
                             ? (Lines{"inner deleted", "outer deleted", "middle deleted"})
                             : (Lines{"outer deleted", "middle deleted", "inner deleted"}))
        << (descendantFirst ? "descendant queued first" : "ancestor queued first");
  }
}

TEST_F(ScreenDispatch, FreeingKeepsTheRequestOrderAcrossSiblings) {
  auto* a = new Mortal(screen_, "a", 0, 0, 10, 10);
  auto* b = new Mortal(screen_, "b", 0, 0, 10, 10);
  auto* c = new Mortal(screen_, "c", 0, 0, 10, 10);
  c->free();
  a->free();
  b->free();
  c->free();  // a repeated request moves c to the end
  hookLog().clear();
  screen_->glutDisplay();
  EXPECT_EQ(hookLog(), (Lines{"a deleted", "b deleted", "c deleted"}));
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
  screen_->glutMouse(0, 0, 5, 5);
  ASSERT_EQ(screen_->getScreenFocusedWidget(), windows.back());
  for (int i = 0; i < kCount; i += 2) {
    windows[i]->free();
  }
  windows.back()->free();  // the focused, frontmost one
  hookLog().clear();
  screen_->glutDisplay();  // deletes the queue, then draws the survivors back to front

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
  auto* rec = new EventRecorder(screen_, false);
  screen_->glutMouse(0, 0, 1, 1);  // would touch a deleted tree if the screen had gone
  EXPECT_EQ(rec->seen.size(), 1u);
}

// --- focus ------------------------------------------------------------------------------------

TEST_F(ScreenDispatch, AFocusRequestEndsAtTheScreenAndNamesTheTarget) {
  auto* window = new RecordingWidget(screen_, "window", 0, 0, 200, 200);
  window->focusable = true;
  auto* edit = new RecordingWidget(window, "edit", 10, 10, 50, 20);
  edit->focusable = true;
  screen_->glutMouse(0, 0, 15, 15);
  EXPECT_EQ(screen_->getScreenFocusedWidget(), edit);
  EXPECT_EQ(screen_->getFocusPath(), window);
  screen_->glutMouse(0, 0, 150, 150);
  EXPECT_EQ(screen_->getScreenFocusedWidget(), window);
  EXPECT_EQ(window->getFocusPath(), edit);
}

TEST_F(ScreenDispatch, RemovingTheTopLevelWidgetOnTheFocusChainClearsTheFocusedWidget) {
  auto* focused = new RecordingWidget(screen_, "focused", 0, 0, 100, 100);
  focused->focusable = true;
  auto* other = new RecordingWidget(screen_, "other", 200, 0, 100, 100);
  screen_->glutMouse(0, 0, 10, 10);
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
  screen_->glutMouse(0, 0, 15, 15);
  ASSERT_EQ(screen_->getScreenFocusedWidget(), edit);
  bystander->free();
  screen_->glutDisplay();
  EXPECT_EQ(screen_->getScreenFocusedWidget(), edit);
  panel->free();  // not top level: the chain above stays, but the target is gone
  screen_->glutDisplay();
  EXPECT_EQ(screen_->getScreenFocusedWidget(), nullptr);
  EXPECT_EQ(window->getFocusPath(), nullptr);
}

// --- drawing and dump -------------------------------------------------------------------------

TEST_F(ScreenDispatch, TheDisplayPassFillsTheWholeScreenInDarkBlueGrey) {
  vt::FrameCheck check;
  screen_->glutDisplay();
  const vt::Rgb expected = vt::toRgb(0.3f, 0.3f, 0.5f);
  for (auto [x, y] : {std::pair{0, 0}, {499, 0}, {0, 399}, {499, 399}, {250, 200}}) {
    EXPECT_TRUE(vt::near(vt::readPixel(x, y), expected))
        << x << "," << y << " is " << vt::toString(vt::readPixel(x, y));
  }
  EXPECT_EQ(check.problems(), "");
}

TEST_F(ScreenDispatch, PrintNamesTheFocusedWidget) {
  auto* w = new RecordingWidget(screen_, "w", 0, 0, 10, 10);
  w->focusable = true;
  {
    vt::StreamCapture out(std::cout);
    screen_->print();
    EXPECT_EQ(out.lines(), (Lines{"Class : VScreen", "ScreenFocusedWidget = 0"}));
  }
  screen_->glutMouse(0, 0, 1, 1);
  std::ostringstream address;
  address << static_cast<const void*>(w);
  vt::StreamCapture out(std::cout);
  screen_->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VScreen", "ScreenFocusedWidget = " + address.str()}));
}

}  // namespace
