// Read before every source of the library (the compiler's -include): each GL call the toolkit
// makes is named after VGLLayer, which passes it to the driver or gives it its GL 1.x meaning
// on a context without fixed function. The toolkit's sources keep their calls exactly as
// written. A GL call added to the toolkit must be named here too (a test holds the sources and
// this list together). The layer's own sources see the driver's functions.
#pragma once

#include "draw/VGLLayer.h"

#if !defined(VUNA_GL_LAYER_SOURCE)

// Display lists.
#define glGenLists VGLLayer::genLists
#define glNewList VGLLayer::newList
#define glEndList VGLLayer::endList
#define glDeleteLists VGLLayer::deleteLists
#define glListBase VGLLayer::listBase
#define glCallLists VGLLayer::callLists
#define glIsList VGLLayer::isList

// Immediate mode and matrices.
#define glBegin VGLLayer::begin
#define glEnd VGLLayer::end
#define glVertex2f VGLLayer::vertex2f
#define glVertex2i VGLLayer::vertex2i
#define glTexCoord2f VGLLayer::texCoord2f
#define glColor3f VGLLayer::color3f
#define glColor4f VGLLayer::color4f
#define glTranslatef VGLLayer::translatef
#define glScalef VGLLayer::scalef
#define glMatrixMode VGLLayer::matrixMode
#define glLoadIdentity VGLLayer::loadIdentity
#define glLoadMatrixf VGLLayer::loadMatrixf
#define glOrtho VGLLayer::ortho
#define glPushMatrix VGLLayer::pushMatrix
#define glPopMatrix VGLLayer::popMatrix

// State.
#define glEnable VGLLayer::enable
#define glDisable VGLLayer::disable
#define glBlendFunc VGLLayer::blendFunc
#define glLineWidth VGLLayer::lineWidth
#define glPolygonMode VGLLayer::polygonMode
#define glShadeModel VGLLayer::shadeModel
#define glColorMask VGLLayer::colorMask
#define glScissor VGLLayer::scissor
#define glViewport VGLLayer::viewport
#define glClear VGLLayer::clear
#define glPushAttrib VGLLayer::pushAttrib
#define glPopAttrib VGLLayer::popAttrib
#define glPushClientAttrib VGLLayer::pushClientAttrib
#define glPopClientAttrib VGLLayer::popClientAttrib

// Textures and pixels.
#define glGenTextures VGLLayer::genTextures
#define glDeleteTextures VGLLayer::deleteTextures
#define glBindTexture VGLLayer::bindTexture
#define glActiveTexture VGLLayer::activeTexture
#define glClientActiveTexture VGLLayer::clientActiveTexture
#define glTexParameteri VGLLayer::texParameteri
#define glTexEnvf VGLLayer::texEnvf
#define glTexEnvi VGLLayer::texEnvi
#define glTexImage2D VGLLayer::texImage2D
#define glPixelStorei VGLLayer::pixelStorei
#define glBindBuffer VGLLayer::bindBuffer

// Queries.
#define glGetIntegerv VGLLayer::getIntegerv
#define glGetFloatv VGLLayer::getFloatv
#define glGetString VGLLayer::getString
#define glGetError VGLLayer::getError
#define gluErrorString VGLLayer::errorString

#endif
