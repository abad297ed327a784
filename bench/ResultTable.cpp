// ResultTable: keeping the runs and laying out the side-by-side table.
#include "bench/ResultTable.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <sstream>

namespace {

const char* const kToolkits[] = {"vuna", "pui", "imgui", "floor"};
const char* const kPeers[] = {"pui", "imgui"};

std::string fixed(double value, int decimals) {
  std::ostringstream s;
  s << std::fixed << std::setprecision(decimals) << value;
  return s.str();
}

bool isMemoryCase(const std::string& name) { return name.rfind("memory_", 0) == 0; }

// Goals that hold one of Vuna's cases to another of the same run: the large case may take at
// most limit times the small one's time.
struct ScalingGoal {
  const char* large;
  const char* small;
  double limit;
};
const ScalingGoal kScalingGoals[] = {
    {"frame_list1000000", "frame_list100", 1.2},
    {"click_list1000000", "click_list100", 1.2},
    {"frame_demo_scale2", "frame_demo", 1.5},
    {"append_textview100000", "append_textview100", 1.2},
};

// Goals that hold one of Vuna's cases to a peer's time for the same case in the same run.
struct PeerGoal {
  const char* name;
  const char* peer;
  double limit;
};
const PeerGoal kPeerGoals[] = {
    // The demo frame in a core-profile context, drawn through the GL layer, against Dear
    // ImGui's OpenGL3 renderer in the same kind of context.
    {"frame_demo_core", "imgui", 0.5},
};

// The list box's memory goal: at most kRowOverhead bytes a row besides the row's text.
const char* const kRowMemoryCase = "memory_list1000000";
constexpr double kRowOverhead = 16.0;

const char* verdict(bool met) { return met ? "met" : "missed"; }

}  // namespace

void ResultTable::ReportRuns(const std::vector<Run>& reports) {
  ConsoleReporter::ReportRuns(reports);
  for (const Run& run : reports) {
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (run.run_type == Run::RT_Aggregate && !median) {
      continue;
    }
    const std::string& function = run.run_name.function_name;
    const std::size_t slash = function.find('/');
    if (slash == std::string::npos) {
      continue;
    }
    std::string caseName = function.substr(0, slash);
    const std::string toolkit = function.substr(slash + 1);
    if (!run.run_name.args.empty()) {
      caseName += "/" + run.run_name.args;
    }
    const std::string key = caseName + "/" + toolkit;
    if (!median && fromMedian_[key]) {
      continue;
    }
    fromMedian_[key] = fromMedian_[key] || median;
    if (std::find(caseOrder_.begin(), caseOrder_.end(), caseName) == caseOrder_.end()) {
      caseOrder_.push_back(caseName);
    }
    Cell cell;
    cell.failed = run.error_occurred;
    cell.error = run.error_message;
    if (!run.error_occurred) {
      cell.nanoseconds =
          run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      for (const auto& counter : run.counters) {
        cell.counters[counter.first] = counter.second.value;
      }
    }
    cells_[caseName][toolkit] = cell;
  }
}

bool ResultTable::failed(const std::string& toolkit) const {
  for (const auto& row : cells_) {
    const auto found = row.second.find(toolkit);
    if (found != row.second.end() && found->second.failed) {
      return true;
    }
  }
  return false;
}

std::string ResultTable::formatTime(double ns) {
  if (ns < 1e3) {
    return fixed(ns, 0) + " ns";
  }
  if (ns < 1e6) {
    return fixed(ns / 1e3, ns < 1e4 ? 2 : 1) + " us";
  }
  if (ns < 1e9) {
    return fixed(ns / 1e6, ns < 1e7 ? 2 : 1) + " ms";
  }
  return fixed(ns / 1e9, 2) + " s";
}

void ResultTable::print(std::ostream& out, bool markdown) const {
  std::vector<std::string> header = {"case"};
  for (const char* t : kToolkits) {
    header.emplace_back(t);
  }
  for (const char* p : kPeers) {
    header.push_back(std::string("vuna/") + p);
  }
  header.emplace_back("widgets");

  std::vector<std::vector<std::string>> rows;
  for (const std::string& name : caseOrder_) {
    const auto& byToolkit = cells_.at(name);
    std::vector<std::string> row = {name};
    for (const char* t : kToolkits) {
      const auto found = byToolkit.find(t);
      if (found == byToolkit.end()) {
        row.emplace_back("-");
      } else if (found->second.failed) {
        row.emplace_back("skipped");
      } else if (isMemoryCase(name)) {
        const auto& counters = found->second.counters;
        const auto bytes = counters.find("bytes");
        const auto perRow = counters.find("bytes_per_row");
        if (bytes != counters.end()) {
          row.push_back(fixed(bytes->second, 0) + " B");
        } else if (perRow != counters.end()) {
          row.push_back(fixed(perRow->second, 1) + " B/row");
        } else {
          row.emplace_back("-");
        }
      } else {
        row.push_back(formatTime(found->second.nanoseconds));
      }
    }
    const auto vuna = byToolkit.find("vuna");
    for (const char* p : kPeers) {
      const auto peer = byToolkit.find(p);
      if (isMemoryCase(name) || vuna == byToolkit.end() || peer == byToolkit.end() ||
          vuna->second.failed || peer->second.failed || peer->second.nanoseconds <= 0.0) {
        row.emplace_back("-");
      } else {
        row.push_back(fixed(vuna->second.nanoseconds / peer->second.nanoseconds, 2));
      }
    }
    std::string widgets = "-";
    for (const char* t : kToolkits) {
      const auto found = byToolkit.find(t);
      if (found == byToolkit.end()) {
        continue;
      }
      const auto counter = found->second.counters.find("widgets");
      if (counter != found->second.counters.end()) {
        widgets = fixed(counter->second, 0);
        break;
      }
    }
    row.push_back(widgets);
    rows.push_back(row);
  }

  std::vector<std::size_t> width(header.size(), 0);
  for (std::size_t c = 0; c < header.size(); ++c) {
    width[c] = header[c].size();
    for (const auto& row : rows) {
      width[c] = std::max(width[c], row[c].size());
    }
  }
  auto line = [&](const std::vector<std::string>& cells) {
    if (markdown) {
      out << "|";
    }
    for (std::size_t c = 0; c < cells.size(); ++c) {
      const std::string pad(width[c] - cells[c].size(), ' ');
      // Names left, numbers right.
      const std::string text = c == 0 ? cells[c] + pad : pad + cells[c];
      out << (markdown ? " " : (c == 0 ? "" : "  ")) << text << (markdown ? " |" : "");
    }
    out << "\n";
  };
  line(header);
  if (markdown) {
    out << "|";
    for (std::size_t c = 0; c < header.size(); ++c) {
      out << (c == 0 ? ":" : "") << std::string(width[c] + (c == 0 ? 1 : 1), '-')
          << (c == 0 ? "" : ":") << "|";
    }
    out << "\n";
  } else {
    std::size_t total = 0;
    for (std::size_t c = 0; c < width.size(); ++c) {
      total += width[c] + (c == 0 ? 0 : 2);
    }
    out << std::string(total, '-') << "\n";
  }
  for (const auto& row : rows) {
    line(row);
  }
  printGoals(out, markdown);
  for (const std::string& name : caseOrder_) {
    for (const auto& cell : cells_.at(name)) {
      if (cell.second.failed) {
        out << (markdown ? "\n- " : "") << name << "/" << cell.first
            << " skipped: " << cell.second.error << "\n";
      }
    }
  }
  out.flush();
}

const ResultTable::Cell* ResultTable::ran(const std::string& name,
                                         const std::string& toolkit) const {
  const auto row = cells_.find(name);
  if (row == cells_.end()) {
    return nullptr;
  }
  const auto found = row->second.find(toolkit);
  return found == row->second.end() || found->second.failed ? nullptr : &found->second;
}

void ResultTable::printGoals(std::ostream& out, bool markdown) const {
  std::vector<std::string> lines;
  for (const ScalingGoal& goal : kScalingGoals) {
    const Cell* large = ran(goal.large, "vuna");
    const Cell* small = ran(goal.small, "vuna");
    if (large == nullptr || small == nullptr || small->nanoseconds <= 0.0) {
      continue;
    }
    const double ratio = large->nanoseconds / small->nanoseconds;
    lines.push_back(std::string(goal.large) + " / " + goal.small + ": " + fixed(ratio, 2) +
                    " (at most " + fixed(goal.limit, 2) + ") " + verdict(ratio <= goal.limit));
  }
  for (const PeerGoal& goal : kPeerGoals) {
    const Cell* vuna = ran(goal.name, "vuna");
    const Cell* peer = ran(goal.name, goal.peer);
    if (vuna == nullptr || peer == nullptr || peer->nanoseconds <= 0.0) {
      continue;
    }
    const double ratio = vuna->nanoseconds / peer->nanoseconds;
    lines.push_back(std::string(goal.name) + " vuna / " + goal.peer + ": " + fixed(ratio, 2) +
                    " (at most " + fixed(goal.limit, 2) + ") " + verdict(ratio <= goal.limit));
  }
  const Cell* rows = ran(kRowMemoryCase, "vuna");
  if (rows != nullptr) {
    const auto bytes = rows->counters.find("bytes_per_row");
    const auto text = rows->counters.find("text_per_row");
    if (bytes != rows->counters.end() && text != rows->counters.end()) {
      const double limit = text->second + kRowOverhead;
      lines.push_back(std::string(kRowMemoryCase) + ": " + fixed(bytes->second, 1) +
                      " B a row for " + fixed(text->second, 1) + " B of text (at most " +
                      fixed(limit, 1) + ") " + verdict(bytes->second <= limit));
    }
  }
  if (lines.empty()) {
    return;
  }
  out << "\n" << (markdown ? "Goals of Vuna in this run:\n\n" : "goals of vuna in this run:\n");
  for (const std::string& line : lines) {
    out << (markdown ? "- " : "  ") << line << "\n";
  }
}
