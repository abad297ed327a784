// VSdl2Host: made-up SDL events, fed to a host without a window, give the events GLUT's would.
#include "hosts/sdl2/VSdl2Host.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "SeenEvents.h"
#include "core/VSpecialKey.h"
#include "screen/VScreen.h"
#include "support/ScreenFixture.h"

namespace {

using Lines = std::vector<std::string>;
Lines pair(const std::string& down, const std::string& up) { return {down, up}; }

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

SDL_Event event(Uint32 type, SDL_Keycode sym = 0, Uint16 mod = 0, const char* text = "") {
  SDL_Event e{};
  e.type = type;
  if (type == SDL_TEXTINPUT) {
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
  } else if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    e.key.keysym.scancode = sym == SDLK_b ? SDL_SCANCODE_B : SDL_SCANCODE_A;
  }
  return e;
}

// A 200 by 100 widget at the screen's top-left corner, focused by a click at (30, 40); the rest
// of the 500 by 400 screen is bare.
class Sdl2Host : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    vt::ScreenFixture::SetUp();
    widget_ = new vt::SeenEvents(screen_, 0, 0, 200, 100);
    use(hrProgram);
  }
  void TearDown() override {
    host_.reset();
    vt::ScreenFixture::TearDown();
  }
  void use(VHostRole role) {
    host_.reset();
    host_ = std::make_unique<VSdl2Host>(screen_, role);
    feed(mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 30, 40));
    feed(mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 30, 40));
    widget_->take();
  }
  bool feed(const SDL_Event& e) { return host_->processEvent(e); }
  Lines stroke(SDL_Keycode sym, Uint16 mod, const char* text = "") {
    feed(event(SDL_KEYDOWN, sym, mod));
    if (*text != 0) feed(event(SDL_TEXTINPUT, 0, 0, text));
    feed(event(SDL_KEYUP, sym, mod));
    return widget_->take();
  }

  vt::SeenEvents* widget_ = nullptr;
  std::unique_ptr<VSdl2Host> host_;
};

TEST_F(Sdl2Host, ButtonsLeftMiddleRightAreGlutsZeroOneTwoAndMotionNeedsOneHeld) {
  const Uint8 buttons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, SDL_BUTTON_X1};
  const char* glut[] = {"0", "1", "2", nullptr};
  for (int i = 0; i < 4; ++i) {
    feed(mouse(SDL_MOUSEMOTION, 0, 10, 20));  // no button held: no motion
    feed(mouse(SDL_MOUSEBUTTONDOWN, buttons[i], 10, 20));
    feed(mouse(SDL_MOUSEMOTION, 0, 50, 60));
    feed(mouse(SDL_MOUSEBUTTONUP, buttons[i], 50, 60));
    const std::string b = glut[i] != nullptr ? glut[i] : "";
    EXPECT_EQ(widget_->take(), (glut[i] == nullptr ? Lines{}
                                                    : Lines{"down " + b + " at 10,20",
                                                            "motion " + b + " at 50,60",
                                                            "up " + b + " at 50,60",
                                                            "click " + b + " at 50,60"}))
        << "SDL button " << int{buttons[i]};
  }
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 1;
  EXPECT_FALSE(feed(wheel));
  EXPECT_EQ(widget_->take(), Lines{});
}

// The text of a key comes as UTF-8 after its key-down; the key's release sends its key-ups.
TEST_F(Sdl2Host, Latin1CharactersGoDownWithTheirKeyAndUpWithItOthersAreDropped) {
  const struct {
    const char* utf8;
    Lines seen;
  } cases[] = {
      {"a", pair("key 97 at 30,40", "keyup 97 at 30,40")},
      {"\xC3\xA9", pair("key 233 at 30,40", "keyup 233 at 30,40")},  // é
      {"\xC3\xBF", pair("key 255 at 30,40", "keyup 255 at 30,40")},  // ÿ
      {"\xE2\x82\xAC", {}},                                          // €
      {"\xF0\x9F\x98\x80", {}},                                      // an emoji
      {"\xC3\xA9\xE2\x82\xAC" "b",                                   // é€b from one key
       {"key 233 at 30,40", "key 98 at 30,40", "keyup 233 at 30,40", "keyup 98 at 30,40"}},
  };
  for (const auto& c : cases) EXPECT_EQ(stroke(SDLK_a, 0, c.utf8), c.seen) << c.utf8;
}

// Escape would end a whole program: a guest hands it to the focused widget like the others.
TEST_F(Sdl2Host, KeysWithoutTextTypeGlutsControlCharactersAndSpecialKeysGlutsCodes) {
  use(hrGuest);
  const struct {
    SDL_Keycode sym;
    Uint16 mod;
    int code;
  } controls[] = {{SDLK_BACKSPACE, 0, 8}, {SDLK_TAB, 0, 9},       {SDLK_RETURN, 0, 13},
                  {SDLK_KP_ENTER, 0, 13}, {SDLK_ESCAPE, 0, 27},   {SDLK_DELETE, 0, 127},
                  {SDLK_a, KMOD_LCTRL, 1}, {SDLK_z, KMOD_RCTRL, 26}};
  for (const auto& c : controls) {
    const std::string n = std::to_string(c.code);
    EXPECT_EQ(stroke(c.sym, c.mod), pair("key " + n + " at 30,40", "keyup " + n + " at 30,40"));
  }
  const SDL_Keycode specials[][2] = {
      {SDLK_F1, skF1},     {SDLK_F2, skF2},   {SDLK_F3, skF3},         {SDLK_F4, skF4},
      {SDLK_F5, skF5},     {SDLK_F6, skF6},   {SDLK_F7, skF7},         {SDLK_F8, skF8},
      {SDLK_F9, skF9},     {SDLK_F10, skF10}, {SDLK_F11, skF11},       {SDLK_F12, skF12},
      {SDLK_LEFT, skLeft}, {SDLK_UP, skUp},   {SDLK_RIGHT, skRight},   {SDLK_DOWN, skDown},
      {SDLK_PAGEUP, skPageUp}, {SDLK_PAGEDOWN, skPageDown}, {SDLK_HOME, skHome},
      {SDLK_END, skEnd},   {SDLK_INSERT, skInsert}, {SDLK_F13, 0}, {SDLK_LSHIFT, 0}};
  for (const auto& s : specials) {
    const Lines seen{"special " + std::to_string(s[1]) + " at 30,40"};
    EXPECT_EQ(stroke(s[0], 0), s[1] == 0 ? Lines{} : seen) << SDL_GetKeyName(s[0]);
  }
}

// Size events size the screen, and a whole program's viewport too (no window here: the drawable
// is taken to be as large); they and SDL_QUIT are the program's as well. The wake-up is the GUI's.
TEST_F(Sdl2Host, ASizeEventSizesTheScreenAndAWholeProgramsViewportAndAWakeUpIsTheGuis) {
  for (VHostRole role : {hrProgram, hrGuest}) {
    use(role);
    glViewport(0, 0, 77, 55);
    SDL_Event size = event(SDL_WINDOWEVENT);
    size.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    size.window.data1 = 640;
    size.window.data2 = 480;
    EXPECT_FALSE(feed(size));
    EXPECT_EQ(screen_->getWidth(), 640);
    EXPECT_EQ(screen_->getHeight(), 480);
    std::vector<GLint> viewport(4);
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (role == hrProgram ? std::vector<GLint>{0, 0, 640, 480}
                                           : std::vector<GLint>{0, 0, 77, 55}));
    EXPECT_TRUE(feed(event(VSdl2Host::wakeEventType())));
    EXPECT_FALSE(feed(event(SDL_QUIT)));
  }
}

}  // namespace
