// api_fuzzer: libFuzzer entry that runs arbitrary bytes as a program's calls on a live widget tree.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/ApiProgram.h"

// The GL context is opened once, in a GLUT window (an X display is needed: scripts/fuzz.sh runs
// the fuzzer through scripts/with_display.sh). VUNA_API_FUZZ_SKIP names op kinds to step over
// (see ApiProgram::skipOps); VUNA_API_TRACE=1 writes every call before it is made.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vf::ApiProgram::openContext(VUNA_API_ASSETS);
  if (const char* skip = std::getenv("VUNA_API_FUZZ_SKIP")) {
    vf::ApiProgram::skipOps(skip);
  }
  const char* trace = std::getenv("VUNA_API_TRACE");
  vf::ApiProgram::setTrace(trace != nullptr && std::string(trace) == "1");
  return 0;
}

// A broken tree after any call aborts, which libFuzzer keeps as a crash like any sanitizer
// report. Freed memory is held in AddressSanitizer's quarantine, so a deleted widget's address
// is not handed to a new one during a call and the checks need no record of frees.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string report = vf::ApiProgram::run(data, size);
  if (!report.empty()) {
    std::fprintf(stderr, "api_fuzzer: the tree broke %s", report.c_str());
    std::abort();
  }
  return 0;
}
