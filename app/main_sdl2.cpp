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

int main(int argc, char** argv) {
  VHostOptions options;  // the GLUT demo's window: 500 by 400 at (100, 100)
  options.title = "mini Vuna (SDL2)";
  return vunaSdl2Main(argc, argv, buildScene, options);
}
