// VSdl2Host: SDL2's events for one window turned into the screen's host calls.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "../../screen/VHostServices.h"
#include "../VHostInput.h"

typedef union SDL_Event SDL_Event;
struct SDL_Window;
struct SDL_Cursor;

/// Every widget sees the same VEvent values as under GLUT: SDL's buttons left, middle, right as
/// GLUT's 0, 1, 2 (SDL numbers them 1, 2, 3); the UTF-8 of text input events as characters, with
/// their key-ups from the key that typed them; backspace, tab, return (keypad enter too),
/// escape, delete and Ctrl+letter as the characters GLUT gives for them; F1 to F12, the arrows,
/// page up and down, home, end and insert as VSpecialKey codes. Who gets each event, and what
/// each role changes, is written at VHostInput.
///
/// A program that owns its window and loop (hrGuest) hands every event to the host first and
/// keeps those the host does not take:
///   VSdl2Host gui(screen, hrGuest, window);
///   while (SDL_PollEvent(&event)) { if (!gui.processEvent(event)) { ...the program's... } }
/// and calls the screen's drawOverlay in its own frame.
///
/// Services: redisplays and timers wake SDL_WaitEvent with the host's own event (an SDL timer
/// pushes it when a timer is due, and processEvent runs the timer's callback on the loop's
/// thread); the clipboard is the desktop's once SDL's video is initialised (before, it stays
/// in the process); the scale is the drawable's size over the window's, reported as it
/// changes; the pointer takes SDL's system cursors.
class VSdl2Host : public VHostServices {
 public:
  /// With a window, the host sizes the screen from it at once and takes only that window's
  /// events; without one (a test), it takes every window's and sizes the screen from the size
  /// events alone.
  VSdl2Host(VScreen* screen, VHostRole role, SDL_Window* window = nullptr);
  /// Removes its pending SDL timers and frees its cursors.
  ~VSdl2Host() override;
  VSdl2Host(const VSdl2Host&) = delete;
  VSdl2Host& operator=(const VSdl2Host&) = delete;

  /// Mouse, key, text and window events. Answers whether the event was the GUI's. Size changes
  /// and exposures also concern the program: they answer false. The host's own wake-up event
  /// answers true, unless the host has no screen (any more): then every event answers false.
  bool processEvent(const SDL_Event& event);

  /// Was a redisplay asked for since the last call (an input event, a focus change, a new size, an
  /// exposed window)? Each first request also pushes a wake-up event, so a loop may wait in
  /// SDL_WaitEvent and draw only when this says so.
  bool takeRedisplay();
  VScreen* getScreen() const;

  /// The user event type of the wake-up and of due timers, registered with SDL once per
  /// process.
  static std::uint32_t wakeEventType();

  void redisplay() override;
  int startTimer(int milliseconds, TimerCallback callback, void* data) override;
  void cancelTimer(int timer) override;
  std::string getClipboardText() override;
  void setClipboardText(const std::string& text) override;
  double getContentScale() override;
  void setPointerShape(VPointerShape shape) override;

 private:
  static void wake();
  static std::uint32_t timerDue(std::uint32_t interval, void* timer);
  bool fireTimer(int timer);
  bool ours(std::uint32_t windowId) const;
  bool processText(const char* utf8);
  void resize(int width, int height);

  VHostInput Input;
  SDL_Window* Window;
  std::unordered_map<int, int> SdlTimers;  ///< each pending timer's SDL timer
  std::string Clipboard;                   ///< before SDL's video is initialised
  SDL_Cursor* Cursors[4] = {nullptr};      ///< by VPointerShape, made at first use
};
