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
      Minimum(0),
      Maximum(100),
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
    Font->copyFrom(LookAndFeel->getFont());
  }
  VWidget::Init();
}

bool VProgressBar::canDrag(VEvent*) { return false; }
bool VProgressBar::canFocus(VEvent*) { return false; }

double VProgressBar::getFraction() {
  const double span = Maximum - Minimum;
  if (!(span > 0)) {
    return 0;
  }
  return std::clamp((Value - Minimum) / span, 0.0, 1.0);
}

std::string VProgressBar::getPercentageText() {
  return std::to_string(static_cast<int>(std::lround(getFraction() * 100))) + "%";
}

void VProgressBar::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  LookAndFeel->getBackGroundColor()->setAsCurrent();
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(1.0f, 1.0f, w - 2.0f, h - 2.0f);
  glEnd();
  const double inside = std::max(0.0, static_cast<double>(Width) - 2.0);
  const float filled = static_cast<float>(std::floor(inside * getFraction()));
  if (filled > 0) {
    LookAndFeel->getHighlightColor()->setAsCurrent();
    glBegin(GL_POLYGON);
    LookAndFeel->drawRect(1.0f, 1.0f, filled, h - 2.0f);
    glEnd();
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

double VProgressBar::getMinimum() { return Minimum; }
double VProgressBar::getMaximum() { return Maximum; }
double VProgressBar::getValue() { return Value; }

void VProgressBar::setRange(double minimum, double maximum) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
    return;
  }
  if (maximum < minimum) {
    std::swap(minimum, maximum);
  }
  Minimum = minimum;
  Maximum = maximum;
  Value = std::clamp(Value, Minimum, Maximum);
  redraw();
}

void VProgressBar::setValue(double newValue) {
  if (!std::isfinite(newValue)) {
    return;
  }
  Value = std::clamp(newValue, Minimum, Maximum);
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
  std::cout << "Minimum = " << Minimum << std::endl;
  std::cout << "Maximum = " << Maximum << std::endl;
  std::cout << "Value = " << Value << std::endl;
  std::cout << "ShowPercentage = " << ShowPercentage << std::endl;
}
