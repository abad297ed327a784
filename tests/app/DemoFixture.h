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
// the program does, to drive through the calls the GLUT callbacks make (ScreenDriver).
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

  // Each byte as a key press and release, as ScreenDriver::type does. The text field dumps
  // every press to standard output; that output is swallowed here.
  void type(const std::string& text);

  // One display pass read back whole, as ScreenDriver::frame does, as a picture.
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
