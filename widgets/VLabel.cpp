// VLabel: lines, their places, the self-sizing and the drawing.
#include "widgets/VLabel.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <utility>
#include <vector>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"


std::vector<std::string> VLabel::linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) {
      return lines;
    }
    start = end + 1;
  }
}

VLabel::VLabel(VWidget* owner)
    : VWidget(owner), Caption(), Alignment(alLeft), AutoSize(true), Font(new VFont()) {
  VLabel::Init();
  VLabel::layout();
}

VLabel::~VLabel() {
  delete Font;
  Font = nullptr;
}

void VLabel::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
  sizeToText();
}

bool VLabel::canDrag(VEvent*) { return false; }
bool VLabel::canFocus(VEvent*) { return false; }

int VLabel::getLineHeight() { return vuna::toIntClamped(static_cast<double>(Font->getSize()) + 4); }

void VLabel::draw(VEvent*) {
  // Greyed text is drawn with a copy of the font, so the label's own colour is never touched
  // here and keeps following the theme (or stays the program's).
  std::unique_ptr<VFont> grey;
  VFont* font = Font;
  if (LookAndFeel != nullptr) {
    Font->followTheme(LookAndFeel->getFont());
    if (!Enabled) {
      grey = std::make_unique<VFont>();
      grey->copyFrom(Font);
      grey->getColor()->copyFrom(LookAndFeel->getBevelDisabledColor());
      grey->getColor()->setA(Font->getColor()->getA());
      font = grey.get();
    }
  }
  const long long lineHeight = getLineHeight();
  long long top = 2;
  for (const std::string& line : linesOf(Caption)) {
    const long long room =
        static_cast<long long>(Width) - static_cast<long long>(Font->getTextWidth(line.c_str()));
    const long long left = Alignment == alCenter ? room / 2 : Alignment == alRight ? room : 0;
    font->drawAtPos(line.c_str(), vuna::toIntClamped(static_cast<double>(left)),
                    vuna::toIntClamped(static_cast<double>(top)), -1);
    top += lineHeight;
  }
}

void VLabel::sizeToText() {
  if (!AutoSize) {
    return;
  }
  double widest = 0;
  const std::vector<std::string> lines = linesOf(Caption);
  for (const std::string& line : lines) {
    widest = std::max(widest, std::trunc(static_cast<double>(Font->getTextWidth(line.c_str()))));
  }
  Sizing = true;
  VWidget::setWidth(vuna::toIntClamped(widest));
  VWidget::setHeight(
      vuna::toIntClamped(static_cast<double>(getLineHeight()) * static_cast<double>(lines.size())));
  Sizing = false;
}

void VLabel::setWidth(int newValue) {
  AutoSize = AutoSize && Sizing;
  VWidget::setWidth(newValue);
}

void VLabel::setHeight(int newValue) {
  AutoSize = AutoSize && Sizing;
  VWidget::setHeight(newValue);
}

std::string VLabel::getCaption() { return Caption; }

void VLabel::setCaption(std::string newValue) {
  Caption = std::move(newValue);
  sizeToText();
  redraw();
}

VAlignment VLabel::getAlignment() { return Alignment; }

void VLabel::setAlignment(VAlignment newValue) {
  Alignment = newValue < alLeft || newValue > alRight ? alLeft : newValue;
  redraw();
}

bool VLabel::getAutoSize() { return AutoSize; }

void VLabel::setAutoSize(bool newValue) {
  AutoSize = newValue;
  sizeToText();
}

VFont* VLabel::getFont() { return Font; }

void VLabel::print() {
  std::cout << "Class : VLabel" << std::endl;
  std::cout << "Caption = " << Caption << std::endl;
  std::cout << "Alignment = " << static_cast<int>(Alignment) << std::endl;
  std::cout << "AutoSize = " << AutoSize << std::endl;
}
