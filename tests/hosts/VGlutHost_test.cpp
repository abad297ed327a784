// VGlutHost and the services every adapter shares: GLUT's values as a guest's routing, timers
// run by GLUT's loop, and what a screen without services answers.
#include "hosts/glut/VGlutHost.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "HostTest.h"
#include "hosts/VHostTimers.h"
#include "hosts/VLatin1.h"

namespace {

using vt::Lines;
using GlutHost = vt::HostTest<VGlutHost>;

// Runs GLUT's loop until the predicate holds or a second has passed.
bool pumpUntil(const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (!done() && std::chrono::steady_clock::now() < until) {
    glutMainLoopEvent();
  }
  return done();
}

void count(void* n) { ++*static_cast<int*>(n); }

// A guest's answers: the widget's press and the keys its focus takes are the GUI's; a press on
// the bare screen is the program's and drops the focus; a key-up goes where its press went.
TEST_F(GlutHost, AGuestGetsWhatTheGuiDidNotTake) {
  use(hrGuest);
  EXPECT_TRUE(host_->keyboard('a', 1, 2));
  EXPECT_TRUE(host_->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 30, 40));
  EXPECT_TRUE(host_->motion(35, 45));
  EXPECT_TRUE(host_->mouse(GLUT_LEFT_BUTTON, GLUT_UP, 35, 45));
  EXPECT_TRUE(host_->special(GLUT_KEY_LEFT, 35, 45));
  EXPECT_EQ(widget_->take(), (Lines{"key 97 at 1,2", "down 0 at 30,40", "motion 0 at 35,45",
                                    "up 0 at 35,45", "click 0 at 35,45", "special 100 at 35,45"}));
  EXPECT_FALSE(host_->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300));  // bare screen
  EXPECT_FALSE(host_->motion(310, 310));
  EXPECT_FALSE(host_->mouse(GLUT_LEFT_BUTTON, GLUT_UP, 310, 310));
  EXPECT_TRUE(host_->keyboardUp('a', 0, 0));  // its press was the GUI's, though the focus went
  EXPECT_FALSE(host_->keyboard('b', 0, 0));   // no focus any more
  EXPECT_EQ(widget_->take(), Lines{});
}

// The designed callbacks' path: every event reaches the screen, a drag's motion included
// although the press came before this host.
TEST_F(GlutHost, AProgramsHostSendsEveryEventAsGlutGaveIt) {
  host_->motion(7, 8);
  host_->keyboardUp('x', 1, 1);
  host_->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 30, 40);
  host_->mouse(GLUT_LEFT_BUTTON, 7, 31, 41);  // no state: neither a release nor a click
  host_->mouse(9, GLUT_UP, 3, 4);             // no button, but its place
  EXPECT_EQ(widget_->take(), (Lines{"motion 0 at 7,8", "keyup 120 at 1,1", "down 0 at 30,40"}));
  EXPECT_EQ(screen_->getLastEvent()->getX(), 3);
  EXPECT_EQ(screen_->getLastEvent()->getY(), 4);
}

// Buttons 3 to 6 going down are wheel steps up, down, left and right; going up they answer as
// the step did, and send nothing.
TEST_F(GlutHost, WheelButtonsAreStepsTheGuiTakesOverAWidget) {
  use(hrGuest);
  for (int button = 3; button <= 6; ++button) {
    EXPECT_TRUE(host_->mouse(button, GLUT_DOWN, 10, 20));
    EXPECT_TRUE(host_->mouse(button, GLUT_UP, 10, 20));
  }
  EXPECT_EQ(widget_->take(), (Lines{"wheel 0,1 at 10,20", "wheel 0,-1 at 10,20",
                                    "wheel -1,0 at 10,20", "wheel 1,0 at 10,20"}));
  EXPECT_FALSE(host_->mouse(3, GLUT_DOWN, 300, 300));
  EXPECT_FALSE(host_->mouse(3, GLUT_UP, 300, 300));
}

// One host at a time: a new one takes the screen over, and the two go in either order.
TEST_F(GlutHost, ANewHostTakesTheScreenOverAndEitherMayGoFirst) {
  auto second = std::make_unique<VGlutHost>(screen_, hrGuest);
  EXPECT_FALSE(host_->keyboard('a', 0, 0));
  EXPECT_TRUE(second->keyboard('b', 0, 0));
  host_.reset();
  EXPECT_EQ(screen_->getHostServices(), second.get());
  EXPECT_EQ(widget_->take(), Lines{"key 98 at 0,0"});
  delete screen_;
  screen_ = nullptr;
  EXPECT_FALSE(second->keyboard('c', 0, 0));
}

TEST_F(GlutHost, TimersFireOnceFromGlutsLoopAndCancelledOrOrphanedOnesNever) {
  int fired = 0;
  int cancelled = 0;
  ASSERT_GT(screen_->startTimer(20, count, &fired), 0);
  screen_->cancelTimer(screen_->startTimer(10, count, &cancelled));
  EXPECT_TRUE(pumpUntil([&] { return fired > 0; }));
  pumpUntil([] { return false; });
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(cancelled, 0);
  // A screen that goes takes its widgets' pending timers with it.
  int orphan = 0;
  screen_->startTimer(10, count, &orphan);
  delete screen_;
  screen_ = nullptr;
  pumpUntil([] { return false; });
  EXPECT_EQ(orphan, 0);
}

TEST_F(GlutHost, WithoutAHostTheScreenKeepsItsClipboardAndHasNoTimers) {
  host_->setClipboardText("held");
  EXPECT_EQ(screen_->getClipboardText(), "held");
  host_.reset();
  EXPECT_EQ(screen_->getHostServices(), nullptr);
  EXPECT_EQ(screen_->startTimer(1, count, nullptr), 0);
  screen_->setClipboardText("alone");
  EXPECT_EQ(screen_->getClipboardText(), "alone");
  EXPECT_EQ(screen_->getContentScale(), 1.0);
  screen_->redraw();  // asks nobody
}

// Due timers run in the order they fell due, each once; one that a callback cancels or starts
// waits its turn.
TEST(VHostTimers, DueTimersRunInOrderAndCallbacksMayChangeThePendingOnes) {
  VHostTimers timers;
  std::vector<int> ran;
  struct Step {
    VHostTimers* timers;
    std::vector<int>* ran;
    int id;
    int cancel = 0;
    bool restart = false;
  };
  auto run = [](void* p) {
    auto* s = static_cast<Step*>(p);
    s->ran->push_back(s->id);
    s->timers->cancel(s->cancel);
    if (s->restart) {
      s->timers->start(0, nullptr, nullptr);
    }
  };
  EXPECT_EQ(timers.millisecondsToNext(), -1);
  Step later{&timers, &ran, 3};
  Step second{&timers, &ran, 2};
  Step first{&timers, &ran, 1, 0, true};
  timers.start(60000, run, &later);
  timers.start(0, run, &first);
  first.cancel = timers.start(-5, run, &second);  // as 0: due after the first
  const int secondTimer = first.cancel;
  EXPECT_EQ(timers.millisecondsToNext(), 0);
  EXPECT_EQ(timers.fireDue(), 1);  // the first cancelled the second
  EXPECT_EQ(ran, std::vector<int>{1});
  EXPECT_EQ(timers.fireDue(), 1);  // the one it started, with no callback
  const long left = timers.millisecondsToNext();
  EXPECT_GT(left, 59000);
  EXPECT_LE(left, 60000);
  EXPECT_FALSE(timers.fire(secondTimer));
  timers.clear();
  EXPECT_TRUE(timers.empty());
  // A callback may delete the timers with their host; the pass ends there.
  auto* owned = new VHostTimers;
  auto destroy = [](void* t) { delete static_cast<VHostTimers*>(t); };
  owned->start(0, destroy, owned);
  owned->start(0, destroy, owned);
  EXPECT_EQ(owned->fireDue(), 1);
}

TEST(VLatin1, RoundTripsEveryByteAndReadsWhatItCannotHoldAsQuestionMarks) {
  std::string all;
  for (int c = 1; c < 256; ++c) {
    all.push_back(static_cast<char>(c));
  }
  EXPECT_EQ(VLatin1::fromUtf8(VLatin1::toUtf8(all).c_str()), all);
  EXPECT_EQ(VLatin1::toUtf8("caf\xe9"), "caf\xc3\xa9");
  const std::pair<const char*, std::string> read[] = {
      {"\xe2\x82\xac!", "?!"},      // the euro sign
      {"\xf0\x9f\x98\x80", "?"},    // beyond the basic plane
      {"\xc3(", "?("},              // a broken sequence, its next byte kept
      {"\xff", "?"},                // no lead byte at all
      {"\xc0\x80" "a", "?a"},      // an overlong NUL
      {"\xed\xa0\x80", "?"},        // a surrogate
      {nullptr, ""}};
  for (const auto& [utf8, latin1] : read) {
    EXPECT_EQ(VLatin1::fromUtf8(utf8), latin1) << (utf8 != nullptr ? utf8 : "null");
  }
}

}  // namespace
