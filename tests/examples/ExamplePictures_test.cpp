// The first frames of vuna-panel and vuna-gallery, built in the test process as their programs
// build them and drawn off screen at their window's size, are the pictures docs/ shows (which
// the programs' end-to-end tests hold to their real windows). Run on every kind of context.
#define GL_GLEXT_PROTOTYPES 1  // before GL's header: OffscreenTarget's framebuffer object
#include <gtest/gtest.h>

#include <string>

#include "GalleryScene.h"
#include "GoldenImage.h"
#include "PanelScene.h"
#include "screen/VScreen.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

namespace {

struct Example {
  const char* picture;
  int width;
  int height;
  void (*build)(VScreen*);
};

class ExamplePicture : public ::testing::TestWithParam<Example> {};

TEST_P(ExamplePicture, TheFirstFrameIsThePictureTheGuideShows) {
  const Example& e = GetParam();
  static const vt::GoldenImage goldens(VUNA_DOCS_DIR, VUNA_PICTURE_OUTPUT_DIR);
  auto* screen = new VScreen(nullptr);
  screen->setSize(e.width, e.height);
  e.build(screen);
  {
    const vt::OffscreenTarget target(e.width, e.height);
    ASSERT_TRUE(target.complete());
    VScreen::usePixelProjection(e.width, e.height, e.width, e.height);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);
    screen->glutDisplay();
    EXPECT_EQ(goldens.check(e.picture, vt::PngImage(e.width, e.height, target.readTopDown())),
              "");
  }
  delete screen;
  vt::resetView();
}

INSTANTIATE_TEST_SUITE_P(Examples, ExamplePicture,
                         ::testing::Values(Example{"panel", 500, 400, buildPanelScene},
                                           Example{"gallery", 640, 480, buildGalleryScene}),
                         [](const auto& info) { return std::string(info.param.picture); });

}  // namespace
