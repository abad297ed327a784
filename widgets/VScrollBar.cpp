// VScrollBar: the thumb's geometry, the arrows and their repeat, paging, the drag and the drawing.
#include "widgets/VScrollBar.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "screen/VHostServices.h"

namespace {

constexpr int kThickness = 16;
constexpr int kMinThumb = 10;
constexpr int kFirstRepeat = 400;  // ms from the press to the second step
constexpr int kRepeat = 80;        // ms between the steps after it
constexpr int kWheelLines = 3;

}  // namespace

VScrollBar::VScrollBar(VWidget* owner, VOrientation orientation)
    : VWidget(owner),
      Orientation(orientation == orHorizontal ? orHorizontal : orVertical),
      Minimum(0),
      Maximum(100),
      PageSize(10),
      LineStep(1),
      Value(0),
      Held(0),
      RepeatTimer(0),
      Grabbed(false),
      GrabOffset(0),
      GrabRelease(0),
      onChange(nullptr) {
  Width = Orientation == orVertical ? kThickness : 100;
  Height = Orientation == orVertical ? 100 : kThickness;
  VScrollBar::Init();
  VScrollBar::layout();
}

VScrollBar::~VScrollBar() { stopRepeat(); }

bool VScrollBar::canDrag(VEvent*) { return false; }
bool VScrollBar::canFocus(VEvent*) { return false; }

// --- geometry -----------------------------------------------------------------------------------

int VScrollBar::lengthAlong() { return Orientation == orVertical ? Height : Width; }
int VScrollBar::getArrowSize() {
  return std::max(0, std::min(Orientation == orVertical ? Width : Height, lengthAlong() / 2));
}
int VScrollBar::trackLength() { return std::max(0, lengthAlong() - 2 * getArrowSize()); }

int VScrollBar::getThumbLength() {
  const double track = trackLength();
  const double span = static_cast<double>(Maximum) - Minimum + PageSize;
  const double share = std::round(track * PageSize / span);
  return static_cast<int>(std::min(track, std::max<double>(kMinThumb, share)));
}

int VScrollBar::getThumbStart() {
  const double free = trackLength() - getThumbLength();
  if (Maximum == Minimum || free <= 0) {
    return getArrowSize();
  }
  const double share =
      (static_cast<double>(Value) - Minimum) / (static_cast<double>(Maximum) - Minimum);
  return getArrowSize() + static_cast<int>(std::round(free * share));
}

int VScrollBar::valueAt(int thumbStart) {
  const double free = trackLength() - getThumbLength();
  if (free <= 0) {
    return Minimum;
  }
  const double share =
      std::clamp((static_cast<double>(thumbStart) - getArrowSize()) / free, 0.0, 1.0);
  return vuna::toIntClamped(std::round(Minimum + share * (static_cast<double>(Maximum) - Minimum)));
}

// --- values -------------------------------------------------------------------------------------

void VScrollBar::change(long long v, VEvent* e) {
  const int held = static_cast<int>(std::clamp<long long>(v, Minimum, Maximum));
  if (held == Value) {
    return;
  }
  Value = held;
  redraw();
  if (onChange != nullptr) {
    onChange(this, e);
  }
}

// --- input --------------------------------------------------------------------------------------

bool VScrollBar::processEvent(VEvent* e) {
  if (e->getType() != etMouseDown || e->getButton() != mbLeft) {
    return false;
  }
  const int at = Orientation == orVertical ? vuna::subClamped(e->getY(), Top)
                                           : vuna::subClamped(e->getX(), Left);
  const int arrow = getArrowSize();
  const int thumb = getThumbStart();
  stopRepeat();
  GrabRelease = mouseReleases();
  if (at < arrow || at >= lengthAlong() - arrow) {
    Held = at < arrow ? -1 : 1;
    change(static_cast<long long>(Value) + static_cast<long long>(Held) * LineStep, e);
    VHostServices* host = getHostServices();
    if (host != nullptr) {
      RepeatTimer = host->startTimer(kFirstRepeat, repeat, this);
    }
  } else if (at < thumb) {
    change(static_cast<long long>(Value) - PageSize, e);
  } else if (at >= thumb + getThumbLength()) {
    change(static_cast<long long>(Value) + PageSize, e);
  } else {
    Grabbed = true;
    GrabOffset = at - thumb;
  }
  redraw();
  return false;
}

// Every widget the mouse search passes sees the event here, inside or not: so the thumb follows
// the pointer off the bar, and a release anywhere ends the drag and the repeat.
bool VScrollBar::processMouseOwner(VEvent* e) {
  if (GrabRelease != mouseReleases()) {
    Grabbed = false;
    if (Held != 0) {
      stopRepeat();
      redraw();
    }
    return false;
  }
  if (Grabbed && e->getType() == etMouseMotion) {
    const long long at = Orientation == orVertical ? static_cast<long long>(e->getY()) - Top
                                                   : static_cast<long long>(e->getX()) - Left;
    change(valueAt(vuna::clampToInt(at - GrabOffset)), e);
  }
  return false;
}

bool VScrollBar::processWheel(VEvent* e) {
  long long steps = -static_cast<long long>(e->getWheelY());
  if (Orientation == orHorizontal && e->getWheelX() != 0) {
    steps = e->getWheelX();
  }
  if (steps != 0) {
    change(Value + steps * kWheelLines * LineStep, e);
  }
  return true;
}

// On the host's loop, between events. A release that no event brought here yet still ends it.
void VScrollBar::repeat(void* self) {
  auto* bar = static_cast<VScrollBar*>(self);
  bar->RepeatTimer = 0;
  if (bar->Held == 0 || bar->GrabRelease != mouseReleases() || !bar->Enabled) {
    bar->stopRepeat();
    return;
  }
  const long long step = static_cast<long long>(bar->Held) * bar->LineStep;
  bar->change(bar->Value + step, nullptr);
  VHostServices* host = bar->getHostServices();
  if (host != nullptr) {
    bar->RepeatTimer = host->startTimer(kRepeat, repeat, bar);
  }
}

void VScrollBar::stopRepeat() {
  Held = 0;
  if (RepeatTimer != 0) {
    VHostServices* host = getHostServices();
    if (host != nullptr) {
      host->cancelTimer(RepeatTimer);
    }
    RepeatTimer = 0;
  }
}

// --- drawing ------------------------------------------------------------------------------------

// Drawn along a vertical bar: a horizontal one swaps the axes of every rectangle and vertex.
void VScrollBar::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  if (Held != 0 && GrabRelease != mouseReleases()) {
    stopRepeat();  // released over another widget since the last event here
  }
  const bool vertical = Orientation == orVertical;
  const float along = static_cast<float>(lengthAlong());
  const float across = static_cast<float>(vertical ? Width : Height);
  const auto rect = [&](float a, float length, VColor* fill, VBevelState bevel) {
    const float x = vertical ? 0.0f : a;
    const float y = vertical ? a : 0.0f;
    const float w = vertical ? across : length;
    const float h = vertical ? length : across;
    if (fill != nullptr) {
      LookAndFeel->fillRect(x, y, w, h, fill);
    }
    LookAndFeel->drawBevel(x, y, w, h, bevel);
  };
  const auto vertex = [&](float a, float c) {
    glVertex2f(vertical ? c : a, vertical ? a : c);
  };

  const float arrow = static_cast<float>(getArrowSize());
  rect(0.0f, along, LookAndFeel->getBevelDisabledColor(), Enabled ? bsDown : bsDisabled);
  VColor* ink = Enabled ? LookAndFeel->getFont()->getColor() : LookAndFeel->getBevelLoweredColor();
  for (const int direction : {-1, 1}) {
    const float start = direction < 0 ? 0.0f : along - arrow;
    const VBevelState state = !Enabled ? bsDisabled : Held == direction ? bsDown : bsUp;
    rect(start, arrow, LookAndFeel->getBackGroundColor(), state);
    const float ca = start + arrow / 2.0f;
    const float cc = across / 2.0f;
    const float d = static_cast<float>(direction);
    ink->setAsCurrent();
    glBegin(GL_POLYGON);
    vertex(ca - 2.0f * d, cc - 4.0f);
    vertex(ca + 2.0f * d, cc);
    vertex(ca - 2.0f * d, cc + 4.0f);
    glEnd();
  }
  if (trackLength() > 0) {
    rect(static_cast<float>(getThumbStart()), static_cast<float>(getThumbLength()),
         LookAndFeel->getBackGroundColor(), Enabled ? bsUp : bsDisabled);
  }
}

// --- properties ---------------------------------------------------------------------------------

VOrientation VScrollBar::getOrientation() { return Orientation; }
int VScrollBar::getMinimum() { return Minimum; }
int VScrollBar::getMaximum() { return Maximum; }
int VScrollBar::getPageSize() { return PageSize; }
int VScrollBar::getLineStep() { return LineStep; }
int VScrollBar::getValue() { return Value; }

// Each asks for a frame only when it changed something: a scroll area sets them at every look.
void VScrollBar::setRange(int minimum, int maximum) {
  maximum = std::max(minimum, maximum);
  if (minimum != Minimum || maximum != Maximum) {
    Minimum = minimum;
    Maximum = maximum;
    redraw();
  }
  setValue(Value);
}

void VScrollBar::setPageSize(int newValue) {
  newValue = std::max(1, newValue);
  if (newValue != PageSize) {
    PageSize = newValue;
    redraw();
  }
}

void VScrollBar::setLineStep(int newValue) { LineStep = std::max(1, newValue); }

void VScrollBar::setValue(int newValue) {
  newValue = std::clamp(newValue, Minimum, Maximum);
  if (newValue != Value) {
    Value = newValue;
    redraw();
  }
}

void VScrollBar::print() {
  std::cout << "Class : VScrollBar" << std::endl;
  std::cout << "Orientation = " << static_cast<int>(Orientation) << std::endl;
  std::cout << "Minimum = " << Minimum << std::endl;
  std::cout << "Maximum = " << Maximum << std::endl;
  std::cout << "PageSize = " << PageSize << std::endl;
  std::cout << "LineStep = " << LineStep << std::endl;
  std::cout << "Value = " << Value << std::endl;
}
