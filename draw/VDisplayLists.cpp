#include "draw/VDisplayLists.h"

#include <climits>
#include <utility>

unsigned int VDisplayLists::generate(int count) {
  if (count < 1) {
    return 0;
  }
  const auto wanted = static_cast<unsigned int>(count);
  unsigned int first = NextName;
  // Past any list recorded under a name of the program's own choosing inside the range.
  for (auto held = Lists.lower_bound(first); held != Lists.end() && held->first - first < wanted;
       held = Lists.lower_bound(first)) {
    if (held->first == UINT_MAX) {
      return 0;
    }
    first = held->first + 1;
  }
  if (first > UINT_MAX - wanted) {
    return 0;  // no room left: GL's answer too
  }
  NextName = first + wanted;
  return first;
}

void VDisplayLists::remove(unsigned int first, int count) {
  if (count < 1) {
    return;
  }
  const unsigned long long end = static_cast<unsigned long long>(first) +
                                 static_cast<unsigned long long>(count);
  auto from = Lists.lower_bound(first);
  auto to = end > UINT_MAX ? Lists.end() : Lists.lower_bound(static_cast<unsigned int>(end));
  Lists.erase(from, to);
}

bool VDisplayLists::open(unsigned int name) {
  if (name == 0 || Open != 0) {
    return false;
  }
  Open = name;
  Recording.clear();
  return true;
}

void VDisplayLists::record(const Call& call) { Recording.push_back(call); }

bool VDisplayLists::close() {
  if (Open == 0) {
    return false;
  }
  Lists[Open] = std::move(Recording);
  Recording = List();
  Open = 0;
  return true;
}

const VDisplayLists::List* VDisplayLists::find(unsigned int name) const {
  const auto found = Lists.find(name);
  return found == Lists.end() ? nullptr : &found->second;
}
