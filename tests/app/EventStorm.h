// EventStorm: a seeded, reproducible stream of host calls aimed at the widgets of a live tree.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class VScreen;
class VWidget;

namespace vt {

// One call of a host callback (screen/host.h) with its arguments, as GLUT would make it, or
// one tree call of the application's between two of them (App, see AppCalls.h).
struct HostCall {
  enum Kind { Mouse, Motion, Keyboard, KeyboardUp, Special, Reshape, Display, App };
  Kind kind = Display;
  int a = 0;  // Mouse: the GLUT button; key codes; Reshape: the width; App: the AppOp
  int b = 0;  // Mouse: the GLUT state; Reshape: the height; App: which widget it picks
  int x = 0;
  int y = 0;

  // The call as C++ source, e.g. "glutMouse(0, 1, 410, 12)".
  std::string describe() const;
  // True when the screen routes at least one event for this call, which empties its free
  // queue first. Only calls that every version of the screen routes count: GLUT buttons 0 to 2
  // with the states down and up, keys, special keys, motion and the display pass.
  bool dispatches() const;
  // Calls the host callback. Escape (key 27) on a key-down ends the process, as in the program.
  void perform() const;
};

// The stream is a function of the seed and of the tree it looks at: the same seed against the
// same scene gives the same calls, so any step can be replayed. Nothing depends on addresses.
//
// Half of the calls come from gestures aimed at widgets picked from the live tree: clicks and
// presses with every button, drags of title bars, resize corners and toolbar movers (often far
// out of the window), clicks then typing into text fields, keyboard activation of buttons. The
// rest are lone calls anywhere: buttons 0 to 6 in both states and a few states GLUT never
// sends, motion, any key 0 to 255 down and up, special keys (also out-of-range codes),
// reshapes from 1x1 to 4000x3000, display passes (rare: they cost most of the time). "Shut
// Down" and Escape end the process; both are let through rarely, so a run usually reaches its
// length.
//
// Between them come the application's own tree calls (AppCalls.h): widgets deleted directly
// (the focused one often), freed alone, with an ancestor, from a destructor or a handler,
// hidden, disabled and raised.
//
// The tree is kept small enough to draw often: above kCrowded widgets, close buttons are
// favoured and the buttons that open windows are aimed at but not let fire.
class EventStorm {
 public:
  static constexpr std::size_t kCrowded = 160;

  EventStorm(VScreen* screen, std::uint64_t seed);

  // The next call. Gestures are planned from the tree as it is when the previous gesture has
  // been used up; their positions are fixed when they are planned.
  HostCall next();

 private:
  struct Point {
    int x;
    int y;
  };

  std::uint64_t random();
  int below(int n);                // 0 .. n-1
  int between(int lo, int hi);     // lo .. hi
  bool chance(int percent);
  int anyButton();                 // mostly left; all of 0 .. 6
  int anyKey();                    // any byte but Escape; Escape only at its own rare odds
  Point anywhere();                // mostly around the window, sometimes far outside
  Point inside(VWidget* w);        // in w's rectangle (edges included), sometimes just off it

  void guard(HostCall& call);
  std::size_t countWidgets();
  void plan();
  void planAimed();
  void planTyping(int keys);
  void planClick(Point p, int button);
  void planDrag(Point from, int button, int steps);
  void push(HostCall::Kind kind, int a, int b, Point p);
  void pushDisplay();

  VScreen* screen_;
  std::uint64_t state_;
  int screenWidth_ = 500;
  int screenHeight_ = 400;
  std::deque<HostCall> planned_;
  std::vector<VWidget*> targets_;
  std::vector<int> weights_;
};

}  // namespace vt
