// VGlutHost: GLUT's callback values turned into the screen's host calls, and GLUT's services.
#pragma once

#include <string>

#include "../../screen/VHostServices.h"
#include "../VHostInput.h"

/// GLUT's values are the screen's own (its button numbers, characters and special-key codes),
/// so under hrProgram every event reaches the screen exactly as the designed callbacks send it;
/// under hrGuest each answer says whether the event was the GUI's (the rules are VHostInput's),
/// and the program keeps the others. The designed free callbacks and vunaMain (host.h) run on
/// one such host for the global screen.
///
/// A program that owns its GLUT window (hrGuest) makes the host once its screen exists and calls
/// it first in each of its callbacks:
///   gui = new VGlutHost(screen, hrGuest);
///   void mouse(int b, int s, int x, int y) { if (!gui->mouse(b, s, x, y)) { ...the scene's... } }
/// and draws the screen with drawOverlay in its own display callback.
///
/// Services: redisplay is glutPostRedisplay; timers are glutTimerFunc's (registered only while
/// one is pending, so an idle program still registers none); GLUT has no clipboard, so the text
/// stays in the process, one for every host (in a browser, in the page); the scale is 1 (in a browser, the page's
/// device pixel ratio); the pointer is glutSetCursor's. Nothing calls GLUT before glutInit and a
/// current window: redisplays and cursors are skipped, and startTimer answers 0, until then.
class VGlutHost : public VHostServices {
 public:
  VGlutHost(VScreen* screen, VHostRole role);
  ~VGlutHost() override;
  VGlutHost(const VGlutHost&) = delete;
  VGlutHost& operator=(const VGlutHost&) = delete;

  bool keyboard(unsigned char key, int x, int y);
  bool keyboardUp(unsigned char key, int x, int y);
  bool special(int key, int x, int y);
  /// GLUT_DOWN (0) or GLUT_UP (1) of buttons 0 to 2; buttons 3 to 6 going down are the wheel's
  /// steps (up, down, left, right), going up they send nothing and answer as the step did.
  bool mouse(int button, int state, int x, int y);
  bool motion(int x, int y);
  /// glutPassiveMotionFunc's: reaches the screen only for its tooltips; never the GUI's.
  bool passiveMotion(int x, int y);
  /// The window's new size: under hrProgram also the viewport and the pixel projection.
  void reshape(int width, int height);

  VScreen* getScreen() const;

  void redisplay() override;
  int startTimer(int milliseconds, TimerCallback callback, void* data) override;
  void cancelTimer(int timer) override;
  std::string getClipboardText() override;
  void setClipboardText(const std::string& text) override;
  double getContentScale() override;
  void setPointerShape(VPointerShape shape) override;

 private:
  static void fire(int timer);
  static std::string& clipboard();

  VHostInput Input;
};
