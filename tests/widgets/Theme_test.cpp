// Themes: a switch restyles a window's widgets at the next frame (kept as the guide's picture),
// back to light gives the very same frame, and a colour the program set on a font stays.
#include <gtest/gtest.h>

#include <algorithm>

#include "GoldenImage.h"
#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "support/Box.h"
#include "support/ScreenFixture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VLabel.h"
#include "widgets/VRadioButton.h"
#include "widgets/VSlider.h"
#include "widgets/VTextEdit.h"
#include "widgets/VWindow.h"

namespace {

using Theme = vt::ScreenFixture;

vt::Rgb rgbOf(VColor* c) { return vt::toRgb(c->getR(), c->getG(), c->getB()); }

template <class W>
W* place(VWidget* owner, int top, int width, int height) {
  auto* w = new W(owner);
  w->setLeft(10);
  w->setTop(top);
  w->setWidth(width);
  w->setHeight(height);
  return w;
}

TEST_F(Theme, ADarkWindowLooksAsTheGuideShowsItAndLightGivesTheSameFrameBack) {
  VLookAndFeel* lf = screen_->getLookAndFeel();
  auto* window = place<VWindow>(screen_, 20, 250, 200);
  window->setLeft(20);
  window->setCaption("Dark");
  place<VCaptionButton>(window, 35, 90, 24)->setCaption("Apply");
  auto* box = place<VCheckBox>(window, 69, 120, 16);
  box->setCaption("Snap to grid");
  box->setState(cbChecked);
  auto* radio = place<VRadioButton>(window, 93, 120, 16);
  radio->setCaption("Metric");
  radio->setState(cbChecked);
  auto* text = place<VTextEdit>(window, 117, 140, 20);
  text->setText("Text");
  place<VSlider>(window, 145, 140, 20)->setValue(70);
  place<VLabel>(window, 170, 140, 20)->setCaption("Units: mm");
  clickOn(text);  // the window active, the field focused: its highlight and cursor
  // The first frame loads the font sheet and may round the screen's 0.5 blue otherwise.
  frame();
  const vt::Region light = frame();

  screen_->setTheme(thDark);
  ASSERT_EQ(screen_->getTheme(), thDark);
  static const vt::GoldenImage goldens(VUNA_PICTURE_DIR, VUNA_PICTURE_OUTPUT_DIR);
  EXPECT_EQ(goldens.check("dark_window", vt::PngImage(266, 216, frame(12, 12, 266, 216))), "");
  const vt::Box b = vt::screenBoxOf(window);
  EXPECT_TRUE(vt::pixelNear(5, 5, rgbOf(lf->getScreenColor())));
  // The faces of the button (below its caption), the slider's knob and the window.
  for (const vt::Box& spot : {vt::Box{13, 55, 1, 1}, vt::Box{106, 148, 1, 1},
                              vt::Box{200, 70, 1, 1}}) {
    EXPECT_TRUE(vt::pixelNear(b.left + spot.left, b.top + spot.top,
                              rgbOf(lf->getBackGroundColor()))) << spot;
  }
  EXPECT_TRUE(vt::pixelNear(b.left + 130, b.top + 130, rgbOf(lf->getHighlightColor())));
  EXPECT_TRUE(vt::pixelNear(b.left + 21, b.top + 73, vt::Rgb{40, 40, 44}));  // the dark well
  const vt::Region label = vt::readRegion(b.left + 10, b.top + 170, 140, 20);
  EXPECT_NE(std::search_n(label.begin(), label.end(), 3, 230), label.end());  // the dark text

  screen_->setTheme(thLight);
  EXPECT_EQ(frame(), light);
}

// Following stops at the program's first set, even to the value the theme had then.
TEST_F(Theme, AColourTheProgramSetOnAFontSurvivesEverySwitch) {
  auto* red = new VLabel(screen_);
  auto* black = new VLabel(screen_);
  red->getFont()->getColor()->set(1, 0, 0, 1);
  black->getFont()->getColor()->set(0, 0, 0, 1);
  for (VTheme theme : {thDark, thLight, thDark}) {
    screen_->setTheme(theme);
    frame();
    EXPECT_EQ(vt::toString(rgbOf(red->getFont()->getColor())), "(255, 0, 0)");
    EXPECT_EQ(vt::toString(rgbOf(black->getFont()->getColor())), "(0, 0, 0)");
  }
}

}  // namespace
