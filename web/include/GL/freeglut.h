// The browser build's GLUT is emscripten's, which has the standard GLUT header only; the
// toolkit needs nothing of freeglut's own.
#pragma once

#include <GL/glut.h>
