// RecordingWidget: a test widget that logs every hook and handler it runs, and a root that
// ends focus requests the way the screen does.
#pragma once

#include <string>
#include <vector>

#include "core/VWidget.h"

namespace vt {

// One shared log for a test: entries like "button.processEvent down 5,6".
std::vector<std::string>& hookLog();

// The entries of one widget's hooks and handlers ("name." ...), in order.
std::vector<std::string> entriesOf(const std::string& name);

// True when the log holds the entry, e.g. "~window".
bool logged(const std::string& entry);

std::string typeName(VEventType type);

class RecordingWidget : public VWidget {
 public:
  // An event as processEvent received it, in the widget's owner's space.
  struct Seen {
    VEventType type;
    VMouseButton button;
    int x;
    int y;
    int key;
    int wheelX = 0;  // the steps of an etMouseWheel
    int wheelY = 0;
  };

  RecordingWidget(VWidget* owner, std::string name, int left = 0, int top = 0, int width = 20,
                  int height = 10);
  ~RecordingWidget() override;

  void draw(VEvent* e) override;
  bool canDrag(VEvent* e) override;
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;
  bool canFocus(VEvent* e) override;
  // Logs "name.processWheel wheel x,y", records the step in seen, answers takesWheel.
  bool processWheel(VEvent* e) override;
  void layout() override;
  void remove(VWidget* child) override;
  void childrenChanged() override;

  // Installs logging handlers on all six event handler fields and onResize.
  void logHandlers();

  std::string name;
  bool focusable = false;
  bool draggable = false;
  bool takesWheel = false;
  // Off by default, as they add to the log: "~name" when the widget is deleted; and
  // "name.remove child" and "name.childrenChanged" when a child leaves or joins.
  bool logsDeletion = false;
  bool logsChildren = false;
  VWidget* freeOnDelete = nullptr;  // freed by the destructor
  int layoutCalls = 0;
  int childrenChanges = 0;
  std::vector<Seen> seen;  // every event processEvent received
  // The modelview translation seen by the last draw, to check the per-widget context.
  float drawnAtX = 0;
  float drawnAtY = 0;
};

// Root of a test tree: no owner, ends every focus request and remembers its target, as the
// screen does with ScreenFocusedWidget, and collects free requests where the screen would
// queue them (it deletes none).
class TestRoot : public RecordingWidget {
 public:
  explicit TestRoot(int width = 500, int height = 400);
  void requestFocus(VWidget* child, VWidget* target) override;
  void freeWidget(VWidget* w) override;
  VWidget* focusTarget = nullptr;
  std::vector<VWidget*> freed;
};

}  // namespace vt
