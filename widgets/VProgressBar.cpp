// VProgressBar: the range, the share and the drawing.
#include "widgets/VProgressBar.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"

VProgressBar::VProgressBar(VWidget* owner)
    : VWidget(owner),
      Range(0, 100, 0),
      Value(0),
      ShowPercentage(false),
      Font(new VFont()) {
  Width = 100;
  Height = 20;
  VProgressBar::Init();
  VProgressBar::layout();
}

VProgressBar::~VProgressBar() {
  delete Font;
  Font = nullptr;
}

void VProgressBar::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
}

bool VProgressBar::canDrag(VEvent*) { return false; }
bool VProgressBar::canFocus(VEvent*) { return false; }

double VProgressBar::getFraction() { return Range.fraction(Value); }

std::string VProgressBar::getPercentageText() {
  return std::to_string(static_cast<int>(std::lround(getFraction() * 100))) + "%";
}

void VProgressBar::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  LookAndFeel->fillRect(1.0f, 1.0f, w - 2.0f, h - 2.0f, LookAndFeel->getBackGroundColor());
  const double inside = std::max(0.0, static_cast<double>(Width) - 2.0);
  const float filled = static_cast<float>(std::floor(inside * getFraction()));
  if (filled > 0) {
    LookAndFeel->fillRect(1.0f, 1.0f, filled, h - 2.0f, LookAndFeel->getHighlightColor());
  }
  LookAndFeel->drawBevel(0.0f, 0.0f, w, h, bsDown);
  if (ShowPercentage) {
    const std::string text = getPercentageText();
    const double left = (static_cast<double>(Width) - Font->getTextWidth(text.c_str())) / 2;
    const double top = (static_cast<double>(Height) - Font->getSize()) / 2;
    Font->drawAtPos(text.c_str(), vuna::toIntClamped(std::floor(left)),
                    vuna::toIntClamped(std::floor(top)), -1);
  }
}

double VProgressBar::getMinimum() { return Range.getMinimum(); }
double VProgressBar::getMaximum() { return Range.getMaximum(); }
double VProgressBar::getValue() { return Value; }

void VProgressBar::setRange(double minimum, double maximum) {
  if (Range.set(minimum, maximum)) {
    Value = Range.normalised(Value);
    redraw();
  }
}

void VProgressBar::setValue(double newValue) {
  if (!std::isfinite(newValue)) {
    return;
  }
  Value = Range.normalised(newValue);
  redraw();
}

bool VProgressBar::getShowPercentage() { return ShowPercentage; }

void VProgressBar::setShowPercentage(bool newValue) {
  ShowPercentage = newValue;
  redraw();
}

VFont* VProgressBar::getFont() { return Font; }

void VProgressBar::print() {
  std::cout << "Class : VProgressBar" << std::endl;
  std::cout << "Minimum = " << Range.getMinimum() << std::endl;
  std::cout << "Maximum = " << Range.getMaximum() << std::endl;
  std::cout << "Value = " << Value << std::endl;
  std::cout << "ShowPercentage = " << ShowPercentage << std::endl;
}
