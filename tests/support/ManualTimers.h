// ManualTimers: host services whose timers fire when the test says so.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "screen/VHostServices.h"

namespace vt {

// A clipboard kept in `clipboard`, a scale of 1; redisplays are ignored. fire() runs every
// pending timer once.
class ManualTimers : public VHostServices {
 public:
  struct Pending {
    int id;
    int milliseconds;
    TimerCallback callback;
    void* data;
  };
  void redisplay() override {}
  int startTimer(int milliseconds, TimerCallback callback, void* data) override {
    pending.push_back({++last, milliseconds, callback, data});
    return last;
  }
  void cancelTimer(int timer) override {
    for (auto it = pending.begin(); it != pending.end(); ++it) {
      if (it->id == timer) {
        pending.erase(it);
        return;
      }
    }
  }
  std::string getClipboardText() override { return clipboard; }
  void setClipboardText(const std::string& text) override { clipboard = text; }
  double getContentScale() override { return 1; }
  void setPointerShape(VPointerShape) override {}
  void fire() {
    for (const Pending& p : std::exchange(pending, {})) {
      p.callback(p.data);
    }
  }

  std::vector<Pending> pending;
  int last = 0;
  std::string clipboard;
};

}  // namespace vt
