// VSdl2Host: SDL's buttons, keys and UTF-8 text in GLUT's terms, sizes and the wake-up event.
#include "hosts/sdl2/VSdl2Host.h"

#include <SDL.h>

#include "core/VSpecialKey.h"
#include "screen/VScreen.h"

namespace {

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

// The next code point of a UTF-8 string, moving past it; a byte that starts no well-formed
// sequence is skipped and answers a code point past Unicode, which no widget is sent.
unsigned long nextCodePoint(const unsigned char*& s) {
  const unsigned char lead = *s++;
  int more = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2
                                : (lead & 0xF8) == 0xF0                           ? 3
                                                                                  : -1;
  if (more < 0) {
    return 0x110000;
  }
  unsigned long cp = more == 0 ? lead : lead & (0x3Fu >> more);
  for (; more > 0; --more) {
    if ((*s & 0xC0) != 0x80) {
      return 0x110000;
    }
    cp = (cp << 6) | (*s++ & 0x3Fu);
  }
  return cp;
}

}  // namespace

VSdl2Host::VSdl2Host(VScreen* screen, VHostRole role, SDL_Window* window)
    : Input(screen, role, wake), Window(window) {
  if (Window != nullptr) {
    int x = 0;
    int y = 0;
    SDL_GetWindowSize(Window, &x, &y);
    resize(x, y);
    SDL_GetMouseState(&x, &y);
    Input.setPointer(x, y);
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
      return Input.mouseButton(glutButton(event.button.button),
                               event.type == SDL_MOUSEBUTTONDOWN);
    case SDL_KEYDOWN:
      return ours(event.key.windowID) &&
             Input.keyDown(event.key.keysym.scancode,
                           typedBy(event.key.keysym.sym, event.key.keysym.mod),
                           special(event.key.keysym.sym));
    case SDL_KEYUP:
      return ours(event.key.windowID) && Input.keyUp(event.key.keysym.scancode);
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
      return event.type == wakeEventType();
  }
}

// One text event may carry several characters (an input method's); the key that typed the
// first typed them all.
bool VSdl2Host::processText(const char* utf8) {
  bool gui = false;
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
  while (*s != 0) {
    gui = Input.text(nextCodePoint(s));
  }
  return gui;
}
