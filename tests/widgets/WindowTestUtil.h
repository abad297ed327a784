// WindowTestUtil: input and drawing helpers for the window and toolbar tests on a real screen.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

#include "support/GlTest.h"
#include "support/HostNumbers.h"
#include "support/ScreenFixture.h"

namespace wt {

using vt::kDown;
using vt::kUp;

// Drives the screen through the same calls the host's callbacks make.
class ScreenTest : public vt::ScreenFixture {
 protected:
  void press(int x, int y, int button = 0) { screen_->glutMouse(button, kDown, x, y); }
  void release(int x, int y, int button = 0) { screen_->glutMouse(button, kUp, x, y); }
  void motion(int x, int y) { screen_->glutMotion(x, y); }
  // Press at (x0, y0), one motion to (x1, y1), release there.
  void drag(int x0, int y0, int x1, int y1, int button = 0) {
    press(x0, y0, button);
    motion(x1, y1);
    release(x1, y1, button);
  }
  // One display pass into the back buffer, from the host's view.
  void drawScreen() {
    vt::resetView();
    vt::FrameCheck check;
    screen_->glutDisplay();
    frameProblems_ = check.problems();
  }
  std::string frameProblems_;
};

// For the life of the object every glyph of the text drawer is a solid opaque 16 x 16 block in
// the text colour, so where text lands can be read from pixels whatever the font sheet looks
// like. Destroys the drawer afterwards (the next use builds it anew from the real sheet).
class SolidGlyphs {
 public:
  SolidGlyphs();
  ~SolidGlyphs();
  SolidGlyphs(const SolidGlyphs&) = delete;
  SolidGlyphs& operator=(const SolidGlyphs&) = delete;
};

}  // namespace wt
