// context_probe: a screen created where GL cannot serve it says so in one line and draws nothing.
//
//   vuna_context_probe none   no context is current when the screen is created
//   vuna_context_probe core   a 3.3 core-profile context (no immediate mode, no display lists)
//
// Builds a small tree, then runs the display pass, the overlay pass and a click through it.
// Exits 0 when standard error got exactly the one expected line, standard output nothing, no
// GL error is pending and the screen says it cannot serve; otherwise prints what went wrong and
// exits 1. Its own process, since GLUT picks a window's profile before it creates it.
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

  const std::string expected = mode == "core"
                                   ? "Vuna: the OpenGL context ("
                                   : "Vuna: no OpenGL context is current; create the host "
                                     "window before the screen\n";
  if (serves) {
    return failWith("the screen says it can serve");
  }
  if (err.rfind(expected, 0) != 0 || err.find('\n') != err.size() - 1) {
    return failWith("standard error was \"" + err + "\"");
  }
  if (mode == "core" && err.find(") is a core profile without immediate mode") == std::string::npos) {
    return failWith("the line does not say what is missing: " + err);
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
