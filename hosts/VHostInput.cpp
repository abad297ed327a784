// VHostInput: who gets each event, the key-ups of typed characters, sizes and redisplays.
#include "hosts/VHostInput.h"

#include <cmath>
#include <cstdlib>

#include "core/VHostButton.h"
#include "core/VMessages.h"
#include "screen/VHostServices.h"
#include "screen/VScreen.h"
#include "widgets/VPopupLayer.h"

namespace {

constexpr int kEscape = 27;

// Escape closes an open menu or list instead of ending the program.
bool popupOpen(VScreen* screen) { return screen->getPopupLayer()->anyOpen(); }

}  // namespace

VHostInput::VHostInput(VScreen* screen, VHostRole role, VHostServices* services,
                       WakeFunction wake)
    : Screen(screen), Role(role), Services(services), Wake(wake) {
  if (Screen == nullptr) {
    VMessages::write(VMessages::msError,
                     "Vuna: a host adapter was given no screen; it takes no events");
    return;
  }
  Screen->setHostServices(Services);
  Screen->setDetachHook(screenGoing, this);
}

VHostInput::~VHostInput() {
  if (Screen != nullptr) {
    if (Screen->getHostServices() == Services) {
      Screen->setHostServices(nullptr);
    }
    if (Screen->hasDetachHook(screenGoing, this)) {
      Screen->setDetachHook(nullptr, nullptr);
    }
  }
}

// The screen is being deleted, or another adapter took it over: from now on this adapter is
// as one given no screen, and no timer of its widgets may run.
void VHostInput::screenGoing(void* self) {
  auto* input = static_cast<VHostInput*>(self);
  input->Screen = nullptr;
  input->Timers.clear();
}

VScreen* VHostInput::getScreen() const { return Screen; }
VHostRole VHostInput::getRole() const { return Role; }

bool VHostInput::reachesScreen(bool gui) const {
  return Screen != nullptr && (gui || Role == hrProgram);
}

// --- pointer ----------------------------------------------------------------------------------

void VHostInput::setPointer(int x, int y) {
  X = x;
  Y = y;
}

int VHostInput::getPointerX() const { return X; }
int VHostInput::getPointerY() const { return Y; }

bool VHostInput::pointerMoved(int x, int y) {
  setPointer(x, y);
  if (Screen == nullptr) {
    return false;
  }
  if (HeldButtons == 0) {
    if (VWidget::wantsPassiveMotion()) {
      Screen->glutPassiveMotion(X, Y);
    }
    return false;
  }
  if (reachesScreen(GuiOwnsGesture)) {
    Screen->glutMotion(X, Y);
  }
  return GuiOwnsGesture;
}

bool VHostInput::mouseButton(int glutButton, bool down) {
  if (Screen == nullptr || glutButton < 0 || glutButton > 2) {
    return false;
  }
  const unsigned bit = 1u << glutButton;
  if (down) {
    HeldButtons |= bit;
    Screen->glutMouse(glutButton, hbDown, X, Y);
    GuiOwnsGesture = Screen->capturesMouse();
    if (!GuiOwnsGesture && Role == hrGuest) {
      Screen->dropFocus();
    }
    return GuiOwnsGesture;
  }
  HeldButtons &= ~bit;
  if (reachesScreen(GuiOwnsGesture)) {
    Screen->glutMouse(glutButton, hbUp, X, Y);
  }
  return GuiOwnsGesture;
}

bool VHostInput::pointerDragged(int x, int y) {
  setPointer(x, y);
  if (reachesScreen(GuiOwnsGesture)) {
    Screen->glutMotion(X, Y);
  }
  return Screen != nullptr && GuiOwnsGesture;
}

void VHostInput::setModifiers(int held) {
  if (Screen != nullptr) {
    Screen->setModifiers(held);
  }
}

bool VHostInput::wheel(double stepsX, double stepsY) {
  if (Screen == nullptr) {
    return false;
  }
  // A step count far beyond any wheel's is a broken report: the GUI drops it, not wraps it.
  constexpr double kMostSteps = 1 << 16;
  if (!(std::fabs(stepsX) <= kMostSteps) || !(std::fabs(stepsY) <= kMostSteps)) {
    return false;
  }
  WheelX += stepsX;
  WheelY += stepsY;
  const double wholeX = std::trunc(WheelX);
  const double wholeY = std::trunc(WheelY);
  if (wholeX == 0 && wholeY == 0) {
    return WheelToGui;
  }
  WheelX -= wholeX;
  WheelY -= wholeY;
  WheelToGui = Screen->mouseWheel(static_cast<int>(wholeX), static_cast<int>(wholeY), X, Y);
  return WheelToGui && Screen != nullptr;
}

// --- keys -------------------------------------------------------------------------------------

bool VHostInput::keyDown(int key, int typed, int special) {
  if (Screen == nullptr) {
    return false;
  }
  if (typed == kEscape && Role == hrProgram && !popupOpen(Screen)) {
    std::exit(0);
  }
  auto held = HeldKeys.find(key);
  if (held == HeldKeys.end()) {
    // A repeat keeps the first press's owner, so the key's release goes the same way.
    const bool gui = typed >= 0 && typed <= 255 ? Screen->capturesKey(typed, false)
                     : special > 0                ? Screen->capturesKey(special, true)
                                                  : Screen->capturesKeyboard();
    held = HeldKeys.emplace(key, HeldKey{gui, std::string()}).first;
  }
  LastKey = key;
  LastKeyHeld = true;
  const bool gui = held->second.gui;
  if (typed >= 0 && typed <= 255) {
    type(static_cast<unsigned char>(typed), gui);
  } else if (special > 0 && reachesScreen(gui)) {
    Screen->glutSpecialFunc(special, X, Y);
  }
  return gui;
}

bool VHostInput::text(unsigned long codePoint) {
  if (Screen == nullptr) {
    return false;
  }
  // A key that types text is the GUI's while a text field has the focus; a character that a
  // focused widget takes by itself (Space on a button) makes its key the GUI's too.
  const bool takes =
      codePoint <= 255 ? Screen->capturesKey(static_cast<int>(codePoint), false) : false;
  bool gui = takes || Screen->capturesKeyboard();
  if (LastKeyHeld) {
    HeldKey& held = HeldKeys[LastKey];
    held.gui = held.gui || takes;
    gui = held.gui;
  }
  if (codePoint <= 255) {
    type(static_cast<unsigned char>(codePoint), gui);
  }
  return gui;
}

// Sends the character down and notes it on the last key down for its key-up; without a held
// key it goes up at once.
void VHostInput::type(unsigned char c, bool gui) {
  if (!reachesScreen(gui)) {
    return;
  }
  Screen->glutKeyboard(c, X, Y);
  if (!LastKeyHeld) {
    Screen->glutKeyboardUp(c, X, Y);
    return;
  }
  std::string& typed = HeldKeys[LastKey].typed;
  if (typed.find(static_cast<char>(c)) == std::string::npos) {
    typed.push_back(static_cast<char>(c));
  }
}

bool VHostInput::keyUp(int key) {
  auto held = HeldKeys.find(key);
  if (Screen == nullptr || held == HeldKeys.end()) {
    return false;  // pressed before the adapter was there: the program's
  }
  const HeldKey released = held->second;
  HeldKeys.erase(held);
  if (LastKeyHeld && LastKey == key) {
    LastKeyHeld = false;
  }
  if (reachesScreen(released.gui)) {
    for (char c : released.typed) {
      Screen->glutKeyboardUp(static_cast<unsigned char>(c), X, Y);
    }
  }
  return released.gui;
}

bool VHostInput::character(unsigned char c, bool down) {
  if (Screen == nullptr) {
    return false;
  }
  if (down && c == kEscape && Role == hrProgram && !popupOpen(Screen)) {
    std::exit(0);
  }
  if (down) {
    CharacterToGui[c] = Screen->capturesKey(c, false);
  }
  const bool gui = CharacterToGui[c];
  if (reachesScreen(gui)) {
    if (down) {
      Screen->glutKeyboard(c, X, Y);
    } else {
      Screen->glutKeyboardUp(c, X, Y);
    }
  }
  return gui;
}

bool VHostInput::specialKey(int special) {
  if (Screen == nullptr) {
    return false;
  }
  const bool gui = Screen->capturesKey(special, true);
  if (reachesScreen(gui)) {
    Screen->glutSpecialFunc(special, X, Y);
  }
  return gui;
}

// --- size and redisplay -----------------------------------------------------------------------

void VHostInput::resize(int width, int height, int framebufferWidth, int framebufferHeight) {
  if (Screen == nullptr) {
    return;
  }
  if (Role == hrProgram) {
    VScreen::usePixelProjection(width, height, framebufferWidth, framebufferHeight);
  }
  Screen->setSize(width, height);
  Screen->setFramebufferSize(framebufferWidth, framebufferHeight);
  requestRedisplay();
}

bool VHostInput::takeRedisplay() {
  const bool wanted = RedisplayWanted;
  RedisplayWanted = false;
  return wanted;
}

void VHostInput::requestRedisplay() {
  if (RedisplayWanted || Screen == nullptr) {
    return;
  }
  RedisplayWanted = true;
  if (Wake != nullptr) {
    Wake();
  }
}

VHostTimers& VHostInput::timers() { return Timers; }
double VHostInput::getContentScale() const { return ContentScale; }

// A scale that is no positive number (a host's bad report) keeps the last one.
void VHostInput::setContentScale(double scale) {
  if (!(scale > 0) || !std::isfinite(scale) || scale == ContentScale) {
    return;
  }
  ContentScale = scale;
  if (Screen != nullptr) {
    if (FollowsContentScale) {
      Screen->setHostScale(scale);
    }
    Screen->contentScaleChanged();
  }
}

void VHostInput::setFollowsContentScale(bool follows) { FollowsContentScale = follows; }
