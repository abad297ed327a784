// StormCounters: the comparison of one call's windows and text fields with the call before.
#include "StormCounters.h"

#include <algorithm>
#include <sstream>

#include "core/VWidget.h"
#include "widgets/VTextEdit.h"
#include "widgets/VWindow.h"

namespace vt {

namespace {

// Walks two sorted lists of (address, value) in step. Calls gone(old) for entries only in the
// old list, came(now) for entries only in the new one and kept(old, now) for both; an entry
// whose address was freed in between counts as gone and came.
template <typename T, typename V, typename Gone, typename Came, typename Kept>
void compare(const std::vector<std::pair<T*, V>>& before, const std::vector<std::pair<T*, V>>& after,
             StormCounters::FreedTest freed, Gone gone, Came came, Kept kept) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < before.size() || j < after.size()) {
    if (j == after.size() || (i < before.size() && before[i].first < after[j].first)) {
      gone(before[i++]);
    } else if (i == before.size() || after[j].first < before[i].first) {
      came(after[j++]);
    } else if (freed != nullptr && freed(after[j].first)) {
      gone(before[i++]);
      came(after[j++]);
    } else {
      kept(before[i++], after[j++]);
    }
  }
}

}  // namespace

void StormCounters::observe(const std::vector<VWidget*>& widgets, FreedTest freedDuringCall) {
  std::vector<std::pair<VWindow*, bool>> windows;
  std::vector<std::pair<VTextEdit*, std::size_t>> fields;
  for (VWidget* w : widgets) {
    if (auto* window = dynamic_cast<VWindow*>(w)) {
      windows.emplace_back(window, window->getMaximized());
    } else if (auto* field = dynamic_cast<VTextEdit*>(w)) {
      fields.emplace_back(field, field->getText().size());
    }
  }
  std::sort(windows.begin(), windows.end());
  std::sort(fields.begin(), fields.end());
  mostWidgets = std::max<std::uint64_t>(mostWidgets, widgets.size());

  if (first_) {
    first_ = false;
  } else {
    compare(
        windows_, windows, freedDuringCall, [this](const auto&) { ++closed; },
        [this](const auto& now) {
          ++opened;
          if (dynamic_cast<VWindow*>(now.first->getOwner()) != nullptr) {
            ++nested;
          }
        },
        [this](const auto& old, const auto& now) {
          if (!old.second && now.second) {
            ++maximised;
          } else if (old.second && !now.second) {
            ++restored;
          }
        });
    compare(
        fields_, fields, freedDuringCall, [](const auto&) {}, [](const auto&) {},
        [this](const auto& old, const auto& now) {
          if (now.second > old.second) {
            typed += now.second - old.second;
          } else {
            erased += old.second - now.second;
          }
        });
  }
  windows_.swap(windows);
  fields_.swap(fields);
}

std::string StormCounters::summary() const {
  std::ostringstream os;
  os << "opened=" << opened << " nested=" << nested << " closed=" << closed
     << " maximised=" << maximised << " restored=" << restored << " typed=" << typed
     << " erased=" << erased << " most=" << mostWidgets;
  return os.str();
}

}  // namespace vt
