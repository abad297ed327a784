// HeapCounter: counts the heap bytes that operator new hands out and takes back while enabled.
#pragma once

#include <cstddef>

// The bench binary replaces the global operator new and delete (HeapCounter.cpp). While a
// counter is running, every allocation adds its usable size (what the allocator really set
// aside for it, rounding included) and every release subtracts it, so live() is the heap that
// the code between start and stop still holds. Counting is off otherwise and costs one branch.
// Single-threaded, like the toolkit.
class HeapCounter {
 public:
  HeapCounter();
  ~HeapCounter();
  HeapCounter(const HeapCounter&) = delete;
  HeapCounter& operator=(const HeapCounter&) = delete;

  // Bytes still held that were allocated since construction, minus bytes freed since then.
  long long live() const;
  // Allocations made since construction (releases not subtracted).
  long long allocations() const;

 private:
  long long startLive_;
  long long startAllocations_;
  bool wasCounting_;
};
