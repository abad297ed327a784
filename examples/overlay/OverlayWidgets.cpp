#include "OverlayWidgets.h"

VCheckBox* buildOverlayWidgets(VScreen* screen, VEventHandler onReset) {
  auto* window = new VWindow(screen);
  window->setLeft(10);
  window->setTop(10);
  window->setWidth(240);
  window->setHeight(140);
  window->setCaption("Overlay");

  auto* reset = new VCaptionButton(window);
  reset->setLeft(10);
  reset->setTop(35);
  reset->setCaption("Reset view");
  reset->onPress = onReset;

  auto* wireframe = new VCheckBox(window);
  wireframe->setLeft(10);
  wireframe->setTop(65);
  wireframe->setCaption("Wireframe");

  auto* field = new VTextEdit(window);
  field->setLeft(10);
  field->setTop(95);
  field->setWidth(150);
  return wireframe;
}
