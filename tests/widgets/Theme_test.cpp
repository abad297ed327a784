// Themes: a switch restyles every widget at the next frame, back to light gives the same frame,
// and a colour the program set on a widget's font stays the program's.
#include <gtest/gtest.h>

#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "support/Box.h"
#include "support/ScreenFixture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VLabel.h"
#include "widgets/VSlider.h"
#include "widgets/VWindow.h"

namespace {

using Theme = vt::ScreenFixture;

vt::Rgb rgbOf(VColor* c) { return vt::toRgb(c->getR(), c->getG(), c->getB()); }

// How many pixels of the widget's box, in the last frame, are within 2/255 of the colour.
int pixelsNear(VWidget* w, vt::Rgb colour) {
  const vt::Box b = vt::screenBoxOf(w);
  const vt::Region r = vt::readRegion(b.left, b.top, b.width, b.height);
  int count = 0;
  for (std::size_t i = 0; i + 2 < r.size(); i += 3) {
    count += vt::near(vt::Rgb{r[i], r[i + 1], r[i + 2]}, colour) ? 1 : 0;
  }
  return count;
}

template <class W>
W* place(VWidget* owner, int left, int top, int width, int height) {
  auto* w = new W(owner);
  w->setLeft(left);
  w->setTop(top);
  w->setWidth(width);
  w->setHeight(height);
  return w;
}

TEST_F(Theme, EachWidgetTakesTheThemesPaletteAndTheLightFrameComesBackExactly) {
  VLookAndFeel* lf = screen_->getLookAndFeel();
  auto* window = place<VWindow>(screen_, 20, 20, 400, 300);
  auto* button = place<VCaptionButton>(window, 10, 40, 80, 24);
  button->setCaption("OK");
  auto* box = place<VCheckBox>(window, 10, 80, 100, 16);
  auto* label = place<VLabel>(window, 10, 110, 100, 20);
  label->setCaption("Hill");
  auto* red = place<VLabel>(window, 10, 180, 100, 20);
  red->setCaption("Hill");
  red->getFont()->getColor()->set(1, 0, 0, 1);
  auto* slider = place<VSlider>(window, 10, 140, 200, 20);
  slider->setValue(50);  // the knob's centre at 100
  ASSERT_EQ(screen_->getTheme(), thLight);
  const vt::Region light = frame();
  const vt::Box b = vt::screenBoxOf(button);
  const vt::Box k = vt::screenBoxOf(slider);
  const vt::Box c = vt::screenBoxOf(box);
  for (VTheme theme : {thDark, thLight}) {
    screen_->setTheme(theme);
    ASSERT_EQ(screen_->getTheme(), theme);
    frame();
    const vt::Rgb face = rgbOf(lf->getBackGroundColor());
    EXPECT_TRUE(vt::pixelNear(5, 5, rgbOf(lf->getScreenColor()))) << theme;
    EXPECT_TRUE(vt::pixelNear(30, 300, face)) << "window " << theme;
    EXPECT_TRUE(vt::pixelNear(b.left + 3, b.top + 3, face)) << "button " << theme;
    EXPECT_TRUE(vt::pixelNear(k.left + 100, k.top + 3, face)) << "knob " << theme;
    const vt::Rgb well = theme == thDark ? vt::Rgb{40, 40, 44} : vt::Rgb{204, 204, 204};
    EXPECT_TRUE(vt::pixelNear(c.left + 7, c.top + 7, well)) << "check box " << theme;
    EXPECT_GT(pixelsNear(label, rgbOf(lf->getFont()->getColor())), 5) << theme;
    EXPECT_GT(pixelsNear(red, vt::Rgb{255, 0, 0}), 5) << theme;
  }
  EXPECT_EQ(frame(), light);
}

// Following stops at the program's first set, even to the value the theme had then.
TEST_F(Theme, AColourTheProgramSetOnAFontSurvivesEverySwitch) {
  VLookAndFeel* lf = screen_->getLookAndFeel();
  auto* window = new VWindow(screen_);
  auto* themed = new VLabel(window);
  auto* red = new VLabel(window);
  auto* black = new VLabel(window);
  red->getFont()->getColor()->set(1, 0, 0, 1);
  black->getFont()->getColor()->set(0, 0, 0, 1);
  for (VTheme theme : {thDark, thLight, thDark}) {
    screen_->setTheme(theme);
    frame();
    EXPECT_EQ(vt::toString(rgbOf(themed->getFont()->getColor())),
              vt::toString(rgbOf(lf->getFont()->getColor())));
    EXPECT_EQ(vt::toString(rgbOf(red->getFont()->getColor())), "(255, 0, 0)");
    EXPECT_EQ(vt::toString(rgbOf(black->getFont()->getColor())), "(0, 0, 0)");
  }
  EXPECT_TRUE(themed->getFont()->getFollowsTheme());
  EXPECT_FALSE(black->getFont()->getFollowsTheme());
}

}  // namespace
