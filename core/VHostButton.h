// VHostButton: the button numbers and states that the screen's glutMouse takes.
#pragma once

/// GLUT's own numbers (GLUT_LEFT_BUTTON ..., GLUT_DOWN, GLUT_UP). Every host adapter translates
/// its buttons into them, so a program that feeds the screen's host methods from a host of its
/// own needs no GLUT header to name them.
enum VHostButton : int { hbLeft = 0, hbMiddle = 1, hbRight = 2 };
enum VHostButtonState : int { hbDown = 0, hbUp = 1 };
