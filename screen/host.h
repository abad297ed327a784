// host: the GLUT host's callbacks, the global screen and vunaMain, which live with the GLUT
// adapter (vuna::glut); included here under the name programs have always used.
#pragma once

#include "../hosts/glut/host.h"
