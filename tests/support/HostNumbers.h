// HostNumbers: the numbers the screen's host methods take (GLUT's, whatever the host), named
// once for every test.
#pragma once

namespace vt {

constexpr int kLeftButton = 0;
constexpr int kMiddleButton = 1;
constexpr int kRightButton = 2;
constexpr int kDown = 0;  // a button went down
constexpr int kUp = 1;    // a button went up

}  // namespace vt
