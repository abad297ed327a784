// The shared test main: one GL window with a current context for the whole test process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/GlTest.h"

namespace {

// The test that is running, and the process it runs in. A test that ends the process through
// exit() (a handler that quits, a stray exit call) would otherwise leave with the status it
// passed, 0 included, and count as passed.
std::string runningTest;
pid_t testProcess = 0;

class ExitGuard : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& info) override {
    runningTest = std::string(info.test_suite_name()) + "." + info.name();
    testProcess = getpid();
  }
  void OnTestEnd(const ::testing::TestInfo&) override { runningTest.clear(); }
};

// A death test's child (forked, or started again to run one statement) is meant to exit.
void failAnExitInsideATest() {
  if (runningTest.empty() || getpid() != testProcess ||
      !GTEST_FLAG_GET(internal_run_death_test).empty()) {
    return;
  }
  std::fprintf(stderr, "%s ended the process with exit() before it finished\n",
               runningTest.c_str());
  std::fflush(stderr);
  _exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ExitGuard);
  std::atexit(failAnExitInsideATest);
  // Listing the tests needs no display (the build may list them outside the X server).
  if (!GTEST_FLAG_GET(list_tests)) {
    vt::openTestWindow(&argc, argv);
  }
  return RUN_ALL_TESTS();
}
