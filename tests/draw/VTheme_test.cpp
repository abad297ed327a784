// The dark theme's images: all found, loaded once at the first switch, freed with the rest.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <iostream>

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

TEST_F(LookAndFeelTheme, TheDarkImagesLoadOnceAtTheFirstSwitchAndGoWithTheLookAndFeel) {
  const int before = liveTextureCount();
  auto* lf = new VLookAndFeel();
  EXPECT_EQ(liveTextureCount(), before + 8);
  vt::StreamCapture out(std::cout);
  for (VTheme theme : {thDark, thLight, thDark}) {
    lf->setTheme(theme);
    EXPECT_EQ(lf->getTheme(), theme);
  }
  EXPECT_EQ(out.lines(), vt::Lines{});
  EXPECT_EQ(liveTextureCount(), before + 16);
  delete lf;
  EXPECT_EQ(liveTextureCount(), before);
}

}  // namespace
