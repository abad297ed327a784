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
// faster). Memory cases show the bytes per widget (or per row) instead of a time. A median
// aggregate, when repetitions were asked for, stands in for the single runs. Under the table
// stand Vuna's goals that compare cases of the run: the list box's million rows against a
// hundred, in a frame and a click, its bytes per row against the rows' text, and the demo frame
// in a core-profile context against Dear ImGui's in the same kind of context.
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
  // The cell of a case and toolkit that ran without an error; null for none.
  const Cell* ran(const std::string& name, const std::string& toolkit) const;
  // Under the table: each of Vuna's goals whose cases ran, its figure, and met or missed.
  void printGoals(std::ostream& out, bool markdown) const;

  std::vector<std::string> caseOrder_;
  std::map<std::string, std::map<std::string, Cell>> cells_;  // case -> toolkit -> cell
  std::map<std::string, bool> fromMedian_;                    // case/toolkit -> median seen
};
