// vuna-panel: a small settings panel, a speed on a slider, a count in a spin box, a bar that
// follows the speed and a line that says it, each change printed on standard output.
#include <vuna/screen/host.h>
#include <vuna/vuna.h>

#include "PanelScene.h"

int main(int argc, char** argv) {
  VHostOptions options;
  options.title = "Vuna panel";
  return vunaMain(argc, argv, buildPanelScene, options);
}
