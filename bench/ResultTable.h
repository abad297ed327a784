// ResultTable: collects the runs of every case and prints Vuna beside its peers.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

// A console reporter that also keeps each run. A run's name is "<case>/<toolkit>" (with the
// benchmark's own suffixes after it, such as an argument or "real_time"); the table has one
// row per case (an argument makes its own row) and, for each toolkit, the time per iteration,
// then the ratio vuna/peer for each peer that ran the case (at or below 1.0: Vuna is as fast or
// faster). Memory cases show the bytes per widget instead of a time. A median aggregate, when
// repetitions were asked for, stands in for the single runs.
class ResultTable : public benchmark::ConsoleReporter {
 public:
  struct Cell {
    double nanoseconds = 0.0;
    bool failed = false;
    std::string error;
    std::map<std::string, double> counters;
  };

  void ReportRuns(const std::vector<Run>& reports) override;

  // Plain text aligned in columns, or a markdown table.
  void print(std::ostream& out, bool markdown) const;
  // True when some run of the given toolkit ended with an error.
  bool failed(const std::string& toolkit) const;

  static std::string formatTime(double nanoseconds);

 private:
  std::vector<std::string> caseOrder_;
  std::map<std::string, std::map<std::string, Cell>> cells_;  // case -> toolkit -> cell
  std::map<std::string, bool> fromMedian_;                    // case/toolkit -> median seen
};
