// VunaStage: a screen of the bench window's size, made the program's screen while it exists.
#pragma once

#include <vector>

#include "screen/VScreen.h"

// Each Vuna case builds its scene on a stage before its timed loop and drops the stage (and
// with it the whole tree) after it. The stage sets the GL state the host would: the reshape's
// viewport and projection, and an identity model-view matrix.
class VunaStage {
 public:
  VunaStage();
  ~VunaStage();
  VunaStage(const VunaStage&) = delete;
  VunaStage& operator=(const VunaStage&) = delete;

  VScreen* screen() { return screen_; }

  // The 500 by 400 viewport and the pixel projection, y downwards, model-view identity.
  static void setView();
  // One display pass as the host runs it, finished by the GL: clear, the draw pass, glFinish.
  // No buffer swap.
  void frame();
  // A press and release of the left button at (x, y) through the screen: three dispatches.
  void click(int x, int y);
  // Widgets in the tree below the screen (the screen itself not counted).
  long long widgetCount();
  // Every widget below w, depth first, front to back (w excluded).
  static std::vector<VWidget*> descendants(VWidget* w);
  // Widgets in w's subtree, w included.
  static long long subtreeCount(VWidget* w);
  // Puts child, one of owner's children, back at the end of its list (the backmost place), as
  // it stood before a press raised it. For cases that must press the same widget again and
  // again from the same place; the toolkit offers no such move.
  static void sendToBack(VWidget* owner, VWidget* child);
  // True when the GL reported no error since the last call and the model-view stack is back
  // at depth 1; the case then knows its frames were drawn as meant.
  static bool glClean();

 private:
  VScreen* screen_;
};
