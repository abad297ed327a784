// AppCalls: the tree calls an application makes between host calls, for the event storm.
#pragma once

#include <string>

class VScreen;
class VWidget;

namespace vt {

// What an application may do to a live tree outside any event: take a widget out of its owner
// and delete it itself; free widgets (one, one with an ancestor, from a destructor, from a
// handler while an event is routed); hide, disable and raise widgets.
enum AppOp {
  opDeleteDirectly,
  opFree,
  opFreeWithAncestor,
  opFreeFromDestructor,  // plants a hidden widget whose destructor frees a live widget
  opFreeFromHandler,     // installs an onMouseDown that frees the widget (and its owner)
  opToggleVisible,
  opToggleEnabled,
  opBringToFront,
  opCount
};

const char* appOpName(int op);

// Makes op on the pick-th (modulo their number) of the widgets under screen that the operation
// may touch, found breadth first in the live tree at the time of the call, so that the same
// storm against the same tree makes the same calls. Does nothing when none qualifies.
//
// A widget that others hold a pointer to is never freed or deleted: a window's close and
// maximise buttons (the window lays them out) and the demo window's text field (the "Fenster"
// handler reads it). A widget deleted directly is neither queued nor has a queued descendant:
// it is out of the tree, so the screen could not know the entry had gone.
void performAppCall(VScreen* screen, int op, int pick);

// The widget that the last opDeleteDirectly deleted (null when it deleted nothing). The
// screen's focus target may go on naming it: nothing may read it, and the checks allow it.
const void* lastDeletedByApplication();

// "deleteDirectly=3 free=5 ...": the calls made that found a widget to act on, by operation.
std::string appCallSummary();

}  // namespace vt
