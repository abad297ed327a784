// ScreenFixture: set-up and tear-down of the test's screen.
#include "support/ScreenFixture.h"

#include "screen/host.h"
#include "support/GlTest.h"
#include "support/RecordingWidget.h"

namespace vt {

void ScreenFixture::SetUp() {
  hookLog().clear();
  resetView();
  screen_ = new VScreen(nullptr);
  screen_->setWidth(kWindowWidth);
  screen_->setHeight(kWindowHeight);
  screen = screen_;
}

void ScreenFixture::TearDown() {
  screen = nullptr;
  delete screen_;
  screen_ = nullptr;
}

}  // namespace vt
