// GlTest: window set-up and back-buffer read-back for pixel tests.
#include "support/GlTest.h"

#include <EGL/egl.h>
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>
#include <link.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
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

// An OpenGL ES 3 context (through EGL) on an off-screen surface the window's size, made current
// in place of the window's: the suites run again on it to show the toolkit draws the same there.
void useEsContext() {
  const EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  const EGLint config[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE,  8, EGL_GREEN_SIZE, 8,
                           EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_ES3_BIT, EGL_NONE};
  const EGLint size[] = {EGL_WIDTH, kWindowWidth, EGL_HEIGHT, kWindowHeight, EGL_NONE};
  const EGLint version[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_NONE};
  EGLConfig chosen = nullptr;
  EGLint count = 0;
  EGLSurface surface = EGL_NO_SURFACE;
  EGLContext context = EGL_NO_CONTEXT;
  if (eglInitialize(display, nullptr, nullptr) == EGL_TRUE &&
      eglChooseConfig(display, config, &chosen, 1, &count) == EGL_TRUE && count == 1 &&
      eglBindAPI(EGL_OPENGL_ES_API) == EGL_TRUE) {
    surface = eglCreatePbufferSurface(display, chosen, size);
    context = eglCreateContext(display, chosen, EGL_NO_CONTEXT, version);
  }
  glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);  // one API current at a time
  if (surface == EGL_NO_SURFACE || context == EGL_NO_CONTEXT ||
      eglMakeCurrent(display, surface, surface, context) != EGL_TRUE) {
    std::fprintf(stderr, "no OpenGL ES 3 context through EGL (error 0x%x)\n", eglGetError());
    std::exit(1);
  }
  // GLUT makes its window's context current again as it closes the window at exit, which the
  // X server refuses while EGL's context is current.
  std::atexit([] {
    eglMakeCurrent(eglGetCurrentDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  });
}

}  // namespace

std::string contextKind() {
  const char* kind = std::getenv("VUNA_TEST_CONTEXT");
  return kind != nullptr ? kind : "";
}

void openTestWindow(int* argc, char** argv) {
  waitForDisplay();
  glutInit(argc, argv);
  if (contextKind() == "core") {
    glutInitContextVersion(3, 3);
    glutInitContextProfile(GLUT_CORE_PROFILE);
  }
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
  if (contextKind() == "es") {
    useEsContext();
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
  const Region px = readRegion(x, y, 1, 1);
  return Rgb{px[0], px[1], px[2]};
}

// Read as RGBA, the one format every GL (ES too) reads back, and kept as RGB.
Region readRegion(int x, int y, int w, int h) {
  std::vector<std::uint8_t> bottomUp(static_cast<std::size_t>(w) * h * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, kWindowHeight - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  Region topDown(static_cast<std::size_t>(w) * h * 3);
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) {
      const std::size_t from = (static_cast<std::size_t>(h - 1 - r) * w + c) * 4;
      const std::size_t to = (static_cast<std::size_t>(r) * w + c) * 3;
      std::copy_n(&bottomUp[from], 3, &topDown[to]);
    }
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
