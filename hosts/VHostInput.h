// VHostInput: the host-neutral half of every host adapter, from pointer, keys and text to the screen.
#pragma once

#include <bitset>
#include <string>
#include <unordered_map>

#include "VHostTimers.h"

class VScreen;
class VHostServices;

/// Who owns the window and the loop an adapter serves.
enum VHostRole {
  /// The adapter's own entry runs the whole program, as vunaMain does under GLUT: every event
  /// reaches the screen, Escape ends the process with status 0 before any widget sees it (while
  /// no pop-up is open: an open menu or list takes it, and closes), and a
  /// new window size also sets the viewport and the pixel projection.
  hrProgram,
  /// The program owns the window, its loop, its GL state and its scene, and draws the widgets
  /// with the screen's drawOverlay in its own frame. Each event belongs either to the GUI or to
  /// the program, never to both (see VHostInput below); a size only sizes the screen.
  hrGuest
};

/// An adapter turns its host's values into these calls: GLUT's button numbers (0 left, 1 middle,
/// 2 right), the host's own identity for a physical key, the character code GLUT would give for
/// a key that types no text, a VSpecialKey, and Unicode code points of typed text. This class
/// makes the screen's host method calls from them, exactly the calls GLUT's callbacks make, and
/// answers each time whether the event is the GUI's.
///
/// Which events are the GUI's (in either role; under hrGuest the others never reach the screen):
///   press         always reaches the screen first; the GUI's when a widget took it
///                 (capturesMouse), and then the gesture is the GUI's. Under hrGuest a press that
///                 only reached the bare screen drops the focus, as a click into the program's
///                 scene should, and goes to the program.
///   motion        while a button is held, the gesture owner's; with none held it goes to the
///                 screen's glutPassiveMotion only while some widget has a tooltip, and is
///                 never the GUI's
///   wheel         always reaches the screen; the GUI's when a widget is under the pointer
///   release       the gesture owner's, so a drag that began on the scene never ends as a click
///                 on whatever widget lies under the pointer
///   key, text     the GUI's while the focused widget takes it (capturesKey) at the key's press:
///                 every character while a text field has the focus, Space and Return while a
///                 button has it; a character typed by a key the GUI did not take at its press
///                 makes the key the GUI's when the focused widget takes that character
///   key release   goes where its press went, with the key-ups of the characters it typed
///   other buttons: nothing is sent; never the GUI's
///
/// Characters: etKeyboard with codes 0 to 255. A code point up to 255 (Latin-1) is its byte; any
/// other is dropped. The key that typed a character (the last key down when the text came) sends
/// its etKeyboardUp when it goes up; text that no held key typed (an input method's) goes down
/// and up at once.
///
/// Services: the adapter's services (VHostServices) are installed on the screen while this
/// object lives. Their redisplay comes to requestRedisplay: the first request after the last
/// takeRedisplay() wakes the host's loop through the adapter's wake function; the loop then
/// draws once for any number of requests. The timers are kept here for the adapter, and the
/// content scale, whose change is reported to the screen.
///
/// Lifetime: without a screen (given none, which one line on standard error reports, or after the
/// screen was deleted, in whichever order the program tears down) every call is safe and does
/// nothing; no event is the GUI's, so the program gets them all, and the screen's pending timers
/// are forgotten with it.
class VHostInput {
 public:
  typedef void (*WakeFunction)();

  VHostInput(VScreen* screen, VHostRole role, VHostServices* services, WakeFunction wake);
  /// Takes the services off the screen, when the screen is still there (which then asks no
  /// host).
  ~VHostInput();
  VHostInput(const VHostInput&) = delete;
  VHostInput& operator=(const VHostInput&) = delete;

  /// Null when there is none (any more).
  VScreen* getScreen() const;
  VHostRole getRole() const;

  /// The pointer in window coordinates, the screen's pixels. setPointer only remembers it, as
  /// the position of the next button or key event; pointerMoved also sends the motion while one
  /// of the three buttons is held.
  void setPointer(int x, int y);
  bool pointerMoved(int x, int y);
  int getPointerX() const;
  int getPointerY() const;
  /// A GLUT button number going down or up; any other number sends nothing.
  bool mouseButton(int glutButton, bool down);
  /// Motion from a host that reports it only while a button is held (GLUT): sent to the
  /// gesture's owner whether or not the press came through this object.
  bool pointerDragged(int x, int y);
  /// The modifier keys held (VModifier bits), for the events that follow.
  void setModifiers(int held);
  /// The wheel turned at the pointer: stepsX to the right, stepsY away from the user. Parts of
  /// a step (a touchpad's) add up until they make whole steps, which go to the screen's
  /// mouseWheel. Answers whether the wheel is the GUI's: a widget was under the pointer at the
  /// last whole step. Counts that are no number or beyond 65536 steps are dropped (false).
  bool wheel(double stepsX, double stepsY);

  /// A key went down or repeats. typed: the character GLUT gives for a key that types no text
  /// (backspace 8, tab 9, return 13, escape 27, delete 127, Ctrl+letter 1 to 26), or -1; special:
  /// a VSpecialKey, or 0. A key with neither sends nothing now but may type text next.
  bool keyDown(int key, int typed, int special);
  /// A character that the last key down typed.
  bool text(unsigned long codePoint);
  bool keyUp(int key);
  /// A host that reports characters with their own key-ups and knows no physical keys (GLUT):
  /// each character's release goes where its press went. Escape going down under hrProgram
  /// ends the process as keyDown's does.
  bool character(unsigned char c, bool down);
  /// A VSpecialKey from such a host (it reports no release).
  bool specialKey(int special);

  /// Window size in the screen's pixels and framebuffer size in device pixels (they differ on a
  /// scaled display). Sizes the screen (layout and onResize on a real change); under hrProgram
  /// first the viewport (framebuffer) and one unit per window pixel, origin at the top-left
  /// corner, y downwards, as GLUT's reshape does. Asks for a redisplay.
  void resize(int width, int height, int framebufferWidth, int framebufferHeight);

  /// Was a redisplay asked for since the last call? Clears the request.
  bool takeRedisplay();
  /// Asks for one, as the screen's redraw() does (an exposed or resized window).
  void requestRedisplay();

  VHostTimers& timers();
  /// The host's content scale (1 until told); a real change is reported to the screen, and
  /// becomes the screen's scale (VScreen::setHostScale) when the host follows it.
  void setContentScale(double scale);
  double getContentScale() const;
  /// Does the screen's scale follow the content scale? Yes by default (GLFW, SDL2); GLUT
  /// says no: it cannot learn the desktop's scale, and a browser's canvas is not enlarged
  /// by its device pixel ratio.
  void setFollowsContentScale(bool follows);

 private:
  static void screenGoing(void* self);
  bool reachesScreen(bool gui) const;
  void type(unsigned char c, bool gui);

  struct HeldKey {
    bool gui;           ///< where its press went
    std::string typed;  ///< the characters it typed, each once, for their key-ups
  };

  VScreen* Screen;
  VHostRole Role;
  VHostServices* Services;
  WakeFunction Wake;
  bool RedisplayWanted = false;
  VHostTimers Timers;
  double ContentScale = 1.0;
  bool FollowsContentScale = true;

  int X = 0;
  int Y = 0;
  unsigned HeldButtons = 0;     ///< bit b for GLUT button b
  bool GuiOwnsGesture = false;  ///< the last press went to a widget
  double WheelX = 0;            ///< parts of a step not sent yet
  double WheelY = 0;
  bool WheelToGui = false;      ///< where the last whole step went

  std::unordered_map<int, HeldKey> HeldKeys;
  int LastKey = 0;
  bool LastKeyHeld = false;  ///< LastKey is down, so text now is its
  std::bitset<256> CharacterToGui;  ///< where each character's last press went (character())
};
