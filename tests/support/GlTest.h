// GlTest: the test process's GL window and helpers to read back what a frame drew.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

constexpr int kWindowWidth = 500;
constexpr int kWindowHeight = 400;

// "core" or "es" when the suite runs on a core-profile 3.3 context or an OpenGL ES 3 context
// (the environment's VUNA_TEST_CONTEXT), empty on the default compatibility context.
std::string contextKind();

// Opens the one 500 by 400 double-buffered RGBA GLUT window of the test process (the demo's
// size) and makes its context current. Called once by the shared test main.
void openTestWindow(int* argc, char** argv);

// The host's projection: one unit per pixel, origin at the top-left corner, y downwards;
// modelview identity; back buffer cleared to black. Call at the start of every pixel test.
void resetView();

struct Rgb {
  int r;
  int g;
  int b;
};

// The back-buffer pixel at (x, y) in toolkit coordinates (y grows downwards). Reads before any
// swap: after a swap the back buffer is undefined.
Rgb readPixel(int x, int y);

// The expected colour of a float colour as the 8-bit framebuffer stores it.
Rgb toRgb(float r, float g, float b);

// True when every channel is within tolerance (out of 255) of expected.
bool near(Rgb actual, Rgb expected, int tolerance = 2);

std::string toString(Rgb c);

// For EXPECT_TRUE and EXPECT_FALSE: whether the back-buffer pixel at (x, y) is near expected,
// the message naming the place and the colour found there.
::testing::AssertionResult pixelNear(int x, int y, Rgb expected, int tolerance = 2);

// A rectangle of pixels: rows top first, three bytes (RGB) a pixel, no padding.
using Region = std::vector<std::uint8_t>;

// A rectangle of the back buffer in toolkit coordinates.
Region readRegion(int x, int y, int w, int h);

// Empty when two regions of readRegion (w pixels a row) agree within 2/255 a channel
// everywhere; otherwise where they first differ and by how many pixels.
std::string regionDifference(const Region& actual, const Region& expected, int w);

// Records the modelview stack depth on construction; clean() says whether no GL error is
// pending and the depth is back where it started, describing what is wrong otherwise.
class FrameCheck {
 public:
  FrameCheck();
  std::string problems() const;  // empty when the frame left GL clean

 private:
  int depth_;
};

}  // namespace vt
