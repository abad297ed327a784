// context_probe: whether a screen serves the context current at its creation, and says so.
//
//   vuna_context_probe none   no context is current: one line, nothing drawn
//   vuna_context_probe core   a 3.3 core-profile context (no immediate mode, no display lists):
//                             served through the GL layer, without a line
//
// Builds a small tree, then runs the display pass, the overlay pass and a click through it.
// Exits 0 when standard error got exactly what is expected, standard output nothing and no GL
// error is pending; otherwise prints what went wrong and exits 1. Its own process, since GLUT
// picks a window's profile before it creates it.
#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "screen/VScreen.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VWindow.h"

namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int failWith(const std::string& why) {
  std::cout << "FAIL: " << why << std::endl;
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode != "none" && mode != "core") {
    std::cerr << "usage: " << argv[0] << " none|core" << std::endl;
    return 2;
  }
  if (mode == "core") {
    glutInit(&argc, argv);
    glutInitContextVersion(3, 3);
    glutInitContextProfile(GLUT_CORE_PROFILE);
    glutInitDisplayMode(GLUT_DOUBLE);
    glutInitWindowSize(200, 100);
    glutCreateWindow("core profile");
  }

  // Both streams go to files while the screen lives; they are read back after.
  char outPath[] = "/tmp/vuna-probe-out-XXXXXX";
  char errPath[] = "/tmp/vuna-probe-err-XXXXXX";
  const int outFd = mkstemp(outPath);
  const int errFd = mkstemp(errPath);
  const int savedOut = dup(STDOUT_FILENO);
  const int savedErr = dup(STDERR_FILENO);
  std::cout.flush();
  dup2(outFd, STDOUT_FILENO);
  dup2(errFd, STDERR_FILENO);

  auto* screen = new VScreen(nullptr);
  screen->setRedisplayHook([](void*) {}, nullptr);
  screen->setSize(200, 100);
  auto* window = new VWindow(screen);
  auto* button = new VCaptionButton(window);
  button->setCaption("Press");
  button->setTop(30);
  screen->glutDisplay();
  screen->drawOverlay();
  screen->glutMouse(0, 0, 10, 35);
  screen->glutMouse(0, 1, 10, 35);
  window->free();
  screen->glutDisplay();
  const bool serves = screen->getContextServes();
  const GLenum error = mode == "core" ? glGetError() : GLenum{GL_NO_ERROR};
  delete screen;

  std::cout.flush();
  std::cerr.flush();
  dup2(savedOut, STDOUT_FILENO);
  dup2(savedErr, STDERR_FILENO);
  const std::string out = slurp(outPath);
  const std::string err = slurp(errPath);
  unlink(outPath);
  unlink(errPath);

  const std::string expected = mode == "core" ? ""
                                               : "Vuna: no OpenGL context is current; create "
                                                 "the host window before the screen\n";
  if (serves != (mode == "core")) {
    return failWith(serves ? "the screen says it can serve" : "the screen refuses the context");
  }
  if (err != expected) {
    return failWith("standard error was \"" + err + "\"");
  }
  if (!out.empty()) {
    return failWith("standard output was \"" + out + "\"");
  }
  if (error != GL_NO_ERROR) {
    return failWith("GL error " + std::to_string(error) + " pending");
  }
  std::cout << "PASS: " << mode << ": " << err;
  return 0;
}
