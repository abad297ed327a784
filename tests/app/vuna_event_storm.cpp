// vuna_event_storm: drives the demo scene with a seeded storm of host calls, checking after each.
//
//   vuna_event_storm --seed S --events N [--corrupt-at K] [--abort-at K]
//
// Opens its own GLUT window, builds the demo scene under the global screen as the program does
// and makes N host calls from the storm of seed S, the handlers running for real. After every
// call the tree's invariants and the GL state (no error pending, model-view depth unchanged)
// are checked; the first problem ends the run with status 3 and the command that replays it.
// A crash, a sanitizer report or an abort names the seed and the step as well. "Shut Down" and
// Escape end the run through exit(0), an ordinary end.
//
// Standard output gets one line, at the end of the run however it ends:
//   STORM seed=S events=E end=limit|exit opened=... tree=<fingerprint> ... last=<the last call>
// The toolkit's own output (the text fields' key dumps, the handlers' lines) is counted and
// dropped. --corrupt-at and --abort-at break the run on purpose at step K, to show that the
// checks and the failure reports work.
#include <GL/freeglut.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>
#include <streambuf>
#include <string>
#include <unistd.h>

#include "AppCalls.h"
#include "EventStorm.h"
#include "StormCounters.h"
#include "TreeInvariants.h"
#include "app/app.h"
#include "screen/host.h"
#include "support/GlTest.h"
#include "support/WidgetTree.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VTextEdit.h"
#include "widgets/VWindow.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define VUNA_STORM_ASAN 1
#endif

namespace {

// --- addresses freed during a call ---------------------------------------------------------
// Without a sanitizer's quarantine the allocator may give a deleted widget's address to a
// widget built later in the same call; the checks need to know. Under AddressSanitizer freed
// memory is not reused for a long while, and its own operator delete stays in place.
#if !defined(VUNA_STORM_ASAN)
constexpr std::size_t kFreedCapacity = 1 << 16;
const void* freedLog[kFreedCapacity];
std::size_t freedCount = 0;
bool freedOverflow = false;
bool recordingFrees = false;

bool freedDuringCall(const void* address) {
  return freedOverflow || std::binary_search(freedLog, freedLog + freedCount, address);
}
#endif

void startRecordingFrees() {
#if !defined(VUNA_STORM_ASAN)
  freedCount = 0;
  freedOverflow = false;
  recordingFrees = true;
#endif
}

vt::TreeInvariants::FreedTest stopRecordingFrees() {
#if !defined(VUNA_STORM_ASAN)
  recordingFrees = false;
  std::sort(freedLog, freedLog + freedCount);
  return freedDuringCall;
#else
  return nullptr;
#endif
}

// --- the run's state, for the end line and for the death reports ----------------------------
std::uint64_t seed = 0;
std::uint64_t step = 0;  // the call under way, from 1; after the last call, the number made
const char* program = "vuna_event_storm";
char currentCall[160] = "none";
bool reported = false;

vt::StormCounters* counters = nullptr;

// Counts what the toolkit writes to std::cout and drops it.
class CountingSink : public std::streambuf {
 public:
  std::uint64_t lines = 0;
  std::uint64_t clicks = 0;  // "Sie haben ... angeklickt!" from the handlers

 protected:
  int_type overflow(int_type c) override {
    if (c == traits_type::eof()) {
      return traits_type::not_eof(c);
    }
    const char ch = traits_type::to_char_type(c);
    if (ch == '\n') {
      ++lines;
      if (line_.rfind("Sie haben ", 0) == 0) {
        ++clicks;
      }
      line_.clear();
    } else if (line_.size() < 16) {
      line_.push_back(ch);
    }
    return c;
  }

 private:
  std::string line_;
};
CountingSink* sink = nullptr;

// Class, geometry, texts, states and focus of every widget, breadth first: equal for two runs
// that did the same things.
std::uint64_t fingerprint() {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&h](const std::string& s) {
    for (unsigned char c : s) {
      h = (h ^ c) * 1099511628211ull;
    }
    h = (h ^ 0xFF) * 1099511628211ull;
  };
  if (screen == nullptr) {
    return h;
  }
  vt::TreeInvariants walk(screen);
  walk.checkTree();
  for (VWidget* w : walk.widgets()) {
    mix(vt::TreeInvariants::describe(w));
    if (auto* window = dynamic_cast<VWindow*>(w)) {
      mix(window->getCaption() + (window->getMaximized() ? "+" : "-"));
    } else if (auto* field = dynamic_cast<VTextEdit*>(w)) {
      mix(field->getText());
    } else if (auto* box = dynamic_cast<VCheckBox*>(w)) {
      mix(std::to_string(box->getState()));
    }
    const std::vector<VWidget*> children = vt::childrenOf(w);
    const auto focus = std::find(children.begin(), children.end(), w->getFocusPath());
    mix(std::to_string(focus - children.begin()));
  }
  return h;
}

void printEnd(const char* how) {
  if (reported) {
    return;
  }
  reported = true;
  std::printf("STORM seed=%llu events=%llu end=%s %s %s tree=%016llx lines=%llu clicks=%llu last=%s\n",
              static_cast<unsigned long long>(seed), static_cast<unsigned long long>(step), how, counters != nullptr ? counters->summary().c_str() : "",
              vt::appCallSummary().c_str(),
              static_cast<unsigned long long>(fingerprint()),
              static_cast<unsigned long long>(sink != nullptr ? sink->lines : 0),
              static_cast<unsigned long long>(sink != nullptr ? sink->clicks : 0), currentCall);
  std::fflush(stdout);
}

// "Shut Down" and Escape leave through exit(0).
void endedByExit() { printEnd("exit"); }

// Only async-signal-safe calls: the process is dying.
void writeText(const char* s) {
  const ssize_t ignored = write(STDERR_FILENO, s, std::strlen(s));
  static_cast<void>(ignored);
}

void writeNumber(std::uint64_t n) {
  char digits[24];
  int at = 23;
  digits[at] = '\0';
  do {
    digits[--at] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0 && at > 0);
  writeText(digits + at);
}

void reportDeath() {
  static bool once = false;
  if (once) {
    return;
  }
  once = true;
  writeText("storm: seed ");
  writeNumber(seed);
  writeText(" died at step ");
  writeNumber(step);
  writeText(" in ");
  writeText(currentCall);
  writeText("\nreplay: ");
  writeText(program);
  writeText(" --seed ");
  writeNumber(seed);
  writeText(" --events ");
  writeNumber(step);
  writeText("\n");
}

void onFatalSignal(int signal) {
  reportDeath();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void installDeathReports() {
#if defined(VUNA_STORM_ASAN)
  // AddressSanitizer reports faults itself, then calls this before it ends the process.
  __sanitizer_set_death_callback(reportDeath);
  std::signal(SIGABRT, onFatalSignal);
#else
  for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
    std::signal(s, onFatalSignal);
  }
#endif
}

// A child whose owner is set to another widget: a tree built wrong, for the checks to find.
void corruptTree() {
  for (VWidget* top : vt::childrenOf(screen)) {
    for (VWidget* child : vt::childrenOf(top)) {
      if (!vt::childrenOf(child).empty()) {
        vt::childrenOf(child).front()->setOwner(top);
        return;
      }
    }
  }
}

bool parseNumber(const char* text, std::uint64_t* out) {
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (end == text || *end != '\0') {
    return false;
  }
  *out = value;
  return true;
}

int usage() {
  std::fprintf(stderr, "usage: %s --seed S --events N [--corrupt-at K] [--abort-at K]\n", program);
  return 2;
}

}  // namespace

#if !defined(VUNA_STORM_ASAN)
void* operator new(std::size_t size) {
  if (void* p = std::malloc(size != 0 ? size : 1)) {
    return p;
  }
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
  if (recordingFrees && p != nullptr) {
    if (freedCount < kFreedCapacity) {
      freedLog[freedCount++] = p;
    } else {
      freedOverflow = true;
    }
  }
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
#endif

int main(int argc, char** argv) {
  program = argv[0];
  std::uint64_t events = 0;
  std::uint64_t corruptAt = 0;
  std::uint64_t abortAt = 0;
  bool haveSeed = false;
  bool haveEvents = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) {
      return usage();
    }
    const char* value = argv[++i];
    bool ok = false;
    if (option == "--seed") {
      ok = haveSeed = parseNumber(value, &seed);
    } else if (option == "--events") {
      ok = haveEvents = parseNumber(value, &events);
    } else if (option == "--corrupt-at") {
      ok = parseNumber(value, &corruptAt);
    } else if (option == "--abort-at") {
      ok = parseNumber(value, &abortAt);
    }
    if (!ok) {
      return usage();
    }
  }
  if (!haveSeed || !haveEvents) {
    return usage();
  }

  int glutArgc = 1;
  vt::openTestWindow(&glutArgc, argv);
  screen = new VScreen(nullptr);
  buildDemoScene(screen);
  glutResize(vt::kWindowWidth, vt::kWindowHeight);

  sink = new CountingSink;
  std::cout.rdbuf(sink);
  counters = new vt::StormCounters;
  installDeathReports();
  std::atexit(endedByExit);

  vt::EventStorm storm(screen, seed);
  vt::TreeInvariants invariants(screen);
  invariants.checkTree();
  counters->observe(invariants.widgets());

  for (step = 1; step <= events; ++step) {
    const vt::HostCall call = storm.next();
    std::snprintf(currentCall, sizeof currentCall, "%s", call.describe().c_str());
    if (step == abortAt) {
      std::abort();
    }
    if (step == corruptAt) {
      corruptTree();
    }

    invariants.beforeCall();
    const vt::FrameCheck gl;
    startRecordingFrees();
    call.perform();
    const vt::TreeInvariants::FreedTest freed = stopRecordingFrees();
    if (call.kind == vt::HostCall::App && vt::lastDeletedByApplication() != nullptr) {
      invariants.deletedByApplication(vt::lastDeletedByApplication());
    }
    std::string problems = invariants.afterCall(call.dispatches(), freed);
    const std::string glProblems = gl.problems();  // reading them clears the GL errors
    if (!glProblems.empty()) {
      problems += "GL: " + glProblems + "\n";
    }
    if (!problems.empty()) {
      std::fprintf(stderr, "FAIL: seed %llu step %llu, %s:\n%sreplay: %s --seed %llu --events %llu\n",
                   static_cast<unsigned long long>(seed), static_cast<unsigned long long>(step),
                   currentCall, problems.c_str(), program, static_cast<unsigned long long>(seed),
                   static_cast<unsigned long long>(step));
      std::fflush(stderr);
      std::_Exit(3);
    }
    counters->observe(invariants.widgets(), freed);

    // Let GLUT read what the X server sent (its callbacks here do nothing).
    if (step % 1000 == 0) {
      glutMainLoopEvent();
    }
  }
  step = events;
  printEnd("limit");
  return 0;
}
