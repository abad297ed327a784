// VHostServices: what widgets need from the host beside its input: redisplays, timers, the
// clipboard, the display's scale and the pointer's shape.
#pragma once

#include <string>

/// The pointer shapes a widget may ask for; a host that cannot show one keeps the arrow.
enum VPointerShape { psArrow, psTextBeam, psResizeCorner, psHand };

/// One object per host adapter (and one per program that hosts the screen by itself), given to
/// the screen with VScreen::setHostServices; widgets reach it through the screen's forwarding
/// calls, which also serve a screen that has none. Every call is made on the host's loop
/// thread, and every callback comes back on it, between events.
///
/// A widget cancels its pending timers when it goes. The adapters also forget a screen's
/// pending timers when the screen is deleted (its widgets go after it has let go of its
/// services); services of a program's own do the same, or outlive no screen whose widgets have
/// timers pending.
class VHostServices {
 public:
  typedef void (*TimerCallback)(void* data);

  virtual ~VHostServices() = default;

  /// Asks the host to draw the screen again soon; any number of requests before that frame
  /// give one frame.
  virtual void redisplay() = 0;

  /// Calls callback(data) once, from the host's loop, no sooner than milliseconds from now
  /// (a negative delay counts as 0). Answers the timer's number, greater than 0 and unique in
  /// the process, or 0 when the host has no timers (the callback will never run). While no
  /// timer is pending, the host's loop waits without waking.
  virtual int startTimer(int milliseconds, TimerCallback callback, void* data) = 0;
  /// The timer's callback will not run; a timer that already ran, was cancelled or never
  /// existed (0 included) is ignored.
  virtual void cancelTimer(int timer) = 0;

  /// The clipboard's text, Latin-1 like every text of the toolkit: a character beyond Latin-1
  /// on the desktop's clipboard reads as '?'. A host without a system clipboard keeps the text
  /// in the process.
  virtual std::string getClipboardText() = 0;
  virtual void setClipboardText(const std::string& text) = 0;

  /// The scale the desktop asks of user interfaces on the window's display (1 on a plain
  /// display, 2 on a doubled one): GLFW's content scale (on X11 the Xft.dpi setting over 96),
  /// SDL2's drawable size over its window size, a browser's device pixel ratio. It is a request
  /// for larger widgets, not a pixel density: how many device pixels a screen pixel spans is
  /// the framebuffer's size over the window's (VScreen::setFramebufferSize). A change is
  /// reported to the screen (VScreen::contentScaleChanged).
  virtual double getContentScale() = 0;

  /// Shows the shape over the window from now on, where the host can set it.
  virtual void setPointerShape(VPointerShape shape) = 0;
};
