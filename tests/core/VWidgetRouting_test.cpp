// VWidget routing: hit search, focus chain, key delivery, dragging and the draw pass.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/RecordingWidget.h"
#include "core/VWidget.h"
#include "support/GlTest.h"
#include "support/StreamCapture.h"

namespace {

using vt::entriesOf;
using vt::hookLog;
using vt::RecordingWidget;
using vt::TestRoot;
using vt::Lines;

bool send(VWidget& root, VEventType type, int x, int y, VMouseButton button = mbLeft) {
  VEvent e;
  e.setType(type);
  e.setX(x);
  e.setY(y);
  e.setButton(button);
  return root.event(&e);
}

bool sendKey(VWidget& root, VEventType type, int key) {
  VEvent e;
  e.setType(type);
  e.setKey(key);
  e.setX(123);
  e.setY(45);
  return root.event(&e);
}

class Routing : public ::testing::Test {
 protected:
  void SetUp() override { hookLog().clear(); }
};

// --- hit search -------------------------------------------------------------------------------

struct HitCase {
  int x;
  int y;
  bool hit;
};

void PrintTo(const HitCase& c, std::ostream* os) {
  *os << "at_" << c.x << "_" << c.y << (c.hit ? "_hit" : "_miss");
}

class HitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(HitTest, IncludesTheRightAndBottomEdges) {
  const HitCase c = GetParam();
  TestRoot root;
  new RecordingWidget(&root, "w", 10, 10, 20, 10);
  hookLog().clear();
  send(root, etMouseClick, c.x, c.y);
  const std::string at = std::to_string(c.x) + "," + std::to_string(c.y);
  const Lines expected = c.hit ? Lines{"w.processMouseOwner click " + at,
                                       "w.processEvent click " + at}
                               : Lines{"w.processMouseOwner click " + at};
  EXPECT_EQ(entriesOf("w"), expected);
  // A miss falls through to the root's own handling.
  EXPECT_EQ(entriesOf("root").empty(), c.hit);
}

INSTANTIATE_TEST_SUITE_P(Edges, HitTest,
                         ::testing::Values(HitCase{10, 10, true}, HitCase{30, 20, true},
                                           HitCase{30, 10, true}, HitCase{10, 20, true},
                                           HitCase{9, 15, false}, HitCase{31, 15, false},
                                           HitCase{20, 9, false}, HitCase{20, 21, false}));

TEST_F(Routing, OverlappingSiblingsTheLaterCreatedGetsThePressAndTheOtherSeesNothing) {
  TestRoot root;
  new RecordingWidget(&root, "back", 0, 0, 100, 100);
  new RecordingWidget(&root, "front", 50, 50, 100, 100);
  hookLog().clear();
  EXPECT_TRUE(send(root, etMouseDown, 60, 60));
  EXPECT_EQ(entriesOf("front"), (Lines{"front.processMouseOwner down 60,60",
                                       "front.processEvent down 60,60"}));
  EXPECT_TRUE(entriesOf("back").empty());
  // The root is the consumer's ancestor: none of its own hooks ran.
  EXPECT_TRUE(entriesOf("root").empty());
}

TEST_F(Routing, ASiblingInFrontThatMissesThePointSeesItOnlyThroughProcessMouseOwner) {
  TestRoot root;
  new RecordingWidget(&root, "back", 0, 0, 100, 100);
  new RecordingWidget(&root, "front", 200, 200, 50, 50);
  hookLog().clear();
  send(root, etMouseDown, 10, 10);
  EXPECT_EQ(hookLog(), (Lines{"front.processMouseOwner down 10,10",
                              "back.processMouseOwner down 10,10",
                              "back.processEvent down 10,10"}));
}

TEST_F(Routing, ARaisedSiblingGetsTheNextPress) {
  TestRoot root;
  auto* a = new RecordingWidget(&root, "a", 0, 0, 100, 100);
  new RecordingWidget(&root, "b", 0, 0, 100, 100);
  root.bringToFront(a);
  hookLog().clear();
  send(root, etMouseDown, 5, 5);
  EXPECT_EQ(entriesOf("a").back(), "a.processEvent down 5,5");
  EXPECT_TRUE(entriesOf("b").empty());
}

TEST_F(Routing, ThePressGoesToTheDeepestWidgetAndHandlersSeeTheOwnersSpace) {
  TestRoot root;
  auto* window = new RecordingWidget(&root, "window", 30, 20, 300, 200);
  auto* button = new RecordingWidget(window, "button", 100, 50, 40, 20);
  button->logHandlers();
  window->logHandlers();
  hookLog().clear();
  send(root, etMouseDown, 140, 80);
  // Window pixels (140, 80) are (110, 60) in the window's space, where the button's Left and
  // Top live.
  EXPECT_EQ(entriesOf("button"), (Lines{"button.processMouseOwner down 110,60",
                                        "button.processEvent down 110,60",
                                        "button.onMouseDown down 110,60"}));
  EXPECT_TRUE(entriesOf("window").empty());
}

TEST_F(Routing, TheEventLeavesEachWidgetWithItsCoordinatesRestored) {
  TestRoot root;
  auto* window = new RecordingWidget(&root, "window", 30, 20, 300, 200);
  new RecordingWidget(window, "inner", 5, 5, 10, 10);
  VEvent e;
  e.setType(etMouseMotion);
  e.setX(250);
  e.setY(150);
  root.event(&e);
  EXPECT_EQ(e.getX(), 250);
  EXPECT_EQ(e.getY(), 150);
}

TEST_F(Routing, AChildOutsideItsOwnerIsStillFound) {
  // Children are searched whether or not the point is inside the owner.
  TestRoot root;
  auto* panel = new RecordingWidget(&root, "panel", 10, 10, 20, 20);
  new RecordingWidget(panel, "stray", 100, 100, 10, 10);
  hookLog().clear();
  EXPECT_TRUE(send(root, etMouseClick, 115, 115));
  EXPECT_EQ(entriesOf("stray").back(), "stray.processEvent click 105,105");
  EXPECT_EQ(entriesOf("panel"), Lines{});
}

TEST_F(Routing, AnInvisibleWidgetAndItsSubtreeAreNeitherDrawnNorHit) {
  TestRoot root;
  auto* hidden = new RecordingWidget(&root, "hidden", 0, 0, 50, 50);
  new RecordingWidget(hidden, "inside", 200, 200, 20, 20);  // lies outside its owner
  hidden->setVisible(false);
  hookLog().clear();
  send(root, etMouseDown, 210, 210);
  EXPECT_EQ(entriesOf("root").back(), "root.processEvent down 210,210");
  EXPECT_TRUE(entriesOf("inside").empty());
  EXPECT_TRUE(entriesOf("hidden").empty());
  VEvent draw;
  root.event(&draw);
  EXPECT_EQ(hookLog().back(), "root.draw");
  EXPECT_TRUE(entriesOf("inside").empty());
}

TEST_F(Routing, ADisabledWindowIsDrawnButAPressFallsThroughToWhatLiesBehind) {
  TestRoot root;
  new RecordingWidget(&root, "behind", 0, 0, 100, 100);
  auto* disabled = new RecordingWidget(&root, "disabled", 0, 0, 100, 100);
  new RecordingWidget(disabled, "child", 10, 10, 10, 10);
  disabled->setEnabled(false);
  hookLog().clear();
  send(root, etMouseDown, 15, 15);
  EXPECT_EQ(entriesOf("behind").back(), "behind.processEvent down 15,15");
  EXPECT_TRUE(entriesOf("disabled").empty());
  EXPECT_TRUE(entriesOf("child").empty());
  hookLog().clear();
  VEvent draw;
  root.event(&draw);
  // The press raised "behind", so it is now drawn last, over the disabled window.
  EXPECT_EQ(hookLog(), (Lines{"root.draw", "disabled.draw", "child.draw", "behind.draw"}));
}

TEST_F(Routing, MouseEventsCarryAnyButton) {
  for (VMouseButton b : {mbLeft, mbCenter, mbRight}) {
    TestRoot root;
    auto* w = new RecordingWidget(&root, "w", 0, 0, 10, 10);
    w->logHandlers();
    hookLog().clear();
    send(root, etMouseClick, 5, 5, b);
    EXPECT_EQ(entriesOf("w").back(), "w.onClick click 5,5") << "button " << b;
  }
}

TEST_F(Routing, EachEventTypeCallsItsOwnHandler) {
  const std::pair<VEventType, std::string> cases[] = {{etMouseDown, "onMouseDown down"},
                                                      {etMouseUp, "onMouseUp up"},
                                                      {etMouseMotion, "onMouseMove motion"},
                                                      {etMouseClick, "onClick click"}};
  for (const auto& [type, expected] : cases) {
    TestRoot root;
    auto* w = new RecordingWidget(&root, "w", 0, 0, 10, 10);
    w->logHandlers();
    hookLog().clear();
    send(root, type, 3, 4);
    EXPECT_EQ(entriesOf("w"), (Lines{"w.processMouseOwner " + vt::typeName(type) + " 3,4",
                                     "w.processEvent " + vt::typeName(type) + " 3,4",
                                     "w." + expected + " 3,4"}));
  }
}

// --- front order and focus -------------------------------------------------------------------

TEST_F(Routing, APressRaisesEveryWidgetOnTheWayAndFocusesTheDeepestFocusableOne) {
  TestRoot root;
  auto* back = new RecordingWidget(&root, "backWindow", 0, 0, 300, 300);
  back->focusable = true;
  auto* panel = new RecordingWidget(back, "panel", 10, 10, 200, 200);
  auto* other = new RecordingWidget(back, "otherPanel", 250, 250, 20, 20);
  auto* button = new RecordingWidget(panel, "button", 10, 10, 50, 20);
  button->focusable = true;
  auto* front = new RecordingWidget(&root, "frontWindow", 400, 0, 50, 50);
  front->focusable = true;
  (void)other;

  send(root, etMouseDown, 30, 30);
  EXPECT_TRUE(root.isInFront(back));
  EXPECT_TRUE(back->isInFront(panel));
  EXPECT_EQ(root.getFocusPath(), back);
  EXPECT_EQ(back->getFocusPath(), panel);  // the panel cannot focus, but the chain runs on
  EXPECT_EQ(panel->getFocusPath(), button);
  EXPECT_EQ(root.focusTarget, button);
  EXPECT_TRUE(button->getFocused());
  EXPECT_FALSE(front->getFocused());
}

TEST_F(Routing, PressingAWindowsFrameKeepsTheFocusInsideIt) {
  TestRoot root;
  auto* window = new RecordingWidget(&root, "window", 0, 0, 300, 300);
  window->focusable = true;
  auto* edit = new RecordingWidget(window, "edit", 10, 10, 50, 20);
  edit->focusable = true;
  send(root, etMouseDown, 20, 20);
  ASSERT_EQ(window->getFocusPath(), edit);
  send(root, etMouseDown, 200, 200);  // the frame, away from the edit
  EXPECT_EQ(window->getFocusPath(), edit);
  EXPECT_EQ(root.getFocusPath(), window);
  EXPECT_EQ(root.focusTarget, window);
}

TEST_F(Routing, FocusMovingToAnotherWindowCutsTheOldBranch) {
  TestRoot root;
  auto* first = new RecordingWidget(&root, "first", 0, 0, 100, 100);
  first->focusable = true;
  auto* edit = new RecordingWidget(first, "edit", 10, 10, 50, 20);
  edit->focusable = true;
  auto* second = new RecordingWidget(&root, "second", 200, 0, 100, 100);
  second->focusable = true;
  send(root, etMouseDown, 20, 20);
  ASSERT_EQ(first->getFocusPath(), edit);
  send(root, etMouseDown, 250, 50);
  EXPECT_EQ(root.getFocusPath(), second);
  EXPECT_EQ(first->getFocusPath(), nullptr);
}

TEST_F(Routing, APressOnTheBackgroundChangesNeitherFocusNorOrder) {
  TestRoot root;
  auto* a = new RecordingWidget(&root, "a", 0, 0, 50, 50);
  a->focusable = true;
  auto* b = new RecordingWidget(&root, "b", 100, 0, 50, 50);
  send(root, etMouseDown, 10, 10);
  ASSERT_EQ(root.getFocusPath(), a);
  VWidget* target = root.focusTarget;
  send(root, etMouseDown, 300, 300, mbRight);
  EXPECT_EQ(root.getFocusPath(), a);
  EXPECT_EQ(root.focusTarget, target);
  EXPECT_TRUE(root.isInFront(a));
  (void)b;
}

TEST_F(Routing, APressOnANonFocusableWidgetRaisesItWithoutMovingTheFocus) {
  TestRoot root;
  auto* a = new RecordingWidget(&root, "a", 0, 0, 50, 50);
  a->focusable = true;
  auto* bar = new RecordingWidget(&root, "bar", 100, 0, 50, 50);
  send(root, etMouseDown, 10, 10);
  send(root, etMouseDown, 110, 10, mbCenter);
  EXPECT_TRUE(root.isInFront(bar));
  EXPECT_EQ(root.getFocusPath(), a);
}

TEST_F(Routing, ClearFocusPathCutsTheWholeBranchBelow) {
  TestRoot root;
  auto* a = new RecordingWidget(&root, "a", 0, 0, 100, 100);
  auto* b = new RecordingWidget(a, "b", 0, 0, 50, 50);
  auto* c = new RecordingWidget(b, "c", 0, 0, 20, 20);
  c->focusable = true;
  send(root, etMouseDown, 5, 5);
  ASSERT_EQ(b->getFocusPath(), c);
  a->clearFocusPath();
  EXPECT_EQ(a->getFocusPath(), nullptr);
  EXPECT_EQ(b->getFocusPath(), nullptr);
  EXPECT_EQ(root.getFocusPath(), a);  // above the cut nothing changes
}

// --- keys ---------------------------------------------------------------------------------------

TEST_F(Routing, KeysReachEveryWidgetOnTheChainOutermostFirstHookBeforeHandler) {
  TestRoot root;
  root.logHandlers();
  auto* window = new RecordingWidget(&root, "window", 30, 30, 300, 300);
  window->focusable = true;
  window->logHandlers();
  auto* edit = new RecordingWidget(window, "edit", 10, 10, 50, 20);
  edit->focusable = true;
  edit->logHandlers();
  auto* bystander = new RecordingWidget(window, "bystander", 100, 100, 20, 20);
  bystander->logHandlers();
  send(root, etMouseDown, 45, 45);
  for (VEventType type : {etKeyboard, etKeyboardUp, etSpecialKey}) {
    hookLog().clear();
    EXPECT_TRUE(sendKey(root, type, 97));
    const std::string t = vt::typeName(type) + " 123,45";  // keys keep window coordinates
    EXPECT_EQ(hookLog(), (Lines{"root.processEvent " + t, "root.onKey " + t,
                                "window.processEvent " + t, "window.onKey " + t,
                                "edit.processEvent " + t, "edit.onKey " + t}));
  }
}

TEST_F(Routing, TheKeyChainStopsAtTheFirstDisabledOrInvisibleWidget) {
  for (bool hide : {false, true}) {
    TestRoot root;
    auto* window = new RecordingWidget(&root, "window", 0, 0, 300, 300);
    auto* edit = new RecordingWidget(window, "edit", 10, 10, 50, 20);
    edit->focusable = true;
    send(root, etMouseDown, 15, 15);
    if (hide) {
      window->setVisible(false);
    } else {
      window->setEnabled(false);
    }
    hookLog().clear();
    EXPECT_TRUE(sendKey(root, etKeyboard, 13));  // the root always consumes keys
    EXPECT_EQ(hookLog(), (Lines{"root.processEvent key 123,45"})) << (hide ? "hidden" : "off");
  }
}

// --- dragging -----------------------------------------------------------------------------------

class Dragging : public Routing {
 protected:
  // A 300x200 owner with client borders 3 (left, right, bottom) and 27 (top), holding a
  // draggable 100x50 widget at (50, 60).
  void SetUp() override {
    Routing::SetUp();
    owner = new RecordingWidget(&root, "owner", 0, 0, 300, 200);
    owner->setClientBorderLeft(3);
    owner->setClientBorderRight(3);
    owner->setClientBorderTop(27);
    owner->setClientBorderBottom(3);
    box = new RecordingWidget(owner, "box", 50, 60, 100, 50);
    box->draggable = true;
  }
  // Grab the box 10 pixels right and 5 below its top-left corner and move it so that its
  // top-left corner would land at (left, top) in the owner's space.
  void dragTo(int left, int top) {
    send(root, etMouseDown, 50 + 10, 60 + 5);
    send(root, etMouseMotion, left + 10, top + 5);
  }
  TestRoot root;
  RecordingWidget* owner = nullptr;
  RecordingWidget* box = nullptr;
};

TEST_F(Dragging, FollowsThePointerFromWhereItWasGrabbed) {
  dragTo(120, 90);
  EXPECT_EQ(box->getLeft(), 120);
  EXPECT_EQ(box->getTop(), 90);
  EXPECT_TRUE(box->getFocused() == false);  // the box cannot take focus
}

struct SnapCase {
  int left;
  int top;
  int expectLeft;
  int expectTop;
};

void PrintTo(const SnapCase& c, std::ostream* os) {
  *os << "candidate_" << c.left << "_" << c.top << "_gives_" << c.expectLeft << "_"
      << c.expectTop;
}

class DragSnap : public Dragging, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(DragSnap, SticksToAClientEdgeWithinFourPixelsButNotAtFive) {
  const SnapCase c = GetParam();
  dragTo(c.left, c.top);
  EXPECT_EQ(box->getLeft(), c.expectLeft) << "candidate " << c.left << "," << c.top;
  EXPECT_EQ(box->getTop(), c.expectTop) << "candidate " << c.left << "," << c.top;
}

// Client area: left 3, right edge 300 - 3 = 297 (max left 197), top 27, bottom 197 (max top
// 147).
INSTANTIATE_TEST_SUITE_P(Edges, DragSnap,
                         ::testing::Values(SnapCase{3 + 4, 100, 3, 100},     // left, 4 away
                                           SnapCase{3 + 5, 100, 8, 100},     // left, 5 away
                                           SnapCase{-40, 100, 3, 100},       // beyond the left
                                           SnapCase{197 - 4, 100, 197, 100}, // right, 4 away
                                           SnapCase{197 - 5, 100, 192, 100}, // right, 5 away
                                           SnapCase{500, 100, 197, 100},     // beyond the right
                                           SnapCase{100, 27 + 4, 100, 27},   // top
                                           SnapCase{100, 27 + 5, 100, 32},
                                           SnapCase{100, 147 - 4, 100, 147}, // bottom
                                           SnapCase{100, 147 - 5, 100, 142},
                                           SnapCase{0, 0, 3, 27}));          // a corner

TEST_F(Dragging, InANarrowRoomEverythingNotNearTheLowEdgeGoesToTheHighEdge) {
  // Room of 8 pixels: left may range over 3..11.
  box->setWidth(300 - 3 - 3 - 8);
  for (int candidate : {3, 7, 8, 11, 30}) {
    box->setLeft(50);
    box->setTop(60);
    dragTo(candidate, 100);
    send(root, etMouseUp, 0, 0);
    EXPECT_EQ(box->getLeft(), candidate < 3 + 5 ? 3 : 11) << "candidate " << candidate;
  }
}

TEST_F(Dragging, MotionWhileDraggingIsTakenWithoutAnyHookOrHandler) {
  box->logHandlers();
  auto* inner = new RecordingWidget(box, "inner", 0, 0, 100, 50);
  (void)inner;
  // Grab the box's own background: the inner child covers it, so press where it is not.
  inner->setVisible(false);
  send(root, etMouseDown, 60, 65);
  inner->setVisible(true);
  hookLog().clear();
  EXPECT_TRUE(send(root, etMouseMotion, 70, 70));
  EXPECT_TRUE(entriesOf("box").empty());
  EXPECT_TRUE(entriesOf("inner").empty());
  EXPECT_EQ(box->getLeft(), 60);
}

TEST_F(Dragging, EndsOnTheNextMouseUpThatReachesTheWidgetWhereverThePointerIs) {
  dragTo(100, 100);
  send(root, etMouseUp, 290, 190);  // outside the box: still reaches its own handling
  send(root, etMouseMotion, 10, 10);
  EXPECT_EQ(box->getLeft(), 100);
  EXPECT_EQ(box->getTop(), 100);
}

TEST_F(Dragging, AMouseUpConsumedByAChildLeavesTheDragOn) {
  auto* child = new RecordingWidget(box, "child", 50, 0, 50, 50);
  dragTo(100, 100);  // grabbed at (10, 5) of the box, left of the child
  ASSERT_EQ(box->getLeft(), 100);
  send(root, etMouseUp, 100 + 60, 100 + 10);  // over the child, which consumes it
  send(root, etMouseMotion, 120 + 10, 110 + 5);
  EXPECT_EQ(box->getLeft(), 120);
  EXPECT_EQ(box->getTop(), 110);
  (void)child;
}

TEST_F(Dragging, APressThatCanNotDragStartsNothing) {
  box->draggable = false;
  dragTo(120, 90);
  EXPECT_EQ(box->getLeft(), 50);
  EXPECT_EQ(box->getTop(), 60);
}

// --- walks that survive their handlers ----------------------------------------------------------

TestRoot* gRoot = nullptr;

void openWindowAtFront(VWidget*, VEvent*) {
  // A handler that adds a widget at the front of the root while the root's walk is running.
  for (int i = 0; i < 3; ++i) new RecordingWidget(gRoot, "opened", 0, 0, 500, 400);
}

TEST_F(Routing, AHandlerAddingWidgetsAtTheFrontDuringTheWalkIsSafe) {
  TestRoot root;
  gRoot = &root;
  new RecordingWidget(&root, "behind", 0, 0, 500, 400);
  auto* window = new RecordingWidget(&root, "window", 100, 100, 200, 200);
  auto* button = new RecordingWidget(window, "button", 10, 10, 50, 20);
  button->onMouseUp = openWindowAtFront;
  hookLog().clear();
  EXPECT_TRUE(send(root, etMouseUp, 120, 120));
  EXPECT_TRUE(entriesOf("behind").empty());  // the walk ended at the consumer
  // The next event finds the new windows in front.
  hookLog().clear();
  send(root, etMouseClick, 120, 120);
  EXPECT_EQ(hookLog().back(), "opened.processEvent click 120,120");
  gRoot = nullptr;
}

TEST_F(Routing, AChildRaisingItselfDuringThePressEndsTheWalkThere) {
  TestRoot root;
  std::vector<RecordingWidget*> windows;
  for (int i = 0; i < 5; ++i) {
    windows.push_back(new RecordingWidget(&root, "w" + std::to_string(i), i * 50, 0, 40, 40));
  }
  hookLog().clear();
  send(root, etMouseDown, 5, 5);  // the backmost, w0
  EXPECT_TRUE(root.isInFront(windows[0]));
  EXPECT_EQ(entriesOf("w0").back(), "w0.processEvent down 5,5");
  // w1..w4 were passed before it (front to back) and saw only processMouseOwner; none is
  // visited twice after w0 moved.
  for (int i = 1; i < 5; ++i) {
    EXPECT_EQ(entriesOf("w" + std::to_string(i)).size(), 1u) << i;
  }
}

// --- the draw pass ------------------------------------------------------------------------------

TEST_F(Routing, DrawsEachOwnerBeforeItsChildrenAndChildrenBackToFront) {
  vt::resetView();
  vt::FrameCheck check;
  TestRoot root;
  root.logHandlers();
  auto* a = new RecordingWidget(&root, "a", 10, 20, 100, 100);
  auto* a1 = new RecordingWidget(a, "a1", 5, 6, 10, 10);
  auto* a2 = new RecordingWidget(a, "a2", 7, 8, 10, 10);
  auto* b = new RecordingWidget(&root, "b", 200, 100, 50, 50);
  b->logHandlers();
  hookLog().clear();
  VEvent e;
  EXPECT_FALSE(root.event(&e));  // a draw pass is never consumed
  EXPECT_EQ(hookLog(), (Lines{"root.draw", "root.onCustomDraw", "a.draw", "a1.draw", "a2.draw",
                              "b.draw", "b.onCustomDraw"}));
  // Every widget is drawn under its own translation, on top of its owner's.
  EXPECT_EQ(a->drawnAtX, 10);
  EXPECT_EQ(a->drawnAtY, 20);
  EXPECT_EQ(a1->drawnAtX, 15);
  EXPECT_EQ(a1->drawnAtY, 26);
  EXPECT_EQ(a2->drawnAtX, 17);
  EXPECT_EQ(a2->drawnAtY, 28);
  EXPECT_EQ(b->drawnAtX, 200);
  EXPECT_EQ(check.problems(), "");
}

// A leaf whose drawing leaves a translation behind, as a widget's draw may; notes the deepest
// model-view stack it is drawn on.
struct Leaver : RecordingWidget {
  using RecordingWidget::RecordingWidget;
  void draw(VEvent*) override {
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    deepest = std::max(deepest, static_cast<int>(depth));
    glTranslatef(300.0f, 300.0f, 0.0f);
  }
  static inline int deepest = 0;
};

// GL promises 32 model-view entries: 45 levels of nesting still draw every widget at its place,
// each leftover translation undone, on at most 8 entries above the test's own one.
TEST_F(Routing, FortyFiveNestedWidgetsDrawAtTheirPlacesWithinAFewStackEntries) {
  vt::resetView();
  vt::FrameCheck check;
  TestRoot root;
  std::vector<RecordingWidget*> chain{&root};
  for (int level = 1; level <= 45; ++level) {
    new Leaver(chain.back(), "leaf");  // behind the next level, so drawn before it
    chain.push_back(new RecordingWidget(chain.back(), "level", 2, 1));
  }
  VEvent e;
  root.event(&e);
  for (int level = 1; level <= 45; ++level) {
    EXPECT_EQ(chain[level]->drawnAtX, 2.0f * level) << level;
    EXPECT_EQ(chain[level]->drawnAtY, 1.0f * level) << level;
  }
  EXPECT_LE(Leaver::deepest, 9);
  EXPECT_EQ(check.problems(), "");
}

}  // namespace
