// EventStorm: a million seeded host calls against the demo scene, run in child processes.
//
// Each child is the storm program (vuna_event_storm) with one seed; a run ends at its length
// or through exit(0) ("Shut Down", Escape), both ordinary ends. Anything else fails the test
// with the seed, the step and the command that replays it: a non-zero status (a broken
// invariant, a sanitizer or leak report), a signal, or a run that stopped without its line.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string kStorm = VUNA_EVENT_STORM;

// The calls each build makes, in shares that ctest runs side by side.
constexpr std::uint64_t kEventsPerShare = 200000;
constexpr std::uint64_t kEventsPerSeed = 20000;

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string tail(const std::string& text, std::size_t lines) {
  std::size_t at = text.size();
  for (std::size_t n = 0; n <= lines && at > 0; ++n) {
    at = text.rfind('\n', at - 1);
    if (at == std::string::npos) {
      return text;
    }
  }
  return text.substr(at + 1);
}

std::string workingDirectory() {
  char path[4096];
  return getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string(".");
}

struct StormRun {
  std::string command;  // as typed in the working directory
  int status = 0;       // as waitpid gives it
  std::string out;
  std::string err;
  std::map<std::string, std::string> line;  // the fields of the STORM line; empty without one

  bool exitedWith(int code) const { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

  std::uint64_t number(const std::string& key) const {
    const auto found = line.find(key);
    return found == line.end() ? 0 : std::strtoull(found->second.c_str(), nullptr, 10);
  }

  // Empty for an ordinary end of a run of `requested` calls; otherwise what went wrong.
  std::string problem(std::uint64_t requested) const {
    std::ostringstream why;
    if (WIFSIGNALED(status)) {
      why << "killed by signal " << WTERMSIG(status) << " (" << strsignal(WTERMSIG(status)) << ")";
    } else if (!WIFEXITED(status)) {
      why << "ended with wait status " << status;
    } else if (WEXITSTATUS(status) != 0) {
      why << "exit status " << WEXITSTATUS(status);
    } else if (line.empty()) {
      why << "status 0 without its STORM line";
    } else if (line.at("end") == "limit" && number("events") != requested) {
      why << "stopped after " << number("events") << " of " << requested << " calls";
    } else if (number("events") > requested) {
      why << "made " << number("events") << " calls, " << requested << " asked for";
    }
    return why.str();
  }
};

// Runs the storm program with the arguments, its output going to files read back afterwards.
StormRun runStorm(const std::vector<std::string>& args) {
  StormRun run;
  std::vector<std::string> argv{kStorm};
  argv.insert(argv.end(), args.begin(), args.end());
  for (const std::string& a : argv) {
    run.command += (run.command.empty() ? "" : " ") + a;
  }

  char outPath[] = "/tmp/vuna-storm-out-XXXXXX";
  char errPath[] = "/tmp/vuna-storm-err-XXXXXX";
  const int outFd = mkstemp(outPath);
  const int errFd = mkstemp(errPath);
  if (outFd < 0 || errFd < 0) {
    run.status = -1;
    run.err = "cannot create the output files";
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  std::vector<char*> cargv;
  for (std::string& a : argv) {
    cargv.push_back(a.data());
  }
  cargv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, kStorm.c_str(), &actions, nullptr, cargv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(outFd);
  close(errFd);
  if (spawned != 0) {
    run.status = -1;
    run.err = std::string("cannot start the storm program: ") + std::strerror(spawned);
  } else {
    waitpid(pid, &run.status, 0);
    run.out = slurp(outPath);
    run.err = slurp(errPath);
  }
  unlink(outPath);
  unlink(errPath);

  const std::size_t at = run.out.find("STORM ");
  if (at != std::string::npos) {
    std::string fields = run.out.substr(at + 6, run.out.find('\n', at) - at - 6);
    const std::size_t last = fields.find(" last=");
    if (last != std::string::npos) {
      run.line["last"] = fields.substr(last + 6);
      fields.resize(last);
    }
    std::istringstream words(fields);
    std::string word;
    while (words >> word) {
      const std::size_t eq = word.find('=');
      if (eq != std::string::npos) {
        run.line[word.substr(0, eq)] = word.substr(eq + 1);
      }
    }
  }
  return run;
}

std::vector<std::string> stormArgs(std::uint64_t seed, std::uint64_t events) {
  return {"--seed", std::to_string(seed), "--events", std::to_string(events)};
}

// --- the storm itself ----------------------------------------------------------------------

struct Share {
  const char* name;
  std::uint64_t firstSeed;
};

void PrintTo(const Share& share, std::ostream* os) { *os << "seeds from " << share.firstSeed; }

class EventStormShare : public ::testing::TestWithParam<Share> {};

TEST_P(EventStormShare, RunsTheDemoSceneThroughItsCallsWithoutAFault) {
  const char* const keys[] = {"opened",           "nested",         "closed",
                              "maximised",        "restored",       "typed",
                              "erased",           "clicks",         "lines",
                              "deleteDirectly",   "free",           "freeWithAncestor",
                              "freeFromDestructor", "freeFromHandler", "toggleVisible",
                              "toggleEnabled",    "bringToFront"};
  std::map<std::string, std::uint64_t> totals;
  std::uint64_t events = 0;
  int runs = 0;
  int endedByExit = 0;
  for (std::uint64_t seed = GetParam().firstSeed; events < kEventsPerShare; ++seed) {
    const std::uint64_t length = std::min(kEventsPerSeed, kEventsPerShare - events);
    StormRun run = runStorm(stormArgs(seed, length));
    // LeakSanitizer's own tracer can crash at the exit of a process whose GL driver threads
    // are still winding down; that says nothing about the run, so the seed is run once more.
    if (!run.problem(length).empty() &&
        run.err.find("LeakSanitizer has encountered a fatal error") != std::string::npos) {
      std::cout << "seed " << seed << ": the leak checker itself failed; running it again\n";
      run = runStorm(stormArgs(seed, length));
    }
    const std::string problem = run.problem(length);
    if (!problem.empty()) {
      ADD_FAILURE() << "seed " << seed << ": " << problem << "\nreplay in "
                    << workingDirectory() << ":\n  " << run.command << "\n"
                    << tail(run.err, 30);
      return;
    }
    ++runs;
    events += run.number("events");
    endedByExit += run.line.at("end") == "exit" ? 1 : 0;
    for (const char* key : keys) {
      totals[key] += run.number(key);
    }
  }

  std::cout << "storm seeds " << GetParam().firstSeed << ".." << GetParam().firstSeed + runs - 1
            << ": " << events << " calls in " << runs << " runs, " << endedByExit
            << " ended by exit;";
  for (const char* key : keys) {
    std::cout << " " << key << "=" << totals[key];
  }
  std::cout << std::endl;
  EXPECT_GE(events, kEventsPerShare);
  // The stream reached the handlers: windows came and went, were maximised and nested, and
  // text was typed into the fields.
  for (const char* key : {"opened", "nested", "closed", "maximised", "typed"}) {
    EXPECT_GT(totals[key], 0u) << key;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, EventStormShare,
                         ::testing::Values(Share{"From1", 1}, Share{"From1001", 1001},
                                           Share{"From2001", 2001}, Share{"From3001", 3001},
                                           Share{"From4001", 4001}),
                         [](const ::testing::TestParamInfo<Share>& info) {
                           return std::string(info.param.name);
                         });

// --- replay and failure reports ------------------------------------------------------------

TEST(EventStorm, TheSameSeedReplaysToTheSameTreeAndCounts) {
  const StormRun first = runStorm(stormArgs(2, 4000));
  const StormRun again = runStorm(stormArgs(2, 4000));
  const StormRun other = runStorm(stormArgs(3, 4000));
  ASSERT_EQ(first.problem(4000), "") << first.err;
  ASSERT_EQ(again.problem(4000), "") << again.err;
  ASSERT_EQ(other.problem(4000), "") << other.err;
  EXPECT_EQ(first.out, again.out);
  EXPECT_NE(first.line.at("tree"), other.line.at("tree"));
}

TEST(EventStorm, ABrokenTreeEndsTheRunWithItsSeedStepAndReplayCommand) {
  const StormRun run = runStorm({"--seed", "5", "--events", "200", "--corrupt-at", "60"});
  EXPECT_TRUE(run.exitedWith(3)) << "wait status " << run.status << "\n" << run.err;
  EXPECT_TRUE(run.line.empty()) << run.out;
  EXPECT_NE(run.err.find("FAIL: seed 5 step 60, "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("but names another owner"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("replay: " + kStorm + " --seed 5 --events 60\n"), std::string::npos)
      << run.err;
}

TEST(EventStorm, ACrashNamesItsSeedStepAndReplayCommand) {
  const StormRun run = runStorm({"--seed", "5", "--events", "200", "--abort-at", "40"});
  ASSERT_TRUE(WIFSIGNALED(run.status)) << "wait status " << run.status << "\n" << run.err;
  EXPECT_EQ(WTERMSIG(run.status), SIGABRT);
  EXPECT_NE(run.err.find("storm: seed 5 died at step 40 in glut"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("replay: " + kStorm + " --seed 5 --events 40\n"), std::string::npos)
      << run.err;
}

TEST(EventStorm, RefusesACommandLineWithoutSeedAndLength) {
  const std::vector<std::vector<std::string>> lines = {
      {}, {"--seed", "1"}, {"--events", "10"}, {"--seed", "x", "--events", "10"},
      {"--seed", "1", "--events"}, {"--seed", "1", "--events", "10", "--fast", "1"}};
  for (const auto& args : lines) {
    const StormRun run = runStorm(args);
    EXPECT_TRUE(run.exitedWith(2)) << run.command << ": wait status " << run.status;
    EXPECT_NE(run.err.find("usage: "), std::string::npos) << run.command;
  }
}

}  // namespace
