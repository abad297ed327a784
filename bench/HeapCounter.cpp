// HeapCounter: the replaced global operator new and delete, and the counter around them.
#include "bench/HeapCounter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {

bool counting = false;
long long liveBytes = 0;
long long allocationCount = 0;

void* allocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) {
    throw std::bad_alloc();
  }
  if (counting) {
    liveBytes += static_cast<long long>(malloc_usable_size(p));
    ++allocationCount;
  }
  return p;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
  const auto align = static_cast<std::size_t>(alignment);
  // aligned_alloc wants the size to be a multiple of the alignment.
  const std::size_t rounded = (size + align - 1) / align * align;
  void* p = std::aligned_alloc(align, rounded == 0 ? align : rounded);
  if (p == nullptr) {
    throw std::bad_alloc();
  }
  if (counting) {
    liveBytes += static_cast<long long>(malloc_usable_size(p));
    ++allocationCount;
  }
  return p;
}

void release(void* p) {
  if (p == nullptr) {
    return;
  }
  if (counting) {
    liveBytes -= static_cast<long long>(malloc_usable_size(p));
  }
  std::free(p);
}

}  // namespace

HeapCounter::HeapCounter()
    : startLive_(liveBytes), startAllocations_(allocationCount), wasCounting_(counting) {
  counting = true;
}

HeapCounter::~HeapCounter() { counting = wasCounting_; }

long long HeapCounter::live() const { return liveBytes - startLive_; }
long long HeapCounter::allocations() const { return allocationCount - startAllocations_; }

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new(std::size_t size, std::align_val_t a) { return allocateAligned(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return allocateAligned(size, a); }

void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
