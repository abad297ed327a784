// DemoFixture: scene set-up, input and read-back for the demo's tests.
#include "DemoFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/MyWindow.h"
#include "app/app.h"
#include "support/GlTest.h"
#include "support/StreamCapture.h"
#include "support/WidgetTree.h"
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

void DemoFixture::type(const std::string& text) {
  StreamCapture swallow(std::cout);
  ScreenFixture::type(text);
}

PngImage DemoFixture::render() { return PngImage(kWindowWidth, kWindowHeight, frame()); }

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
