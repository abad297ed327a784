// plugin: a shared library of the program's that links Vuna's static library into itself.
#include <vuna/vuna.h>

// Builds a window under the screen it is given: enough to pull widget code into the library.
extern "C" int consumerPluginAddWindow(VScreen* screen) {
  auto* window = new VWindow(screen);
  window->setCaption("From a plug-in");
  return window->getWidth();
}
