// app: the demo scene and its five handlers.
#include "app/app.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include "app/MyWindow.h"
#include "screen/host.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VRadioButton.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

namespace {

void printClicked(const std::string& caption) {
  std::cout << "Sie haben " << caption << " angeklickt!" << std::endl;
}

void printNotAButton() {
  std::cout << "Methode wurde nicht von einem Button ausgel\xF6st" << std::endl;
}

}  // namespace

void buildDemoScene(VScreen* owner) {
  auto* bar = new VToolBar(owner);
  bar->setWidth(420);

  auto* start = new VCaptionButton(bar);
  start->setCaption("Start");
  auto* shutDown = new VCaptionButton(bar);
  shutDown->setCaption("Shut Down");
  shutDown->onPress = myShutDown;
  auto* subWindow = new VCaptionButton(bar);
  subWindow->setCaption("Sub Window");
  subWindow->onPress = mySubWindow;
  // The buttons sized themselves in their own Init after joining the row: lay it out again.
  bar->layout();

  new MyWindow(owner);
}

void myMethod1(VWidget* w, VEvent*) {
  VWidget* bar = w != nullptr ? w->getOwner() : nullptr;
  auto* window = dynamic_cast<MyWindow*>(bar != nullptr ? bar->getOwner() : nullptr);
  if (window == nullptr || screen == nullptr) {
    return;
  }
  auto* opened = new MyWindow(screen);
  if (window->textedit != nullptr) {  // the program may have taken the field away
    opened->setCaption(window->textedit->getText());
  }
}

void myMethod2(VWidget* w, VEvent*) {
  if (auto* button = dynamic_cast<VCaptionButton*>(w)) {
    printClicked(button->getCaption());
  } else {
    printNotAButton();
  }
}

void myMethod3(VWidget* w, VEvent*) {
  if (auto* radio = dynamic_cast<VRadioButton*>(w)) {
    printClicked(radio->getCaption());
  } else {
    printNotAButton();
  }
}

void myShutDown(VWidget*, VEvent*) { std::exit(0); }

void mySubWindow(VWidget*, VEvent*) {
  if (screen == nullptr) {
    return;
  }
  auto* outer = new VWindow(screen);
  outer->setWidth(200);
  outer->setHeight(200);
  auto* inner = new VWindow(outer);
  inner->setWidth(100);
  inner->setHeight(100);
}
