// DemoFixture: scene set-up, input and read-back for the demo's tests.
#include "DemoFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "WidgetTree.h"
#include "app/MyWindow.h"
#include "app/app.h"
#include "support/GlTest.h"
#include "support/HostNumbers.h"
#include "support/StreamCapture.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VRadioButton.h"
#include "widgets/VToolBar.h"

namespace vt {

namespace {

bool exitIsAFailure = false;

void failOnExit() {
  if (exitIsAFailure) {
    std::fputs("FAIL: the process ended in the middle of a demo test\n", stderr);
    std::_Exit(1);
  }
}
}  // namespace

void DemoFixture::allowExit() { exitIsAFailure = false; }

void DemoFixture::TearDown() {
  exitIsAFailure = false;
  ScreenFixture::TearDown();
}

void DemoFixture::SetUp() {
  static const bool registered = std::atexit(failOnExit) == 0;
  ASSERT_TRUE(registered);
  exitIsAFailure = true;
  ScreenFixture::SetUp();
  buildDemoScene(screen_);
  const std::vector<VWidget*> top = childrenOf(screen_);
  ASSERT_EQ(top.size(), 2u);
  window_ = dynamic_cast<MyWindow*>(top[0]);
  screenBar_ = dynamic_cast<VToolBar*>(top[1]);
  ASSERT_NE(window_, nullptr) << "the demo window is not the frontmost child of the screen";
  ASSERT_NE(screenBar_, nullptr) << "the toolbar is not behind the demo window";
}

void DemoFixture::press(int x, int y, int button) { screen_->glutMouse(button, kDown, x, y); }
void DemoFixture::release(int x, int y, int button) { screen_->glutMouse(button, kUp, x, y); }
void DemoFixture::motion(int x, int y) { screen_->glutMotion(x, y); }

void DemoFixture::clickAt(int x, int y, int button) {
  press(x, y, button);
  release(x, y, button);
}

void DemoFixture::drag(int x0, int y0, int x1, int y1) {
  press(x0, y0);
  motion(x1, y1);
  release(x1, y1);
}

void DemoFixture::type(const std::string& text) {
  StreamCapture swallow(std::cout);
  for (char c : text) {
    const auto key = static_cast<unsigned char>(c);
    screen_->glutKeyboard(key, 0, 0);
    screen_->glutKeyboardUp(key, 0, 0);
  }
}

void DemoFixture::clickOn(VWidget* w) {
  const ScreenPoint p = screenOrigin(w);
  clickAt(p.x + w->getWidth() / 2, p.y + w->getHeight() / 2);
}

PngImage DemoFixture::render() {
  resetView();
  FrameCheck check;
  screen_->glutDisplay();
  std::vector<std::uint8_t> pixels = readRegion(0, 0, kWindowWidth, kWindowHeight);
  EXPECT_EQ(check.problems(), "");
  return PngImage(kWindowWidth, kWindowHeight, std::move(pixels));
}

std::vector<MyWindow*> DemoFixture::demoWindows() {
  std::vector<MyWindow*> windows;
  for (VWidget* child : childrenOf(screen_)) {
    if (auto* w = dynamic_cast<MyWindow*>(child)) {
      windows.push_back(w);
    }
  }
  return windows;
}

VCaptionButton* DemoFixture::button(VWidget* root, const std::string& caption) {
  return captioned<VCaptionButton>(root, caption);
}

VRadioButton* DemoFixture::radio(VWidget* root, const std::string& caption) {
  return captioned<VRadioButton>(root, caption);
}

int DemoFixture::screenChildCount() { return static_cast<int>(childrenOf(screen_).size()); }

}  // namespace vt
