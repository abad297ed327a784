// host: the GLUT callbacks that forward to the one screen, and the program's entry.
#pragma once

#include "../../screen/VHostOptions.h"
#include "../../screen/VScreen.h"

/// The one screen of the program, used by the callbacks below.
extern VScreen* screen;

/// The callbacks, each forwarding to the screen through one VGlutHost (hrProgram) that serves
/// whichever screen the global names at the time of the call, and gives it GLUT's services.
/// glutResize also sets the projection: one unit per pixel, origin at the window's top-left
/// corner, y downwards. glutKeyboard ends the process with status 0 on Escape (27) before any
/// widget sees it.
void glutResize(int w, int h);
void glutDisplay();
void glutKeyboard(unsigned char key, int x, int y);
void glutKeyboardUp(unsigned char key, int x, int y);
void glutSpecial(int key, int x, int y);
void glutMouse(int button, int state, int x, int y);
void glutMotion(int x, int y);
/// The pointer moving with no button held: passed to the screen's glutPassiveMotion only while
/// some widget has a tooltip, and never routed to a widget.
void glutPassiveMotion(int x, int y);

/// The entry: opens the 500 by 400 double-buffered window at (100, 100) with the given title,
/// creates the screen (which needs the GL context), lets buildScene fill it, registers the
/// callbacks and runs the GLUT main loop. Answers 0 if the loop ever returns.
int vunaMain(int argc, char** argv, VSceneBuilder buildScene, const char* title = "mini Vuna");
/// The same with the window's title, size and place given (the defaults are those above).
int vunaMain(int argc, char** argv, VSceneBuilder buildScene, const VHostOptions& options);
