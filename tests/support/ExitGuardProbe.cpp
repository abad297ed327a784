// A test that ends its process with exit(0): the shared main must report it as a failure.
#include <gtest/gtest.h>

#include <cstdlib>

TEST(ExitGuardProbe, EndsTheProcessWithStatusZero) { std::exit(0); }
