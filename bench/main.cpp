// vuna_bench: opens the bench window and its core-profile twin, runs every case in the bench
// window's GL context (the core-profile cases in the twin's), prints the table.
//
// Options of its own, taken out before the benchmark library reads the rest:
//   --table=text|markdown|none   the side-by-side table after the run (text by default)
// Exit status: 1 when a Vuna case failed (a peer case that cannot be built is skipped, which
// is not a failure), 2 for a bad option.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <link.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench/CoreContext.h"
#include "bench/ResultTable.h"
#include "bench/SceneShape.h"

namespace {

std::string cpuModel() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) {
      const std::size_t colon = line.find(':');
      if (colon != std::string::npos) {
        return line.substr(colon + 2);
      }
    }
  }
  return "unknown";
}

// The GL driver is a library that libGL loads and unloads by itself. Once it is unloaded at
// exit, LeakSanitizer cannot name the module behind the driver's own allocations, and the
// suppressions (tests/lsan.supp) cannot match them. Pinning every library loaded so far keeps
// them mapped until the leak check has run.
void pinLoadedLibraries() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
          dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
      },
      nullptr);
}

// glibc's allocator raises its mmap and trim thresholds for the rest of the process the first
// time it frees a large mapped block (over 128 KiB, up to 32 MiB); from then on it stops giving
// memory back to the system at every free. A GL driver that takes and frees blocks in each draw
// (Mesa's llvmpipe) then draws many times faster, so a case that frees such a block (some of
// the large scenes, a million list rows) would speed up every case after it, Vuna's and the
// peers' alike, and a ratio of two cases would depend on their order. Fixing both thresholds
// at glibc's own defaults keeps them for the whole run: every case is timed as it is when it
// runs alone. Thresholds set through GLIBC_TUNABLES are left as they are.
void fixAllocatorThresholds() {
  const char* tunables = std::getenv("GLIBC_TUNABLES");
  if (tunables != nullptr && std::strstr(tunables, "glibc.malloc.") != nullptr) {
    return;
  }
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  mallopt(M_TRIM_THRESHOLD, 128 * 1024);
}

const char* glText(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text != nullptr ? text : "unknown";
}

}  // namespace

int main(int argc, char** argv) {
  fixAllocatorThresholds();
  std::string table = "text";
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && std::strncmp(argv[i], "--table=", 8) == 0) {
      table = argv[i] + 8;
      if (table != "text" && table != "markdown" && table != "none") {
        std::cerr << "vuna_bench: --table takes text, markdown or none" << std::endl;
        return 2;
      }
    } else {
      rest.push_back(argv[i]);
    }
  }
  int restCount = static_cast<int>(rest.size());
  rest.push_back(nullptr);

  benchmark::Initialize(&restCount, rest.data());
  if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) {
    return 2;
  }

  int glutCount = 1;
  char* glutArgs[] = {rest[0], nullptr};
  glutInit(&glutCount, glutArgs);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA);
  glutInitWindowSize(bench::kWindowWidth, bench::kWindowHeight);
  glutInitWindowPosition(100, 100);
  const int window = glutCreateWindow("mini Vuna bench");
  glutSetWindow(window);
  CoreContext::open();
  pinLoadedLibraries();

  std::cout << "CPU: " << cpuModel() << "\n"
            << "GL_RENDERER: " << glText(GL_RENDERER) << "\n"
            << "GL_VERSION: " << glText(GL_VERSION) << "\n"
            << "GL_VENDOR: " << glText(GL_VENDOR) << "\n"
            << "GL_VERSION of the core-profile cases: " << CoreContext::version() << std::endl;

  ResultTable results;
  benchmark::RunSpecifiedBenchmarks(&results);
  benchmark::Shutdown();

  if (table != "none") {
    std::cout << "\n";
    results.print(std::cout, table == "markdown");
  }
  return results.failed("vuna") ? 1 : 0;
}
