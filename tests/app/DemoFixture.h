// DemoFixture: the demo scene on a real screen in the test process, driven like the host does.
#pragma once

#include <string>

#include "PngImage.h"
#include "support/ScreenFixture.h"

class MyWindow;
class VCaptionButton;
class VRadioButton;
class VToolBar;

namespace vt {

// Builds the demo scene under a 500 by 400 screen that is also the global screen, exactly as
// the program does, and feeds it the calls the GLUT callbacks make.
//
// A handler that ends the process ("Shut Down") would otherwise end a test with status 0,
// which ctest counts as a pass: while a test of this fixture runs, ending the process turns
// into status 1 with a message, unless the test said allowExit() first (a death test does so
// inside its statement).
class DemoFixture : public ScreenFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
  static void allowExit();

  void press(int x, int y, int button = 0);
  void release(int x, int y, int button = 0);
  void motion(int x, int y);
  // Press, release: down, up and click at one place.
  void clickAt(int x, int y, int button = 0);
  // Press at (x0, y0), move to (x1, y1) in one motion, release there.
  void drag(int x0, int y0, int x1, int y1);
  // Each byte as a key press and release. The text field dumps every press to standard
  // output; that output is swallowed here.
  void type(const std::string& text);
  // Clicks in the middle of a widget.
  void clickOn(VWidget* w);

  // One display pass into the back buffer, read back whole; the frame must leave GL clean.
  PngImage render();

  // The windows directly under the screen, front first.
  std::vector<MyWindow*> demoWindows();
  VCaptionButton* button(VWidget* root, const std::string& caption);
  VRadioButton* radio(VWidget* root, const std::string& caption);
  int screenChildCount();

  MyWindow* window_ = nullptr;     // the scene's demo window
  VToolBar* screenBar_ = nullptr;  // the screen's toolbar
};

}  // namespace vt
