// StartupCase: process start to the first finished frame of the real minivuna program.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

double monotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Starts the program from the build folder (where the artwork is) with the shim preloaded,
// and answers the seconds from just before the spawn to the moment its first frame was
// finished, or a negative value with the reason in why.
double timeOneStart(const char* path, std::string& why) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    why = "no pipe";
    return -1.0;
  }
  constexpr int kChildFd = 3;
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "LD_PRELOAD=", 11) != 0 && std::strncmp(*e, "VUNA_STARTUP_FD=", 16) != 0 &&
        std::strncmp(*e, "ASAN_OPTIONS=", 13) != 0) {
      env.emplace_back(*e);
    }
  }
  env.emplace_back(std::string("LD_PRELOAD=") + VUNA_BENCH_SHIM);
  env.emplace_back("VUNA_STARTUP_FD=" + std::to_string(kChildFd));
  // A sanitizer build of the program would refuse a preloaded library ahead of its runtime.
  const char* asan = std::getenv("ASAN_OPTIONS");
  env.emplace_back(std::string("ASAN_OPTIONS=verify_asan_link_order=0") +
                   (asan != nullptr && *asan != '\0' ? std::string(":") + asan : std::string()));
  std::vector<char*> envp;
  for (std::string& s : env) {
    envp.push_back(s.data());
  }
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], kChildFd);
  posix_spawn_file_actions_addchdir_np(&actions, VUNA_BENCH_WORKDIR);
  std::string programText = path;
  char* program = programText.data();
  char* argv[] = {program, nullptr};

  const double start = monotonicSeconds();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    why = "cannot start " + programText + ": " + std::strerror(spawned);
    return -1.0;
  }

  char line[64] = {};
  std::size_t got = 0;
  ssize_t n = 0;
  while (got < sizeof line - 1 && (n = read(fds[0], line + got, sizeof line - 1 - got)) > 0) {
    got += static_cast<std::size_t>(n);
  }
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);

  long long seconds = 0;
  long nanoseconds = 0;
  if (std::sscanf(line, "%lld %ld", &seconds, &nanoseconds) != 2) {
    why = programText + " ended without finishing a frame (status " + std::to_string(status) + ")";
    return -1.0;
  }
  const double frameDone = static_cast<double>(seconds) + static_cast<double>(nanoseconds) * 1e-9;
  return frameDone - start;
}

void timeStarts(benchmark::State& state, const char* path) {
  double fastest = 0.0;
  for (auto _ : state) {
    std::string why;
    const double seconds = timeOneStart(path, why);
    if (seconds < 0.0) {
      state.SkipWithError(why.c_str());
      return;
    }
    state.SetIterationTime(seconds);
    if (fastest == 0.0 || seconds < fastest) {
      fastest = seconds;
    }
  }
  state.counters["fastest_ms"] = fastest * 1e3;
}

// minivuna itself, as built: window, screen, look and feel with its eight images, the demo
// scene, the first reshape and the first display pass with its glyph lists.
void startup(benchmark::State& state) { timeStarts(state, VUNA_BENCH_MINIVUNA); }

// The same window opened, cleared and swapped by a program without the toolkit.
void startupFloor(benchmark::State& state) { timeStarts(state, VUNA_BENCH_STARTUP_FLOOR); }

}  // namespace

BENCHMARK(startup)->Name("startup/vuna")->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(startupFloor)->Name("startup/floor")->UseManualTime()->Iterations(10)
    ->Unit(benchmark::kMillisecond);
