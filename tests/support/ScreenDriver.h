// ScreenDriver: a screen driven through the calls its host makes, and its frames read back.
#pragma once

#include <functional>
#include <string>

#include "support/GlTest.h"
#include "support/HostNumbers.h"

class VScreen;
class VWidget;

namespace vt {

// Makes the calls that a host's callbacks make on a screen, with GLUT's numbers (HostNumbers.h)
// and positions in window pixels, and draws the screen's display pass into the back buffer of
// the test window to read it back. It does not own the screen.
class ScreenDriver {
 public:
  explicit ScreenDriver(VScreen* screen = nullptr) : screen_(screen) {}

  void press(int x, int y, int button = kLeftButton);
  void release(int x, int y, int button = kLeftButton);
  void motion(int x, int y);
  // Press and release at one place: down, up and click.
  void click(int x, int y, int button = kLeftButton);
  // A click in the middle of a widget of the screen's tree.
  void clickOn(VWidget* w, int button = kLeftButton);
  // Press at (x0, y0), one motion to (x1, y1), release there.
  void drag(int x0, int y0, int x1, int y1, int button = kLeftButton);

  // A character key down or up, with the pointer at (x, y).
  void keyDown(unsigned char key, int x = 0, int y = 0);
  void keyUp(unsigned char key, int x = 0, int y = 0);
  // A special key (core/VSpecialKey.h) down; the screen takes no special key up.
  void special(int key, int x = 0, int y = 0);
  // Each byte of text as a key down and up, with the pointer at (x, y).
  void type(const std::string& text, int x = 0, int y = 0);

  // One display pass into the back buffer under the host's projection (resetView() first).
  // Answers what the pass left wrong in GL, "" when it left GL clean (see FrameCheck).
  std::string drawFrame();
  // drawFrame(), failing the test when the pass leaves GL dirty, then a rectangle of the
  // frame read back (see readRegion): the whole window unless one is given.
  Region frame(int x = 0, int y = 0, int w = kWindowWidth, int h = kWindowHeight);
  // What a widget should look like when it draws as paint does: the display pass with the
  // widget hidden, then paint() under a translation to the widget's corner, read back like
  // frame(). The widget is visible again afterwards.
  Region referenceFrame(VWidget* widget, const std::function<void()>& paint, int x, int y, int w,
                        int h);

 protected:
  VScreen* screen_;
};

}  // namespace vt
