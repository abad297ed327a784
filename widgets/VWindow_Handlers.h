// VWindow_Handlers: the event handlers that a window puts on its close and maximise buttons.
#pragma once

#include "../core/VWidget.h"

// An internal header; the handlers live in namespace vuna, clear of a program's own names.
namespace vuna {

// Each takes the button as w; the window is the button's owner. The three that need a window
// do nothing for a button whose owner is not one (or that has none).

// Frees the button's owner, whatever widget it is (deferred: the screen deletes it, with its
// children, before the next dispatch).
void CloseButtonHandler(VWidget* w, VEvent* e);
void drawCloseButtonHandler(VWidget* w, VEvent* e);
// Toggles the window between maximised and restored.
void MaximizeButtonHandler(VWidget* w, VEvent* e);
void drawMaximizeButtonHandler(VWidget* w, VEvent* e);

}  // namespace vuna

using vuna::CloseButtonHandler;
using vuna::drawCloseButtonHandler;
using vuna::MaximizeButtonHandler;
using vuna::drawMaximizeButtonHandler;
