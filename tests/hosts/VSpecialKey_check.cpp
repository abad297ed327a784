// VSpecialKey_check: the special-key and button names are GLUT's codes; this file does not
// compile otherwise.
#include <GL/freeglut.h>

#include "core/VHostButton.h"
#include "core/VSpecialKey.h"

static_assert(skF1 == GLUT_KEY_F1 && skF2 == GLUT_KEY_F2 && skF3 == GLUT_KEY_F3);
static_assert(skF4 == GLUT_KEY_F4 && skF5 == GLUT_KEY_F5 && skF6 == GLUT_KEY_F6);
static_assert(skF7 == GLUT_KEY_F7 && skF8 == GLUT_KEY_F8 && skF9 == GLUT_KEY_F9);
static_assert(skF10 == GLUT_KEY_F10 && skF11 == GLUT_KEY_F11 && skF12 == GLUT_KEY_F12);
static_assert(skLeft == GLUT_KEY_LEFT && skUp == GLUT_KEY_UP);
static_assert(skRight == GLUT_KEY_RIGHT && skDown == GLUT_KEY_DOWN);
static_assert(skPageUp == GLUT_KEY_PAGE_UP && skPageDown == GLUT_KEY_PAGE_DOWN);
static_assert(skHome == GLUT_KEY_HOME && skEnd == GLUT_KEY_END && skInsert == GLUT_KEY_INSERT);
static_assert(hbLeft == GLUT_LEFT_BUTTON && hbMiddle == GLUT_MIDDLE_BUTTON);
static_assert(hbRight == GLUT_RIGHT_BUTTON && hbDown == GLUT_DOWN && hbUp == GLUT_UP);
