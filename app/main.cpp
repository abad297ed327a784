// mini Vuna: the demo program. Opens the window, builds the demo scene and runs the main loop.
#include "app/app.h"
#include "screen/host.h"

int main(int argc, char** argv) { return vunaMain(argc, argv, buildDemoScene); }
