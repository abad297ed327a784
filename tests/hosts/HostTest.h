// HostTest: a screen with one focused widget that writes down what it sees, and a host adapter
// on it that the test feeds raw host values.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hosts/VHostInput.h"
#include "screen/VScreen.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"

namespace vt {

// A focusable recording widget, taking every key, whose events read as lines:
// "down 0 at 30,40" (type, Button, X, Y) for a mouse event, "key 97 at 30,40" (type, Key, X, Y)
// for a key event, "wheel -1,0 at 30,40" (type, steps right and up, X, Y) for a wheel step.
class SeenEvents : public RecordingWidget {
 public:
  explicit SeenEvents(VWidget* owner) : RecordingWidget(owner, "seen", 0, 0, 200, 100) {
    focusable = true;
  }
  // Takes every key, as a text field that also used Escape and the special keys would.
  bool takesText() override { return true; }
  bool takesKey(int, bool) override { return true; }
  // The lines since the last call.
  Lines take() {
    Lines lines;
    for (const Seen& s : std::exchange(seen, {})) {
      const bool key = s.type == etKeyboard || s.type == etKeyboardUp || s.type == etSpecialKey;
      const std::string what =
          s.type == etMouseWheel ? std::to_string(s.wheelX) + "," + std::to_string(s.wheelY)
                                 : std::to_string(key ? s.key : s.button);
      lines.push_back(typeName(s.type) + " " + what + " at " + std::to_string(s.x) + "," +
                      std::to_string(s.y));
    }
    return lines;
  }
};

// The widget is 200 by 100 at the screen's top-left corner and has the focus; the rest of the
// 500 by 400 screen is bare.
template <class Host>
class HostTest : public ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    widget_ = new SeenEvents(screen_);
    screen_->glutMouse(0, 0, 30, 40);
    screen_->glutMouse(0, 1, 30, 40);
    use(hrProgram);
  }
  void TearDown() override {
    host_.reset();
    ScreenFixture::TearDown();
  }
  void use(VHostRole role) {
    host_.reset();
    host_ = std::make_unique<Host>(screen_, role);
    widget_->take();
  }
  // Both lines of a key typed at the host's pointer, (0, 0) until it moves.
  static Lines typed(int code) {
    const std::string n = std::to_string(code);
    return {"key " + n + " at 0,0", "keyup " + n + " at 0,0"};
  }

  SeenEvents* widget_ = nullptr;
  std::unique_ptr<Host> host_;
};

}  // namespace vt
