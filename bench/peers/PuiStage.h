// PuiStage: PLIB's PUI set up in the bench window, the roots of one case's scene, frame and input.
#pragma once

#include <vector>

#include "bench/peers/DemoLayout.h"
#include "bench/peers/PeerGlState.h"

class puGroup;
class puMenuBar;
class puObject;

// PUI has one interface per process, made by puInit once the GL window exists; the first stage
// makes it and sets the style every case draws in. A stage holds one case's scene: the top-level
// groups it opened (each a window or a toolbar of the scene) and deletes them, with everything
// in them, when it ends. PUI works y upwards from the window's bottom edge; the stage takes
// boxes y downwards from the top, like the other toolkits, and turns them over.
class PuiStage {
 public:
  PuiStage();
  ~PuiStage();
  PuiStage(const PuiStage&) = delete;
  PuiStage& operator=(const PuiStage&) = delete;

  // Opens a top-level group at box b of the window; the objects made until close() join it.
  puGroup* openRoot(peers::Box b);
  // Opens a group at box b of the open group of height parentHeight, for nested containers.
  puGroup* openGroup(peers::Box b, int parentHeight);
  // Opens PUI's menu bar as a top-level group; its titles and menus are added with add_submenu
  // until close(), which lays it along the window's top.
  puMenuBar* openMenuBar();
  // Ends the group opened last.
  void close(puGroup* g);

  // Makes a PUI object at box b inside the open group of height parentHeight and counts it.
  template <class T, class... Extra>
  T* make(peers::Box b, int parentHeight, Extra... extra) {
    ++objects_;
    return new T(b.x, parentHeight - b.y - b.h, b.x + b.w, parentHeight - b.y, extra...);
  }

  // Makes a PUI object from its own constructor's arguments (for the classes that take no box)
  // and counts it.
  template <class T, class... Args>
  T* makeFrom(Args... args) {
    ++objects_;
    return new T(args...);
  }

  // One display pass: clear, PUI's display, glFinish. No buffer swap.
  void frame();
  // A press and release of the left button at (x, y), y downwards, as GLUT reports them.
  void click(int x, int y);
  // The left button going down, or up, at (x, y), y downwards.
  void press(int x, int y);
  void release(int x, int y);
  // The pointer moved to (x, y), y downwards, as GLUT reports a motion with a button held.
  void motion(int x, int y);
  // A special key (a GLUT key code) going down and up.
  void specialKey(int glutKey);

  // PUI objects made on this stage, groups included.
  long long objects() const { return objects_; }

 private:
  PeerGlState gl_;
  std::vector<puGroup*> roots_;
  long long objects_ = 0;
};
