// services_probe: a whole program under one host (chosen when it is compiled) that uses the
// host's services as widgets will, and prints what came back, one line each:
//   "scale S"                     at start, the host's content scale
//   "timer fired after N ms"      a 300 ms timer started with the scene
//   "cancelled timer fired"       never: a 100 ms timer cancelled at once
//   "clipboard: TEXT"             on the key p, the clipboard's text (Latin-1 bytes)
//   "scale changed to S"          when the host reports another scale
// At start it puts "set by Vuna: caf\xe9" (Latin-1) on the clipboard.
#include <chrono>
#include <cstdarg>
#include <cstdio>

#include "screen/VScreen.h"
#if defined(VUNA_PROBE_GLFW)
#include "hosts/glfw/entry.h"
#elif defined(VUNA_PROBE_SDL2)
#include "hosts/sdl2/entry.h"
#else
#include "hosts/glut/host.h"
#endif

namespace {

std::chrono::steady_clock::time_point started;

void say(const char* format, ...) __attribute__((format(printf, 1, 2)));
void say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::fflush(stdout);
}

void timerFired(void*) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - started)
                      .count();
  say("timer fired after %lld ms\n", static_cast<long long>(ms));
}

void cancelledFired(void*) { say("cancelled timer fired\n"); }

void keyPressed(VWidget* w, VEvent* e) {
  if (e->getType() == etKeyboard && e->getKey() == 'p') {
    say("clipboard: %s\n", static_cast<VScreen*>(w)->getClipboardText().c_str());
  }
}

void scaleChanged(VWidget* w) {
  say("scale changed to %g\n", static_cast<VScreen*>(w)->getContentScale());
}

void buildScene(VScreen* screen) {
  say("scale %g\n", screen->getContentScale());
  screen->setClipboardText("set by Vuna: caf\xe9");
  screen->onKey = keyPressed;
  screen->onScaleChange = scaleChanged;
  started = std::chrono::steady_clock::now();
  screen->startTimer(300, timerFired, nullptr);
  screen->cancelTimer(screen->startTimer(100, cancelledFired, nullptr));
}

}  // namespace

int main(int argc, char** argv) {
  VHostOptions options;
  options.width = 200;
  options.height = 100;
#if defined(VUNA_PROBE_GLFW)
  options.title = "Vuna services (GLFW)";
  return vunaGlfwMain(argc, argv, buildScene, options);
#elif defined(VUNA_PROBE_SDL2)
  options.title = "Vuna services (SDL2)";
  return vunaSdl2Main(argc, argv, buildScene, options);
#else
  options.title = "Vuna services (GLUT)";
  return vunaMain(argc, argv, buildScene, options);
#endif
}
