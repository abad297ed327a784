// close_window: asks an X window to close, as a window manager's close button does.
//
//   vuna_close_window <window id>
//
// Sends the window the WM_DELETE_WINDOW message of the WM_PROTOCOLS it took part in; GLFW and
// SDL answer it by closing. The private X server of the tests runs no window manager to do so.
#include <X11/Xlib.h>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " <window id>" << std::endl;
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::cerr << "no X display" << std::endl;
    return 1;
  }
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = std::strtoul(argv[1], nullptr, 0);
  message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  message.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, message.xclient.window, False, NoEventMask, &message);
  XSync(display, False);
  XCloseDisplay(display);
  return 0;
}
