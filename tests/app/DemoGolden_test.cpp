// Demo pictures: the demo scene rendered in the test process, at start and after input,
// compared with the reference pictures in tests/golden/ (2/255 a channel).
#define GL_GLEXT_PROTOTYPES 1  // before GL's header: OffscreenTarget's framebuffer object
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "DemoFixture.h"
#include "GoldenImage.h"
#include "app/MyWindow.h"
#include "screen/VScreen.h"
#include "support/OffscreenTarget.h"
#include "support/WidgetTree.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"

namespace {

const vt::GoldenImage& goldens() {
  static const vt::GoldenImage g(VUNA_GOLDEN_DIR, VUNA_GOLDEN_OUTPUT_DIR);
  return g;
}

class DemoPicture : public vt::DemoFixture {
 protected:
  void SetUp() override {
    // Without the artwork every image and glyph draws as a solid block: a picture taken then
    // shows nothing a user would see, and must never become a reference.
    for (const char* image : {"font_arial.tga", "closebutton.tga", "radiochecked.tga"}) {
      ASSERT_TRUE(std::filesystem::exists(image))
          << image << " is not in the working directory " << std::filesystem::current_path()
          << "; run the tests from the build folder (ctest does)";
    }
    vt::DemoFixture::SetUp();
  }
  void expectPicture(const std::string& name) {
    const std::string problem = goldens().check(name, render());
    EXPECT_EQ(problem, "") << name;
  }
  // The state every later picture builds on: the window dragged down and right by its title
  // bar, uncovering the whole toolbar.
  void dragWindowAway() { drag(200, 12, 250, 150); }
  void typeIntoTheField() {
    clickOn(window_->textedit);
    type("\b\b\b\b\b\b\bHallo Welt");
  }
};

TEST_F(DemoPicture, FirstFrameShowsTheWindowOverTheToolbar) { expectPicture("demo_start"); }

// At a scale of 2 the same points fill a window twice the size each way (drawn off screen),
// with the artwork made at twice the size.
TEST_F(DemoPicture, AtAScaleOfTwoTheFirstFrameIsTheSameSceneAtTwiceTheSize) {
  const int width = vt::kWindowWidth * 2;
  const int height = vt::kWindowHeight * 2;
  const vt::OffscreenTarget target(width, height);
  ASSERT_TRUE(target.complete());
  screen_->setSize(width, height);
  screen_->setScale(2);
  EXPECT_EQ(screen_->getWidth(), vt::kWindowWidth);
  VScreen::usePixelProjection(width, height, width, height);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT);
  screen_->glutDisplay();
  EXPECT_EQ(goldens().check("demo_start_scale2", vt::PngImage(width, height, target.readTopDown())),
            "");
  vt::resetView();
}

TEST_F(DemoPicture, WhileDraggedTheWindowShowsItsNewPosition) {
  press(200, 12);
  motion(250, 150);
  expectPicture("demo_moving");
}

TEST_F(DemoPicture, DraggedAwayTheWindowUncoversTheToolbar) {
  dragWindowAway();
  expectPicture("demo_dragged");
}

TEST_F(DemoPicture, TypedTextShowsInTheFocusedField) {
  dragWindowAway();
  typeIntoTheField();
  ASSERT_EQ(window_->textedit->getText(), "Hallo Welt");
  expectPicture("demo_typed");
}

TEST_F(DemoPicture, FensterOpensASecondWindowCaptionedWithTheText) {
  dragWindowAway();
  typeIntoTheField();
  clickOn(button(window_, "Fenster"));
  ASSERT_EQ(demoWindows().size(), 2u);
  expectPicture("demo_fenster");
}

TEST_F(DemoPicture, MaximisedTheNewWindowCoversTheScreen) {
  dragWindowAway();
  typeIntoTheField();
  clickOn(button(window_, "Fenster"));
  clickOn(demoWindows()[0]->getMaximizeButton());
  expectPicture("demo_maximised");
}

TEST_F(DemoPicture, SubWindowOpensANestedPairOverEverything) {
  dragWindowAway();
  clickOn(button(screenBar_, "Sub Window"));
  expectPicture("demo_subwindow");
}

// At start only the rightmost 20 pixels of the toolbar can be pressed. A press on the window's
// title bar over the toolbar activates the window; one on those pixels raises the toolbar over
// the window and opens the pair of windows.
TEST_F(DemoPicture, APressOnTheUncoveredEndOfTheToolbarOpensSubWindows) {
  click(300, 12);
  click(410, 12);
  expectPicture("demo_corner_pressed");
}

TEST_F(DemoPicture, ClosingTheOuterSubWindowTakesBothAway) {
  click(300, 12);
  click(410, 12);
  click(185, 13);  // the outer window's close button
  expectPicture("demo_corner_closed");
}

}  // namespace
