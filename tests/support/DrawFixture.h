// DrawFixture: a test that draws with GL itself and must leave GL as clean as it found it.
#pragma once

#include <gtest/gtest.h>

#include "support/GlTest.h"

namespace vt {

// Starts from the host's projection (resetView()) and, at the end, fails the test when a GL
// error is pending or the modelview stack is not back at its depth (FrameCheck).
class DrawFixture : public ::testing::Test {
 protected:
  void SetUp() override { resetView(); }
  void TearDown() override { EXPECT_EQ(frame_.problems(), "") << "the test left GL dirty"; }

 private:
  FrameCheck frame_;
};

}  // namespace vt
