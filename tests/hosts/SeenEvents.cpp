// SeenEvents: one line for each event the widget receives.
#include "SeenEvents.h"

#include <utility>

#include "support/RecordingWidget.h"

namespace vt {

SeenEvents::SeenEvents(VWidget* owner, int left, int top, int width, int height)
    : VWidget(owner) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
}

bool SeenEvents::processEvent(VEvent* e) {
  const VEventType t = e->getType();
  const bool key = t == etKeyboard || t == etKeyboardUp || t == etSpecialKey;
  seen_.push_back(typeName(t) + " " + std::to_string(key ? e->getKey() : e->getButton()) +
                  " at " + std::to_string(e->getX()) + "," + std::to_string(e->getY()));
  return false;
}

bool SeenEvents::canFocus(VEvent*) { return true; }

std::vector<std::string> SeenEvents::take() { return std::exchange(seen_, {}); }

}  // namespace vt
