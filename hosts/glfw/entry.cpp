// entry: the GLFW window, the screen and the loop that draws only when asked.
#include "hosts/glfw/entry.h"

#include <GLFW/glfw3.h>

#include <string>

#include "core/VMessages.h"
#include "hosts/glfw/VGlfwHost.h"
#include "screen/VScreen.h"

namespace {

void reportError(int, const char* description) {
  VMessages::write(VMessages::msError, std::string("Vuna: GLFW: ") + description);
}

// The draw step of GLUT's display callback: clear (OpenGL's default clear colour), one draw
// pass, swap.
void display(GLFWwindow* window, VScreen* screen) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  screen->glutDisplay();
  glfwSwapBuffers(window);
}

}  // namespace

int vunaGlfwMain(int argc, char** argv, VSceneBuilder buildScene, const char* title) {
  return vunaGlfwMain(argc, argv, buildScene, VHostOptions::titled(title));
}

int vunaGlfwMain(int, char**, VSceneBuilder buildScene, const VHostOptions& given) {
  const VHostOptions options = given.checked();
  glfwSetErrorCallback(reportError);
  if (glfwInit() != GLFW_TRUE) {
    return 1;
  }
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
  glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
  // As GLUT_DOUBLE alone: no depth or stencil buffer is asked for.
  glfwWindowHint(GLFW_DEPTH_BITS, 0);
  glfwWindowHint(GLFW_STENCIL_BITS, 0);
  // Placed before it is shown: GLFW 3.3 has no hint for the position.
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  // Without a scale of the program's, the window grows by the desktop's content scale, which
  // the screen then follows.
  glfwWindowHint(GLFW_SCALE_TO_MONITOR, options.scale > 0 ? GLFW_FALSE : GLFW_TRUE);
  GLFWwindow* window = glfwCreateWindow(options.pixelWidth(), options.pixelHeight(),
                                        options.title, nullptr, nullptr);
  if (window == nullptr) {
    glfwTerminate();
    return 1;
  }
  glfwSetWindowPos(window, options.left, options.top);
  glfwMakeContextCurrent(window);

  // Heap objects behind plain pointers: a handler or Escape may end the process with exit(),
  // which must find no destructor to run on a live window.
  auto* screen = new VScreen(nullptr);
  if (options.scale > 0) {
    screen->setScale(options.scale);
  }
  auto* host = new VGlfwHost(screen, hrProgram);  // before the scene: its redraws ask GLFW
  if (buildScene != nullptr) {
    buildScene(screen);
  }
  host->install(window);
  glfwShowWindow(window);

  while (glfwWindowShouldClose(window) == GLFW_FALSE) {
    if (host->takeRedisplay()) {
      display(window, screen);
    }
    host->waitEvents();
  }

  delete host;
  delete screen;  // its textures go while their context is still current
  glfwDestroyWindow(window);
  glfwTerminate();
  return 0;
}
