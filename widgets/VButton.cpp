// VButton: the press state machine and the cancel rule.
#include "widgets/VButton.h"

#include <iostream>

namespace {
bool isPressKey(int key) { return key == 32 || key == 13; }  // space, carriage return
}  // namespace

VButton::VButton(VWidget* owner) : VWidget(owner), State(bsUp), onPress(nullptr) {
  VButton::Init();
  VButton::layout();
}

VButton::~VButton() { VButton::CleanUp(); }

bool VButton::takesKey(int key, bool special) { return !special && isPressKey(key); }

void VButton::draw(VEvent*) {}
void VButton::layout() {}
bool VButton::canDrag(VEvent*) { return false; }
void VButton::childrenChanged() {}
bool VButton::canFocus(VEvent*) { return true; }
void VButton::Init() {}
void VButton::CleanUp() {}

// The mouse completes a press only from bsDown; a key-up of space or return completes one
// whatever the state, so a key-up without its key-down still presses.
bool VButton::processEvent(VEvent* e) {
  switch (e->getType()) {
    case etMouseDown:
      if (e->getButton() == mbLeft) {
        State = bsDown;
      }
      break;
    case etMouseUp:
      if (e->getButton() == mbLeft && State == bsDown) {
        State = bsUp;
        if (onPress != nullptr) {
          onPress(this, e);
        }
      }
      break;
    case etKeyboard:
      if (isPressKey(e->getKey())) {
        State = bsDown;
      }
      break;
    case etKeyboardUp:
      if (isPressKey(e->getKey())) {
        State = bsUp;
        if (onPress != nullptr) {
          onPress(this, e);
        }
      }
      break;
    default:
      break;
  }
  return false;
}

// Seen for every mouse event that reaches the button, before processEvent: the pointer seen
// outside (edges count as inside) abandons a press for good.
bool VButton::processMouseOwner(VEvent* e) {
  if (State == bsDown) {
    const long long x = e->getX();
    const long long y = e->getY();
    if (x < Left || x > static_cast<long long>(Left) + Width || y < Top ||
        y > static_cast<long long>(Top) + Height) {
      State = bsUp;
    }
  }
  return false;
}

VBevelState VButton::getState() { return State; }
void VButton::setState(VBevelState newValue) { State = newValue; }

void VButton::print() {
  std::cout << "Class : VButton" << std::endl;
  std::cout << "State = " << static_cast<int>(State) << std::endl;
}
