// VWindow_Handlers: closing, maximising and painting a window from its buttons' handlers.
#include "widgets/VWindow_Handlers.h"

#include "widgets/VWindow.h"

namespace vuna {

namespace {
// The window whose own close or maximise button this is: a button the program moved into
// another widget has no window to paint or maximise.
VWindow* windowOf(VWidget* button, VButton* (VWindow::*own)()) {
  auto* window = button != nullptr ? dynamic_cast<VWindow*>(button->getOwner()) : nullptr;
  return window != nullptr && (window->*own)() == button ? window : nullptr;
}
}  // namespace

void CloseButtonHandler(VWidget* w, VEvent*) {
  VWidget* owner = w != nullptr ? w->getOwner() : nullptr;
  if (owner != nullptr) {
    owner->free();
  }
}

void drawCloseButtonHandler(VWidget* w, VEvent*) {
  if (VWindow* window = windowOf(w, &VWindow::getCloseButton)) {
    window->drawCloseButton();
  }
}

void MaximizeButtonHandler(VWidget* w, VEvent*) {
  if (VWindow* window = windowOf(w, &VWindow::getMaximizeButton)) {
    window->maximize();
  }
}

void drawMaximizeButtonHandler(VWidget* w, VEvent*) {
  if (VWindow* window = windowOf(w, &VWindow::getMaximizeButton)) {
    window->drawMaximizeButton();
  }
}

}  // namespace vuna
