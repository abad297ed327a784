// VCaptionButton: caption sizing and centring, and the complete button's drawing.
#include "widgets/VCaptionButton.h"

#include <GL/gl.h>

#include <iostream>

#include "core/VClamp.h"
#include "core/VColor.h"

VCaptionButton::VCaptionButton(VWidget* owner)
    : VButton(owner), CaptionPositionX(0), Caption(), Font(new VFont()) {
  VCaptionButton::Init();
  VCaptionButton::layout();
}

VCaptionButton::~VCaptionButton() {
  delete Font;
  Font = nullptr;
  VCaptionButton::CleanUp();
}

// Without a look and feel (a button built outside a tree) the font keeps its own defaults.
void VCaptionButton::Init() {
  VButton::Init();
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  Height = 20;
  setCaption("Button");
}

void VCaptionButton::CleanUp() { VButton::CleanUp(); }

void VCaptionButton::layout() {
  VButton::layout();
  updateCaptionPosition();
}

// Widens by direct assignment: no MinWidth, no second layout, no onResize.
void VCaptionButton::updateCaptionPosition() {
  const int w = vuna::toIntClamped(Font->getTextWidth(Caption.c_str()));
  const int wanted = vuna::addClamped(w, 10);
  if (Width < wanted) {
    Width = wanted;
  }
  CaptionPositionX = vuna::clampToInt((static_cast<long long>(Width) - w) / 2);
}

std::string VCaptionButton::getCaption() { return Caption; }

void VCaptionButton::setCaption(std::string newValue) {
  Caption = std::move(newValue);
  updateCaptionPosition();
}

VFont* VCaptionButton::getFont() { return Font; }

bool VCaptionButton::canDrag(VEvent*) { return false; }
bool VCaptionButton::processEvent(VEvent* e) { return VButton::processEvent(e); }
bool VCaptionButton::processMouseOwner(VEvent* e) { return VButton::processMouseOwner(e); }
void VCaptionButton::childrenChanged() {}
bool VCaptionButton::canFocus(VEvent*) { return true; }
bool VCaptionButton::takesTabFocus() { return true; }

void VCaptionButton::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  LookAndFeel->getBackGroundColor()->setAsCurrent();
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(0.0f, 0.0f, w, h);
  glEnd();

  LookAndFeel->drawBevel(0.0f, 0.0f, w, h, State);

  if (getFocused()) {
    LookAndFeel->getHighlightColor()->setAsCurrent();
    glBegin(GL_LINE_LOOP);
    LookAndFeel->drawRect(1.0f, 1.0f, w - 2.0f, h - 2.0f);
    glEnd();
  }

  // The pressed shift stays in force for the rest of this widget's pass (its custom draw and
  // children); the base pops it with the widget's matrix.
  if (State == bsDown) {
    glTranslatef(1.0f, 1.0f, 0.0f);
  }
  const int visible = Font->getLengthForWidth(Caption.c_str(), Width);
  Font->drawAtPos(Caption.c_str(), CaptionPositionX, 1, visible);
}

void VCaptionButton::print() {
  std::cout << "Class : VCaptionButton" << std::endl;
  std::cout << "Caption = " << Caption << std::endl;
}
