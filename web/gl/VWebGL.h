// Read before every source of the browser build (the compiler's -include): the GL headers
// first, then each GL call the toolkit makes renamed to VGLCompat, which gives it its OpenGL
// 1.x meaning on WebGL. The toolkit's sources keep their calls exactly as written. A GL call
// added to the toolkit must be named here too (a test holds the two lists together); calls
// without a meaning of their own go through VGLCompat::call, which refuses them inside a
// display list.
#pragma once

// The toolkit calls GL 1.3 to 1.5 functions too (texture units, buffer binding).
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include "VGLCompat.h"

// Display lists.
#define glGenLists VGLCompat::genLists
#define glNewList VGLCompat::newList
#define glEndList VGLCompat::endList
#define glDeleteLists VGLCompat::deleteLists
#define glListBase VGLCompat::listBase
#define glCallLists VGLCompat::callLists
#define glIsList VGLCompat::isList
// The text drawer keys its names by the current context.
#define glXGetCurrentContext VGLCompat::currentContext

// Immediate mode.
#define glBegin VGLCompat::begin
#define glEnd VGLCompat::end
#define glVertex2f VGLCompat::vertex2f
#define glVertex2i VGLCompat::vertex2i
#define glTexCoord2f VGLCompat::texCoord2f
#define glColor3f VGLCompat::color3f
#define glColor4f VGLCompat::color4f
#define glTranslatef VGLCompat::translatef
#define glScalef VGLCompat::scalef

// State with a meaning of its own.
#define glEnable VGLCompat::enable
#define glDisable VGLCompat::disable
#define glBlendFunc VGLCompat::blendFunc
#define glLineWidth VGLCompat::lineWidth
#define glTexParameteri VGLCompat::texParameteri
#define glTexEnvf VGLCompat::texEnvf
#define glTexEnvi VGLCompat::texEnvi
#define glTexImage2D VGLCompat::texImage2D
#define glPixelStorei VGLCompat::pixelStorei
#define glBindBuffer VGLCompat::bindBuffer
#define glGetIntegerv VGLCompat::getIntegerv
#define glGetFloatv VGLCompat::getFloatv
#define glPushAttrib VGLCompat::pushAttrib
#define glPopAttrib VGLCompat::popAttrib
#define glPushClientAttrib VGLCompat::pushClientAttrib
#define glPopClientAttrib VGLCompat::popClientAttrib
#define glGetError VGLCompat::getError
#define gluErrorString VGLCompat::errorString

// Calls that mean the same on WebGL: those GL runs at once even while a list is compiled
// (queries, names, client state), and the others, refused inside a display list.
#define VUNA_WEB_GL_NOW(name, ...) VGLCompat::now(::name, __VA_ARGS__)
#define glClientActiveTexture(...) VUNA_WEB_GL_NOW(glClientActiveTexture, __VA_ARGS__)
#define glDeleteTextures(...) VUNA_WEB_GL_NOW(glDeleteTextures, __VA_ARGS__)
#define glGenTextures(...) VUNA_WEB_GL_NOW(glGenTextures, __VA_ARGS__)
#define glGetString(...) VUNA_WEB_GL_NOW(glGetString, __VA_ARGS__)
#define VUNA_WEB_GL_CALL(name, ...) VGLCompat::call(#name, ::name, __VA_ARGS__)
#define VUNA_WEB_GL_CALL0(name) VGLCompat::call(#name, ::name)
#define glActiveTexture(...) VUNA_WEB_GL_CALL(glActiveTexture, __VA_ARGS__)
#define glBindTexture(...) VUNA_WEB_GL_CALL(glBindTexture, __VA_ARGS__)
#define glClear(...) VUNA_WEB_GL_CALL(glClear, __VA_ARGS__)
#define glColorMask(...) VUNA_WEB_GL_CALL(glColorMask, __VA_ARGS__)
#define glLoadIdentity() VUNA_WEB_GL_CALL0(glLoadIdentity)
#define glLoadMatrixf(...) VUNA_WEB_GL_CALL(glLoadMatrixf, __VA_ARGS__)
#define glMatrixMode(...) VUNA_WEB_GL_CALL(glMatrixMode, __VA_ARGS__)
#define glOrtho(...) VUNA_WEB_GL_CALL(glOrtho, __VA_ARGS__)
#define glPolygonMode(...) VUNA_WEB_GL_CALL(glPolygonMode, __VA_ARGS__)
#define glPopMatrix() VUNA_WEB_GL_CALL0(glPopMatrix)
#define glPushMatrix() VUNA_WEB_GL_CALL0(glPushMatrix)
#define glScissor(...) VUNA_WEB_GL_CALL(glScissor, __VA_ARGS__)
#define glShadeModel(...) VUNA_WEB_GL_CALL(glShadeModel, __VA_ARGS__)
#define glViewport(...) VUNA_WEB_GL_CALL(glViewport, __VA_ARGS__)
