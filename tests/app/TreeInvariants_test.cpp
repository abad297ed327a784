// TreeInvariants: the checks the event storm runs after every call find trees built wrong.
#include "TreeInvariants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DemoFixture.h"
#include "app/MyWindow.h"
#include "screen/VScreen.h"
#include "support/Box.h"
#include "support/WidgetTree.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

namespace {

using vt::childrenOf;
using vt::TreeInvariants;

bool mentions(const std::string& problems, const std::string& what) {
  return problems.find(what) != std::string::npos;
}

class TreeChecks : public vt::DemoFixture {
 protected:
  void SetUp() override {
    vt::DemoFixture::SetUp();
    ASSERT_EQ(TreeInvariants(screen_).checkTree(), "") << "the demo scene itself is unsound";
  }
};

TEST_F(TreeChecks, TheDemoSceneIsSoundAndEveryWidgetIsReached) {
  TreeInvariants check(screen_);
  EXPECT_EQ(check.checkTree(), "");
  // The screen, its toolbar with three buttons, the demo window with its two buttons, text
  // field, check box, two toolbars and their five buttons.
  EXPECT_EQ(check.widgets().size(), 1u + 4u + 1u + 2u + 2u + 2u + 2u + 3u);
  EXPECT_EQ(check.widgets().front(), screen_);
}

TEST_F(TreeChecks, AChildThatNamesAnotherOwnerIsReported) {
  VCaptionButton* fenster = button(window_, "Fenster");
  fenster->setOwner(window_);
  const std::string problems = TreeInvariants(screen_).checkTree();
  fenster->setOwner(window_->toolbar);
  EXPECT_TRUE(mentions(problems, "VCaptionButton at (10, 2) 111x21 is a child of VToolBar"))
      << problems;
  EXPECT_TRUE(mentions(problems, "but names another owner")) << problems;
}

TEST_F(TreeChecks, AFocusPathToAWidgetThatIsNotAChildIsReported) {
  window_->setFocusPath(button(window_, "Fenster"));
  const std::string problems = TreeInvariants(screen_).checkTree();
  window_->setFocusPath(nullptr);
  EXPECT_EQ(problems, "the FocusPath of MyWindow at (0, 0) 400x200 is not one of its children\n");
}

TEST_F(TreeChecks, AFocusTargetOutsideTheTreeIsReported) {
  VWidget outside(nullptr);
  screen_->setScreenFocusedWidget(&outside);
  const std::string problems = TreeInvariants(screen_).checkTree();
  screen_->setScreenFocusedWidget(nullptr);
  EXPECT_EQ(problems, "the screen's focus target is not in the tree\n");
}

TEST_F(TreeChecks, AddingAListedChildAgainKeepsTheTreeSound) {
  window_->add(window_->toolbar);
  screen_->add(window_->toolbar);  // moved out of the window
  EXPECT_EQ(TreeInvariants(screen_).checkTree(), "");
  EXPECT_EQ(window_->toolbar, nullptr);  // the demo window forgot the field that left it
}

TEST_F(TreeChecks, AQueuedWidgetThatLeftTheTreeIsReported) {
  window_->free();
  screen_->remove(window_);
  const std::string problems = TreeInvariants(screen_).checkTree();
  screen_->add(window_);
  EXPECT_EQ(problems, "a widget waiting in the free queue is no longer in the tree\n");
}

TEST_F(TreeChecks, AQueuedWidgetStillInTheTreeAfterADispatchIsReported) {
  TreeInvariants check(screen_);
  window_->free();
  check.beforeCall();
  // Claimed as dispatched, but nothing ran: the queue was not emptied.
  const std::string problems = check.afterCall(true);
  EXPECT_EQ(problems,
            "MyWindow at (0, 0) 400x200 was queued for freeing before an event and is still in "
            "the tree after it\n");
  // A call that dispatches nothing may leave the queue as it is.
  EXPECT_EQ(check.afterCall(false), "");
  // A widget freed during the call and reached again is a new one at the same address.
  EXPECT_EQ(check.afterCall(true, [](const void*) { return true; }), "");
}

TEST_F(TreeChecks, ARealDispatchEmptiesTheQueueAndPassesTheCheck) {
  TreeInvariants check(screen_);
  // The close button of the demo window, pressed and released: the click queues the window.
  const vt::Box close = vt::screenBoxOf(window_->getCloseButton());
  press(close.left + 5, close.top + 5);
  check.beforeCall();
  release(close.left + 5, close.top + 5);
  EXPECT_EQ(check.afterCall(true), "");
  ASSERT_EQ(TreeInvariants::queueOf(screen_), std::vector<VWidget*>{window_});

  check.beforeCall();
  drawFrame();
  EXPECT_EQ(check.afterCall(true), "");
  EXPECT_TRUE(TreeInvariants::queueOf(screen_).empty());
  EXPECT_EQ(screenChildCount(), 1);
}

}  // namespace
