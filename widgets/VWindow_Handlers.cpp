// VWindow_Handlers: closing, maximising and painting a window from its buttons' handlers.
#include "widgets/VWindow_Handlers.h"

#include "widgets/VWindow.h"

namespace vuna {

namespace {
VWindow* windowOf(VWidget* button) {
  return button != nullptr ? dynamic_cast<VWindow*>(button->getOwner()) : nullptr;
}
}  // namespace

void CloseButtonHandler(VWidget* w, VEvent*) {
  VWidget* owner = w != nullptr ? w->getOwner() : nullptr;
  if (owner != nullptr) {
    owner->free();
  }
}

void drawCloseButtonHandler(VWidget* w, VEvent*) {
  if (VWindow* window = windowOf(w)) {
    window->drawCloseButton();
  }
}

void MaximizeButtonHandler(VWidget* w, VEvent*) {
  if (VWindow* window = windowOf(w)) {
    window->maximize();
  }
}

void drawMaximizeButtonHandler(VWidget* w, VEvent*) {
  if (VWindow* window = windowOf(w)) {
    window->drawMaximizeButton();
  }
}

}  // namespace vuna
