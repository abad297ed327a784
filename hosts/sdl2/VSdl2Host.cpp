// VSdl2Host: SDL's buttons, keys and UTF-8 text in GLUT's terms, sizes and the wake-up event.
#include "hosts/sdl2/VSdl2Host.h"

#include <SDL.h>

#include <cstdint>

#include "core/VSpecialKey.h"
#include "hosts/VLatin1.h"
#include "screen/VScreen.h"

namespace {

// SDL's modifier keys as the toolkit's VModifier bits.
int modifiers(Uint16 mod) {
  return ((mod & KMOD_SHIFT) != 0 ? vmShift : 0) | ((mod & KMOD_CTRL) != 0 ? vmCtrl : 0) |
         ((mod & KMOD_ALT) != 0 ? vmAlt : 0);
}

int glutButton(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_MIDDLE: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    default: return -1;
  }
}

// The character GLUT gives for a key whose text SDL drops as unprintable.
int typedBy(SDL_Keycode key, Uint16 mod) {
  switch (key) {
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_ESCAPE: return 27;
    case SDLK_DELETE: return 127;
    default: break;
  }
  if ((mod & KMOD_CTRL) != 0 && key >= SDLK_a && key <= SDLK_z) {
    return static_cast<int>(key - SDLK_a) + 1;
  }
  return -1;
}

int special(SDL_Keycode key) {
  if (key >= SDLK_F1 && key <= SDLK_F12) {
    return skF1 + static_cast<int>(key - SDLK_F1);
  }
  switch (key) {
    case SDLK_LEFT: return skLeft;
    case SDLK_UP: return skUp;
    case SDLK_RIGHT: return skRight;
    case SDLK_DOWN: return skDown;
    case SDLK_PAGEUP: return skPageUp;
    case SDLK_PAGEDOWN: return skPageDown;
    case SDLK_HOME: return skHome;
    case SDLK_END: return skEnd;
    case SDLK_INSERT: return skInsert;
    default: return 0;
  }
}

// The wake-up event's code for a due timer, whose number is in data1.
constexpr Sint32 kTimerDue = 1;

}  // namespace

VSdl2Host::VSdl2Host(VScreen* screen, VHostRole role, SDL_Window* window)
    : Input(screen, role, this, wake), Window(window) {
  if (Window != nullptr) {
    int x = 0;
    int y = 0;
    SDL_GetWindowSize(Window, &x, &y);
    resize(x, y);
    SDL_GetMouseState(&x, &y);
    Input.setPointer(x, y);
  }
}

VSdl2Host::~VSdl2Host() {
  for (const auto& pending : SdlTimers) {
    SDL_RemoveTimer(pending.second);
  }
  // SDL_Quit frees every cursor itself.
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
    return;
  }
  for (SDL_Cursor* cursor : Cursors) {
    if (cursor != nullptr) {
      SDL_FreeCursor(cursor);
    }
  }
}

VScreen* VSdl2Host::getScreen() const { return Input.getScreen(); }
bool VSdl2Host::takeRedisplay() { return Input.takeRedisplay(); }

std::uint32_t VSdl2Host::wakeEventType() {
  static const std::uint32_t type = SDL_RegisterEvents(1);
  return type;
}

void VSdl2Host::wake() {
  SDL_Event event{};
  event.type = wakeEventType();
  SDL_PushEvent(&event);
}

bool VSdl2Host::ours(std::uint32_t windowId) const {
  return Window == nullptr || windowId == SDL_GetWindowID(Window);
}

// The screen's pixels are window coordinates; the viewport takes the drawable's.
void VSdl2Host::resize(int width, int height) {
  int drawableWidth = width;
  int drawableHeight = height;
  if (Window != nullptr) {
    SDL_GL_GetDrawableSize(Window, &drawableWidth, &drawableHeight);
  }
  Input.resize(width, height, drawableWidth, drawableHeight);
  if (width > 0 && drawableWidth > 0) {
    Input.setContentScale(static_cast<double>(drawableWidth) / width);
  }
}

bool VSdl2Host::processEvent(const SDL_Event& event) {
  if (Input.getScreen() == nullptr) {
    return false;  // no screen (any more): every event is the program's
  }
  switch (event.type) {
    case SDL_MOUSEMOTION:
      return ours(event.motion.windowID) && Input.pointerMoved(event.motion.x, event.motion.y);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (!ours(event.button.windowID)) {
        return false;
      }
      Input.setPointer(event.button.x, event.button.y);
      Input.setModifiers(modifiers(SDL_GetModState()));
      return Input.mouseButton(glutButton(event.button.button),
                               event.type == SDL_MOUSEBUTTONDOWN);
    case SDL_MOUSEWHEEL: {
      if (!ours(event.wheel.windowID) || event.wheel.which == SDL_TOUCH_MOUSEID) {
        return false;
      }
      // A flipped wheel (natural scrolling) reports the other way round.
      const double flip = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1.0 : 1.0;
      return Input.wheel(flip * event.wheel.x, flip * event.wheel.y);
    }
    case SDL_KEYDOWN:
      if (!ours(event.key.windowID)) {
        return false;
      }
      Input.setModifiers(modifiers(event.key.keysym.mod));
      return Input.keyDown(event.key.keysym.scancode,
                           typedBy(event.key.keysym.sym, event.key.keysym.mod),
                           special(event.key.keysym.sym));
    case SDL_KEYUP:
      if (!ours(event.key.windowID)) {
        return false;
      }
      Input.setModifiers(modifiers(event.key.keysym.mod));
      return Input.keyUp(event.key.keysym.scancode);
    case SDL_TEXTINPUT:
      return ours(event.text.windowID) && processText(event.text.text);
    case SDL_WINDOWEVENT:
      if (ours(event.window.windowID)) {
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          resize(event.window.data1, event.window.data2);
        } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
          Input.requestRedisplay();
        }
      }
      return false;
    default:
      if (event.type != wakeEventType()) {
        return false;
      }
      // Another host's timer is not this one's: its program hands it to that host.
      return event.user.code != kTimerDue ||
             fireTimer(static_cast<int>(reinterpret_cast<std::intptr_t>(event.user.data1)));
  }
}

// One text event may carry several characters (an input method's); the key that typed the
// first typed them all.
bool VSdl2Host::processText(const char* utf8) {
  bool gui = false;
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
  while (*s != 0) {
    gui = Input.text(VLatin1::nextCodePoint(s));
  }
  return gui;
}

// --- services ---------------------------------------------------------------------------------

void VSdl2Host::redisplay() { Input.requestRedisplay(); }

// On SDL's timer thread: only hands the number to the loop, which runs the callback.
std::uint32_t VSdl2Host::timerDue(std::uint32_t, void* timer) {
  SDL_Event event{};
  event.type = wakeEventType();
  event.user.code = kTimerDue;
  event.user.data1 = timer;
  SDL_PushEvent(&event);
  return 0;  // once
}

int VSdl2Host::startTimer(int milliseconds, TimerCallback callback, void* data) {
  if (callback == nullptr || Input.getScreen() == nullptr) {
    return 0;
  }
  const int timer = Input.timers().start(milliseconds, callback, data);
  const SDL_TimerID sdlTimer =
      SDL_AddTimer(static_cast<Uint32>(milliseconds > 0 ? milliseconds : 0), timerDue,
                   reinterpret_cast<void*>(static_cast<std::intptr_t>(timer)));
  if (sdlTimer == 0) {
    Input.timers().cancel(timer);
    return 0;
  }
  SdlTimers[timer] = sdlTimer;
  return timer;
}

void VSdl2Host::cancelTimer(int timer) {
  const auto pending = SdlTimers.find(timer);
  if (pending == SdlTimers.end()) {
    return;
  }
  SDL_RemoveTimer(pending->second);  // an event it already pushed finds the number gone
  SdlTimers.erase(pending);
  Input.timers().cancel(timer);
}

// SDL counts whole milliseconds and may push a little early: the rest is waited again.
bool VSdl2Host::fireTimer(int timer) {
  const auto pending = SdlTimers.find(timer);
  if (pending == SdlTimers.end()) {
    return false;
  }
  const long left = Input.timers().millisecondsLeft(timer);
  if (left > 0) {
    pending->second = SDL_AddTimer(static_cast<Uint32>(left), timerDue,
                                   reinterpret_cast<void*>(static_cast<std::intptr_t>(timer)));
    if (pending->second != 0) {
      return true;
    }
  }
  SdlTimers.erase(pending);
  Input.timers().fire(timer);
  return true;
}

std::string VSdl2Host::getClipboardText() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
    return Clipboard;
  }
  char* utf8 = SDL_GetClipboardText();
  const std::string text = VLatin1::fromUtf8(utf8);
  SDL_free(utf8);
  return text;
}

void VSdl2Host::setClipboardText(const std::string& text) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
    Clipboard = text;
    return;
  }
  SDL_SetClipboardText(VLatin1::toUtf8(text).c_str());
}

double VSdl2Host::getContentScale() { return Input.getContentScale(); }

void VSdl2Host::setPointerShape(VPointerShape shape) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || shape < psArrow || shape > psHand) {
    return;
  }
  SDL_Cursor*& cursor = Cursors[shape];
  if (cursor == nullptr) {
    static const SDL_SystemCursor kSystem[] = {SDL_SYSTEM_CURSOR_ARROW, SDL_SYSTEM_CURSOR_IBEAM,
                                               SDL_SYSTEM_CURSOR_SIZENWSE,
                                               SDL_SYSTEM_CURSOR_HAND};
    cursor = SDL_CreateSystemCursor(kSystem[shape]);
  }
  if (cursor != nullptr) {
    SDL_SetCursor(cursor);
  }
}
