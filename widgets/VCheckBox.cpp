// VCheckBox: the toggle on a press, sizing to the caption, drawing and the dump.
#include "widgets/VCheckBox.h"

#include <GL/gl.h>

#include <cmath>
#include <iostream>
#include <utility>

#include "core/VClamp.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"

VCheckBox::VCheckBox(VWidget* owner)
    : VWidget(owner), State(cbUnchecked), BoxSize(16), Caption(), Font(new VFont()) {
  VCheckBox::Init();
  VCheckBox::layout();
}

VCheckBox::~VCheckBox() {
  delete Font;
  Font = nullptr;
  VCheckBox::CleanUp();
}

void VCheckBox::Init() {
  // Without a look and feel (outside the design) the font keeps its own defaults.
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
}

void VCheckBox::CleanUp() {}
void VCheckBox::childrenChanged() {}

void VCheckBox::layout() {
  if (Height < BoxSize) {
    Height = BoxSize;
  }
}

bool VCheckBox::canDrag(VEvent*) { return false; }
bool VCheckBox::canFocus(VEvent*) { return true; }
bool VCheckBox::takesTabFocus() { return true; }
bool VCheckBox::processMouseOwner(VEvent*) { return false; }

bool VCheckBox::processEvent(VEvent* e) {
  if (e->getType() == etMouseDown) {
    toggle(e);
  }
  return false;
}

void VCheckBox::toggle(VEvent* e) {
  State = (State == cbChecked) ? cbUnchecked : cbChecked;
  if (onChange != nullptr) {
    onChange(this, e);
  }
}

bool VCheckBox::processNavigationKey(VEvent* e) {
  if (e->getType() != etKeyboard || (e->getKey() != ' ' && e->getKey() != '\r')) {
    return false;
  }
  toggle(e);
  redraw();
  return true;
}

void VCheckBox::draw(VEvent*) {
  if (LookAndFeel != nullptr) {
    LookAndFeel->drawCheckBox(State == cbChecked);
  }
  drawCaption();
}

void VCheckBox::drawCaption() {
  if (LookAndFeel != nullptr) {
    Font->followTheme(LookAndFeel->getFont());
  }
  // 64-bit arithmetic: extreme sizes must not overflow. The vertical offset truncates toward
  // zero (0 for a 16-pixel font on the default box, 2 for a 12-pixel one).
  const long long dy = (static_cast<long long>(BoxSize) - Font->getSize()) / 2;
  glTranslatef(static_cast<GLfloat>(static_cast<long long>(BoxSize) + 2),
               static_cast<GLfloat>(dy), 0.0f);
  Font->drawInternal(Caption.c_str(), -1);
}

VCheckBoxState VCheckBox::getState() { return State; }
void VCheckBox::setState(VCheckBoxState newValue) { State = newValue; }
int VCheckBox::getBoxSize() { return BoxSize; }
void VCheckBox::setBoxSize(int newValue) { BoxSize = newValue; }
std::string VCheckBox::getCaption() { return Caption; }

void VCheckBox::setCaption(std::string newValue) {
  Caption = std::move(newValue);
  const double textWidth = std::trunc(static_cast<double>(Font->getTextWidth(Caption.c_str())));
  setWidth(vuna::toIntClamped(static_cast<double>(BoxSize) + textWidth + 2.0));
}

VFont* VCheckBox::getFont() { return Font; }

void VCheckBox::print() {
  std::cout << "Class : VCheckBox" << std::endl;
  std::cout << "State = " << static_cast<int>(State) << std::endl;
  std::cout << "BoxSize = " << BoxSize << std::endl;
  std::cout << "Caption = " << Caption << std::endl;
}
