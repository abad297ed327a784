// WindowLifetime: ten thousand windows opened and closed by the demo's handlers leave no trace.
//
// The suite has an executable of its own: it counts the bytes held through operator new, which
// is how the toolkit and the standard containers allocate. The GL driver and Xlib allocate with
// malloc and keep buffers of half a megabyte and more that come and go from frame to frame, so
// the whole heap is printed but only the count of our own bytes decides.
#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "DemoFixture.h"
#include "app/MyWindow.h"
#include "screen/host.h"
#include "support/Box.h"
#include "support/WidgetTree.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#else
// The sanitizer runtime's allocator statistics; GCC ships no header for them.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
extern "C" std::size_t __sanitizer_get_allocated_size(void* p);
#endif
#endif

namespace {

using vt::childrenOf;

std::atomic<std::int64_t> bytesThroughNew{0};

// The usable size of a block, the same at its allocation and at its release.
std::size_t blockSize(void* p) {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_allocated_size(p);
#else
  return malloc_usable_size(p);
#endif
}

constexpr int kCycles = 10000;
constexpr int kSettled = 1000;
// What our bytes may differ by between the two measurements (stream buffers and the like): as
// much as one window pair (some 800 bytes) kept every five hundred cycles.
constexpr std::int64_t kSlackBytes = 16 * 1024;

// Bytes the whole process holds on the heap right now, the GL driver's included.
std::int64_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  return static_cast<std::int64_t>(mallinfo2().uordblks);
#endif
}

// Resident set size in KiB, from /proc/self/statm.
long residentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * 4;
}

class WindowLifetime : public vt::DemoFixture {
 protected:
  // The screen's frontmost child, if it is a window.
  VWindow* frontWindow() { return dynamic_cast<VWindow*>(childrenOf(screen_).front()); }

  // One cycle: "Sub Window" opens a 200 by 200 window holding a 100 by 100 one; their close
  // buttons close them (on odd cycles the outer one alone, which takes the inner one with it);
  // every tenth cycle "Fenster" opens a demo window as well, closed the same way, and the host
  // draws a frame (clear, draw pass, swap: the swap also lets the GL driver release the frame's
  // commands). The next dispatch deletes what the last click queued: the display pass, or a
  // motion event that reaches no widget. Answers what went wrong, or "".
  std::string cycle(int i, int subX, int subY) {
    click(subX, subY);
    auto* outer = frontWindow();
    if (outer == nullptr || dynamic_cast<MyWindow*>(outer) != nullptr || outer->getWidth() != 200) {
      return "\"Sub Window\" opened no 200 by 200 window";
    }
    const std::vector<VWidget*> inside = childrenOf(outer);
    auto* inner = dynamic_cast<VWindow*>(inside.front());
    if (inner == nullptr || inner->getWidth() != 100) {
      return "the new window holds no 100 by 100 window";
    }
    if (i % 2 == 0) {
      clickOn(inner->getCloseButton());
    }
    clickOn(outer->getCloseButton());
    if (i % 10 == 0) {
      clickOn(button(window_, "Fenster"));
      auto* opened = dynamic_cast<MyWindow*>(frontWindow());
      if (opened == nullptr || opened == window_) {
        return "\"Fenster\" opened no window";
      }
      clickOn(opened->getCloseButton());
    }
    if (i % 10 == 0) {
      glutDisplay();
    } else {
      motion(-100, -100);
    }
    if (screenChildCount() != 2) {
      return "the screen holds " + std::to_string(screenChildCount()) + " widgets, not 2";
    }
    return "";
  }
};

TEST_F(WindowLifetime, TenThousandWindowsOpenedAndClosedLeaveTheHeapFlatAndNothingLeaked) {
  // The demo window covers the screen's toolbar up to x 400, its right edge included: press
  // "Sub Window" near its right end.
  VCaptionButton* sub = button(screenBar_, "Sub Window");
  ASSERT_NE(sub, nullptr);
  const vt::Box o = vt::screenBoxOf(sub);
  const int subX = o.left + o.width - 3;
  const int subY = o.centreY();
  ASSERT_GT(subX, window_->getLeft() + window_->getWidth());

  std::int64_t settledOurs = 0;
  std::int64_t settledHeap = 0;
  long settledResident = 0;
  for (int i = 1; i <= kCycles; ++i) {
    const std::string problem = cycle(i, subX, subY);
    ASSERT_EQ(problem, "") << "cycle " << i;
    if (i == kSettled) {
      settledOurs = bytesThroughNew.load();
      settledHeap = heapInUse();
      settledResident = residentKiB();
    }
  }
  const std::int64_t finalOurs = bytesThroughNew.load();
  const std::int64_t finalHeap = heapInUse();
  const long finalResident = residentKiB();
  std::cout << "after " << kSettled << " and " << kCycles << " cycles: held through new "
            << settledOurs << " and " << finalOurs << " bytes (" << finalOurs - settledOurs
            << "); whole heap " << settledHeap << " and " << finalHeap << " bytes ("
            << finalHeap - settledHeap << "); resident " << settledResident << " and "
            << finalResident << " KiB" << std::endl;
  EXPECT_LE(finalOurs - settledOurs, kSlackBytes);

#if defined(__SANITIZE_ADDRESS__)
  // Everything the scene still holds is reachable; a window that was closed but not deleted,
  // or anything it owned, is not.
  EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "LeakSanitizer found leaks (see above)";
#endif
}

}  // namespace

// Every form of new and delete, so that no block is taken by one allocator and given back to
// another (the GL driver's code generator uses the nothrow forms).
namespace {

void* allocate(std::size_t size, std::size_t alignment) {
  if (size == 0) {
    size = 1;
  }
  void* p = alignment <= alignof(std::max_align_t)
                ? std::malloc(size)
                : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
  if (p != nullptr) {
    bytesThroughNew += static_cast<std::int64_t>(blockSize(p));
  }
  return p;
}

void* allocateOrThrow(std::size_t size, std::size_t alignment) {
  if (void* p = allocate(size, alignment)) {
    return p;
  }
  throw std::bad_alloc();
}

void release(void* p) noexcept {
  if (p != nullptr) {
    bytesThroughNew -= static_cast<std::int64_t>(blockSize(p));
    std::free(p);
  }
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

}  // namespace

void* operator new(std::size_t n) { return allocateOrThrow(n, kPlain); }
void* operator new[](std::size_t n) { return allocateOrThrow(n, kPlain); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return allocate(n, kPlain); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return allocate(n, kPlain); }
void* operator new(std::size_t n, std::align_val_t a) {
  return allocateOrThrow(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a) {
  return allocateOrThrow(n, static_cast<std::size_t>(a));
}
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocate(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocate(n, static_cast<std::size_t>(a));
}

void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete(void* p, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { release(p); }
