// CoreContext: the bench's second window, an OpenGL 3.3 core profile, current while a case lives.
#pragma once

#include <string>

// The core-profile cases draw in a window of their own, of the bench window's size, whose
// context GLUT made as an OpenGL 3.3 core profile: no immediate mode, matrix stacks or display
// lists there, so Vuna draws through its GL layer's renderer and Dear ImGui through its OpenGL3
// backend. A case holds one of these across its scene's life, made before its stage and dropped
// after it: the constructor makes the core window's context current and lets Vuna's GL layer
// choose for it, as a screen made then does; the destructor makes the window that was current
// before current again and lets the layer choose for that one, so the next case finds the bench
// window as every other case does.
class CoreContext {
 public:
  // Opens the core window once, at start, after the bench window; that window stays current.
  // GLUT's context request goes back to its defaults afterwards.
  static void open();
  // The core context's GL_VERSION, or "none" before open().
  static std::string version();

  CoreContext();
  ~CoreContext();
  CoreContext(const CoreContext&) = delete;
  CoreContext& operator=(const CoreContext&) = delete;

  // True when the core window is current and its context is one the layer draws in itself (a
  // core profile 3.2 or later); a case skips otherwise.
  bool ready() const { return ready_; }

 private:
  int previous_;
  bool ready_ = false;
};
