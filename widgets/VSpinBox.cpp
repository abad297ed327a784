// VSpinBox: stepping, the held arrows' repeat on the host's timers, editing and the drawing.
#include "widgets/VSpinBox.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unordered_map>
#include <utility>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "screen/VHostServices.h"

namespace {

constexpr int kFirstRepeat = 400;  // ms from the press to the second step
constexpr int kRepeat = 80;        // ms between the steps after it
constexpr int kBackspace = 8;
constexpr int kReturn = 13;

// The boxes whose repeat is due, by the ticket their timer carries. A box deleted out of a
// screen's tree (freed: the screen takes it out before deleting it; or taken out and deleted by
// the program) reaches no host to cancel its timer, so the timer names a ticket, not the box,
// and finds nothing once the box has gone.
std::unordered_map<std::uintptr_t, VSpinBox*>& dueRepeats() {
  static std::unordered_map<std::uintptr_t, VSpinBox*> due;
  return due;
}
std::uintptr_t lastTicket = 0;

bool editsText(int key) {
  return (key >= '0' && key <= '9') || key == '-' || key == '+' || key == '.' ||
         key == kBackspace || key == kReturn;
}

}  // namespace

VSpinBox::VSpinBox(VWidget* owner)
    : VWidget(owner),
      Range(0, 100, 1),
      Decimals(0),
      Value(0),
      Text("0"),
      Editing(false),
      Held(0),
      RepeatTimer(0),
      RepeatTicket(0),
      HeldRelease(0),
      Font(new VFont()),
      onChange(nullptr) {
  Width = 80;
  Height = 20;
  VSpinBox::Init();
  VSpinBox::layout();
}

VSpinBox::~VSpinBox() {
  stopRepeat();
  delete Font;
  Font = nullptr;
}

void VSpinBox::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
}

bool VSpinBox::canDrag(VEvent*) { return false; }
bool VSpinBox::canFocus(VEvent*) { return true; }
bool VSpinBox::takesTabFocus() { return true; }
bool VSpinBox::takesText() { return true; }

bool VSpinBox::takesKey(int key, bool special) {
  return special ? key == skUp || key == skDown : editsText(key);
}

// --- values -------------------------------------------------------------------------------------

std::string VSpinBox::format(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", Decimals, v);
  return text;
}

void VSpinBox::change(double v, VEvent* e) {
  v = Range.normalised(v);
  Editing = false;
  Text = format(v);
  redraw();
  if (v == Value) {
    return;
  }
  Value = v;
  if (onChange != nullptr) {
    onChange(this, e);
  }
}

void VSpinBox::stepBy(int steps, VEvent* e) {
  if (Editing) {
    commit(e);
  }
  change(Value + steps * (Range.getStep() > 0 ? Range.getStep() : 1.0), e);
}

bool VSpinBox::processWheel(VEvent* e) {
  if (e->getWheelY() != 0) {
    stepBy(e->getWheelY(), e);
  }
  return true;
}

// The whole text must be a finite number; otherwise the shown value comes back.
void VSpinBox::commit(VEvent* e) {
  char* end = nullptr;
  const double v = std::strtod(Text.c_str(), &end);
  if (Text.empty() || end != Text.c_str() + Text.size() || !std::isfinite(v)) {
    change(Value, e);
  } else {
    change(v, e);
  }
}

// --- input --------------------------------------------------------------------------------------

bool VSpinBox::processEvent(VEvent* e) {
  switch (e->getType()) {
    case etMouseDown: {
      const int x = vuna::subClamped(e->getX(), Left);
      const int y = vuna::subClamped(e->getY(), Top);
      if (e->getButton() != mbLeft || x < Width - kArrowWidth) {
        break;
      }
      stopRepeat();
      Held = y < Height / 2 ? 1 : -1;
      HeldRelease = mouseReleases();
      stepBy(Held, e);
      if (Held != 0) {
        startRepeat(kFirstRepeat);
      }
      break;
    }
    case etSpecialKey:
      if (e->getKey() == skUp || e->getKey() == skDown) {
        stepBy(e->getKey() == skUp ? 1 : -1, e);
      }
      break;
    case etKeyboard: {
      const int key = e->getKey();
      if (key == kReturn) {
        commit(e);
      } else if (key == kBackspace) {
        if (!Text.empty()) {
          Text.pop_back();
        }
        Editing = true;
      } else if (editsText(key)) {
        Text.push_back(static_cast<char>(key));
        Editing = true;
      }
      redraw();
      break;
    }
    default:
      break;
  }
  return false;
}

bool VSpinBox::processMouseOwner(VEvent*) {
  if (Held != 0 && HeldRelease != mouseReleases()) {
    stopRepeat();
  }
  return false;
}

// On the host's loop, between events. A release that no event brought here yet still ends it.
void VSpinBox::repeat(void* ticket) {
  const auto found = dueRepeats().find(reinterpret_cast<std::uintptr_t>(ticket));
  if (found == dueRepeats().end()) {
    return;  // the box has gone
  }
  VSpinBox* box = found->second;
  dueRepeats().erase(found);
  box->RepeatTimer = 0;
  box->RepeatTicket = 0;
  if (box->Held == 0 || box->HeldRelease != mouseReleases() || !box->Enabled) {
    box->stopRepeat();
    return;
  }
  box->stepBy(box->Held, nullptr);
  if (box->Held != 0 && box->RepeatTicket == 0) {
    box->startRepeat(kRepeat);
  }
}

void VSpinBox::startRepeat(int milliseconds) {
  VHostServices* host = getHostServices();
  if (host == nullptr) {
    return;
  }
  const std::uintptr_t ticket = ++lastTicket;
  RepeatTimer = host->startTimer(milliseconds, repeat, reinterpret_cast<void*>(ticket));
  if (RepeatTimer != 0) {
    RepeatTicket = ticket;
    dueRepeats()[ticket] = this;
  }
}

void VSpinBox::stopRepeat() {
  Held = 0;
  if (RepeatTicket != 0) {
    dueRepeats().erase(RepeatTicket);
    RepeatTicket = 0;
  }
  if (RepeatTimer != 0) {
    VHostServices* host = getHostServices();
    if (host != nullptr) {
      host->cancelTimer(RepeatTimer);
    }
    RepeatTimer = 0;
  }
}

// --- drawing ------------------------------------------------------------------------------------

void VSpinBox::draw(VEvent* e) {
  if (Editing && !getFocused()) {
    commit(e);  // the focus went elsewhere since the last frame
  }
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  const int fieldWidth = std::max(0, Width - kArrowWidth);
  LookAndFeel->drawTextField(Width, fieldWidth, Height, Enabled, getFocused(), Font, Text.c_str());
  const float field = static_cast<float>(fieldWidth);
  const float h = static_cast<float>(Height);

  // The arrows: a bevel each, sunk while held, and a small triangle in the font's colour.
  const float half = std::floor(h / 2);
  const struct {
    float top, height;
    int direction;
  } arrows[] = {{0.0f, half, 1}, {half, h - half, -1}};
  for (const auto& a : arrows) {
    const VBevelState state = !Enabled ? bsDisabled : Held == a.direction ? bsDown : bsUp;
    LookAndFeel->drawBevel(field, a.top, kArrowWidth, a.height, state);
    const float cx = field + kArrowWidth / 2.0f;
    const float cy = a.top + a.height / 2.0f;
    Font->getColor()->setAsCurrent();
    glBegin(GL_POLYGON);
    glVertex2f(cx - 3.0f, cy + 1.5f * static_cast<float>(a.direction));
    glVertex2f(cx + 3.0f, cy + 1.5f * static_cast<float>(a.direction));
    glVertex2f(cx, cy - 1.5f * static_cast<float>(a.direction));
    glEnd();
  }
}

// --- properties ---------------------------------------------------------------------------------

double VSpinBox::getMinimum() { return Range.getMinimum(); }
double VSpinBox::getMaximum() { return Range.getMaximum(); }
double VSpinBox::getStep() { return Range.getStep(); }
int VSpinBox::getDecimals() { return Decimals; }
double VSpinBox::getValue() { return Value; }
std::string VSpinBox::getText() { return Text; }
VFont* VSpinBox::getFont() { return Font; }

void VSpinBox::setRange(double minimum, double maximum) {
  if (Range.set(minimum, maximum)) {
    setValue(Value);
  }
}

void VSpinBox::setStep(double newValue) {
  if (Range.setStep(newValue)) {
    setValue(Value);
  }
}

void VSpinBox::setDecimals(int newValue) {
  Decimals = std::clamp(newValue, 0, 15);
  setValue(Value);
}

void VSpinBox::setValue(double newValue) {
  if (!std::isfinite(newValue)) {
    return;
  }
  Value = Range.normalised(newValue);
  Editing = false;
  Text = format(Value);
  redraw();
}

void VSpinBox::print() {
  std::cout << "Class : VSpinBox" << std::endl;
  std::cout << "Minimum = " << Range.getMinimum() << std::endl;
  std::cout << "Maximum = " << Range.getMaximum() << std::endl;
  std::cout << "Step = " << Range.getStep() << std::endl;
  std::cout << "Decimals = " << Decimals << std::endl;
  std::cout << "Value = " << Value << std::endl;
}
