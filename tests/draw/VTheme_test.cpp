// The dark theme's images: loaded at the first switch, other than the light ones, drawn untinted.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "TgaBytes.h"
#include "draw/VLookAndFeel.h"
#include "support/DrawFixture.h"
#include "support/StreamCapture.h"

namespace {

using LookAndFeelTheme = vt::DrawFixture;

int liveTextureCount() {
  int count = 0;
  for (GLuint n = 1; n <= 4096; ++n) {
    count += glIsTexture(n) ? 1 : 0;
  }
  return count;
}

TEST_F(LookAndFeelTheme, TheDarkImagesLoadAtTheFirstSwitchDifferAndGoWithTheLookAndFeel) {
  const int before = liveTextureCount();
  auto* lf = new VLookAndFeel();
  vt::StreamCapture out(std::cout);
  lf->setTheme(thDark);
  lf->setTheme(thLight);
  lf->setTheme(thDark);
  EXPECT_EQ(out.lines(), vt::Lines{});  // all eight found, each loaded once
  EXPECT_EQ(liveTextureCount(), before + 16);
  for (const char* name : {"checkbox", "checkboxchecked", "radio", "radiochecked", "closebutton",
                           "closebutton_down", "maximizebutton", "maximizebutton_down"}) {
    const TgaImage light = decodeFile(std::string(name) + ".tga");
    const TgaImage dark = decodeFile(std::string(name) + "_dark.tga");
    EXPECT_EQ(dark.Width, light.Width) << name;
    EXPECT_EQ(dark.Height, light.Height) << name;
    EXPECT_NE(dark.Pixels, light.Pixels) << name;
  }
  // The well of a check box and the inside of the maximise glyph show each theme's face: the
  // light images tinted by the background grey, the dark ones as they are.
  for (VTheme theme : {thDark, thLight}) {
    lf->setTheme(theme);
    const vt::Rgb face = theme == thDark ? vt::Rgb{40, 40, 44} : vt::Rgb{204, 204, 204};
    const vt::Rgb button = theme == thDark ? vt::Rgb{64, 64, 70} : vt::Rgb{204, 204, 204};
    vt::resetView();
    lf->drawCheckBox(false);
    glTranslatef(100, 0, 0);
    glColor4f(1, 1, 1, 1);
    lf->drawMaximizeButton(false, 19, 19);
    glLoadIdentity();
    EXPECT_TRUE(vt::pixelNear(7, 7, face)) << theme;
    EXPECT_TRUE(vt::pixelNear(110, 10, button)) << theme;
  }
  delete lf;
  EXPECT_EQ(liveTextureCount(), before);
}

}  // namespace
