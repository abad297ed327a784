// GlTest: window set-up and back-buffer read-back for pixel tests.
#include "support/GlTest.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>
#include <link.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace vt {

namespace {

// The GL driver is a library that libGL loads and unloads by itself. Once it is unloaded at
// exit, LeakSanitizer cannot name the module behind the driver's own allocations, and the
// suppressions (tests/lsan.supp) cannot match them. Pinning every library loaded so far keeps
// them mapped until the leak check has run.
void pinLoadedLibraries() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
          dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
      },
      nullptr);
}

// GLUT ends the process when the display refuses it; an X server that is just starting or
// resetting refuses for a moment, so wait for it (up to five seconds) before handing over.
void waitForDisplay() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (Display* display = XOpenDisplay(nullptr)) {
      XCloseDisplay(display);
      return;
    }
    usleep(100 * 1000);
  }
}

}  // namespace

void openTestWindow(int* argc, char** argv) {
  waitForDisplay();
  glutInit(argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA);
  glutInitWindowSize(kWindowWidth, kWindowHeight);
  glutInitWindowPosition(0, 0);
  glutCreateWindow("vuna tests");
  // Tests draw into the back buffer themselves; GLUT only insists that a callback exists.
  glutDisplayFunc([] {});
  // Let the window be mapped and configured before any test draws.
  for (int i = 0; i < 10; ++i) {
    glutMainLoopEvent();
  }
  pinLoadedLibraries();
  resetView();
}

void resetView() {
  glViewport(0, 0, kWindowWidth, kWindowHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kWindowWidth, kWindowHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glLineWidth(1.0f);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  while (glGetError() != GL_NO_ERROR) {
  }
}

Rgb readPixel(int x, int y) {
  unsigned char px[3] = {0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, kWindowHeight - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, px);
  return Rgb{px[0], px[1], px[2]};
}

Region readRegion(int x, int y, int w, int h) {
  Region bottomUp(static_cast<std::size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, kWindowHeight - y - h, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  Region topDown(bottomUp.size());
  const std::size_t row = static_cast<std::size_t>(w) * 3;
  for (int r = 0; r < h; ++r) {
    std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>((h - 1 - r) * row), row,
                topDown.begin() + static_cast<std::ptrdiff_t>(r * row));
  }
  return topDown;
}

Rgb toRgb(float r, float g, float b) {
  auto q = [](float v) { return static_cast<int>(std::lround(v * 255.0f)); };
  return Rgb{q(r), q(g), q(b)};
}

bool near(Rgb a, Rgb e, int tolerance) {
  return std::abs(a.r - e.r) <= tolerance && std::abs(a.g - e.g) <= tolerance &&
         std::abs(a.b - e.b) <= tolerance;
}

std::string toString(Rgb c) {
  std::ostringstream out;
  out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
  return out.str();
}

::testing::AssertionResult pixelNear(int x, int y, Rgb expected, int tolerance) {
  const Rgb found = readPixel(x, y);
  auto result = near(found, expected, tolerance) ? ::testing::AssertionSuccess()
                                                 : ::testing::AssertionFailure();
  return result << "(" << x << ", " << y << ") is " << toString(found) << ", expected near "
                << toString(expected);
}

std::string regionDifference(const Region& actual, const Region& expected, int w) {
  if (actual.size() != expected.size()) {
    return "regions of different sizes";
  }
  std::size_t differing = 0;
  std::string first;
  for (std::size_t i = 0; i + 2 < actual.size(); i += 3) {
    const Rgb a{actual[i], actual[i + 1], actual[i + 2]};
    const Rgb e{expected[i], expected[i + 1], expected[i + 2]};
    if (!near(a, e) && differing++ == 0) {
      const std::size_t pixel = i / 3;
      first = "(" + std::to_string(pixel % w) + ", " + std::to_string(pixel / w) + ") is " +
              toString(a) + ", expected " + toString(e);
    }
  }
  return differing == 0 ? "" : first + "; " + std::to_string(differing) + " pixels differ";
}

FrameCheck::FrameCheck() : depth_(0) { glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_); }

std::string FrameCheck::problems() const {
  std::ostringstream out;
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  if (depth != depth_) {
    out << "modelview stack depth " << depth << ", expected " << depth_ << "; ";
  }
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  if (mode != GL_MODELVIEW) {
    out << "matrix mode is not GL_MODELVIEW; ";
  }
  for (GLenum err = glGetError(); err != GL_NO_ERROR; err = glGetError()) {
    out << "GL error 0x" << std::hex << err << std::dec << "; ";
  }
  return out.str();
}

}  // namespace vt
