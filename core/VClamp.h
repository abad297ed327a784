// VClamp: integer arithmetic that saturates at the limits of int instead of overflowing.
#pragma once

#include <climits>
#include <cmath>

namespace vuna {

/// Positions and sizes are ints that a program may set anywhere in their range; sums and
/// differences of two of them are taken in 64 bits and held within int, so a widget at
/// INT_MAX is hit-tested, dragged and laid out without signed overflow.
inline int clampToInt(long long v) {
  return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}
inline int addClamped(int a, int b) { return clampToInt(static_cast<long long>(a) + b); }
inline int subClamped(int a, int b) { return clampToInt(static_cast<long long>(a) - b); }

/// A float (or double) to int, truncating toward zero like a cast, held within int; NaN is 0.
inline int toIntClamped(double v) {
  if (std::isnan(v)) {
    return 0;
  }
  if (v <= static_cast<double>(INT_MIN)) {
    return INT_MIN;
  }
  if (v >= static_cast<double>(INT_MAX)) {
    return INT_MAX;
  }
  return static_cast<int>(v);
}

}  // namespace vuna
