// ScreenDriver: the host calls, and the display pass read back.
#include "support/ScreenDriver.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "screen/VScreen.h"
#include "support/Box.h"

namespace vt {

void ScreenDriver::press(int x, int y, int button) { screen_->glutMouse(button, kDown, x, y); }

void ScreenDriver::release(int x, int y, int button) { screen_->glutMouse(button, kUp, x, y); }

void ScreenDriver::motion(int x, int y) { screen_->glutMotion(x, y); }

void ScreenDriver::click(int x, int y, int button) {
  press(x, y, button);
  release(x, y, button);
}

void ScreenDriver::clickOn(VWidget* w, int button) {
  const Box b = screenBoxOf(w);
  click(b.centreX(), b.centreY(), button);
}

void ScreenDriver::drag(int x0, int y0, int x1, int y1, int button) {
  press(x0, y0, button);
  motion(x1, y1);
  release(x1, y1, button);
}

void ScreenDriver::keyDown(unsigned char key, int x, int y) { screen_->glutKeyboard(key, x, y); }

void ScreenDriver::keyUp(unsigned char key, int x, int y) { screen_->glutKeyboardUp(key, x, y); }

void ScreenDriver::special(int key, int x, int y) { screen_->glutSpecialFunc(key, x, y); }

void ScreenDriver::type(const std::string& text, int x, int y) {
  for (char c : text) {
    keyDown(static_cast<unsigned char>(c), x, y);
    keyUp(static_cast<unsigned char>(c), x, y);
  }
}

std::string ScreenDriver::drawFrame() {
  resetView();
  const FrameCheck check;
  screen_->glutDisplay();
  return check.problems();
}

Region ScreenDriver::frame(int x, int y, int w, int h) {
  EXPECT_EQ(drawFrame(), "") << "the display pass left GL dirty";
  return readRegion(x, y, w, h);
}

Region ScreenDriver::referenceFrame(VWidget* widget, const std::function<void()>& paint, int x,
                                    int y, int w, int h) {
  const Box at = screenBoxOf(widget);
  widget->setVisible(false);
  drawFrame();
  glPushMatrix();
  glTranslatef(static_cast<float>(at.left), static_cast<float>(at.top), 0.0f);
  paint();
  glPopMatrix();
  widget->setVisible(true);
  return readRegion(x, y, w, h);
}

}  // namespace vt
