// ScreenFixture: a test with a real screen of the window's size, reachable by the host callbacks.
#pragma once

#include <gtest/gtest.h>

#include "screen/VScreen.h"
#include "support/ScreenDriver.h"

namespace vt {

// Creates a VScreen (its look and feel loads the images from the working directory), sizes it
// to the 500 by 400 test window as the first reshape would, and makes it the program's global
// screen for the duration of the test, driven through the ScreenDriver calls. Drawing tests
// start from resetView() (drawFrame() does so itself).
class ScreenFixture : public ::testing::Test, public ScreenDriver {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace vt
