// EventStorm: the generator of host calls, its gestures and the host calls' replay form.
#include "EventStorm.h"

#include <climits>
#include <sstream>

#include "AppCalls.h"
#include "screen/host.h"
#include "support/Box.h"
#include "support/HostNumbers.h"
#include "support/WidgetTree.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VRadioButton.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

namespace vt {

namespace {

// Odds against a key-down being Escape, and against letting a release or key-up through that
// would press "Shut Down": both end the run, so they stay rare.
constexpr int kEscapeOdds = 60000;
constexpr int kShutDownOdds = 200;

bool captioned(VWidget* w, const char* caption) {
  auto* button = dynamic_cast<VCaptionButton*>(w);
  return button != nullptr && button->getCaption() == caption;
}

bool isShutDown(VWidget* w) { return captioned(w, "Shut Down"); }
bool opensWindows(VWidget* w) { return captioned(w, "Sub Window") || captioned(w, "Fenster"); }

// The widget that a mouse event at (x, y), in w's owner's space, reaches first: the routing's
// depth-first, front-to-back search of the visible, enabled tree.
VWidget* hitAt(VWidget* w, int x, int y) {
  if (!w->getVisible() || !w->getEnabled()) {
    return nullptr;
  }
  const int lx = x - w->getLeft();
  const int ly = y - w->getTop();
  for (VWidget* child : childrenOf(w)) {
    if (VWidget* hit = hitAt(child, lx, ly)) {
      return hit;
    }
  }
  return lx >= 0 && ly >= 0 && lx <= w->getWidth() && ly <= w->getHeight() ? w : nullptr;
}


// Special keys: the GLUT codes, then codes no keyboard sends.
constexpr int kSpecialKeys[] = {1,   2,   3,   4,   5,   6,   7,   8,   9,     10,     11,
                                12,  100, 101, 102, 103, 104, 105, 106, 107,   108,    109,
                                110, 111, 112, 113, 114, 0,   -1,  255, 256,   100000, INT_MIN,
                                INT_MAX};
// Button states GLUT never sends besides its down (0) and up (1).
constexpr int kOddStates[] = {-1, 2, 3, 255, 1000};
// Host window sizes the storm reshapes to.
constexpr int kSizes[][2] = {{500, 400}, {1, 1},     {60, 40},    {200, 100},  {320, 240},
                             {499, 399}, {640, 480}, {1024, 768}, {4000, 3000}, {1, 400}};

}  // namespace

std::string HostCall::describe() const {
  std::ostringstream os;
  switch (kind) {
    case Mouse: os << "glutMouse(" << a << ", " << b << ", " << x << ", " << y << ")"; break;
    case Motion: os << "glutMotion(" << x << ", " << y << ")"; break;
    case Keyboard: os << "glutKeyboard(" << a << ", " << x << ", " << y << ")"; break;
    case KeyboardUp: os << "glutKeyboardUp(" << a << ", " << x << ", " << y << ")"; break;
    case Special: os << "glutSpecial(" << a << ", " << x << ", " << y << ")"; break;
    case Reshape: os << "glutResize(" << a << ", " << b << ")"; break;
    case Display: os << "glutDisplay()"; break;
    case App: os << "app." << appOpName(a) << "(" << b << ")"; break;
  }
  return os.str();
}

bool HostCall::dispatches() const {
  switch (kind) {
    case Mouse: return a >= 0 && a <= 2 && (b == 0 || b == 1);
    case Reshape:
    case App: return false;
    default: return true;
  }
}

void HostCall::perform() const {
  switch (kind) {
    case Mouse: glutMouse(a, b, x, y); break;
    case Motion: glutMotion(x, y); break;
    case Keyboard: glutKeyboard(static_cast<unsigned char>(a), x, y); break;
    case KeyboardUp: glutKeyboardUp(static_cast<unsigned char>(a), x, y); break;
    case Special: glutSpecial(a, x, y); break;
    case Reshape: glutResize(a, b); break;
    case Display: glutDisplay(); break;
    case App: performAppCall(screen, a, b); break;
  }
}

EventStorm::EventStorm(VScreen* screen, std::uint64_t seed)
    : screen_(screen), state_(seed) {
  // Neighbouring seeds must not give shifted copies of one stream: scramble the seed first.
  state_ = random() ^ 0x2545F4914F6CDD1Dull;
}

// splitmix64: the same numbers on every platform and library, unlike the standard
// distributions.
std::uint64_t EventStorm::random() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int EventStorm::below(int n) { return n <= 1 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n)); }
int EventStorm::between(int lo, int hi) { return lo + below(hi - lo + 1); }
bool EventStorm::chance(int percent) { return below(100) < percent; }

int EventStorm::anyButton() {
  const int roll = below(100);
  if (roll < 72) return kLeftButton;
  if (roll < 80) return kMiddleButton;
  if (roll < 88) return kRightButton;
  return between(kWheelUp, 6);
}

int EventStorm::anyKey() {
  if (below(kEscapeOdds) == 0) {
    return kEscape;
  }
  const int roll = below(100);
  int key;
  if (roll < 55) {
    key = between(32, 126);
  } else if (roll < 65) {
    key = kBackspace;
  } else if (roll < 70) {
    key = kReturn;
  } else if (roll < 75) {
    key = 127;
  } else {
    key = between(0, 255);
  }
  return key == kEscape ? kEscape + 1 : key;
}

EventStorm::Point EventStorm::anywhere() {
  const int roll = below(100);
  if (roll < 80) {
    return {between(-20, screenWidth_ + 20), between(-20, screenHeight_ + 20)};
  }
  if (roll < 95) {
    return {between(-2000, 4000), between(-2000, 4000)};
  }
  // The far ends of what an X server can report.
  const int extremes[] = {-32768, -32767, 32766, 32767};
  return {extremes[below(4)], extremes[below(4)]};
}

EventStorm::Point EventStorm::inside(VWidget* w) {
  const Box o = screenBoxOf(w);
  Point p{o.left + between(0, w->getWidth()), o.top + between(0, w->getHeight())};
  if (chance(10)) {
    // On an edge or one pixel off it.
    const int off = between(-1, 1);
    switch (below(4)) {
      case 0: p.x = o.left + off; break;
      case 1: p.x = o.left + w->getWidth() + off; break;
      case 2: p.y = o.top + off; break;
      default: p.y = o.top + w->getHeight() + off; break;
    }
  }
  return p;
}

void EventStorm::push(HostCall::Kind kind, int a, int b, Point p) {
  HostCall call;
  call.kind = kind;
  call.a = a;
  call.b = b;
  call.x = p.x;
  call.y = p.y;
  planned_.push_back(call);
}

void EventStorm::pushDisplay() { push(HostCall::Display, 0, 0, {0, 0}); }

HostCall EventStorm::next() {
  while (planned_.empty()) {
    plan();
  }
  HostCall call = planned_.front();
  planned_.pop_front();
  guard(call);
  return call;
}

// A left release over "Shut Down", or a space or return key-up while it is on the focus chain,
// would end the run: most of them become a release beside the button or another key. In a
// crowded tree the same happens to the buttons that open windows.
void EventStorm::guard(HostCall& call) {
  const bool release = call.kind == HostCall::Mouse && call.a == kLeftButton && call.b == kUp;
  const bool keyUp = call.kind == HostCall::KeyboardUp && (call.a == 32 || call.a == 13);
  if (!release && !keyUp) {
    return;
  }
  const bool crowded = countWidgets() > kCrowded;
  auto stopped = [&](VWidget* w) {
    return (isShutDown(w) && below(kShutDownOdds) != 0) || (crowded && opensWindows(w));
  };
  if (release) {
    VWidget* hit = hitAt(screen_, call.x, call.y);
    if (hit != nullptr && stopped(hit)) {
      call.x = screenBoxOf(hit).left + hit->getWidth() + 5;
    }
    return;
  }
  for (VWidget* w = screen_; w != nullptr; w = w->getFocusPath()) {
    if (stopped(w)) {
      call.a = 'x';
      return;
    }
  }
}

std::size_t EventStorm::countWidgets() {
  std::size_t count = 0;
  std::vector<VWidget*> walk{screen_};
  while (!walk.empty()) {
    VWidget* w = walk.back();
    walk.pop_back();
    ++count;
    for (VWidget* child : childrenOf(w)) {
      walk.push_back(child);
    }
  }
  return count;
}

void EventStorm::plan() {
  screenWidth_ = screen_->getWidth();
  screenHeight_ = screen_->getHeight();
  if (chance(3)) {
    push(HostCall::App, below(opCount), below(1 << 20), {0, 0});
    return;
  }
  const int roll = below(100);
  if (roll < 50) {
    planAimed();
    if (chance(4)) {
      pushDisplay();
    }
  } else if (roll < 64) {
    const int state = chance(90) ? below(2) : kOddStates[below(5)];
    push(HostCall::Mouse, anyButton(), state, anywhere());
  } else if (roll < 72) {
    push(HostCall::Motion, 0, 0, anywhere());
  } else if (roll < 82) {
    planTyping(between(1, 8));
  } else if (roll < 86) {
    push(HostCall::KeyboardUp, between(0, 255), 0, anywhere());
  } else if (roll < 91) {
    push(HostCall::Special, kSpecialKeys[below(sizeof kSpecialKeys / sizeof kSpecialKeys[0])], 0,
         anywhere());
  } else if (roll < 98) {
    push(HostCall::Motion, 0, 0, anywhere());
  } else if (roll < 99) {
    const auto& size = kSizes[chance(50) ? 0 : below(sizeof kSizes / sizeof kSizes[0])];
    push(HostCall::Reshape, size[0], size[1], {0, 0});
  } else {
    pushDisplay();
  }
}

void EventStorm::planTyping(int keys) {
  for (int i = 0; i < keys; ++i) {
    const int key = anyKey();
    const Point p = anywhere();
    push(HostCall::Keyboard, key, 0, p);
    if (chance(90)) {
      push(HostCall::KeyboardUp, key, 0, p);
    } else if (chance(50)) {
      push(HostCall::KeyboardUp, between(0, 255), 0, p);
    }
  }
}

void EventStorm::planClick(Point p, int button) {
  push(HostCall::Mouse, button, kDown, p);
  const int jitter = below(3);
  for (int i = 0; i < jitter; ++i) {
    p.x += between(-3, 3);
    p.y += between(-3, 3);
    push(HostCall::Motion, 0, 0, p);
  }
  push(HostCall::Mouse, button, kUp, p);
}

void EventStorm::planDrag(Point from, int button, int steps) {
  push(HostCall::Mouse, button, kDown, from);
  Point p = from;
  for (int i = 0; i < steps; ++i) {
    if (chance(12)) {
      p = anywhere();
    } else {
      p.x += between(-80, 80);
      p.y += between(-80, 80);
    }
    push(HostCall::Motion, 0, 0, p);
  }
  push(HostCall::Mouse, chance(90) ? button : anyButton(), kUp, p);
}

void EventStorm::planAimed() {
  targets_.clear();
  weights_.clear();
  std::vector<VWidget*> walk{screen_};
  for (std::size_t i = 0; i < walk.size(); ++i) {
    for (VWidget* child : childrenOf(walk[i])) {
      walk.push_back(child);
    }
  }
  const bool crowded = walk.size() > static_cast<std::size_t>(kCrowded);
  int total = 0;
  for (VWidget* w : walk) {
    int weight = 100;
    auto* window = dynamic_cast<VWindow*>(w->getOwner());
    if (w == screen_) {
      weight = 30;
    } else if (auto* caption = dynamic_cast<VCaptionButton*>(w)) {
      const std::string text = caption->getCaption();
      if (text == "Sub Window") {
        weight = 600;
      } else if (text == "Fenster") {
        weight = 250;
      }
    } else if (window != nullptr && w == window->getCloseButton()) {
      weight = crowded ? 3000 : 300;
    } else if (window != nullptr && w == window->getMaximizeButton()) {
      weight = 200;
    } else if (dynamic_cast<VTextEdit*>(w) != nullptr || dynamic_cast<VWindow*>(w) != nullptr) {
      weight = 300;
    } else if (dynamic_cast<VRadioButton*>(w) != nullptr) {
      weight = 150;
    }
    targets_.push_back(w);
    weights_.push_back(weight);
    total += weight;
  }

  int pick = below(total);
  VWidget* target = targets_.back();
  for (std::size_t i = 0; i < targets_.size(); ++i) {
    if (pick < weights_[i]) {
      target = targets_[i];
      break;
    }
    pick -= weights_[i];
  }

  const Box o = screenBoxOf(target);
  const int w = target->getWidth();
  const int h = target->getHeight();
  if (auto* window = dynamic_cast<VWindow*>(target)) {
    const int roll = below(100);
    if (roll < 35) {
      const Point bar{o.left + between(2, w > 52 ? w - 50 : 2),
                      o.top + between(0, window->getTitleBarHeight() - 1)};
      planDrag(bar, anyButton(), between(1, 12));
    } else if (roll < 60) {
      const Point corner{o.left + w - below(10), o.top + h - below(10)};
      planDrag(corner, chance(85) ? 0 : anyButton(), between(1, 12));
    } else {
      planClick(inside(target), anyButton());
    }
  } else if (auto* bar = dynamic_cast<VToolBar*>(target)) {
    if (chance(50)) {
      const Point mover{o.left + below(bar->getMoverWidth()), o.top + between(0, h)};
      planDrag(mover, anyButton(), between(1, 10));
    } else {
      planClick(inside(target), anyButton());
    }
  } else if (dynamic_cast<VTextEdit*>(target) != nullptr) {
    planClick(inside(target), chance(80) ? 0 : anyButton());
    planTyping(between(1, 12));
  } else if (dynamic_cast<VButton*>(target) != nullptr) {
    const int roll = below(100);
    if (roll < 70) {
      planClick(inside(target), chance(85) ? 0 : anyButton());
    } else if (roll < 85) {
      // Pressed, then the pointer leaves before the release: a cancelled press.
      push(HostCall::Mouse, kLeftButton, kDown, inside(target));
      const Point away{o.left + w + between(2, 40), o.top + between(-40, h + 40)};
      push(HostCall::Motion, 0, 0, away);
      push(HostCall::Mouse, kLeftButton, kUp, away);
    } else {
      planClick(inside(target), 0);
      const int key = chance(50) ? ' ' : kReturn;
      const Point p = anywhere();
      push(HostCall::Keyboard, key, 0, p);
      push(HostCall::KeyboardUp, key, 0, p);
    }
  } else {
    planClick(inside(target), chance(80) ? 0 : anyButton());
  }
}

}  // namespace vt
