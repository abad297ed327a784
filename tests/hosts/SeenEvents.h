// SeenEvents: a focusable test widget that writes down, as text, every event routed to it.
#pragma once

#include <string>
#include <vector>

#include "core/VWidget.h"

namespace vt {

// One line an event: "down 0 at 30,40" (type, Button, X, Y) for a mouse event, "key 97 at
// 30,40" (type, Key, X, Y) for a key event, with X and Y as the widget sees them.
class SeenEvents : public VWidget {
 public:
  SeenEvents(VWidget* owner, int left, int top, int width, int height);
  bool processEvent(VEvent* e) override;
  bool canFocus(VEvent* e) override;
  std::vector<std::string> take();  // the lines since the last call

 private:
  std::vector<std::string> seen_;
};

}  // namespace vt
