// The scene of vuna-panel: a small settings panel, a speed on a slider, a count in a spin box, a bar that
// follows the speed and a line that says it, each change printed on standard output.
#include <iostream>
#include <string>

#include <vuna/vuna.h>

#include "PanelScene.h"

namespace {

VProgressBar* speedBar = nullptr;
VLabel* speedLine = nullptr;

int whole(double v) { return static_cast<int>(v); }

// The bar and the line follow the slider on every change, committed or not.
void showSpeed(int speed) {
  speedBar->setValue(speed);
  speedLine->setCaption("Speed: " + std::to_string(speed) + " deg/s");
}

void speedChanged(VWidget* w, VEvent*) {
  const int speed = whole(static_cast<VSlider*>(w)->getValue());
  std::cout << "speed " << speed << std::endl;
  showSpeed(speed);
}

void speedSet(VWidget* w, VEvent*) {
  std::cout << "speed set " << whole(static_cast<VSlider*>(w)->getValue()) << std::endl;
}

void countChanged(VWidget* w, VEvent*) {
  std::cout << "count " << whole(static_cast<VSpinBox*>(w)->getValue()) << std::endl;
}

VLabel* label(VWidget* owner, const char* caption, int left, int top) {
  auto* l = new VLabel(owner);
  l->setLeft(left);
  l->setTop(top);
  l->setCaption(caption);
  return l;
}

}  // namespace

void buildPanelScene(VScreen* screen) {
  auto* window = new VWindow(screen);
  window->setLeft(20);
  window->setTop(20);
  window->setWidth(320);
  window->setHeight(230);
  window->setCaption("Settings");

  label(window, "Speed", 10, 35);
  auto* speed = new VSlider(window);
  speed->setLeft(70);
  speed->setTop(35);
  speed->setWidth(200);
  speed->setHeight(20);
  speed->setRange(0, 100);
  speed->setStep(1);
  speed->setValue(25);
  speed->setTooltip("Degrees per second");
  speed->onChange = speedChanged;
  speed->onCommit = speedSet;

  label(window, "Count", 10, 70);
  auto* count = new VSpinBox(window);
  count->setLeft(70);
  count->setTop(70);
  count->setWidth(80);
  count->setHeight(20);
  count->setRange(1, 10);
  count->setStep(1);
  count->setValue(3);
  count->onChange = countChanged;

  speedBar = new VProgressBar(window);
  speedBar->setLeft(10);
  speedBar->setTop(105);
  speedBar->setWidth(260);
  speedBar->setHeight(20);
  speedBar->setRange(0, 100);

  speedLine = label(window, "", 10, 140);
  showSpeed(whole(speed->getValue()));
}
