// mini Vuna under GLFW: the demo scene in a window that GLFW opens and runs.
#include "app/app.h"
#include "hosts/glfw/entry.h"
#include "screen/host.h"

namespace {

// The demo's handlers open their windows under the global screen.
void buildScene(VScreen* s) {
  screen = s;
  buildDemoScene(s);
}

}  // namespace

// The GLUT demo's window, 500 by 400 at (100, 100), through the options every entry takes.
int main(int argc, char** argv) {
  return vunaGlfwMain(argc, argv, buildScene, VHostOptions::titled("mini Vuna (GLFW)"));
}
