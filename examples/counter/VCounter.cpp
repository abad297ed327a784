// VCounter: changing the number on presses and keys, sizing to it and drawing it.
#include "VCounter.h"

#include <GL/gl.h>

#include <string>

#include <vuna/core/VColor.h>
#include <vuna/draw/VFont.h>
#include <vuna/draw/VLookAndFeel.h>

namespace {
constexpr int kPadding = 6;  // between the bevel and the digits, each side
}

VCounter::VCounter(VWidget* owner)
    : VWidget(owner), onChange(nullptr), Value(0), Font(new VFont()) {
  VCounter::Init();
  VCounter::layout();
}

// The destructor cleans up its own level, then the base deletes the children.
VCounter::~VCounter() {
  VCounter::CleanUp();
  delete Font;
  Font = nullptr;
}

void VCounter::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());  // its colour follows the theme
  }
  MinWidth = 24;
  MinHeight = 22;
}

void VCounter::CleanUp() {}

// Sizes are assigned directly here: setWidth would call layout again.
void VCounter::layout() {
  const std::string text = std::to_string(Value);
  const int wanted = static_cast<int>(Font->getTextWidth(text.c_str())) + 2 * kPadding;
  Width = wanted > MinWidth ? wanted : MinWidth;
  Height = Height > MinHeight ? Height : MinHeight;
}

// Drawn in its own space: (0, 0) is its outer top-left corner.
void VCounter::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  const auto w = static_cast<float>(Width);
  const auto h = static_cast<float>(Height);
  LookAndFeel->getBackGroundColor()->setAsCurrent();
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(0.0f, 0.0f, w, h);
  glEnd();
  LookAndFeel->drawBevel(0.0f, 0.0f, w, h, getFocused() ? bsDown : bsUp);
  Font->getColor()->setAsCurrent();
  Font->drawAtPos(std::to_string(Value).c_str(), kPadding, (Height - Font->getSize()) / 2, -1);
}

// Mouse events come here only when the pointer is inside; keys come along the focus chain.
// Answering true consumes nothing more than the routing already decided: it only says the
// counter reacted.
bool VCounter::processEvent(VEvent* e) {
  int step = 0;
  if (e->getType() == etMouseDown) {
    step = e->getButton() == mbLeft ? 1 : e->getButton() == mbRight ? -1 : 0;
  } else if (e->getType() == etKeyboard) {
    step = e->getKey() == '+' ? 1 : e->getKey() == '-' ? -1 : 0;
  }
  if (step == 0) {
    return false;
  }
  setValue(Value + step);
  return true;
}

bool VCounter::canFocus(VEvent*) { return true; }

int VCounter::getValue() { return Value; }

// A real change re-sizes the box, asks for a display pass and tells the program.
void VCounter::setValue(int newValue) {
  if (newValue == Value) {
    return;
  }
  Value = newValue;
  layout();
  redraw();
  if (onChange != nullptr) {
    onChange(this, nullptr);
  }
}
