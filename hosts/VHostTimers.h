// VHostTimers: the pending one-shot timers of one host adapter, host-neutral.
#pragma once

#include <chrono>
#include <memory>
#include <vector>

#include "../screen/VHostServices.h"

/// Every adapter keeps its timers here and only wakes its loop in its own way: GLUT and SDL2
/// fire a timer by its number when their own timer says so, GLFW waits until the next one is
/// due and fires those that are. A callback may start and cancel timers, its own number
/// included; it runs after its timer stopped being pending.
class VHostTimers {
 public:
  typedef std::chrono::steady_clock Clock;

  VHostTimers();
  ~VHostTimers();
  VHostTimers(const VHostTimers&) = delete;
  VHostTimers& operator=(const VHostTimers&) = delete;

  /// Notes a timer due the given milliseconds from now (a negative delay counts as 0) and
  /// answers its number: greater than 0 and unique among the process's pending timers.
  int start(int milliseconds, VHostServices::TimerCallback callback, void* data);
  /// Answers whether it was pending.
  bool cancel(int timer);
  /// Runs the timer's callback if it is still pending; answers whether it ran.
  bool fire(int timer);
  /// Runs, in the order they fell due, the timers due by now; a timer started by one of their
  /// callbacks waits for the next call. A callback may delete this object (with its host): the
  /// call then ends there. Answers how many ran.
  int fireDue();
  /// Milliseconds until the next pending timer is due, rounded up (0: one is due), or -1 when
  /// none is pending.
  long millisecondsToNext() const;
  /// The same for one timer: -1 when it is not pending. A host whose own timers count coarser
  /// time (GLUT's and SDL's whole milliseconds) asks it before firing, and waits the rest.
  long millisecondsLeft(int timer) const;
  /// Forgets every pending timer: their callbacks will not run.
  void clear();
  bool empty() const;

 private:
  struct Timer {
    int number;
    Clock::time_point due;
    VHostServices::TimerCallback callback;
    void* data;
  };
  /// The pending timer of that number, or Pending.end(); erase takes it as it is.
  std::vector<Timer>::const_iterator find(int timer) const;

  std::vector<Timer> Pending;
  std::shared_ptr<bool> Alive;  ///< false once destroyed, for a fireDue that outlives it
};
