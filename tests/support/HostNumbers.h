// HostNumbers: the numbers the screen's host methods take (GLUT's, whatever the host), named
// once for every test. The special keys have the toolkit's own names (core/VSpecialKey.h).
#pragma once

#include "core/VHostButton.h"

namespace vt {

// Buttons of glutMouse, the toolkit's names; GLUT reports each wheel step as a press and
// release of 3 (up) or 4.
constexpr int kLeftButton = hbLeft;
constexpr int kMiddleButton = hbMiddle;
constexpr int kRightButton = hbRight;
constexpr int kWheelUp = 3;
constexpr int kWheelDown = 4;

// States of glutMouse.
constexpr int kDown = hbDown;  // a button went down
constexpr int kUp = hbUp;      // a button went up

// Character keys of glutKeyboard that type no character.
constexpr unsigned char kBackspace = 8;
constexpr unsigned char kReturn = 13;
constexpr unsigned char kEscape = 27;

}  // namespace vt
