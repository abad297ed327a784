// PeerGlState: saving and restoring the GL state around a peer's case.
#include "bench/peers/PeerGlState.h"

#include <GL/gl.h>

#include <initializer_list>

#include "bench/SceneShape.h"

PeerGlState::PeerGlState() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  for (GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    glPushMatrix();
  }
  glViewport(0, 0, bench::kWindowWidth, bench::kWindowHeight);
}

PeerGlState::~PeerGlState() {
  for (GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    glPopMatrix();
  }
  glPopClientAttrib();
  glPopAttrib();
}

bool PeerGlState::clean() {
  bool clean = true;
  while (glGetError() != GL_NO_ERROR) {
    clean = false;
  }
  return clean;
}
