// VHostTimers: numbers, due times and the firing of the timers that came due.
#include "hosts/VHostTimers.h"

#include <algorithm>

namespace {

// Shared by every adapter of the process, so that a number found in a host's event (GLUT's
// timer value, SDL's user event) names one timer only.
int nextNumber() {
  static int last = 0;
  last = last == 0x7fffffff ? 1 : last + 1;
  return last;
}

}  // namespace

VHostTimers::VHostTimers() : Alive(std::make_shared<bool>(true)) {}
VHostTimers::~VHostTimers() { *Alive = false; }

std::vector<VHostTimers::Timer>::const_iterator VHostTimers::find(int timer) const {
  return std::find_if(Pending.begin(), Pending.end(),
                      [timer](const Timer& t) { return t.number == timer; });
}

int VHostTimers::start(int milliseconds, VHostServices::TimerCallback callback, void* data) {
  const int number = nextNumber();
  Pending.push_back(
      Timer{number, Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0)),
            callback, data});
  return number;
}

bool VHostTimers::cancel(int timer) {
  const auto it = find(timer);
  if (it == Pending.end()) {
    return false;
  }
  Pending.erase(it);
  return true;
}

// Taken off the list before its callback runs: the callback may start the timer anew, cancel
// others or fire none.
bool VHostTimers::fire(int timer) {
  const auto it = find(timer);
  if (it == Pending.end()) {
    return false;
  }
  const Timer ran = *it;
  Pending.erase(it);
  if (ran.callback != nullptr) {
    ran.callback(ran.data);
  }
  return true;
}

// The due ones are chosen first and fired by number, so that a callback that cancels another
// due timer stops it, and one that starts a timer of no delay cannot keep this call going.
int VHostTimers::fireDue() {
  const Clock::time_point now = Clock::now();
  std::vector<Timer> due;
  for (const Timer& t : Pending) {
    if (t.due <= now) {
      due.push_back(t);
    }
  }
  std::stable_sort(due.begin(), due.end(),
                   [](const Timer& a, const Timer& b) { return a.due < b.due; });
  const std::shared_ptr<bool> alive = Alive;
  int ran = 0;
  for (const Timer& t : due) {
    if (!*alive) {
      break;
    }
    ran += fire(t.number) ? 1 : 0;
  }
  return ran;
}

namespace {

long millisecondsUntil(VHostTimers::Clock::time_point due) {
  const VHostTimers::Clock::duration left = due - VHostTimers::Clock::now();
  if (left <= VHostTimers::Clock::duration::zero()) {
    return 0;
  }
  return static_cast<long>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

}  // namespace

long VHostTimers::millisecondsToNext() const {
  if (Pending.empty()) {
    return -1;
  }
  Clock::time_point next = Pending.front().due;
  for (const Timer& t : Pending) {
    next = std::min(next, t.due);
  }
  return millisecondsUntil(next);
}

long VHostTimers::millisecondsLeft(int timer) const {
  const auto it = find(timer);
  return it == Pending.end() ? -1 : millisecondsUntil(it->due);
}

void VHostTimers::clear() { Pending.clear(); }
bool VHostTimers::empty() const { return Pending.empty(); }
