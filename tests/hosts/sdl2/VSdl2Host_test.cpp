// VSdl2Host: made-up SDL events, fed to a host without a window, give the events GLUT's would.
#include "hosts/sdl2/VSdl2Host.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>

#include "HostTest.h"
#include "core/VSpecialKey.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;
using Sdl2Host = vt::HostTest<VSdl2Host>;

SDL_Event mouse(Uint32 type, Uint8 button, int x, int y) {
  SDL_Event e{};
  e.type = type;
  if (type == SDL_MOUSEMOTION) {
    e.motion.x = x;
    e.motion.y = y;
  } else {
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
  }
  return e;
}

// A key event of one key, or a text event.
SDL_Event key(Uint32 type, SDL_Keycode sym = SDLK_a, Uint16 mod = 0, const char* text = "") {
  SDL_Event e{};
  e.type = type;
  if (type == SDL_TEXTINPUT) {
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
  } else {
    e.key.keysym = {SDL_SCANCODE_A, sym, mod, 0};
  }
  return e;
}

TEST_F(Sdl2Host, ButtonsLeftMiddleRightAreGlutsZeroOneTwoAndMotionNeedsOneHeld) {
  const std::pair<Uint8, const char*> buttons[] = {{SDL_BUTTON_LEFT, "0"},
                                                   {SDL_BUTTON_MIDDLE, "1"},
                                                   {SDL_BUTTON_RIGHT, "2"},
                                                   {SDL_BUTTON_X1, nullptr}};
  for (const auto& [button, glut] : buttons) {
    host_->processEvent(mouse(SDL_MOUSEMOTION, 0, 10, 20));  // no button held: no motion
    host_->processEvent(mouse(SDL_MOUSEBUTTONDOWN, button, 10, 20));
    host_->processEvent(mouse(SDL_MOUSEMOTION, 0, 50, 60));
    host_->processEvent(mouse(SDL_MOUSEBUTTONUP, button, 50, 60));
    const std::string b = glut != nullptr ? glut : "";
    const Lines seen{"down " + b + " at 10,20", "motion " + b + " at 50,60",
                     "up " + b + " at 50,60", "click " + b + " at 50,60"};
    EXPECT_EQ(widget_->take(), glut != nullptr ? seen : Lines{}) << "SDL button " << int{button};
  }
}

// Each wheel report is one step event at the pointer, the GUI's over a widget; a flipped wheel
// reports the other way round.
TEST_F(Sdl2Host, WheelStepsGoToTheWidgetUnderThePointer) {
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 1;
  host_->processEvent(mouse(SDL_MOUSEMOTION, 0, 50, 60));
  EXPECT_TRUE(host_->processEvent(wheel));
  wheel.wheel.x = 2;
  wheel.wheel.y = -3;
  wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  EXPECT_TRUE(host_->processEvent(wheel));
  EXPECT_EQ(widget_->take(), (Lines{"wheel 0,1 at 50,60", "wheel -2,3 at 50,60"}));
  host_->processEvent(mouse(SDL_MOUSEMOTION, 0, 300, 300));
  EXPECT_FALSE(host_->processEvent(wheel));  // the bare screen's: the program's
}

// The text of a key comes as UTF-8 after its key-down; the key's release sends its key-ups.
TEST_F(Sdl2Host, Latin1CharactersGoDownWithTheirKeyAndUpWithItOthersAreDropped) {
  const std::pair<const char*, Lines> cases[] = {
      {"a", typed(97)},
      {"\xC3\xA9", typed(233)},  // é
      {"\xC3\xBF", typed(255)},  // ÿ
      {"\xE2\x82\xAC", {}},      // €
      {"\xF0\x9F\x98\x80", {}},  // an emoji
      {"\xC3\xA9\xE2\x82\xAC" "b", {"key 233 at 0,0", "key 98 at 0,0", "keyup 233 at 0,0",
                                     "keyup 98 at 0,0"}}};  // é€b, one key's
  for (const auto& [utf8, seen] : cases) {
    host_->processEvent(key(SDL_KEYDOWN));
    host_->processEvent(key(SDL_TEXTINPUT, 0, 0, utf8));
    host_->processEvent(key(SDL_KEYUP));
    EXPECT_EQ(widget_->take(), seen) << utf8;
  }
}

// Escape would end a whole program: a guest hands it to the focused widget like the others.
TEST_F(Sdl2Host, KeysWithoutTextTypeGlutsControlCharactersAndSpecialKeysGlutsCodes) {
  use(hrGuest);
  const int keys[][3] = {
      {SDLK_BACKSPACE, 0, 8}, {SDLK_TAB, 0, 9},     {SDLK_RETURN, 0, 13},
      {SDLK_KP_ENTER, 0, 13}, {SDLK_ESCAPE, 0, 27}, {SDLK_DELETE, 0, 127},
      {SDLK_a, KMOD_LCTRL, 1}, {SDLK_z, KMOD_RCTRL, 26},
      {SDLK_F1, 0, -skF1},   {SDLK_F2, 0, -skF2},   {SDLK_F3, 0, -skF3},   {SDLK_F4, 0, -skF4},
      {SDLK_F5, 0, -skF5},   {SDLK_F6, 0, -skF6},   {SDLK_F7, 0, -skF7},   {SDLK_F8, 0, -skF8},
      {SDLK_F9, 0, -skF9},   {SDLK_F10, 0, -skF10}, {SDLK_F11, 0, -skF11}, {SDLK_F12, 0, -skF12},
      {SDLK_LEFT, 0, -skLeft}, {SDLK_UP, 0, -skUp}, {SDLK_RIGHT, 0, -skRight},
      {SDLK_DOWN, 0, -skDown}, {SDLK_PAGEUP, 0, -skPageUp}, {SDLK_PAGEDOWN, 0, -skPageDown},
      {SDLK_HOME, 0, -skHome}, {SDLK_END, 0, -skEnd}, {SDLK_INSERT, 0, -skInsert}};  // negative: special
  for (const auto& [sym, mod, code] : keys) {
    host_->processEvent(key(SDL_KEYDOWN, sym, static_cast<Uint16>(mod)));
    host_->processEvent(key(SDL_KEYUP, sym, static_cast<Uint16>(mod)));
    EXPECT_EQ(widget_->take(),
              code > 0 ? typed(code) : Lines{"special " + std::to_string(-code) + " at 0,0"})
        << SDL_GetKeyName(sym);
  }
}

// Size events size the screen, and a whole program's viewport too (no window here: the drawable
// is taken to be as large); they and SDL_QUIT are the program's as well. The wake-up is the GUI's.
TEST_F(Sdl2Host, ASizeEventSizesTheScreenAndAWholeProgramsViewportAndAWakeUpIsTheGuis) {
  for (VHostRole role : {hrProgram, hrGuest}) {
    use(role);
    glViewport(0, 0, 77, 55);
    SDL_Event size{};
    size.type = SDL_WINDOWEVENT;
    size.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    size.window.data1 = 640;
    size.window.data2 = 480;
    EXPECT_FALSE(host_->processEvent(size));
    EXPECT_EQ(screen_->getWidth(), 640);
    EXPECT_EQ(screen_->getHeight(), 480);
    std::vector<GLint> viewport(4);
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (role == hrProgram ? std::vector<GLint>{0, 0, 640, 480}
                                           : std::vector<GLint>{0, 0, 77, 55}));
    EXPECT_TRUE(host_->processEvent(key(VSdl2Host::wakeEventType())));
    EXPECT_FALSE(host_->processEvent(key(SDL_QUIT)));
  }
}

// Given no screen, or when its screen is deleted first (a host on the stack), a host says so
// once and takes no event, its own wake-up included; even Escape no longer ends a whole program.
TEST_F(Sdl2Host, WithoutAScreenItTakesNothingWhicheverGoesFirst) {
  vt::StreamCapture err(std::cerr);
  VSdl2Host none(nullptr, hrProgram);
  auto* own = new VScreen(nullptr);
  VSdl2Host orphan(own, hrProgram);
  delete own;
  EXPECT_EQ(orphan.getScreen(), nullptr);
  SDL_Event wake{};
  wake.type = VSdl2Host::wakeEventType();
  SDL_Event resized{};
  resized.type = SDL_WINDOWEVENT;
  resized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
  for (VSdl2Host* host : {&none, &orphan}) {
    for (const SDL_Event& e : {mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 2),
                               mouse(SDL_MOUSEMOTION, 0, 3, 4),
                               mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 3, 4),
                               key(SDL_KEYDOWN, SDLK_ESCAPE), key(SDL_TEXTINPUT, 0, 0, "a"),
                               key(SDL_KEYUP, SDLK_ESCAPE), resized, wake}) {
      EXPECT_FALSE(host->processEvent(e)) << e.type;
    }
    EXPECT_FALSE(host->takeRedisplay());
  }
  EXPECT_EQ(err.lines(), Lines{"Vuna: a host adapter was given no screen; it takes no events"});
}

}  // namespace
