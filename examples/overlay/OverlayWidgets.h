// The widgets both overlay programs put over their scene (vuna-overlay under GLUT,
// vuna-overlay-core in a core-profile context): a window "Overlay" at (10, 10), 240 by 140, with
// a "Reset view" button, a "Wireframe" check box and a text field.
#pragma once

#include <vuna/vuna.h>

// Builds them under the screen; onReset runs on a press of "Reset view". Answers the check box,
// which flips itself on a press and which the scene reads each frame.
VCheckBox* buildOverlayWidgets(VScreen* screen, VEventHandler onReset);
