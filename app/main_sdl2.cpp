// mini Vuna under SDL2: the demo scene in a window that SDL2 opens and runs.
#include "app/app.h"
#include "hosts/sdl2/entry.h"
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
  return vunaSdl2Main(argc, argv, buildScene, VHostOptions::titled("mini Vuna (SDL2)"));
}
