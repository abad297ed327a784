// VTooltip: the screen's one hint box, shown when the pointer rests over a widget with a tooltip.
#pragma once

class VScreen;
class VWidget;

/// The hint of the widget under the pointer (the deepest enabled, visible widget, or the nearest
/// of its owners with a tooltip) shows once the pointer has rested over it for kDelay
/// milliseconds with no button held. It is drawn after every window, in the look and feel's
/// font on its background colour with a one-pixel frame in the lowered bevel colour, its top-left
/// corner kOffsetX right of and kOffsetY below the pointer, and moved inside the screen: left
/// against the right edge, above the pointer at the bottom edge. It takes no input.
///
/// It goes when the pointer leaves the widget, when a button or key goes down, the wheel turns
/// or a drag moves, when the widget is deleted, hidden, disabled or taken out of the screen, or
/// its tooltip is cleared; after a press or key it comes back only once the pointer has left
/// the widget. The timer is the host's (no host, no hints).
class VTooltip {
 public:
  static constexpr int kDelay = 500;
  static constexpr int kOffsetX = 4;
  static constexpr int kOffsetY = 20;
  static constexpr int kPadding = 4;  ///< between the frame and the text, left and right

  explicit VTooltip(VScreen* screen);
  ~VTooltip();
  VTooltip(const VTooltip&) = delete;
  VTooltip& operator=(const VTooltip&) = delete;

  /// The pointer moved with no button held, to (x, y) in the screen's space.
  void pointerMoved(int x, int y);
  /// A press, a key, a wheel step or a drag: hides the hint and holds it back.
  void interrupt();
  /// w is being deleted.
  void widgetGone(const VWidget* w);
  /// Draws the box, if it is shown and its widget still has a place in the screen.
  void draw();
  bool isShown() const { return Shown; }

 private:
  static void due(void* self);
  void hide();
  void stopTimer();
  /// The deepest enabled, visible widget at (x, y), given in w's owner's space, or null.
  static VWidget* deepestAt(VWidget* w, int x, int y);
  /// The widget whose hint applies at (x, y), or null.
  VWidget* widgetAt(int x, int y);
  /// Still in the screen, visible and enabled along its owners, with a tooltip.
  bool stillThere() const;

  VScreen* Screen;
  VWidget* Target = nullptr;  ///< whose hint is due or shown
  bool Shown = false;
  bool Held = false;          ///< a press hid it: nothing until the pointer leaves Target
  int Timer = 0;
  int PointerX = 0;
  int PointerY = 0;
};
