// ScreenFixture: a test with a real screen of the window's size, reachable by the host callbacks.
#pragma once

#include <gtest/gtest.h>

#include "screen/VScreen.h"

namespace vt {

// Creates a VScreen (its look and feel loads the images from the working directory), sizes it
// to the 500 by 400 test window as the first reshape would, and makes it the program's global
// screen for the duration of the test. Drawing tests start from resetView().
class ScreenFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A press and release of a GLUT button at one place: three dispatches.
  void click(int x, int y, int button = 0);

  VScreen* screen_ = nullptr;
};

}  // namespace vt
