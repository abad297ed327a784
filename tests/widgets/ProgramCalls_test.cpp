// What the program's own calls may do to a live tree: take a window's buttons away, delete what
// it queued, drop radio buttons, change lists during a walk, chord buttons, go to the int limits.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "support/Box.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VRadioButton.h"
#include "widgets/VRadioButtonGroup.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

namespace {

using vt::Box;
using vt::boxOf;
using vt::hookLog;
using vt::Lines;

class ProgramCalls : public vt::ScreenFixture {
 protected:
  VWindow* window(int left, int top, int width = 200, int height = 150) {
    auto* w = new VWindow(screen_);
    w->setLeft(left);
    w->setTop(top);
    w->setWidth(width);
    w->setHeight(height);
    return w;
  }
};

// Each way a program can take one of a window's own buttons from it, for each button: the
// window forgets it, draws, maximises, restores and resizes from its corner without it.
TEST_F(ProgramCalls, AWindowWorksOnWithoutTheButtonsTheProgramTookAway) {
  const std::vector<std::pair<const char*, std::function<void(VButton*)>>> ways = {
      {"freed", [](VButton* b) { b->free(); }},
      {"removed and deleted",
       [](VButton* b) {
         b->getOwner()->remove(b);
         delete b;
       }},
      {"deleted while listed", [](VButton* b) { delete b; }},
      {"moved to the screen", [this](VButton* b) { screen_->add(b); }},
  };
  for (const auto& way : ways) {
    for (bool close : {true, false}) {
      VWindow* w = window(50, 50);
      VButton* button = close ? w->getCloseButton() : w->getMaximizeButton();
      way.second(button);
      EXPECT_EQ(drawFrame(), "") << way.first;
      EXPECT_EQ(close ? w->getCloseButton() : w->getMaximizeButton(), nullptr) << way.first;
      w->maximize();
      EXPECT_EQ(boxOf(w), (Box{0, 0, 500, 400})) << way.first;
      w->maximize();
      drag(248, 198, 298, 248);  // the bottom-right corner, 50 pixels further
      EXPECT_EQ(boxOf(w), (Box{50, 50, 250, 200})) << way.first << (close ? " close" : " max");
      EXPECT_EQ(drawFrame(), "") << way.first;
      w->free();
      if (way.first == std::string("moved to the screen")) {  // still alive, the screen's now
        button->free();
      }
      drawFrame();
    }
  }
}

// A widget the program deletes itself after free(), or with an ancestor it deletes, leaves the
// screen's queue; a destructor that frees a sibling while its removed owner is deleted reaches
// no screen. The next dispatches find nothing freed.
TEST_F(ProgramCalls, WidgetsQueuedByFreeMayBeDeletedByTheProgram) {
  VWidget* lone = new VWidget(screen_);
  lone->free();
  screen_->remove(lone);
  delete lone;

  VWidget* parent = new VWidget(screen_);
  (new VWidget(parent))->free();
  parent->free();
  delete parent;  // still listed: it leaves the screen's list too

  VWidget* owner = new VWidget(screen_);
  VWidget* sibling = new VWidget(owner);
  (new vt::RecordingWidget(owner, "frees"))->freeOnDelete = sibling;  // in front: deleted first
  screen_->remove(owner);
  EXPECT_EQ(owner->getOwner(), nullptr);
  delete owner;

  EXPECT_EQ(drawFrame(), "");
  click(5, 5);
}

// A radio button listed by a group through the group's own add, or by two groups, leaves every
// group when it is deleted: the next press in the group selects without reading it.
TEST_F(ProgramCalls, ADeletedRadioButtonLeavesEveryGroupThatListedIt) {
  VRadioButtonGroup first;
  VRadioButtonGroup second;
  auto* a = new VRadioButton(screen_);
  auto* b = new VRadioButton(screen_);
  a->setTop(100);
  a->setRadioButtonGroup(&first);
  b->setRadioButtonGroup(&first);
  second.add(b);
  second.add(a);
  auto* listedByAdd = new VRadioButton(screen_);
  first.add(listedByAdd);
  auto* listedTwice = new VRadioButton(screen_);
  listedTwice->setRadioButtonGroup(&second);
  first.add(listedTwice);
  listedByAdd->free();
  screen_->remove(listedTwice);
  delete listedTwice;
  click(a->getLeft() + 5, a->getTop() + 5);
  EXPECT_EQ(a->getState(), cbChecked);
  EXPECT_EQ(b->getState(), cbUnchecked);
  second.setAsSelected(b);
  EXPECT_EQ(a->getState(), cbUnchecked);
}

// A widget that takes a sibling out of the list while the draw walk or the mouse walk is on it:
// the one drawn just before it, the one due just after it, or itself.
TEST_F(ProgramCalls, TheDrawAndMouseWalksSurviveChangesToTheListTheyWalk) {
  struct Remover : vt::RecordingWidget {
    Remover(VWidget* owner, std::string name) : RecordingWidget(owner, std::move(name), 0, 0, 10, 10) {}
    void draw(VEvent* e) override {
      RecordingWidget::draw(e);
      if (victim != nullptr) {
        getOwner()->remove(victim);
      }
    }
    bool processMouseOwner(VEvent* e) override {
      if (victim == this) {
        getOwner()->remove(this);
      }
      return RecordingWidget::processMouseOwner(e);
    }
    VWidget* victim = nullptr;
  };
  struct Case {
    int victim;  // index into {a, b, c}: a was drawn before b, c comes after it
    Lines drawn;
  };
  for (const Case& row : {Case{0, {"a.draw", "b.draw", "c.draw"}}, Case{2, {"a.draw", "b.draw"}},
                          Case{1, {"a.draw", "b.draw", "c.draw"}}}) {
    auto* a = new Remover(screen_, "a");  // drawn first: the back
    auto* b = new Remover(screen_, "b");
    auto* c = new Remover(screen_, "c");
    Remover* all[] = {a, b, c};
    b->victim = all[row.victim];
    hookLog().clear();
    EXPECT_EQ(drawFrame(), "");
    EXPECT_EQ(hookLog(), row.drawn) << "victim " << row.victim;
    for (Remover* w : all) {
      if (screen_->lists(w)) {
        w->free();
      } else {
        delete w;
      }
    }
  }
  // Outside every widget: each sees the press through processMouseOwner, the middle one
  // leaves the list as it does, and the walk goes on to the one behind it.
  auto* back = new Remover(screen_, "back");
  auto* middle = new Remover(screen_, "middle");
  auto* front = new Remover(screen_, "front");
  middle->victim = middle;
  hookLog().clear();
  press(300, 300);
  EXPECT_EQ(middle->getOwner(), nullptr);
  ASSERT_EQ(hookLog().size(), 3u) << ::testing::PrintToString(hookLog());
  EXPECT_EQ(hookLog()[2].rfind("back.processMouseOwner", 0), 0u) << hookLog()[2];
  release(300, 300);
  delete middle;
  back->free();
  front->free();
}

// A handler that frees its own window and then makes a host call of its own (a nested
// dispatch): nothing is deleted while the outer walk still holds the button, only at the next
// dispatch.
TEST_F(ProgramCalls, ANestedDispatchDeletesNothingTheOuterWalkHolds) {
  static VScreen* host = nullptr;
  static bool windowDeleted = false;
  struct Window : VWindow {
    explicit Window(VWidget* owner) : VWindow(owner) {}
    ~Window() override { windowDeleted = true; }
  };
  host = screen_;
  auto* w = new Window(screen_);
  w->setLeft(20);
  w->setTop(20);
  auto* button = new VCaptionButton(w);
  button->setTop(40);
  button->onMouseDown = [](VWidget* b, VEvent*) {
    b->getOwner()->free();
    host->glutDisplay();
    b->setLeft(b->getLeft() + 1);  // the button is still alive here
  };
  press(20 + button->getLeft() + 5, 20 + button->getTop() + 5);
  EXPECT_FALSE(windowDeleted);
  release(30, 30);  // the next dispatch deletes it
  EXPECT_TRUE(windowDeleted);
}

// Left press on a window's title bar or corner, right press and release on another window,
// left release there: the release never reached the first window, but it ends its move or
// resize all the same, so a later drag that starts on the bare screen leaves it alone.
TEST_F(ProgramCalls, AnyReleaseEndsEveryDragAndResize) {
  for (const auto& start : {std::make_pair(100, 30), std::make_pair(218, 168)}) {
    VWindow* dragged = window(20, 20);
    VWindow* other = window(260, 200);
    press(start.first, start.second, 0);
    press(350, 300, 2);
    release(350, 300, 2);
    release(350, 300, 0);
    EXPECT_FALSE(dragged->isDragging());
    press(10, 390, 0);
    motion(150, 250);
    drawFrame();
    release(150, 250, 0);
    EXPECT_EQ(boxOf(dragged), (Box{20, 20, 200, 150})) << "from " << start.first;
    dragged->free();
    other->free();
  }
}

// Geometry at the limits of int, and a font of INT_MAX pixels: routing, dragging, resizing,
// maximising and drawing saturate instead of overflowing (the sanitizer build checks each
// step), and a window at the far end is still hit where it lies.
TEST_F(ProgramCalls, GeometryAtTheIntLimitsSaturates) {
  for (int edge : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX}) {
    VWindow* w = window(edge, edge, INT_MAX, INT_MAX);
    auto* caption = new VCaptionButton(w);
    caption->getFont()->setSize(INT_MAX);
    caption->setCaption("Big");
    caption->setLeft(edge);
    auto* bar = new VToolBar(w);
    bar->setWidth(INT_MAX);
    new VCaptionButton(bar);
    new VCaptionButton(bar);
    screen_->setSize(INT_MAX, INT_MAX);
    for (int x : {INT_MIN, -1, 0, 250, INT_MAX}) {
      press(x, x);
      motion(x / 2, ~x);  // the mirror image, one short: -x would overflow at INT_MIN
      release(x, x);
    }
    w->maximize();
    w->maximize();
    screen_->setSize(500, 400);
    EXPECT_EQ(drawFrame(), "");
    w->free();
  }
}

// The host's window resized: a maximised window keeps filling the screen, and a window the
// smaller screen would leave out keeps its title bar's left end on it.
TEST_F(ProgramCalls, WindowsFollowTheScreensSize) {
  VWindow* maximised = window(30, 30);
  maximised->maximize();
  VWindow* far = window(400, 300);
  screen_->setSize(800, 600);
  EXPECT_EQ(boxOf(maximised), (Box{0, 0, 800, 600}));
  EXPECT_EQ(boxOf(far), (Box{400, 300, 200, 150}));
  screen_->setSize(200, 150);
  EXPECT_EQ(boxOf(maximised), (Box{0, 0, 200, 150}));
  EXPECT_EQ(boxOf(far), (Box{177, 127, 200, 150}));
  maximised->maximize();
  EXPECT_EQ(boxOf(maximised), (Box{30, 30, 200, 150}));
  // Before its first reshape a screen has the base's 20 by 10: the reshape's width and height
  // count together, so a window placed while the scene was built stays where it was put.
  auto* fresh = new VScreen(nullptr);
  auto* placed = new VWindow(fresh);
  placed->setLeft(20);
  placed->setTop(20);
  fresh->setSize(500, 400);
  EXPECT_EQ(placed->getTop(), 20);
  delete fresh;
}

// Building a long row lays each child out a fixed number of times, not once per later sibling,
// and the row comes out as one layout would make it.
TEST_F(ProgramCalls, ARowOfManyChildrenIsLaidOutInOnePass) {
  auto* bar = new VToolBar(screen_);
  bar->setWidth(4010);
  std::vector<vt::RecordingWidget*> row;
  for (int i = 0; i < 2000; ++i) {
    row.push_back(new vt::RecordingWidget(bar, "c"));
  }
  bar->layout();  // the last one sized itself after it joined, as each did
  drawFrame();
  int layouts = 0;
  for (int i = 0; i < 2000; ++i) {
    layouts += row[static_cast<std::size_t>(i)]->layoutCalls;
    ASSERT_EQ(boxOf(row[static_cast<std::size_t>(i)]), (Box{10 + 2 * i, 2, 0, 21})) << i;
  }
  EXPECT_LE(layouts, 3 * 2000);
}

}  // namespace
