// The free queue as a screen subclass sees it: one widget at a time, through each owner's remove.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screen/VScreen.h"
#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/StreamCapture.h"

namespace {

using vt::hookLog;
using vt::Lines;

// A widget that logs leaving children, its own deletion and whatever it hears.
class Logged : public vt::RecordingWidget {
 public:
  Logged(VWidget* owner, std::string name, int left = 0, int top = 0, int width = 100,
         int height = 100)
      : RecordingWidget(owner, std::move(name), left, top, width, height) {}
  ~Logged() override {
    hookLog().push_back("~" + name);
    if (freeOnDelete != nullptr) {
      freeOnDelete->free();
    }
  }
  void remove(VWidget* child) override {
    hookLog().push_back(name + ".remove " + static_cast<Logged*>(child)->name);
    VWidget::remove(child);
  }
  void childrenChanged() override { hookLog().push_back(name + ".childrenChanged"); }

  VWidget* freeOnDelete = nullptr;  // freed from this widget's destructor
};

// A screen whose remove and childrenChanged log, and may free a widget while they run.
class LoggingScreen : public VScreen {
 public:
  LoggingScreen() : VScreen(nullptr) {
    setWidth(vt::kWindowWidth);
    setHeight(vt::kWindowHeight);
  }
  void remove(VWidget* child) override {
    hookLog().push_back("screen.remove " + static_cast<Logged*>(child)->name);
    VScreen::remove(child);
    freeNow(freeOnRemove);
  }
  void childrenChanged() override {
    if (logging) {
      hookLog().push_back("screen.childrenChanged");
    }
    freeNow(freeOnChildrenChanged);
  }

  bool logging = false;  // off while the scene is built
  VWidget* freeOnRemove = nullptr;
  VWidget* freeOnChildrenChanged = nullptr;

 private:
  static void freeNow(VWidget*& w) {
    if (w != nullptr) {
      VWidget* target = w;
      w = nullptr;
      target->free();
    }
  }
};

class FreeQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    hookLog().clear();
    vt::resetView();
  }
  void TearDown() override {
    screen_.logging = false;
    hookLog().clear();
  }
  void startLogging() {
    hookLog().clear();
    screen_.logging = true;
  }
  LoggingScreen screen_;
};

TEST_F(FreeQueue, EachWidgetLeavesThroughItsOwnersRemoveThenIsDeletedInRequestOrder) {
  auto* w1 = new Logged(&screen_, "w1");
  auto* nested = new Logged(w1, "nested");
  auto* w2 = new Logged(&screen_, "w2");
  auto* w3 = new Logged(&screen_, "w3");
  w2->free();
  w3->free();
  nested->free();
  startLogging();
  screen_.glutDisplay();
  EXPECT_EQ(hookLog(), (Lines{"screen.remove w2", "screen.childrenChanged", "~w2",
                              "screen.remove w3", "screen.childrenChanged", "~w3",
                              "w1.remove nested", "w1.childrenChanged", "~nested", "w1.draw"}));
}

// Wherever a free() is made while the queue is being emptied, the widget is gone before the
// same dispatch routes anything: the press lands on the widget behind it.
TEST_F(FreeQueue, AWidgetFreedWhileTheQueueEmptiesIsGoneBeforeTheSameDispatchRoutes) {
  enum Where { FromDestructor, FromRemove, FromChildrenChanged };
  for (Where where : {FromDestructor, FromRemove, FromChildrenChanged}) {
    auto* behind = new Logged(&screen_, "behind", 0, 0, 200, 200);
    auto* victim = new Logged(&screen_, "victim", 0, 0, 100, 100);
    auto* trigger = new Logged(&screen_, "trigger", 300, 300, 10, 10);
    switch (where) {
      case FromDestructor: trigger->freeOnDelete = victim; break;
      case FromRemove: screen_.freeOnRemove = victim; break;
      case FromChildrenChanged: screen_.freeOnChildrenChanged = victim; break;
    }
    trigger->free();
    startLogging();
    screen_.glutMouse(0, 0, 50, 50);
    const Lines& log = hookLog();
    const std::string context = "freed from " + std::to_string(where);
    EXPECT_NE(std::find(log.begin(), log.end(), "~victim"), log.end()) << context;
    EXPECT_EQ(std::find(log.begin(), log.end(), "victim.processMouseOwner down 50,50"),
              log.end())
        << context;
    EXPECT_EQ(log.back(), "behind.processEvent down 50,50") << context;
    screen_.logging = false;
    behind->free();
    screen_.glutDisplay();
  }
}

// A dying widget that frees itself or its dying owner: each goes once, with its subtree.
TEST_F(FreeQueue, AWidgetOfTheSubtreeBeingDeletedFreedFromADestructorIsDeletedOnce) {
  auto* window = new Logged(&screen_, "window");
  auto* panel = new Logged(window, "panel");
  auto* leaf = new Logged(panel, "leaf");
  leaf->freeOnDelete = window;   // the subtree's root, already on its way out
  panel->freeOnDelete = panel;   // itself
  window->free();
  startLogging();
  screen_.glutDisplay();
  screen_.glutDisplay();
  EXPECT_EQ(hookLog(), (Lines{"screen.remove window", "screen.childrenChanged", "~window",
                              "~panel", "~leaf"}));
}

// The application may take a widget out of its owner and delete it itself. When that widget
// held the focus, the screen's focus target names freed memory; nothing may read it.
TEST_F(FreeQueue, AFocusedWidgetDeletedDirectlyIsNeverReadWhenOthersAreFreed) {
  auto* window = new Logged(&screen_, "window", 0, 0, 200, 200);
  window->focusable = true;
  auto* edit = new Logged(window, "edit", 10, 30, 100, 20);
  edit->focusable = true;
  auto* other = new Logged(&screen_, "other", 300, 0, 50, 50);
  auto* nested = new Logged(window, "nested", 10, 100, 20, 20);
  screen_.glutMouse(0, 0, 20, 40);
  ASSERT_EQ(screen_.getScreenFocusedWidget(), edit);

  window->remove(edit);
  const auto stale = reinterpret_cast<std::uintptr_t>(edit);
  delete edit;
  nested->free();
  screen_.glutDisplay();  // under the sanitizers, any read of the deleted widget is reported
  // Only compared, never read: the field still names what it named.
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(screen_.getScreenFocusedWidget()), stale);
  other->free();
  screen_.glutMouse(0, 0, 20, 40);  // the press now lands on the window itself
  screen_.glutMouse(0, 1, 20, 40);
  EXPECT_EQ(screen_.getScreenFocusedWidget(), window);
  EXPECT_EQ(window->getFocusPath(), nullptr);
}

}  // namespace
