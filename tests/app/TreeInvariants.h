// TreeInvariants: checks that a screen's widget tree and its free queue are sound after a host call.
#pragma once

#include <string>
#include <vector>

class VScreen;
class VWidget;

namespace vt {

// What must hold between any two host calls, whatever the input was:
//   - every child's Owner is the widget whose Children list holds it, and no widget is listed
//     twice anywhere in the tree;
//   - every FocusPath is null or one of its widget's children;
//   - the screen's focus target is null, a widget of the tree, or a widget the application
//     took out and deleted itself (the screen never reads it);
//   - every widget waiting in the free queue is still in the tree (it stays alive until the
//     next dispatch) and is queued once;
//   - a call that routed at least one event emptied the queue first: nothing that was queued
//     before the call is still reachable after it.
//
// An allocator may hand the address of a deleted widget to a widget built later in the same
// call. Where that can happen (no sanitizer quarantine), the caller passes a test that says
// whether an address was freed during the call; a queued address that was freed and is
// reachable again belongs to a new widget.
class TreeInvariants {
 public:
  using FreedTest = bool (*)(const void* address);

  explicit TreeInvariants(VScreen* screen);

  // Remembers the free queue; call right before the host call.
  void beforeCall();
  // Checks everything above. dispatched: the call routed at least one event. Answers an empty
  // string when all holds, otherwise one line per broken rule.
  std::string afterCall(bool dispatched, FreedTest freedDuringCall = nullptr);
  // The structural rules alone (owners, focus paths, focus target, queue members).
  std::string checkTree();
  // The application deleted w itself: the focus target may go on naming it.
  void deletedByApplication(const void* w) { deletedByApplication_.push_back(w); }

  // The widgets reached by the last check: the screen first, then breadth first, each widget's
  // children front to back.
  const std::vector<VWidget*>& widgets() const { return reached_; }

  // The screen's free queue, in request order.
  static std::vector<VWidget*> queueOf(VScreen* screen);
  // "VWindow at (10, 20) 200x200": the widget's class and its geometry in its owner's space.
  static std::string describe(VWidget* w);

 private:
  VScreen* screen_;
  std::vector<VWidget*> queuedBefore_;
  std::vector<VWidget*> reached_;
  std::vector<VWidget*> sortedReached_;
  std::vector<const void*> deletedByApplication_;
};

}  // namespace vt
