// RecordingWidget: a test widget that logs every hook and handler it runs, and a root that
// ends focus requests the way the screen does.
#pragma once

#include <string>
#include <vector>

#include "core/VWidget.h"

namespace vt {

// One shared log for a test: entries like "button.processEvent down 5,6".
std::vector<std::string>& hookLog();

std::string typeName(VEventType type);

class RecordingWidget : public VWidget {
 public:
  RecordingWidget(VWidget* owner, std::string name, int left = 0, int top = 0, int width = 20,
                  int height = 10);

  void draw(VEvent* e) override;
  bool canDrag(VEvent* e) override;
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;
  bool canFocus(VEvent* e) override;
  void layout() override;

  // Installs logging handlers on all six event handler fields and onResize.
  void logHandlers();

  std::string name;
  bool focusable = false;
  bool draggable = false;
  int layoutCalls = 0;
  // The modelview translation seen by the last draw, to check the per-widget context.
  float drawnAtX = 0;
  float drawnAtY = 0;
};

// Root of a test tree: no owner, ends every focus request and remembers its target, as the
// screen does with ScreenFocusedWidget.
class TestRoot : public RecordingWidget {
 public:
  explicit TestRoot(int width = 500, int height = 400);
  void requestFocus(VWidget* child, VWidget* target) override;
  VWidget* focusTarget = nullptr;
};

}  // namespace vt
