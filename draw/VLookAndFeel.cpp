// VLookAndFeel: palette defaults, image loading, bevels, rectangles and textured quads.
#include "draw/VLookAndFeel.h"

#include <GL/gl.h>

#include <iostream>

#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/tga.h"

namespace {

// The dark theme's images, in the order of the light ones' fields.
const char* const kDarkImages[8] = {
    "checkbox_dark.tga",       "checkboxchecked_dark.tga",    "radio_dark.tga",
    "radiochecked_dark.tga",   "closebutton_dark.tga",        "closebutton_down_dark.tga",
    "maximizebutton_dark.tga", "maximizebutton_down_dark.tga"};
enum DarkImage { diCheckBox, diCheckBoxChecked, diRadio, diRadioChecked, diClose, diCloseDown,
                 diMaximize, diMaximizeDown };
// The images at twice the size, [theme][image].
const char* const kHighResImages[2][8] = {
    {"checkbox_2x.tga", "checkboxchecked_2x.tga", "radio_2x.tga", "radiochecked_2x.tga",
     "closebutton_2x.tga", "closebutton_down_2x.tga", "maximizebutton_2x.tga",
     "maximizebutton_down_2x.tga"},
    {"checkbox_dark_2x.tga", "checkboxchecked_dark_2x.tga", "radio_dark_2x.tga",
     "radiochecked_dark_2x.tga", "closebutton_dark_2x.tga", "closebutton_down_dark_2x.tga",
     "maximizebutton_dark_2x.tga", "maximizebutton_down_dark_2x.tga"}};

// A channel given as a byte, so the dark palette's colours read back exactly from the frame.
constexpr float byte(int value) { return static_cast<float>(value) / 255.0f; }

}  // namespace

VLookAndFeel::VLookAndFeel()
    : Theme(thLight),
      DarkImagesLoaded(false),
      DarkTexIDs{},
      HighResolution(false),
      HighResImagesLoaded{false, false},
      HighResTexIDs{},
      CheckBoxTexID(0),
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
      ScreenColor(new VColor()),
      Font(new VFont()) {
  Init();
}

VLookAndFeel::~VLookAndFeel() {
  delete Font;
  delete ScreenColor;
  delete HighlightColor;
  delete BevelDisabledColor;
  delete BevelLoweredColor;
  delete BevelRaisedColor;
  delete DisabledColor;
  delete BackGroundColor;
  Font = nullptr;
  ScreenColor = nullptr;
  HighlightColor = BevelDisabledColor = BevelLoweredColor = nullptr;
  BevelRaisedColor = DisabledColor = BackGroundColor = nullptr;
  VLookAndFeel::CleanUp();
}

void VLookAndFeel::setPalette(VTheme theme) {
  if (theme == thDark) {
    // Light text on dark faces; the bevels keep the light coming from the top left, and the
    // highlight is a deep blue the light text stays readable on.
    Font->getColor()->set(byte(230), byte(230), byte(230), 1.0f);
    BackGroundColor->set(byte(64), byte(64), byte(70), 1.0f);
    BevelLoweredColor->set(byte(16), byte(16), byte(18), 1.0f);
    BevelRaisedColor->set(byte(118), byte(118), byte(128), 1.0f);
    BevelDisabledColor->set(byte(104), byte(104), byte(112), 1.0f);
    HighlightColor->set(byte(38), byte(79), byte(120), 1.0f);
    DisabledColor->set(byte(128), byte(128), byte(136), 1.0f);
    ScreenColor->set(byte(20), byte(22), byte(38), 1.0f);
    return;
  }
  Font->getColor()->set(0.0f, 0.0f, 0.0f, 1.0f);
  BackGroundColor->set(0.8f, 0.8f, 0.8f, 1.0f);
  BevelLoweredColor->set(0.5f, 0.5f, 0.5f, 1.0f);
  BevelRaisedColor->set(1.0f, 1.0f, 1.0f, 1.0f);
  BevelDisabledColor->set(0.7f, 0.7f, 0.7f, 1.0f);
  HighlightColor->set(198.0f / 255.0f, 245.0f / 255.0f, 1.0f, 1.0f);
  DisabledColor->set(0.5f, 0.5f, 0.5f, 1.0f);
  ScreenColor->set(0.3f, 0.3f, 0.5f, 1.0f);
}

void VLookAndFeel::Init() {
  Theme = thLight;
  setPalette(thLight);
  Font->setSize(16);

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
  if (DarkImagesLoaded) {
    glDeleteTextures(8, DarkTexIDs);
    DarkImagesLoaded = false;
  }
  for (int theme = 0; theme < 2; ++theme) {
    if (HighResImagesLoaded[theme]) {
      glDeleteTextures(8, HighResTexIDs[theme]);
      HighResImagesLoaded[theme] = false;
    }
  }
}

void VLookAndFeel::loadImagesInUse() {
  if (HighResolution && !HighResImagesLoaded[Theme]) {
    for (int i = 0; i < 8; ++i) {
      HighResTexIDs[Theme][i] = createTexture(kHighResImages[Theme][i]);
    }
    HighResImagesLoaded[Theme] = true;
  } else if (!HighResolution && Theme == thDark && !DarkImagesLoaded) {
    for (int i = 0; i < 8; ++i) {
      DarkTexIDs[i] = createTexture(kDarkImages[i]);
    }
    DarkImagesLoaded = true;
  }
}

unsigned int VLookAndFeel::imageInUse(int i) const {
  if (HighResolution) {
    return HighResTexIDs[Theme][i];
  }
  if (Theme == thDark) {
    return DarkTexIDs[i];
  }
  const unsigned int light[8] = {CheckBoxTexID,     CheckBoxCheckedTexID,   RadioButtonTexID,
                                 RadioButtonCheckedTexID, CloseButtonTexID, CloseButtonDownTexID,
                                 MaximizeButtonTexID, MaximizeButtonDownTexID};
  return light[i];
}

void VLookAndFeel::setTheme(VTheme theme) {
  if (theme != thLight && theme != thDark) {
    return;
  }
  Theme = theme;
  loadImagesInUse();
  setPalette(theme);
}

VTheme VLookAndFeel::getTheme() const { return Theme; }

void VLookAndFeel::setHighResolution(bool highResolution) {
  HighResolution = highResolution;
  loadImagesInUse();
}

bool VLookAndFeel::getHighResolution() const { return HighResolution; }

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

void VLookAndFeel::drawTextField(int width, int field, int height, bool enabled, bool focused,
                                 VFont* font, const char* text) {
  const float w = static_cast<float>(width);
  const float f = static_cast<float>(field);
  const float h = static_cast<float>(height);
  fillRect(0.0f, 0.0f, w, h, BackGroundColor);
  drawBevel(0.0f, 0.0f, f, h, enabled ? bsDown : bsDisabled);
  if (focused) {
    HighlightColor->setAsCurrent();
    glBegin(GL_LINE_LOOP);
    drawRect(1.0f, 1.0f, f - 2.0f, h - 2.0f);
    glEnd();
  }
  const int visible = font->getLengthForWidth(text, field - 6);
  font->drawAtPos(text, 3, (height - font->getSize()) / 2, visible);
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

// The light check boxes and radio buttons are drawn white-faced and take the background grey
// as their tint; the dark ones carry their own colours.
void VLookAndFeel::drawCheckBox(bool checked) {
  if (Theme == thDark) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  } else {
    BackGroundColor->setAsCurrent();
  }
  drawTexture(imageInUse(checked ? diCheckBoxChecked : diCheckBox), 16, 16);
}

void VLookAndFeel::drawRadioButton(bool checked) {
  if (Theme == thDark) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  } else {
    BackGroundColor->setAsCurrent();
  }
  drawTexture(imageInUse(checked ? diRadioChecked : diRadio), 16, 16);
}

void VLookAndFeel::drawCloseButton(bool down, int width, int height) {
  drawTexture(imageInUse(down ? diCloseDown : diClose), width, height);
}

void VLookAndFeel::drawMaximizeButton(bool down, int width, int height) {
  drawTexture(imageInUse(down ? diMaximizeDown : diMaximize), width, height);
}

VColor* VLookAndFeel::getBackGroundColor() { return BackGroundColor; }
VColor* VLookAndFeel::getDisabledColor() { return DisabledColor; }
VColor* VLookAndFeel::getBevelRaisedColor() { return BevelRaisedColor; }
VColor* VLookAndFeel::getBevelLoweredColor() { return BevelLoweredColor; }
VColor* VLookAndFeel::getBevelDisabledColor() { return BevelDisabledColor; }
VColor* VLookAndFeel::getHighlightColor() { return HighlightColor; }
VColor* VLookAndFeel::getScreenColor() { return ScreenColor; }
VFont* VLookAndFeel::getFont() { return Font; }

void VLookAndFeel::print() { std::cout << "Class : VLookAndFeel" << std::endl; }
