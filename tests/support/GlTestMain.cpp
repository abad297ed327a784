// The shared test main: one GL window with a current context for the whole test process.
#include <gtest/gtest.h>

#include "support/GlTest.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display (the build may list them outside the X server).
  if (!GTEST_FLAG_GET(list_tests)) {
    vt::openTestWindow(&argc, argv);
  }
  return RUN_ALL_TESTS();
}
