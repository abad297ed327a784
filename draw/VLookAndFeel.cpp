// VLookAndFeel: palette defaults, image loading, bevels, rectangles and textured quads.
#include "draw/VLookAndFeel.h"

#include <GL/gl.h>

#include <iostream>

#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/tga.h"

VLookAndFeel::VLookAndFeel()
    : CheckBoxTexID(0),
      CheckBoxCheckedTexID(0),
      RadioButtonCheckedTexID(0),
      RadioButtonTexID(0),
      CloseButtonTexID(0),
      CloseButtonDownTexID(0),
      MaximizeButtonTexID(0),
      MaximizeButtonDownTexID(0),
      RestoreButtonTexID(0),
      RestoreButtonDownTexID(0),
      MinimizeButtonTexID(0),
      MinimizeButtonDownTexID(0),
      BackGroundColor(new VColor()),
      DisabledColor(new VColor()),
      BevelRaisedColor(new VColor()),
      BevelLoweredColor(new VColor()),
      BevelDisabledColor(new VColor()),
      HighlightColor(new VColor()),
      Font(new VFont()) {
  Init();
}

VLookAndFeel::~VLookAndFeel() {
  delete Font;
  delete HighlightColor;
  delete BevelDisabledColor;
  delete BevelLoweredColor;
  delete BevelRaisedColor;
  delete DisabledColor;
  delete BackGroundColor;
  Font = nullptr;
  HighlightColor = BevelDisabledColor = BevelLoweredColor = nullptr;
  BevelRaisedColor = DisabledColor = BackGroundColor = nullptr;
  VLookAndFeel::CleanUp();
}

void VLookAndFeel::Init() {
  Font->getColor()->set(0.0f, 0.0f, 0.0f, 1.0f);
  Font->setSize(16);
  BackGroundColor->set(0.8f, 0.8f, 0.8f, 1.0f);
  BevelLoweredColor->set(0.5f, 0.5f, 0.5f, 1.0f);
  BevelRaisedColor->set(1.0f, 1.0f, 1.0f, 1.0f);
  BevelDisabledColor->set(0.7f, 0.7f, 0.7f, 1.0f);
  HighlightColor->set(198.0f / 255.0f, 245.0f / 255.0f, 1.0f, 1.0f);
  DisabledColor->set(0.5f, 0.5f, 0.5f, 1.0f);

  CheckBoxTexID = createTexture("checkbox.tga");
  CheckBoxCheckedTexID = createTexture("checkboxchecked.tga");
  RadioButtonTexID = createTexture("radio.tga");
  RadioButtonCheckedTexID = createTexture("radiochecked.tga");
  CloseButtonTexID = createTexture("closebutton.tga");
  CloseButtonDownTexID = createTexture("closebutton_down.tga");
  MaximizeButtonTexID = createTexture("maximizebutton.tga");
  MaximizeButtonDownTexID = createTexture("maximizebutton_down.tga");
}

void VLookAndFeel::CleanUp() {
  glDeleteTextures(1, &CheckBoxTexID);
  glDeleteTextures(1, &CheckBoxCheckedTexID);
  glDeleteTextures(1, &RadioButtonTexID);
  glDeleteTextures(1, &RadioButtonCheckedTexID);
  glDeleteTextures(1, &CloseButtonTexID);
  glDeleteTextures(1, &CloseButtonDownTexID);
  glDeleteTextures(1, &MaximizeButtonTexID);
  glDeleteTextures(1, &MaximizeButtonDownTexID);
}

void VLookAndFeel::drawBevel(float x, float y, float w, float h, VBevelState state) {
  glBegin(GL_LINES);
  switch (state) {
    case bsUp: BevelRaisedColor->setAsCurrent(); break;
    case bsDown: BevelLoweredColor->setAsCurrent(); break;
    case bsDisabled: BevelDisabledColor->setAsCurrent(); break;
  }
  glVertex2f(x, y + h);
  glVertex2f(x, y);
  glVertex2f(x, y);
  glVertex2f(x + w, y);
  switch (state) {
    case bsUp: BevelLoweredColor->setAsCurrent(); break;
    case bsDown: BevelRaisedColor->setAsCurrent(); break;
    case bsDisabled: BevelDisabledColor->setAsCurrent(); break;
  }
  glVertex2f(x + w, y);
  glVertex2f(x + w, y + h);
  glVertex2f(x + w, y + h);
  glVertex2f(x, y + h);
  glEnd();
}

void VLookAndFeel::drawRect(float x, float y, float w, float h) {
  glVertex2f(x, y + h);
  glVertex2f(x, y);
  glVertex2f(x + w, y);
  glVertex2f(x + w, y + h);
}

void VLookAndFeel::fillRect(float x, float y, float w, float h, VColor* color) {
  color->setAsCurrent();
  glBegin(GL_POLYGON);
  drawRect(x, y, w, h);
  glEnd();
}

void VLookAndFeel::drawTexture(unsigned int texID, int width, int height) {
  const GLfloat w = static_cast<GLfloat>(width);
  const GLfloat h = static_cast<GLfloat>(height);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texID);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(0.0f, h);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(w, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(w, h);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void VLookAndFeel::drawCheckBox(bool checked) {
  BackGroundColor->setAsCurrent();
  drawTexture(checked ? CheckBoxCheckedTexID : CheckBoxTexID, 16, 16);
}

void VLookAndFeel::drawRadioButton(bool checked) {
  BackGroundColor->setAsCurrent();
  drawTexture(checked ? RadioButtonCheckedTexID : RadioButtonTexID, 16, 16);
}

void VLookAndFeel::drawCloseButton(bool down, int width, int height) {
  drawTexture(down ? CloseButtonDownTexID : CloseButtonTexID, width, height);
}

void VLookAndFeel::drawMaximizeButton(bool down, int width, int height) {
  drawTexture(down ? MaximizeButtonDownTexID : MaximizeButtonTexID, width, height);
}

VColor* VLookAndFeel::getBackGroundColor() { return BackGroundColor; }
VColor* VLookAndFeel::getDisabledColor() { return DisabledColor; }
VColor* VLookAndFeel::getBevelRaisedColor() { return BevelRaisedColor; }
VColor* VLookAndFeel::getBevelLoweredColor() { return BevelLoweredColor; }
VColor* VLookAndFeel::getBevelDisabledColor() { return BevelDisabledColor; }
VColor* VLookAndFeel::getHighlightColor() { return HighlightColor; }
VFont* VLookAndFeel::getFont() { return Font; }

void VLookAndFeel::print() { std::cout << "Class : VLookAndFeel" << std::endl; }
