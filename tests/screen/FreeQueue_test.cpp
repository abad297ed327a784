// The free queue as a screen subclass sees it: one widget at a time, through each owner's remove.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screen/VScreen.h"
#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/ScreenDriver.h"
#include "support/StreamCapture.h"

namespace {

using vt::hookLog;
using vt::Lines;
using vt::RecordingWidget;

// A widget that logs its deletion and its children's leaving and joining.
RecordingWidget* widget(VWidget* owner, std::string name, int left = 0, int top = 0,
                        int width = 100, int height = 100) {
  auto* w = new RecordingWidget(owner, std::move(name), left, top, width, height);
  w->logsDeletion = true;
  w->logsChildren = true;
  return w;
}

// A screen whose remove and childrenChanged log, and may free a widget while they run.
class LoggingScreen : public VScreen {
 public:
  LoggingScreen() : VScreen(nullptr) {
    setWidth(vt::kWindowWidth);
    setHeight(vt::kWindowHeight);
  }
  void remove(VWidget* child) override {
    hookLog().push_back("screen.remove " + static_cast<RecordingWidget*>(child)->name);
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

class FreeQueue : public ::testing::Test, public vt::ScreenDriver {
 protected:
  FreeQueue() : ScreenDriver(&scene_) {}
  void SetUp() override {
    hookLog().clear();
    vt::resetView();
  }
  void TearDown() override {
    scene_.logging = false;
    hookLog().clear();
  }
  void startLogging() {
    hookLog().clear();
    scene_.logging = true;
  }
  LoggingScreen scene_;
};

TEST_F(FreeQueue, EachWidgetLeavesThroughItsOwnersRemoveThenIsDeletedInRequestOrder) {
  auto* w1 = widget(&scene_, "w1");
  auto* nested = widget(w1, "nested");
  auto* w2 = widget(&scene_, "w2");
  auto* w3 = widget(&scene_, "w3");
  w2->free();
  w3->free();
  nested->free();
  startLogging();
  drawFrame();
  EXPECT_EQ(hookLog(), (Lines{"screen.remove w2", "screen.childrenChanged", "~w2",
                              "screen.remove w3", "screen.childrenChanged", "~w3",
                              "w1.remove nested", "w1.childrenChanged", "~nested", "w1.draw"}));
}

// Wherever a free() is made while the queue is being emptied, the widget is gone before the
// same dispatch routes anything: the press lands on the widget behind it.
TEST_F(FreeQueue, AWidgetFreedWhileTheQueueEmptiesIsGoneBeforeTheSameDispatchRoutes) {
  enum Where { FromDestructor, FromRemove, FromChildrenChanged };
  for (Where where : {FromDestructor, FromRemove, FromChildrenChanged}) {
    auto* behind = widget(&scene_, "behind", 0, 0, 200, 200);
    auto* victim = widget(&scene_, "victim", 0, 0, 100, 100);
    auto* trigger = widget(&scene_, "trigger", 300, 300, 10, 10);
    switch (where) {
      case FromDestructor: trigger->freeOnDelete = victim; break;
      case FromRemove: scene_.freeOnRemove = victim; break;
      case FromChildrenChanged: scene_.freeOnChildrenChanged = victim; break;
    }
    trigger->free();
    startLogging();
    press(50, 50);
    const std::string context = "freed from " + std::to_string(where);
    EXPECT_TRUE(vt::logged("~victim")) << context;
    EXPECT_FALSE(vt::logged("victim.processMouseOwner down 50,50")) << context;
    EXPECT_EQ(hookLog().back(), "behind.processEvent down 50,50") << context;
    scene_.logging = false;
    behind->free();
    drawFrame();
  }
}

// A dying widget that frees itself or its dying owner: each goes once, with its subtree.
TEST_F(FreeQueue, AWidgetOfTheSubtreeBeingDeletedFreedFromADestructorIsDeletedOnce) {
  auto* window = widget(&scene_, "window");
  auto* panel = widget(window, "panel");
  auto* leaf = widget(panel, "leaf");
  leaf->freeOnDelete = window;   // the subtree's root, already on its way out
  panel->freeOnDelete = panel;   // itself
  window->free();
  startLogging();
  drawFrame();
  drawFrame();
  EXPECT_EQ(hookLog(), (Lines{"screen.remove window", "screen.childrenChanged", "~window",
                              "~panel", "~leaf"}));
}

// The application may take a widget out of its owner and delete it itself. When that widget
// held the focus, the screen's focus target names freed memory; nothing may read it.
TEST_F(FreeQueue, AFocusedWidgetDeletedDirectlyIsNeverReadWhenOthersAreFreed) {
  auto* window = widget(&scene_, "window", 0, 0, 200, 200);
  window->focusable = true;
  auto* edit = widget(window, "edit", 10, 30, 100, 20);
  edit->focusable = true;
  auto* other = widget(&scene_, "other", 300, 0, 50, 50);
  auto* nested = widget(window, "nested", 10, 100, 20, 20);
  press(20, 40);
  ASSERT_EQ(scene_.getScreenFocusedWidget(), edit);

  window->remove(edit);
  const auto stale = reinterpret_cast<std::uintptr_t>(edit);
  delete edit;
  nested->free();
  drawFrame();  // under the sanitizers, any read of the deleted widget is reported
  // Only compared, never read: the field still names what it named.
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(scene_.getScreenFocusedWidget()), stale);
  other->free();
  click(20, 40);  // the press now lands on the window itself
  EXPECT_EQ(scene_.getScreenFocusedWidget(), window);
  EXPECT_EQ(window->getFocusPath(), nullptr);
}

}  // namespace
