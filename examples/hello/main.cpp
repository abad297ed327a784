#include <iostream>

#include <vuna/screen/host.h>
#include <vuna/vuna.h>

static void sayHello(VWidget*, VEvent*) { std::cout << "Hello!" << std::endl; }

static void buildScene(VScreen* screen) {
  auto* window = new VWindow(screen);  // a widget joins its owner, which owns and frees it
  window->setWidth(300);
  window->setHeight(150);
  window->setCaption("Hello");
  auto* button = new VCaptionButton(window);
  button->setCaption("Say hello");
  button->setLeft(10);
  button->setTop(40);
  button->onPress = sayHello;
}

int main(int argc, char** argv) { return vunaMain(argc, argv, buildScene, "Hello"); }
