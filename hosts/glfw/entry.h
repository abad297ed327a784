// entry: a whole Vuna program under GLFW, the counterpart of vunaMain under GLUT.
#pragma once

#include "../../screen/VHostOptions.h"

/// The scene builder of every entry (the name of earlier versions).
typedef VSceneBuilder VGlfwSceneBuilder;

/// Opens a 500 by 400 double-buffered window at (100, 100) with the given title and an OpenGL 2.1
/// context of the default (compatibility) kind, creates the screen (which needs the context),
/// lets buildScene fill it and runs the loop: it waits for events and draws only when the screen
/// asked for a redisplay, so an idle program takes no CPU time. Every event reaches the screen,
/// as under GLUT; Escape ends the process with status 0 before any widget sees it. Closing the
/// window ends the loop: the screen and the window go and the answer is 0. Answers 1, after a
/// line on standard error, when GLFW or the window cannot be had. GLFW takes no command-line
/// arguments; argc and argv are there for the same signature as vunaMain.
int vunaGlfwMain(int argc, char** argv, VSceneBuilder buildScene, const char* title);
/// The same with the window's title, size and place given, as vunaMain takes them.
int vunaGlfwMain(int argc, char** argv, VSceneBuilder buildScene, const VHostOptions& options);
