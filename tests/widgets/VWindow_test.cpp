// VWindow: geometry, moving, corner resizing, maximising, closing, drawing and the dump.
#include "widgets/VWindow.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "draw/VLookAndFeel.h"
#include "support/Box.h"
#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"
#include "support/SolidGlyphs.h"
#include "support/StreamCapture.h"
#include "widgets/VWindow_Handlers.h"

namespace {

using vt::Lines;

const vt::Rgb kActive = vt::toRgb(0.0f, 0.0f, 0.9f);
const vt::Rgb kInactive = vt::toRgb(0.2f, 0.2f, 0.25f);
const vt::Rgb kWhite = vt::toRgb(1.0f, 1.0f, 1.0f);
const vt::Rgb kBackground = vt::toRgb(0.8f, 0.8f, 0.8f);
const vt::Rgb kScreen = vt::toRgb(0.3f, 0.3f, 0.5f);
// Half of (0.2, 0.2, 0.2) over the screen's fill.
const vt::Rgb kBoxOverScreen = vt::toRgb(0.25f, 0.25f, 0.35f);

using vt::Box;
using vt::boxOf;
using vt::logged;

// A 400 by 200 window at (50, 60) on the 500 by 400 screen; helpers take window-local points.
class Window : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    vt::ScreenFixture::SetUp();
    window_ = new VWindow(screen_);
    window_->setLeft(kLeft);
    window_->setTop(kTop);
    window_->setWidth(400);
    window_->setHeight(200);
  }

  static constexpr int kLeft = 50;
  static constexpr int kTop = 60;

  int sx(int localX) { return window_->getLeft() + localX; }
  int sy(int localY) { return window_->getTop() + localY; }
  // vt::pixelNear at a point in the window's own space.
  ::testing::AssertionResult pixelNear(int localX, int localY, vt::Rgb expected) {
    return vt::pixelNear(sx(localX), sy(localY), expected);
  }
  // Screen position of the middle of one of the window's buttons.
  int buttonX(VButton* b) { return sx(b->getLeft() + b->getWidth() / 2); }
  int buttonY(VButton* b) { return sy(b->getTop() + b->getHeight() / 2); }
  // A left-button drag of the resize corner's innermost pixel to (x, y) in screen space.
  void resizeTo(int x, int y) {
    const int cx = sx(window_->getWidth() - 9);
    const int cy = sy(window_->getHeight() - 9);
    drag(cx, cy, x, y);
  }

  // A child of the window that logs its deletion: "~child".
  void addChild(VWidget* owner) { (new vt::RecordingWidget(owner, "child"))->logsDeletion = true; }

  VWindow* window_ = nullptr;
};

// --- geometry -----------------------------------------------------------------------------

TEST_F(Window, DefaultsPlaceButtonsClientAreaAndMinimumAsDesigned) {
  VButton* close = window_->getCloseButton();
  VButton* max = window_->getMaximizeButton();
  EXPECT_EQ(boxOf(close), (Box{376, 4, 19, 19}));
  EXPECT_EQ(boxOf(max), (Box{354, 4, 19, 19}));
  EXPECT_EQ(window_->getClientBorderLeft(), 3);
  EXPECT_EQ(window_->getClientBorderTop(), 27);
  EXPECT_EQ(window_->getClientBorderRight(), 3);
  EXPECT_EQ(window_->getClientBorderBottom(), 3);
  // A new child starts at the client origin; the client area ends at (397, 197).
  VWidget* child = new VWidget(window_);
  EXPECT_EQ(child->getLeft(), 3);
  EXPECT_EQ(child->getTop(), 27);
  EXPECT_EQ(window_->getWidth() - window_->getClientBorderRight(), 397);
  EXPECT_EQ(window_->getHeight() - window_->getClientBorderBottom(), 197);
  window_->setWidth(10);
  window_->setHeight(10);
  EXPECT_EQ(window_->getWidth(), 60);
  EXPECT_EQ(window_->getHeight(), 40);
}

TEST_F(Window, TitleBarSpansTwoTwoToThreeNinetyEightTwentyFive) {
  ASSERT_EQ(drawFrame(), "");
  struct Probe {
    int x;
    int y;
    bool title;
  };
  const Probe probes[] = {{2, 2, true},    {397, 2, true},   {2, 24, true}, {397, 24, true},
                          {200, 24, true}, {200, 25, false}, {398, 10, false}};
  for (const Probe& p : probes) {
    const vt::Rgb c = vt::readPixel(sx(p.x), sy(p.y));
    EXPECT_EQ(vt::near(c, kInactive), p.title)
        << "at (" << p.x << ", " << p.y << "): " << vt::toString(c);
  }
  EXPECT_TRUE(pixelNear(200, 100, kBackground));
}

// The caption ends where the characters that fit before the maximise button end. Glyphs are
// solid blocks here and the buttons hidden, so the last drawn glyph's right edge is visible.
struct CaptionCase {
  int width;
  int chars;  // expected characters drawn
};

void PrintTo(const CaptionCase& c, std::ostream* os) {
  *os << "width_" << c.width << "_draws_" << c.chars;
}

class CaptionCut : public Window, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionCut, StopsBeforeTheMaximiseButton) {
  const CaptionCase c = GetParam();
  vt::SolidGlyphs solid;
  window_->setWidth(c.width);
  window_->setCaption(std::string(60, 'M'));
  window_->getCloseButton()->setVisible(false);
  window_->getMaximizeButton()->setVisible(false);
  ASSERT_EQ(drawFrame(), "");
  // Glyph k (from 0) covers x = 4 + 12k to 4 + 12k + 15.
  const int lastColumn = 4 + 12 * (c.chars - 1) + 15;
  EXPECT_TRUE(pixelNear(lastColumn, 10, kWhite));
  EXPECT_TRUE(pixelNear(lastColumn + 1, 10, kInactive));
  EXPECT_TRUE(pixelNear(4, 4, kWhite));
  EXPECT_TRUE(pixelNear(4, 3, kInactive));
}

// Room for the caption is the maximise button's x (width - 46) less 4.
INSTANTIATE_TEST_SUITE_P(Widths, CaptionCut,
                         ::testing::Values(CaptionCase{400, 30}, CaptionCase{200, 13},
                                           CaptionCase{62, 1}));

TEST_F(Window, ANarrowWindowDrawsNoCaptionAndStaysClean) {
  vt::SolidGlyphs solid;
  window_->setMinResizeWidth(0);
  window_->setMinWidth(0);
  window_->setWidth(30);
  window_->getCloseButton()->setVisible(false);
  window_->getMaximizeButton()->setVisible(false);
  EXPECT_EQ(drawFrame(), "");
  EXPECT_TRUE(pixelNear(10, 10, kInactive));
}

// --- active and inactive ------------------------------------------------------------------

TEST_F(Window, TheTitleBarShowsWhichOfTwoWindowsHasTheFocus) {
  window_->setWidth(200);
  window_->setHeight(150);
  auto* other = new VWindow(screen_);
  other->setLeft(280);
  other->setTop(60);
  other->setWidth(200);
  other->setHeight(150);
  const int mineX = kLeft + 100, otherX = 280 + 100, titleY = kTop + 10;

  drawFrame();
  EXPECT_TRUE(vt::pixelNear(mineX, titleY, kInactive));
  EXPECT_TRUE(vt::pixelNear(otherX, titleY, kInactive));

  click(mineX, kTop + 100);  // the client area, not the title bar
  EXPECT_EQ(drawFrame(), "");
  EXPECT_TRUE(vt::pixelNear(mineX, titleY, kActive));
  EXPECT_TRUE(vt::pixelNear(otherX, titleY, kInactive));

  click(otherX, titleY);
  drawFrame();
  EXPECT_TRUE(vt::pixelNear(mineX, titleY, kInactive));
  EXPECT_TRUE(vt::pixelNear(otherX, titleY, kActive));
  EXPECT_FALSE(window_->getFont()->getBold()) << "bold is only on while the caption is drawn";
}

// --- moving -------------------------------------------------------------------------------

class MoveWithButton : public Window, public ::testing::WithParamInterface<int> {};

TEST_P(MoveWithButton, TheTitleBarMovesTheWindowAndSnapsToTheOwnersEdges) {
  const int button = GetParam();
  // Grabbed at local (100, 10): the window's left is the pointer's x minus 100.
  press(sx(100), sy(10), button);
  motion(100 + 30, 10 + 70);
  EXPECT_EQ(boxOf(window_), (Box{30, 70, 400, 200}));
  motion(100 + 4, 10 + 5);  // within 4 of the left edge snaps; 5 from the top does not
  EXPECT_EQ(boxOf(window_), (Box{0, 5, 400, 200}));
  motion(100 + 96, 10 + 196);  // the far edges are 100 and 200
  EXPECT_EQ(boxOf(window_), (Box{100, 200, 400, 200}));
  release(100 + 96, 10 + 196, button);
  motion(100 + 50, 10 + 50);
  EXPECT_EQ(boxOf(window_), (Box{100, 200, 400, 200})) << "the release ends the move";
}

INSTANTIATE_TEST_SUITE_P(GlutButtons, MoveWithButton, ::testing::Values(0, 1, 2));

TEST_F(Window, OnlyTheTopTitleBarHeightRowsStartAMove) {
  press(sx(100), sy(22));
  motion(sx(110), sy(32));
  release(sx(110), sy(32));
  EXPECT_EQ(window_->getLeft(), kLeft + 10);

  press(sx(100), sy(23));
  motion(sx(130), sy(53));
  release(sx(130), sy(53));
  EXPECT_EQ(window_->getLeft(), kLeft + 10) << "row 23 lies below the drag zone";

  window_->setTitleBarHeight(40);
  press(sx(100), sy(30));
  motion(sx(120), sy(40));
  release(sx(120), sy(40));
  EXPECT_EQ(window_->getLeft(), kLeft + 30) << "a taller title bar widens the drag zone";
}

TEST_F(Window, ANestedWindowSnapsToTheOuterClientEdges) {
  auto* inner = new VWindow(window_);
  inner->setWidth(100);
  inner->setHeight(80);
  ASSERT_EQ(boxOf(inner), (Box{3, 27, 100, 80}));
  const int grabX = sx(3 + 50), grabY = sy(27 + 10);
  press(grabX, grabY);
  motion(grabX + 30, grabY + 7);  // 7 below the client top: stays
  EXPECT_EQ(boxOf(inner), (Box{33, 34, 100, 80}));
  motion(grabX + 291, grabY + 4);  // 3 short of the right edge (397 - 100), 4 below the top
  EXPECT_EQ(boxOf(inner), (Box{297, 27, 100, 80}));
  release(grabX + 291, grabY + 4);
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 400, 200})) << "the outer one stays";
}

TEST_F(Window, APressOnEitherButtonNeverStartsAMove) {
  for (VButton* b : {window_->getCloseButton(), window_->getMaximizeButton()}) {
    press(buttonX(b), buttonY(b));
    motion(buttonX(b) - 40, buttonY(b) + 30);
    EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 400, 200}));
    release(buttonX(b) - 40, buttonY(b) + 30);  // off the button: no click on it
  }
  EXPECT_FALSE(window_->getMaximized());
}

// --- resizing -----------------------------------------------------------------------------

struct CornerCase {
  int fromRight;   // pixels left of the right edge (0 is the inclusive edge column)
  int fromBottom;  // pixels above the bottom edge
  int button;
  bool resizes;
};

void PrintTo(const CornerCase& c, std::ostream* os) {
  *os << "right-" << c.fromRight << "_bottom-" << c.fromBottom << "_button" << c.button
      << (c.resizes ? "_resizes" : "_stays");
}

class ResizeCorner : public Window, public ::testing::WithParamInterface<CornerCase> {};

TEST_P(ResizeCorner, IsTheBottomRightTenByTenForTheLeftButtonOnly) {
  const CornerCase c = GetParam();
  const int x = sx(400 - c.fromRight), y = sy(200 - c.fromBottom);
  press(x, y, c.button);
  motion(x - 100, y - 50);
  const Box expected = c.resizes ? Box{kLeft, kTop, 300, 150}
                                      : Box{kLeft, kTop, 400, 200};
  EXPECT_EQ(boxOf(window_), expected);
  release(x - 100, y - 50, c.button);
}

INSTANTIATE_TEST_SUITE_P(
    Points, ResizeCorner,
    ::testing::Values(CornerCase{9, 9, 0, true}, CornerCase{0, 0, 0, true},
                      CornerCase{0, 9, 0, true}, CornerCase{9, 0, 0, true},
                      CornerCase{10, 5, 0, false}, CornerCase{5, 10, 0, false},
                      CornerCase{5, 5, 1, false}, CornerCase{5, 5, 2, false}));

TEST_F(Window, AResizeStopsAtTheMinimumAndAtTheOwnersRightAndBottomEdge) {
  const int cx = sx(391), cy = sy(191);
  press(cx, cy);
  motion(0, 0);
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 60, 40}));
  motion(900, 700);  // far outside the screen: the window still follows
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 500 - kLeft, 400 - kTop}));
  motion(cx + 5, cy + 6);
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 405, 206}));
  release(cx + 5, cy + 6);
  motion(cx - 50, cy - 50);
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 405, 206})) << "the release ends it";
  EXPECT_EQ(window_->getCloseButton()->getLeft(), 405 - 24) << "buttons follow the edge";
}

TEST_F(Window, AResizeStopsAtTheMinimumResizeSizeEvenWithASmallerMinimum) {
  window_->setMinWidth(0);
  window_->setMinHeight(0);
  window_->setMinResizeWidth(100);
  window_->setMinResizeHeight(70);
  resizeTo(0, 0);
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 100, 70}));
}

TEST_F(Window, ASecondButtonPressedDuringAResizeEndsIt) {
  const int cx = sx(391), cy = sy(191);
  press(cx, cy);
  motion(cx - 10, cy - 10);
  EXPECT_EQ(window_->getWidth(), 390);
  press(cx - 10, cy - 10, 2);
  motion(cx - 20, cy - 20);
  release(cx - 20, cy - 20, 2);
  motion(cx - 30, cy - 30);
  release(cx - 30, cy - 30);
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 390, 190}));
}

TEST_F(Window, ANotResizableWindowHasNoGripAndNoCornerButMovesAndMaximises) {
  drawFrame();
  // The grip's two white diagonals cross row 193 at x 392 and x 396.
  EXPECT_TRUE(pixelNear(392, 193, kWhite));
  EXPECT_TRUE(pixelNear(396, 193, kWhite));
  EXPECT_TRUE(pixelNear(394, 193, kBackground));
  EXPECT_TRUE(pixelNear(388, 197, kWhite));

  window_->setResizable(false);
  EXPECT_EQ(drawFrame(), "");
  for (int x : {388, 392, 394, 396}) {
    const int y = x == 388 ? 197 : 193;
    EXPECT_TRUE(pixelNear(x, y, kBackground));
  }

  resizeTo(sx(300), sy(150));
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 400, 200}));
  drag(sx(100), sy(10), sx(120), sy(30));
  EXPECT_EQ(boxOf(window_), (Box{kLeft + 20, kTop + 20, 400, 200}));
  clickOn(window_->getMaximizeButton());
  EXPECT_EQ(boxOf(window_), (Box{0, 0, 500, 400}));
}

// --- maximising ---------------------------------------------------------------------------

TEST_F(Window, MaximisingFillsTheScreenAndRestoringBringsBackTheSavedGeometry) {
  for (int button : {0, 2}) {  // the click handler does not test the button
    clickOn(window_->getMaximizeButton(), button);
    EXPECT_TRUE(window_->getMaximized());
    EXPECT_EQ(boxOf(window_), (Box{0, 0, 500, 400}));
    EXPECT_EQ(window_->getCloseButton()->getLeft(), 476);
    clickOn(window_->getMaximizeButton(), button);
    EXPECT_FALSE(window_->getMaximized());
    EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 400, 200}));
  }
}

TEST_F(Window, MovingOrResizingAMaximisedWindowKeepsTheGeometrySavedFirst) {
  clickOn(window_->getMaximizeButton());
  resizeTo(300, 250);
  EXPECT_EQ(boxOf(window_), (Box{0, 0, 309, 259}));
  drag(100, 10, 150, 70);
  EXPECT_EQ(boxOf(window_), (Box{50, 60, 309, 259}));
  EXPECT_TRUE(window_->getMaximized());
  clickOn(window_->getMaximizeButton());
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 400, 200}));
  EXPECT_FALSE(window_->getMaximized());
}

TEST_F(Window, AWindowMaximisedInsideAnotherCoversItsFrameWithTheClientSize) {
  auto* inner = new VWindow(window_);
  inner->setWidth(100);
  inner->setHeight(80);
  inner->getTitleBarColor()->set(1.0f, 0.0f, 0.0f, 1.0f);
  inner->getTitleBarColorInactive()->set(1.0f, 0.0f, 0.0f, 1.0f);
  VButton* max = inner->getMaximizeButton();
  click(sx(3 + max->getLeft() + 5), sy(27 + max->getTop() + 5));
  EXPECT_EQ(boxOf(inner), (Box{0, 0, 400 - 6, 200 - 30}));
  EXPECT_EQ(drawFrame(), "");
  // The outer title bar is now under the inner one, right of the inner caption.
  EXPECT_TRUE(pixelNear(200, 10, vt::toRgb(1.0f, 0.0f, 0.0f)));
}

TEST_F(Window, SetMaximizedAloneMovesNothingAndTheNextClickRestoresToTheMinimum) {
  window_->setMaximized(true);
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 400, 200}));
  clickOn(window_->getMaximizeButton());
  EXPECT_EQ(boxOf(window_), (Box{0, 0, 60, 40}));
  EXPECT_FALSE(window_->getMaximized());
}

// --- closing ------------------------------------------------------------------------------

class CloseWithButton : public Window, public ::testing::WithParamInterface<int> {};

TEST_P(CloseWithButton, FreesTheWindowWithItsChildrenBeforeTheNextDispatch) {
  addChild(window_);
  VButton* close = window_->getCloseButton();
  press(buttonX(close), buttonY(close), GetParam());
  release(buttonX(close), buttonY(close), GetParam());
  EXPECT_FALSE(logged("~child")) << "still alive until the routing that freed it has ended";
  EXPECT_EQ(drawFrame(), "");
  EXPECT_TRUE(logged("~child"));
  EXPECT_EQ(screen_->getFocusPath(), nullptr);
  EXPECT_EQ(screen_->getScreenFocusedWidget(), nullptr);
  EXPECT_TRUE(vt::pixelNear(kLeft + 100, kTop + 10, kScreen));
  EXPECT_TRUE(vt::pixelNear(kLeft + 200, kTop + 100, kScreen));
}

INSTANTIATE_TEST_SUITE_P(GlutButtons, CloseWithButton, ::testing::Values(0, 1, 2));

TEST_F(Window, SpaceOrReturnOnAFocusedWindowButtonDoesNothing) {
  addChild(window_);
  for (VButton* b : {window_->getCloseButton(), window_->getMaximizeButton()}) {
    // Pressed, then released away from it: focused, and never clicked.
    press(buttonX(b), buttonY(b));
    motion(sx(200), sy(100));
    release(sx(200), sy(100));
    ASSERT_EQ(screen_->getScreenFocusedWidget(), b);
    type(" \r");  // each down and up
    drawFrame();
  }
  EXPECT_FALSE(logged("~child"));
  EXPECT_FALSE(window_->getMaximized());
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 400, 200}));
}

// --- coordinate box -----------------------------------------------------------------------

TEST_F(Window, AMoveShowsItsPositionInATranslucentBoxAboveTheWindow) {
  vt::SolidGlyphs solid;
  press(sx(100), sy(10));
  motion(sx(100) + 50, sy(10) + 45);  // to (100, 105)
  EXPECT_EQ(drawFrame(), "");
  // "move to (100,105)": 17 glyphs from (5, -25); the box spans (0, -27) to (214, -6).
  EXPECT_TRUE(pixelNear(0, -27, kBoxOverScreen));
  EXPECT_TRUE(pixelNear(213, -7, kBoxOverScreen));
  EXPECT_TRUE(pixelNear(214, -10, kScreen));
  EXPECT_TRUE(pixelNear(0, -28, kScreen));
  EXPECT_TRUE(pixelNear(5, -25, kWhite));
  const int lastTextColumn = 5 + 12 * 16 + 15;
  EXPECT_TRUE(pixelNear(lastTextColumn, -20, kWhite));
  EXPECT_TRUE(pixelNear(lastTextColumn + 1, -20, kBoxOverScreen));

  release(sx(100), sy(10));
  drawFrame();
  EXPECT_TRUE(pixelNear(2, -20, kScreen)) << "no box once the move has ended";
}

TEST_F(Window, AResizeShowsTheSizeToTheRightOfTheWindowsBottom) {
  window_->setWidth(200);
  window_->setHeight(100);
  vt::SolidGlyphs solid;
  press(sx(195), sy(95));
  motion(sx(195) + 20, sy(95) + 10);  // 220 x 110
  EXPECT_EQ(drawFrame(), "");
  // "resize to 220x110": 17 glyphs from (230, 100); the box spans (225, 98) to (439, 119).
  EXPECT_TRUE(pixelNear(225, 98, kBoxOverScreen));
  EXPECT_TRUE(pixelNear(438, 118, kBoxOverScreen));
  EXPECT_TRUE(pixelNear(224, 110, kScreen));
  EXPECT_TRUE(pixelNear(230, 100, kWhite));
  EXPECT_TRUE(pixelNear(230 + 12 * 16 + 15, 110, kWhite));
  EXPECT_TRUE(pixelNear(230 + 12 * 16 + 16, 110, kBoxOverScreen));
  release(sx(215), sy(105));
}

// --- without an owner ---------------------------------------------------------------------

TEST(VWindowAlone, DrawsInactiveResizesUnboundedAndIgnoresMaximize) {
  vt::resetView();
  VWindow window(nullptr);
  window.setWidth(200);
  window.setHeight(100);
  window.maximize();
  EXPECT_FALSE(window.getMaximized());
  EXPECT_EQ(boxOf(&window), (Box{0, 0, 200, 100}));

  VEvent e;
  e.setType(etDraw);
  {
    vt::FrameCheck check;
    window.event(&e);  // no look and feel: nothing to draw with
    EXPECT_EQ(check.problems(), "");
  }

  VLookAndFeel look;
  window.setLookAndFeel(&look);
  window.setLeft(20);
  window.setTop(30);
  vt::FrameCheck check;
  window.event(&e);
  EXPECT_EQ(check.problems(), "");
  EXPECT_TRUE(vt::pixelNear(20 + 120, 30 + 10, kInactive));

  e.setButton(mbLeft);
  e.setType(etMouseDown);
  e.setX(20 + 195);
  e.setY(30 + 95);
  window.event(&e);
  e.setType(etMouseMotion);
  e.setX(2000);
  e.setY(1500);
  window.event(&e);
  EXPECT_EQ(boxOf(&window), (Box{20, 30, 2000 - 20 + 5, 1500 - 30 + 5}));
}

// --- handlers -----------------------------------------------------------------------------

TEST_F(Window, HandlersOnAButtonOutsideAWindowDoNothing) {
  VWidget* panel = new VWidget(screen_);
  panel->setWidth(100);
  panel->setHeight(100);
  VButton* b = new VButton(panel);
  b->onClick = MaximizeButtonHandler;
  b->onCustomDraw = drawMaximizeButtonHandler;
  MaximizeButtonHandler(b, nullptr);
  drawCloseButtonHandler(b, nullptr);
  drawMaximizeButtonHandler(nullptr, nullptr);
  CloseButtonHandler(nullptr, nullptr);
  click(5, 5);
  EXPECT_EQ(drawFrame(), "");
  EXPECT_EQ(boxOf(window_), (Box{kLeft, kTop, 400, 200}));

  addChild(panel);
  CloseButtonHandler(b, nullptr);  // frees the owner, window or not
  drawFrame();
  EXPECT_TRUE(logged("~child"));
}

// --- dump ---------------------------------------------------------------------------------

TEST_F(Window, PrintWritesTheWindowsOwnFields) {
  window_->setCaption("Sub % Window %s");
  window_->setResizable(false);
  window_->maximize();
  vt::StreamCapture out(std::cout);
  window_->print();
  std::ostringstream close, max;
  close << static_cast<const void*>(window_->getCloseButton());
  max << static_cast<const void*>(window_->getMaximizeButton());
  EXPECT_EQ(out.lines(), (Lines{"Class : VWindow", "TitleBarHeight = 23", "TitleBarBorder = 2",
                                "Caption = Sub % Window %s", "MinResizeWidth = 60",
                                "MinResizeHeight = 40", "Maximized = 1", "Resizable = 0",
                                "CloseButton = " + close.str(),
                                "MaximizeButton = " + max.str()}));
}

}  // namespace
