// api_replay: runs every file of the API fuzzer's corpus and regressions as a program and checks it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/ApiProgram.h"

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
#define VUNA_REPLAY_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VUNA_REPLAY_ASAN 1
#endif
#endif

namespace {

// Without a sanitizer's quarantine the allocator may give a deleted widget's address to a
// widget built later in the same call; the checks need to know. Under AddressSanitizer freed
// memory is not reused for a long while, and its own operator delete stays in place.
#if !defined(VUNA_REPLAY_ASAN)
constexpr std::size_t kFreedCapacity = 1 << 14;
const void* freedLog[kFreedCapacity];
std::size_t freedCount = 0;
bool freedOverflow = false;

void startCall() {
  freedCount = 0;
  freedOverflow = false;
}

bool freedDuringCall(const void* address) {
  return freedOverflow || std::find(freedLog, freedLog + freedCount, address) != freedLog + freedCount;
}
#endif

}  // namespace

#if !defined(VUNA_REPLAY_ASAN)
void* operator new(std::size_t size) {
  if (void* p = std::malloc(size != 0 ? size : 1)) {
    return p;
  }
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
  if (p != nullptr) {
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

// vuna_api_replay <file or folder>...: every file of a folder (README files excepted), in name
// order, runs as one input of the API fuzzer, with the same checks. VUNA_API_TRACE=1 writes
// every call. Exits 1 if any check failed or nothing was found to run.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: vuna_api_replay <file or folder>..." << std::endl;
    return 2;
  }
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg(argv[i]);
    std::error_code error;
    if (fs::is_directory(arg, error)) {
      for (const fs::directory_entry& entry : fs::directory_iterator(arg, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.rfind("README", 0) != 0) {
          files.push_back(entry.path());
        }
      }
    } else {
      files.push_back(arg);
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::cout << "no inputs to run" << std::endl;
    return 1;
  }
  vf::ApiProgram::openContext(VUNA_API_ASSETS);
  const char* trace = std::getenv("VUNA_API_TRACE");
  vf::ApiProgram::setTrace(trace != nullptr && std::string(trace) == "1");
  int failures = 0;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    std::cout << file.filename().string() << " (" << bytes.size() << " bytes): " << std::flush;
#if defined(VUNA_REPLAY_ASAN)
    const std::string report = vf::ApiProgram::run(bytes.data(), bytes.size());
#else
    const std::string report =
        vf::ApiProgram::run(bytes.data(), bytes.size(), freedDuringCall, startCall);
#endif
    std::cout << (report.empty() ? "sound" : "BROKEN " + report) << std::endl;
    failures += report.empty() ? 0 : 1;
  }
  std::cout << files.size() << " inputs run, " << failures << " broke the tree" << std::endl;
  return failures == 0 ? 0 : 1;
}
