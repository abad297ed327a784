// startup_shim: preloaded into minivuna by the start-up case; ends the program at its first frame.
//
// It replaces glutSwapBuffers: at the first buffer swap (the end of the first display pass) it
// waits for the GL to finish that frame, writes the monotonic clock as "<seconds> <nanoseconds>"
// to the descriptor named by VUNA_STARTUP_FD, and ends the process at once with status 0, so
// nothing of the main loop or of exit handlers is timed. Without the variable it writes nothing
// and still ends the process.
#include <GL/gl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

extern "C" void glutSwapBuffers(void) {
  glFinish();
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const char* fdText = std::getenv("VUNA_STARTUP_FD");
  if (fdText != nullptr) {
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld %ld\n",
                                     static_cast<long long>(now.tv_sec), now.tv_nsec);
    const int fd = std::atoi(fdText);
    if (length > 0 && write(fd, line, static_cast<size_t>(length)) < 0) {
      _exit(3);
    }
  }
  _exit(0);
}
