#include "VDisplayLists.h"

#include <utility>

unsigned int VDisplayLists::generate(int count) {
  if (count < 1) {
    return 0;
  }
  const unsigned int first = NextName;
  NextName += static_cast<unsigned int>(count);
  for (unsigned int name = first; name != NextName; ++name) {
    Lists[name];  // named, empty: calling it draws nothing
  }
  return first;
}

void VDisplayLists::remove(unsigned int first, int count) {
  for (int i = 0; i < count; ++i) {
    Lists.erase(first + static_cast<unsigned int>(i));
  }
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
