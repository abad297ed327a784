// tga_fuzzer: libFuzzer entry that feeds arbitrary bytes to the TGA reader from memory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/TgaProbe.h"

// Every input runs the whole decode, from the header to the converted pixel buffer, through a
// memory stream; the GL upload is not part of it, so no context is needed. A decode that breaks
// the reader's contract aborts, which libFuzzer keeps as a crash like any sanitizer report.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A memory stream cannot be empty; an empty file reads as no bytes at all, which /dev/null is.
  std::FILE* s = size == 0 ? std::fopen("/dev/null", "rb")
                           : fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (!s) {
    return 0;
  }
  const TgaProbe probe = probeTGA(data, size, s);
  std::fclose(s);
  if (!probe.Problem.empty()) {
    std::fprintf(stderr, "tga_fuzzer: %s\n", describe(probe).c_str());
    std::abort();
  }
  return 0;
}
