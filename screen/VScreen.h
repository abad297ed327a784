// VScreen: the root of the widget tree, where the host's callbacks become events.
#pragma once

#include <list>
#include <unordered_map>

#include "core/VWidget.h"

// The screen owns the one event record and the shared look and feel, ends every focus request,
// asks the host for redisplays and deletes freed widgets at a moment when no event is routed.
//
// Deferred freeing: free() travels up to freeWidget here, which only queues the widget. The
// queue is emptied at the start of the next sendEvent, before anything is routed: each queued
// widget is removed from its owner and deleted with its subtree. So a handler may free its own
// window; the rest of the walk that ran it still sees the window alive and in place, and the
// next event (the click after a release, the next input, the display pass) no longer does.
//
// The host methods fill LastEvent and dispatch; fields an event does not define keep the
// values of the previous one (a motion keeps the last Button and Key).
class VScreen : public VWidget {
 protected:
  // Waiting to be removed and deleted, in request order, each widget at most once.
  std::list<VWidget*> WidgetsToRemove;
  VWidget* ScreenFocusedWidget;  // target of the last focus request; not owned
  VEvent* LastEvent;             // owned

 public:
  explicit VScreen(VWidget* owner);

  void remove(VWidget* child) override;
  void freeWidget(VWidget* w) override;
  void redraw() override;
  void requestFocus(VWidget* child, VWidget* target) override;
  void draw(VEvent* e) override;
  void layout() override;
  bool canDrag(VEvent* e) override;
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;
  void Init() override;
  void CleanUp() override;
  ~VScreen() override;

  // Host methods: the same calls the GLUT callbacks make. Each input method ends with redraw().
  virtual void glutResize(int w, int h);
  virtual void glutKeyboard(unsigned char key, int x, int y);
  virtual void glutKeyboardUp(unsigned char key, int x, int y);
  virtual void glutSpecialFunc(int key, int x, int y);
  virtual void glutMotion(int x, int y);
  // GLUT buttons 0, 1, 2 are left, middle, right. A press gives etMouseDown; a release gives
  // etMouseUp then etMouseClick at the same place. Other button numbers (the wheel steps, 3 and
  // up) produce no event, so scrolling never presses a button.
  virtual void glutMouse(int button, int state, int x, int y);
  virtual void glutDisplay();
  virtual VWidget* getScreenFocusedWidget();
  virtual void setScreenFocusedWidget(VWidget* newValue);

  // Empties the free queue, then routes LastEvent from the screen down.
  void sendEvent();
  VEvent* getLastEvent();
  void print();


 private:
  void deleteQueuedWidgets();
  void dequeue(VWidget* w);  // drops w's entry, if it has one
  // Each queued widget's entry, so that a repeated request and the dropping of a deleted
  // subtree's entries cost no walk of the queue.
  std::unordered_map<VWidget*, std::list<VWidget*>::iterator> QueueIndex;
  unsigned long FreeRequests = 0;  // counts freeWidget calls: did a deletion queue anything?
};
