// StormCounters: what an event storm really did to the tree: windows opened, closed, maximised.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class VTextEdit;
class VWidget;
class VWindow;

namespace vt {

// Compares the windows and text fields of the tree after each host call with those after the
// call before, so a storm can show that its input reached the handlers: windows opened (and how
// many of them inside another window), closed, maximised and restored, characters typed into
// and erased from text fields.
//
// Widgets are matched by address. A call that deletes a widget and builds another at the same
// address is told apart by the optional test of addresses freed during the call.
class StormCounters {
 public:
  using FreedTest = bool (*)(const void* address);

  std::uint64_t opened = 0;
  std::uint64_t nested = 0;  // opened inside another window
  std::uint64_t closed = 0;
  std::uint64_t maximised = 0;
  std::uint64_t restored = 0;
  std::uint64_t typed = 0;   // characters added to text fields
  std::uint64_t erased = 0;  // characters taken away
  std::uint64_t mostWidgets = 0;

  // widgets: every widget of the tree (any order), right after a call.
  void observe(const std::vector<VWidget*>& widgets, FreedTest freedDuringCall = nullptr);

  // "opened=12 nested=6 closed=9 maximised=3 restored=1 typed=40 erased=2 most=180"
  std::string summary() const;

 private:
  std::vector<std::pair<VWindow*, bool>> windows_;    // sorted; with Maximized
  std::vector<std::pair<VTextEdit*, std::size_t>> fields_;  // sorted; with the text's length
  bool first_ = true;
};

}  // namespace vt
