// VFont: metrics from the fixed glyph cell, drawing through the text drawer, copy and dump.
#include "draw/VFont.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <iostream>

#include "core/VColor.h"
#include "draw/DrawText.h"

namespace {

// The bytes the drawer gives a glyph and a 12-unit advance in every text: printable ASCII and
// Latin-1's letters and signs. DEL is left out: it advances in a plain ASCII text but not in one
// with a Latin-1 byte.
bool hasGlyph(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 32 && b < 127) || b >= 160;
}

}  // namespace

VFont::VFont()
    : Size(16), Bold(false), Color(new VColor()), FollowsTheme(false), ThemeRevision(0) {
  Init();
}

VFont::~VFont() {
  delete Color;
  Color = nullptr;
  CleanUp();
}

void VFont::Init() {}
void VFont::CleanUp() {}

int VFont::getSize() { return Size; }
void VFont::setSize(int newValue) { Size = newValue; }
bool VFont::getBold() { return Bold; }
void VFont::setBold(bool newValue) { Bold = newValue; }

VColor* VFont::getColor() { return Color; }

void VFont::drawInternal(const char* aText, int maxLength) {
  Color->setAsCurrent();
  glScalef(static_cast<GLfloat>(Size / 16.0), static_cast<GLfloat>(Size / 16.0), 1.0f);
  // The text is the argument of a plain "%s", never the format: its percent signs are glyphs.
  CTextDrawer::GetSingleton()->PrintText(Bold, maxLength, "%s", aText ? aText : "");
}

void VFont::draw(const char* aText, int maxLength) {
  glPushMatrix();
  drawInternal(aText, maxLength);
  glPopMatrix();
}

void VFont::drawAtPos(const char* aText, int x, int y, int maxLength) {
  glPushMatrix();
  glTranslatef(static_cast<GLfloat>(x), static_cast<GLfloat>(y), 0.0f);
  drawInternal(aText, maxLength);
  glPopMatrix();
}

// Each run of glyph bytes is copied out with its end, so a long text costs only what is drawn
// (the drawer's format would measure the whole rest of it) and a run never passes the
// drawer's buffer.
void VFont::drawInCells(const char* text, int length, int x, int y) {
  if (text == nullptr) {
    return;
  }
  const double advance = Size * 12.0 / 16.0;
  char run[1024];
  int i = 0;
  while (i < length) {
    while (i < length && !hasGlyph(text[i])) {
      ++i;
    }
    const int start = i;
    int n = 0;
    while (i < length && n < static_cast<int>(sizeof run) - 1 && hasGlyph(text[i])) {
      run[n++] = text[i++];
    }
    if (n > 0) {
      run[n] = '\0';
      drawAtPos(run, x + static_cast<int>(std::lround(start * advance)), y, n);
    }
  }
}

float VFont::getTextWidth(const char* aText) {
  const double length = aText ? static_cast<double>(std::strlen(aText)) : 0.0;
  return static_cast<float>(length * 12.0 * Size / 16.0);
}

int VFont::getLengthForWidth(const char* aText, int aWidth) {
  const std::size_t length = aText ? std::strlen(aText) : 0;
  if (aWidth <= 0 || length == 0) {
    return 0;
  }
  // Glyphs of no size (or mirrored ones) take no room: everything fits.
  if (Size <= 0) {
    return static_cast<int>(length);
  }
  // Compared as doubles, so no count beyond the text's length is ever converted to an integer.
  const double count = std::ceil((aWidth * 16.0) / (Size * 12.0));
  if (count < static_cast<double>(length)) {
    return static_cast<int>(count);
  }
  return static_cast<int>(length);
}

void VFont::copyFrom(VFont* from) {
  setSize(from->getSize());
  setBold(from->getBold());
  Color->copyFrom(from->getColor());
}

void VFont::copyFromTheme(VFont* theme) {
  copyFrom(theme);
  FollowsTheme = true;
  ThemeRevision = Color->getRevision();
}

void VFont::followTheme(VFont* theme) {
  if (!FollowsTheme || theme == nullptr) {
    return;
  }
  if (Color->getRevision() != ThemeRevision) {
    FollowsTheme = false;  // set by somebody else since: the colour is theirs now
    return;
  }
  VColor* source = theme->getColor();
  if (Color->getR() != source->getR() || Color->getG() != source->getG() ||
      Color->getB() != source->getB() || Color->getA() != source->getA()) {
    Color->copyFrom(source);
    ThemeRevision = Color->getRevision();
  }
}

bool VFont::getFollowsTheme() { return FollowsTheme && Color->getRevision() == ThemeRevision; }

void VFont::print() {
  std::cout << "Class : VFont" << std::endl;
  std::cout << "Size = " << Size << std::endl;
  std::cout << "Bold = " << (Bold ? 1 : 0) << std::endl;
}
