// WidgetTree: read-only views of a widget tree for tests: children in order, finding by type.
#pragma once

#include <string>
#include <vector>

#include "core/VWidget.h"

namespace vt {

// The widget's children, front to back (the order the routing searches them).
std::vector<VWidget*> childrenOf(VWidget* w);

// Every widget of type T below root (root excluded), depth first, front to back.
template <typename T>
std::vector<T*> allOf(VWidget* root) {
  std::vector<T*> found;
  for (VWidget* child : childrenOf(root)) {
    if (auto* t = dynamic_cast<T*>(child)) {
      found.push_back(t);
    }
    for (T* below : allOf<T>(child)) {
      found.push_back(below);
    }
  }
  return found;
}

// The first widget of type T below root whose getCaption() is caption; null when none.
template <typename T>
T* captioned(VWidget* root, const std::string& caption) {
  for (T* t : allOf<T>(root)) {
    if (t->getCaption() == caption) {
      return t;
    }
  }
  return nullptr;
}

}  // namespace vt
