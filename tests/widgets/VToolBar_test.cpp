// VToolBar: the row of equal slots, relayout on child changes, dragging by the mover strip,
// drawing and the dump.
#include "widgets/VToolBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Box.h"
#include "support/GlTest.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VWindow.h"

namespace {

using vt::Lines;

const vt::Rgb kWhite = vt::toRgb(1.0f, 1.0f, 1.0f);
const vt::Rgb kGrey = vt::toRgb(0.5f, 0.5f, 0.5f);
const vt::Rgb kBackground = vt::toRgb(0.8f, 0.8f, 0.8f);

using vt::Box;
using vt::boxOf;

std::vector<Box> boxesOf(const std::vector<VWidget*>& row) {
  std::vector<Box> out;
  for (VWidget* w : row) out.push_back(boxOf(w));
  return out;
}

using ToolBar = vt::ScreenFixture;

// --- layout -------------------------------------------------------------------------------

struct RowCase {
  int width;
  int height;
  int children;
  int slot;  // expected width of every child
};

void PrintTo(const RowCase& c, std::ostream* os) {
  *os << c.width << "x" << c.height << "_with_" << c.children;
}

class Row : public vt::ScreenFixture, public ::testing::WithParamInterface<RowCase> {};

TEST_P(Row, LaysOutChildrenInEqualSlotsInTheOrderTheyJoined) {
  const RowCase c = GetParam();
  auto* bar = new VToolBar(screen_);
  bar->setWidth(c.width);
  bar->setHeight(c.height);
  std::vector<VWidget*> row;
  for (int i = 0; i < c.children; ++i) row.push_back(new VWidget(bar));
  std::vector<Box> expected;
  for (int i = 0; i < c.children; ++i) {
    expected.push_back({10 + i * (c.slot + 2), 2, c.slot, c.height - 4});
  }
  EXPECT_EQ(boxesOf(row), expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Row,
                         ::testing::Values(RowCase{420, 25, 3, 134}, RowCase{100, 25, 1, 88},
                                           RowCase{100, 25, 4, 20}, RowCase{421, 30, 3, 135},
                                           RowCase{12, 25, 1, 0}));

TEST_F(ToolBar, ThreeChildrenIn420PixelsLeaveFourPixelsAtTheRight) {
  auto* bar = new VToolBar(screen_);
  bar->setWidth(420);
  std::vector<VWidget*> row;
  for (int i = 0; i < 3; ++i) row.push_back(new VCaptionButton(bar));
  bar->layout();
  EXPECT_EQ(boxesOf(row), (std::vector<Box>{{10, 2, 134, 21}, {146, 2, 134, 21},
                                             {282, 2, 134, 21}}));
  EXPECT_EQ(bar->getWidth() - (row[2]->getLeft() + row[2]->getWidth()), 4);
}

TEST_F(ToolBar, ResizingTheToolBarLaysTheRowOutAgain) {
  auto* bar = new VToolBar(screen_);
  VWidget* a = new VWidget(bar);
  VWidget* b = new VWidget(bar);
  bar->setWidth(210);
  EXPECT_EQ(boxesOf({a, b}), (std::vector<Box>{{10, 2, 98, 21}, {110, 2, 98, 21}}));
  bar->setHeight(40);
  EXPECT_EQ(boxesOf({a, b}), (std::vector<Box>{{10, 2, 98, 36}, {110, 2, 98, 36}}));
}

TEST_F(ToolBar, ACaptionButtonThatSizedItselfAfterJoiningIsPutBackByTheNextLayout) {
  auto* bar = new VToolBar(screen_);
  bar->setWidth(420);
  auto* start = new VCaptionButton(bar);
  auto* shut = new VCaptionButton(bar);
  auto* wide = new VCaptionButton(bar);
  start->setCaption("Start");
  shut->setCaption("Shut Down");
  wide->setCaption("A caption far too long");  // 22 glyphs: 274 pixels with its margins
  // The last one set its own height in its Init, after the row had placed it.
  EXPECT_EQ(shut->getHeight(), 21);
  EXPECT_EQ(wide->getHeight(), 20);
  bar->layout();
  EXPECT_EQ(boxesOf({start, shut}), (std::vector<Box>{{10, 2, 134, 21}, {146, 2, 134, 21}}));
  // A child that cannot shrink to its slot keeps its own minimum and overlaps the end.
  EXPECT_EQ(boxOf(wide), (Box{282, 2, 274, 21}));
}

TEST_F(ToolBar, RemovingAChildClosesTheGap) {
  auto* bar = new VToolBar(screen_);
  bar->setWidth(420);
  VWidget* a = new VWidget(bar);
  VWidget* b = new VWidget(bar);
  VWidget* c = new VWidget(bar);
  b->free();
  drawFrame();  // the screen removes and deletes it before routing the draw
  EXPECT_EQ(boxesOf({a, c}), (std::vector<Box>{{10, 2, 203, 21}, {215, 2, 203, 21}}));
  a->free();
  c->free();
  EXPECT_EQ(drawFrame(), "");
}

TEST_F(ToolBar, SetMoverWidthMovesTheChildrenOnlyAtTheNextLayout) {
  auto* bar = new VToolBar(screen_);
  VWidget* a = new VWidget(bar);
  bar->setMoverWidth(30);
  EXPECT_EQ(a->getLeft(), 10);
  bar->layout();
  EXPECT_EQ(boxOf(a), (Box{30, 2, 68, 21}));
}

// With no room for its children each child keeps its own minimum: they pile up and overlap,
// and the toolbar still draws cleanly.
TEST_F(ToolBar, TooNarrowForItsChildrenAppliesEachChildsMinimum) {
  auto* bar = new VToolBar(screen_);
  bar->setLeft(20);
  bar->setTop(20);
  auto* button = new VCaptionButton(bar);
  VWidget* plain = new VWidget(bar);
  plain->setMinWidth(15);
  bar->setWidth(5);  // slot (5 - 10) / 2 - 2 = -4
  EXPECT_EQ(boxOf(button), (Box{10, 2, 82, 21}));
  EXPECT_EQ(boxOf(plain), (Box{8, 2, 15, 21}));

  bar->setMoverWidth(50);
  bar->setWidth(40);  // narrower than the mover strip
  EXPECT_EQ(boxOf(button), (Box{50, 2, 82, 21}));
  EXPECT_EQ(boxOf(plain), (Box{45, 2, 15, 21}));

  bar->setHeight(1);
  EXPECT_EQ(plain->getHeight(), 0);
  EXPECT_EQ(drawFrame(), "");
}

// A resize handler of a child that adds a child to the toolbar runs inside the layout; the
// row ends laid out for the final set of children.
VWidget* gBar = nullptr;
VWidget* gAdded = nullptr;
void addOneChild(VWidget*) {
  if (gAdded == nullptr) gAdded = new VWidget(gBar);
}

TEST_F(ToolBar, AChildAddedFromInsideTheLayoutGetsItsSlotAndTheRowStaysEven) {
  auto* bar = new VToolBar(screen_);
  gBar = bar;
  gAdded = nullptr;
  VWidget* a = new VWidget(bar);
  VWidget* b = new VWidget(bar);
  a->onResize = addOneChild;
  bar->setWidth(300);
  ASSERT_NE(gAdded, nullptr);
  EXPECT_EQ(boxesOf({a, b, gAdded}),
            (std::vector<Box>{{10, 2, 94, 21}, {106, 2, 94, 21}, {202, 2, 94, 21}}));
  gBar = gAdded = nullptr;
}

// --- input --------------------------------------------------------------------------------

TEST_F(ToolBar, PressingAChildKeepsTheRowOrderAndFocusesTheChild) {
  auto* bar = new VToolBar(screen_);
  bar->setWidth(420);
  std::vector<VWidget*> row;
  for (int i = 0; i < 3; ++i) row.push_back(new VCaptionButton(bar));
  bar->layout();
  const std::vector<Box> before = boxesOf(row);
  click(row[0]->getLeft() + 5, 10);  // the oldest child, last in front-to-back order
  EXPECT_TRUE(bar->isInFront(row[2]));
  bar->layout();
  EXPECT_EQ(boxesOf(row), before);
  EXPECT_EQ(screen_->getFocusPath(), bar);
  EXPECT_EQ(bar->getFocusPath(), row[0]);
}

class MoverDrag : public vt::ScreenFixture, public ::testing::WithParamInterface<int> {};

TEST_P(MoverDrag, APressInTheMoverStripDragsWithAnyButton) {
  const int button = GetParam();
  auto* bar = new VToolBar(screen_);
  bar->setLeft(100);
  bar->setTop(300);
  drag(100 + 9, 310, 100 + 9 - 30, 310 - 40, button);
  EXPECT_EQ(boxOf(bar), (Box{70, 260, 100, 25}));
}

INSTANTIATE_TEST_SUITE_P(GlutButtons, MoverDrag, ::testing::Values(0, 1, 2));

TEST_F(ToolBar, APressOutsideTheMoverStripOnlyRaisesIt) {
  auto* bar = new VToolBar(screen_);
  bar->setLeft(100);
  bar->setTop(300);
  auto* window = new VWindow(screen_);  // in front of the toolbar, and focused
  window->setLeft(150);
  window->setTop(200);
  window->setWidth(100);
  window->setHeight(120);
  click(200, 250);
  ASSERT_EQ(screen_->getFocusPath(), window);
  ASSERT_FALSE(screen_->isInFront(bar));

  drag(100 + 10, 310, 100 + 10 - 30, 310 - 40);
  EXPECT_EQ(boxOf(bar), (Box{100, 300, 100, 25}));
  EXPECT_TRUE(screen_->isInFront(bar));
  EXPECT_EQ(screen_->getFocusPath(), window) << "a toolbar never takes the focus itself";
}

TEST_F(ToolBar, InAWindowItIsDraggedWithinTheClientArea) {
  auto* window = new VWindow(screen_);
  window->setWidth(300);
  window->setHeight(200);
  auto* bar = new VToolBar(window);
  drag(3 + 5, 27 + 5, 3 + 5 + 500, 27 + 5 + 500);
  EXPECT_EQ(boxOf(bar), (Box{300 - 3 - 100, 200 - 3 - 25, 100, 25}));
}

// --- drawing ------------------------------------------------------------------------------

// The grip's two raised bars sit at x 2 and x 5: their light left edges land in columns 1
// and 4, their dark right edges in columns 3 and 6, from row 2 to row 22.
TEST_F(ToolBar, DrawsARaisedFrameAndTheGripWhateverTheMoverWidth) {
  auto* bar = new VToolBar(screen_);
  bar->setLeft(10);
  bar->setTop(300);
  for (int moverWidth : {10, 40}) {
    bar->setMoverWidth(moverWidth);
    EXPECT_EQ(drawFrame(), "");
    const vt::Rgb expected[] = {kBackground, kWhite, kBackground, kGrey,
                                kWhite,      kBackground, kGrey, kBackground};
    for (int y : {3, 12, 21}) {
      for (int x = 0; x < 8; ++x) {
        EXPECT_TRUE(vt::pixelNear(10 + x, 300 + y, expected[x])) << "mover " << moverWidth;
      }
    }
    EXPECT_TRUE(vt::pixelNear(10 + 50, 300 + 12, kBackground));
    EXPECT_TRUE(vt::pixelNear(10 + 50, 300 + 0, kWhite)) << "raised top edge";
    EXPECT_TRUE(vt::pixelNear(10 + 50, 300 + 25, kGrey)) << "dark bottom edge";
    EXPECT_TRUE(vt::pixelNear(10 + 99, 300 + 12, kGrey)) << "dark right edge";
  }
}

// --- dump ---------------------------------------------------------------------------------

TEST_F(ToolBar, PrintWritesTheMoverWidth) {
  auto* bar = new VToolBar(screen_);
  bar->setMoverWidth(12);
  vt::StreamCapture out(std::cout);
  bar->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VToolBar", "MoverWidth = 12"}));
}

}  // namespace
