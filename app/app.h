// app: the mini Vuna demo scene and the handlers that its buttons and radio buttons run.
#pragma once

#include "core/VEvent.h"

class VScreen;
class VWidget;

// Builds the demo's widgets under the screen, before the main loop starts: a toolbar 420 wide
// with "Start", "Shut Down" and "Sub Window", then one MyWindow. Both sit at the screen's
// top-left corner, so the window, created last, covers the toolbar but for its rightmost 20
// pixels (part of "Sub Window") until one of them is moved.
void buildDemoScene(VScreen* screen);

// The handlers. Each takes the widget that raised the event, with the toolkit's handler
// signature; the type tests are run-time checks on that pointer, and null counts as another
// type. Every line they print ends with std::endl, so it reaches a pipe or a file at once.

// The "Fenster" button: for a widget whose owner's owner is a MyWindow, opens a new MyWindow
// under the global screen, captioned with a copy of that window's text field. Anything else
// (or no screen) does nothing.
void myMethod1(VWidget* w, VEvent* e);
// A caption button prints "Sie haben <caption> angeklickt!"; any other widget prints
// "Methode wurde nicht von einem Button ausgel\xF6st" (0xF6 is the ISO-8859-1 o with diaeresis).
void myMethod2(VWidget* w, VEvent* e);
// The same for radio buttons.
void myMethod3(VWidget* w, VEvent* e);
// Ends the process at once with status 0.
void myShutDown(VWidget* w, VEvent* e);
// Opens a 200 by 200 window under the global screen holding a 100 by 100 window.
void mySubWindow(VWidget* w, VEvent* e);
