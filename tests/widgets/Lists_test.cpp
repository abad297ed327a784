// VScrollBar, VScrollArea and VListBox: thumbs, paging, drags, arrows, the wheel, the view's
// bars and clip, selection, keys, type-ahead, activation and a million rows.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VLookAndFeel.h"
#include "support/GlTest.h"
#include "support/ManualTimers.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"
#include "widgets/VListBox.h"
#include "widgets/VScrollArea.h"
#include "widgets/VScrollBar.h"

namespace {

vt::Rgb rgbOf(VColor* c) { return vt::toRgb(c->getR(), c->getG(), c->getB()); }

// Every value a handler saw, in order, kept in the widget's user data.
void noteValue(VWidget* w, VEvent*) {
  static_cast<std::vector<int>*>(w->getUserData())
      ->push_back(static_cast<VScrollBar*>(w)->getValue());
}

// A vertical bar 16 by 232 at (100, 50): arrows 16 square, a track of 200 from y 66 to 266.
class ScrollBarTest : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    screen_->setHostServices(&timers_);
    bar_ = new VScrollBar(screen_);
    bar_->setLeft(100);
    bar_->setTop(50);
    bar_->setHeight(232);
    bar_->setUserData(&values_);
    bar_->onChange = noteValue;
  }
  std::vector<int> take() { return std::exchange(values_, {}); }
  vt::ManualTimers timers_;
  VScrollBar* bar_ = nullptr;
  std::vector<int> values_;
};

TEST_F(ScrollBarTest, TheThumbStandsForTheVisibleShareAtTheValuesPlace) {
  const struct {
    int minimum, maximum, page, value, start, length;
  } cases[] = {{0, 100, 100, 0, 16, 100},    {0, 100, 100, 100, 116, 100},
               {0, 300, 100, 150, 91, 50},   {0, 100000, 10, 50000, 111, 10},  // at least 10
               {0, 0, 50, 0, 16, 200},       {-50, 50, 100, 0, 66, 100},
               {0, 100, 100, 500, 116, 100}};  // held at the maximum
  const vt::Rgb thumb = rgbOf(screen_->getLookAndFeel()->getBackGroundColor());
  const vt::Rgb track = rgbOf(screen_->getLookAndFeel()->getBevelDisabledColor());
  for (const auto& c : cases) {
    bar_->setRange(c.minimum, c.maximum);
    bar_->setPageSize(c.page);
    bar_->setValue(c.value);
    EXPECT_EQ(bar_->getThumbStart(), c.start) << c.maximum << " " << c.value;
    EXPECT_EQ(bar_->getThumbLength(), c.length) << c.maximum << " " << c.value;
    drawFrame();
    EXPECT_TRUE(vt::pixelNear(108, 50 + c.start + c.length / 2, thumb)) << c.value;
    if (c.start > 20) {
      EXPECT_TRUE(vt::pixelNear(108, 50 + c.start - 3, track)) << c.value;
    }
  }
  EXPECT_TRUE(take().empty());  // the program's calls run no handler
}

TEST_F(ScrollBarTest, ArrowsStepAndRepeatTheTrackPagesTheThumbDragsAndTheWheelMovesThreeLines) {
  bar_->setRange(0, 300);
  bar_->setPageSize(100);  // thumb 50 long, 150 of travel: two values a pixel
  bar_->setLineStep(5);
  click(108, 60);   // the back arrow at the minimum: nothing
  click(108, 275);  // the forth arrow
  EXPECT_EQ(take(), std::vector<int>({5}));
  ASSERT_EQ(timers_.pending.size(), 0u);  // released: its repeat was cancelled
  press(108, 275);                        // held: again after 400 ms, then every 80
  ASSERT_EQ(timers_.pending.size(), 1u);
  EXPECT_EQ(timers_.pending[0].milliseconds, 400);
  timers_.fire();
  ASSERT_EQ(timers_.pending.size(), 1u);
  EXPECT_EQ(timers_.pending[0].milliseconds, 80);
  timers_.fire();
  release(400, 300);  // anywhere
  timers_.fire();
  EXPECT_EQ(take(), std::vector<int>({10, 15, 20}));

  bar_->setValue(150);                 // thumb from y 50 + 16 + 75 = 141 to 191
  click(108, 130);                     // above it: one page back
  click(108, 250);                     // below: one page forth, twice
  click(108, 250);
  EXPECT_EQ(take(), std::vector<int>({50, 150, 250}));
  bar_->setValue(150);
  press(108, 150);                     // taken 9 pixels into it
  motion(300, 170);                    // anywhere: 20 pixels down is 40
  motion(300, 1000);                   // past the end
  release(300, 1000);
  motion(108, 100);                    // no drag any more
  EXPECT_EQ(take(), std::vector<int>({190, 300}));

  screen_->mouseWheel(0, 1, 108, 150);   // up: three lines back
  screen_->mouseWheel(0, -2, 108, 150);  // down
  EXPECT_EQ(take(), std::vector<int>({285, 300}));
}

// A content that fills itself in red, in an area 200 by 150 at (50, 50).
class ScrollAreaTest : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    area_ = new VScrollArea(screen_);
    area_->setLeft(50);
    area_->setTop(50);
    content_ = new vt::RecordingWidget(area_, "content", 0, 0, 300, 400);
    content_->onCustomDraw = [](VWidget* w, VEvent*) {
      glColor3f(1, 0, 0);
      glRecti(0, 0, w->getWidth(), w->getHeight());
    };
  }
  VScrollArea* area_ = nullptr;
  vt::RecordingWidget* content_ = nullptr;
};

TEST_F(ScrollAreaTest, BarsStandOnlyWhereTheContentIsLargerThanTheView) {
  EXPECT_EQ(area_->getContent(), content_);
  EXPECT_EQ(content_->getOwner(), area_->getViewport());
  const struct {
    int width, height;
    bool vertical, horizontal;
  } cases[] = {{300, 400, true, true},  {100, 100, false, false}, {200, 150, false, false},
               {100, 300, true, false}, {190, 300, true, true},   // the bar narrows the view
               {400, 140, true, true},  // and the other way round
               {400, 130, false, true}};
  for (const auto& c : cases) {
    content_->setWidth(c.width);
    content_->setHeight(c.height);
    drawFrame();
    EXPECT_EQ(area_->getVerticalBar()->getVisible(), c.vertical) << c.width << "x" << c.height;
    EXPECT_EQ(area_->getHorizontalBar()->getVisible(), c.horizontal) << c.width << "x" << c.height;
    EXPECT_EQ(area_->getViewport()->getWidth(), 200 - (c.vertical ? 16 : 0));
    EXPECT_EQ(area_->getViewport()->getHeight(), 150 - (c.horizontal ? 16 : 0));
  }
  content_->setWidth(300);
  content_->setHeight(400);
  area_->setScrollY(1000);  // held at 400 - 134
  area_->setScrollX(30);
  EXPECT_EQ(area_->getScrollY(), 266);
  EXPECT_EQ(std::make_pair(content_->getLeft(), content_->getTop()), std::make_pair(-30, -266));
  content_->setHeight(200);  // shorter: the offset follows at the next look
  EXPECT_EQ(area_->getScrollY(), 66);
}

TEST_F(ScrollAreaTest, TheContentIsClippedToTheViewInPixelsAndPresses) {
  const vt::Rgb red = vt::toRgb(1, 0, 0);
  drawFrame();
  EXPECT_TRUE(vt::pixelNear(60, 60, red));
  EXPECT_TRUE(vt::pixelNear(232, 182, red));   // near the view's corner
  EXPECT_FALSE(vt::pixelNear(240, 100, red));  // the vertical bar
  EXPECT_FALSE(vt::pixelNear(100, 190, red));  // the horizontal bar
  EXPECT_FALSE(vt::pixelNear(100, 260, red));  // below the area, inside the content
  EXPECT_FALSE(vt::pixelNear(300, 100, red));  // right of it

  click(100, 260);  // under the content's extent, outside the view: not the content's
  EXPECT_TRUE(content_->seen.empty());
  area_->setScrollY(100);
  click(100, 100);  // the view's y 50 is the content's 150
  ASSERT_FALSE(content_->seen.empty());
  EXPECT_EQ(content_->seen.back().y - content_->getTop(), 150);

  // The wheel and, with the focus, the page keys move the view.
  screen_->mouseWheel(0, -1, 100, 100);
  EXPECT_EQ(area_->getScrollY(), 160);
  special(skPageUp);  // the press above gave the area the focus
  EXPECT_EQ(area_->getScrollY(), 26);
  special(skPageDown);
  EXPECT_EQ(area_->getScrollY(), 160);
  click(200, 190);  // on the horizontal bar's track, right of the thumb: a view right, held
  EXPECT_EQ(area_->getScrollX(), 116);
  EXPECT_EQ(content_->getLeft(), -116);
}

// A list that counts the rows it draws and whose clock the test moves.
class TestList : public VListBox {
 public:
  using VListBox::VListBox;
  std::vector<int> drawn;
  std::chrono::milliseconds clock{0};

 protected:
  void drawRow(int row, int top, int width, int height) override {
    drawn.push_back(row);
    VListBox::drawRow(row, top, width, height);
  }
  std::chrono::steady_clock::time_point now() override {
    return std::chrono::steady_clock::time_point(clock);
  }
};

// A list 150 by 104 at (100, 50): five rows of 20 from y 52, rows 0 to 29 ("row 0" ...).
class ListBoxTest : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    list_ = new TestList(screen_);
    list_->setLeft(100);
    list_->setTop(50);
    std::vector<std::string> rows;
    for (int i = 0; i < 30; ++i) {
      rows.push_back("row " + std::to_string(i));
    }
    list_->setItems(rows);
    list_->setUserData(&heard_);
    list_->onSelect = [](VWidget* w, VEvent*) { hear(w, "select "); };
    list_->onActivate = [](VWidget* w, VEvent*) { hear(w, "activate "); };
  }
  static void hear(VWidget* w, const std::string& what) {
    static_cast<std::vector<std::string>*>(w->getUserData())
        ->push_back(what + std::to_string(static_cast<VListBox*>(w)->getSelected()));
  }
  std::vector<std::string> take() { return std::exchange(heard_, {}); }
  TestList* list_ = nullptr;
  std::vector<std::string> heard_;
};

TEST_F(ListBoxTest, PressesSelectADoublePressOrEnterActivatesAndKeysKeepTheSelectionInView) {
  EXPECT_EQ(list_->getSelected(), -1);
  EXPECT_TRUE(list_->getScrollBar()->getVisible());
  click(150, 75);   // the second row
  click(150, 75);   // again at once: a double press
  click(150, 75);   // a third starts again
  click(150, 115);  // another row
  click(150, 115);
  EXPECT_EQ(take(), (std::vector<std::string>{"select 1", "activate 1", "select 3",
                                              "activate 3"}));
  click(150, 115);  // a first press again
  list_->clock += std::chrono::milliseconds(401);
  click(150, 115);  // too late for a double press
  EXPECT_TRUE(take().empty());
  list_->clock += std::chrono::milliseconds(400);
  click(150, 115);  // just in time
  EXPECT_EQ(take(), std::vector<std::string>{"activate 3"});
  const struct {
    int key, selected, top;
  } keys[] = {{skDown, 4, 0},     {skDown, 5, 1},      {skPageDown, 10, 6}, {skEnd, 29, 25},
              {skPageUp, 24, 24}, {skUp, 23, 23},      {skHome, 0, 0},      {skUp, 0, 0}};
  for (const auto& k : keys) {
    special(k.key);
    EXPECT_EQ(list_->getSelected(), k.selected) << "key " << k.key;
    EXPECT_EQ(list_->getTopRow(), k.top) << "key " << k.key;
  }
  EXPECT_EQ(take().size(), 7u);  // Up at the first row changed nothing
  type("\r");
  EXPECT_EQ(take(), std::vector<std::string>{"activate 0"});
  list_->setSelected(17);  // the program's: no handler, into view
  EXPECT_EQ(list_->getTopRow(), 13);
  EXPECT_TRUE(take().empty());
  EXPECT_TRUE(screen_->capturesKey('r', false));
}

TEST_F(ListBoxTest, TypingGoesToTheNextRowStartingWithTheLetterAndTheWheelScrolls) {
  list_->setHeight(164);  // eight rows
  list_->setItems({"apple", "Banana", "avocado", "\xC9" "clair", "blueberry"});
  EXPECT_FALSE(list_->getScrollBar()->getVisible());
  click(150, 200);  // below the rows: the focus, no selection
  EXPECT_EQ(list_->getSelected(), -1);
  const std::pair<const char*, int> typed[] = {
      {"b", 1}, {"B", 4}, {"b", 1}, {"a", 2}, {"a", 0}, {"\xE9", 3}, {"z", 3}};
  for (const auto& [key, row] : typed) {
    type(key);
    EXPECT_EQ(list_->getSelected(), row) << key;
  }
  // Rows kept end to end give each one back whole: empty ones and a zero byte inside one.
  list_->setItems({"", "one"});
  list_->addItem(std::string("a\0b", 3));
  list_->addItem("");
  EXPECT_EQ(list_->getItemCount(), 4);
  EXPECT_EQ(list_->getItem(0), "");
  EXPECT_EQ(list_->getItem(1), "one");
  EXPECT_EQ(list_->getItem(2), std::string("a\0b", 3));
  EXPECT_EQ(list_->getItem(3), "");
  type("a");
  EXPECT_EQ(list_->getSelected(), 2);
  std::vector<std::string> rows(100, "r");
  list_->setItems(rows);
  screen_->mouseWheel(0, -2, 150, 100);  // down: six rows
  EXPECT_EQ(list_->getTopRow(), 6);
  screen_->mouseWheel(0, 5, 150, 100);
  EXPECT_EQ(list_->getTopRow(), 0);
  list_->clear();
  EXPECT_EQ(list_->getItemCount(), 0);
  EXPECT_EQ(list_->getItem(0), "");
}

TEST_F(ListBoxTest, AMillionRowsDrawOnlyTheRowsInView) {
  list_->setVisible(false);
  auto* big = new TestList(screen_);
  big->setLeft(100);
  big->setTop(200);
  big->setHeight(94);  // four whole rows and half of one
  std::vector<std::string> rows(1000000, "x");
  rows.back() = "last";
  big->setItems(std::move(rows));
  big->setSelected(999999);
  EXPECT_EQ(big->getTopRow(), 999996);
  drawFrame();
  EXPECT_EQ(big->drawn, (std::vector<int>{999996, 999997, 999998, 999999}));
  VLookAndFeel* look = screen_->getLookAndFeel();
  EXPECT_TRUE(vt::pixelNear(102, 262 + 10, rgbOf(look->getHighlightColor())));  // row 3
  EXPECT_TRUE(vt::pixelNear(102, 242 + 10, rgbOf(look->getBevelRaisedColor())));
  click(150, 222);  // the second row in view
  EXPECT_EQ(big->getSelected(), 999997);
  big->drawn.clear();
  big->setTopRow(0);
  drawFrame();
  EXPECT_EQ(big->drawn, (std::vector<int>{0, 1, 2, 3, 4}));  // the last one cut by the edge
  EXPECT_EQ(big->getItem(999999), "last");
}

}  // namespace
