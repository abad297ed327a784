// vuna-counter: three counters in a window, the example widget of docs/widgets.md at work.
#include <iostream>

#include <vuna/screen/host.h>
#include <vuna/vuna.h>

#include "VCounter.h"

namespace {

void printValue(VWidget* w, VEvent*) {
  std::cout << "counter " << static_cast<const char*>(w->getUserData()) << " = "
            << static_cast<VCounter*>(w)->getValue() << std::endl;
}

void buildScene(VScreen* screen) {
  auto* window = new VWindow(screen);
  window->setCaption("Counters");
  window->setLeft(20);
  window->setTop(20);
  window->setWidth(260);
  window->setHeight(110);
  static const char* const names[] = {"a", "b", "c"};
  for (int i = 0; i < 3; ++i) {
    auto* counter = new VCounter(window);
    counter->setLeft(10 + 80 * i);
    counter->setTop(40);
    counter->setUserData(const_cast<char*>(names[i]));
    counter->onChange = printValue;
  }
}

}  // namespace

int main(int argc, char** argv) { return vunaMain(argc, argv, buildScene, "Vuna counters"); }
