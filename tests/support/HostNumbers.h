// HostNumbers: the numbers the screen's host methods take (GLUT's, whatever the host), named
// once for every test. The special keys have the toolkit's own names (core/VSpecialKey.h).
#pragma once

namespace vt {

// Buttons of glutMouse; GLUT reports each wheel step as a press and release of 3 (up) or 4.
constexpr int kLeftButton = 0;
constexpr int kMiddleButton = 1;
constexpr int kRightButton = 2;
constexpr int kWheelUp = 3;
constexpr int kWheelDown = 4;

// States of glutMouse.
constexpr int kDown = 0;  // a button went down
constexpr int kUp = 1;    // a button went up

// Character keys of glutKeyboard that type no character.
constexpr unsigned char kBackspace = 8;
constexpr unsigned char kReturn = 13;
constexpr unsigned char kEscape = 27;

}  // namespace vt
