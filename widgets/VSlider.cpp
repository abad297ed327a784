// VSlider: the mapping between pixels and values, the drag, the keys and the drawing.
#include "widgets/VSlider.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VLookAndFeel.h"

namespace {

constexpr int kKnobWidth = 10;
constexpr int kHalfKnob = kKnobWidth / 2;
constexpr int kGrooveHeight = 4;

}  // namespace

VSlider::VSlider(VWidget* owner)
    : VWidget(owner),
      Range(0, 100, 1),
      Value(0),
      Grabbed(false),
      GrabOffset(0),
      GrabRelease(0),
      onChange(nullptr),
      onCommit(nullptr) {
  Width = 100;
  Height = 20;
  VSlider::Init();
  VSlider::layout();
}

VSlider::~VSlider() = default;

bool VSlider::canDrag(VEvent*) { return false; }
bool VSlider::canFocus(VEvent*) { return true; }
bool VSlider::takesTabFocus() { return true; }

bool VSlider::takesKey(int key, bool special) {
  if (!special) {
    return false;
  }
  switch (key) {
    case skLeft: case skRight: case skUp: case skDown:
    case skPageUp: case skPageDown: case skHome: case skEnd:
      return true;
    default:
      return false;
  }
}

// --- values -------------------------------------------------------------------------------------

double VSlider::keyStep() {
  return Range.getStep() > 0 ? Range.getStep() : (Range.getMaximum() - Range.getMinimum()) / 100;
}

// The value a knob centre stands for, inside the range but not yet rounded to the step: both
// callers hand it to change(), which rounds it. Rounding here as well gave the same value for
// one division and one rounding more on every step of a drag.
double VSlider::valueAt(int centre) {
  const double travel = static_cast<double>(Width) - kKnobWidth;
  if (!(travel > 0)) {
    return Range.getMinimum();
  }
  const double share = std::clamp((static_cast<double>(centre) - kHalfKnob) / travel, 0.0, 1.0);
  return Range.getMinimum() + share * (Range.getMaximum() - Range.getMinimum());
}

int VSlider::getKnobCentre() {
  const double travel = std::max(0.0, static_cast<double>(Width) - kKnobWidth);
  return vuna::toIntClamped(std::round(kHalfKnob + Range.fraction(Value) * travel));
}

void VSlider::change(double v, VEvent* e) {
  v = Range.normalised(v);
  if (v == Value) {
    return;
  }
  Value = v;
  redraw();
  if (onChange != nullptr) {
    onChange(this, e);
  }
}

void VSlider::commit(VEvent* e) {
  if (onCommit != nullptr) {
    onCommit(this, e);
  }
}

// --- input --------------------------------------------------------------------------------------

bool VSlider::processEvent(VEvent* e) {
  switch (e->getType()) {
    case etMouseDown: {
      if (e->getButton() != mbLeft) {
        break;
      }
      const int x = vuna::subClamped(e->getX(), Left);
      const int centre = getKnobCentre();
      const bool onKnob = x >= centre - kHalfKnob && x <= centre + kHalfKnob;
      GrabOffset = onKnob ? x - centre : 0;
      Grabbed = true;
      GrabRelease = mouseReleases();
      if (!onKnob) {
        change(valueAt(x), e);
      }
      break;
    }
    case etSpecialKey: {
      double v = Value;
      switch (e->getKey()) {
        case skLeft: case skDown: v -= keyStep(); break;
        case skRight: case skUp: v += keyStep(); break;
        case skPageDown: v -= 10 * keyStep(); break;
        case skPageUp: v += 10 * keyStep(); break;
        case skHome: v = Range.getMinimum(); break;
        case skEnd: v = Range.getMaximum(); break;
        default: return false;
      }
      change(v, e);
      commit(e);
      break;
    }
    default:
      break;
  }
  return false;
}

bool VSlider::processWheel(VEvent* e) {
  const long long steps = static_cast<long long>(e->getWheelX()) + e->getWheelY();
  if (steps != 0) {
    change(Value + static_cast<double>(steps) * keyStep(), e);
    commit(e);
  }
  return true;
}

// Every widget the mouse search passes sees the event here, inside or not: so the knob follows
// the pointer off the slider, and a release anywhere ends the drag.
bool VSlider::processMouseOwner(VEvent* e) {
  if (!Grabbed) {
    return false;
  }
  if (GrabRelease != mouseReleases()) {
    endGrab(e);  // the release went to another widget: the gesture ended there
    return false;
  }
  if (e->getType() == etMouseMotion) {
    const long long x = static_cast<long long>(e->getX()) - Left - GrabOffset;
    change(valueAt(vuna::clampToInt(x)), e);
  }
  return false;
}

void VSlider::endGrab(VEvent* e) {
  Grabbed = false;
  commit(e);
}

// --- drawing ------------------------------------------------------------------------------------

void VSlider::draw(VEvent* e) {
  // The release ended the drag as the search passed: processMouseOwner saw the count change
  // only at the next event, so a drawn frame settles it first.
  if (Grabbed && GrabRelease != mouseReleases()) {
    endGrab(e);
  }
  if (LookAndFeel == nullptr) {
    return;
  }
  const VBevelState look = Enabled ? bsUp : bsDisabled;
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  const float grooveTop = std::floor((h - kGrooveHeight) / 2);
  LookAndFeel->drawBevel(0.0f, grooveTop, w, kGrooveHeight, Enabled ? bsDown : bsDisabled);

  const float left = static_cast<float>(getKnobCentre() - kHalfKnob);
  LookAndFeel->fillRect(left, 0.0f, kKnobWidth, h, LookAndFeel->getBackGroundColor());
  LookAndFeel->drawBevel(left, 0.0f, kKnobWidth, h, look);
  if (getFocused()) {
    LookAndFeel->getHighlightColor()->setAsCurrent();
    glBegin(GL_LINE_LOOP);
    LookAndFeel->drawRect(left + 1.0f, 1.0f, kKnobWidth - 2.0f, h - 2.0f);
    glEnd();
  }
}

// --- properties ---------------------------------------------------------------------------------

double VSlider::getMinimum() { return Range.getMinimum(); }
double VSlider::getMaximum() { return Range.getMaximum(); }
double VSlider::getStep() { return Range.getStep(); }
double VSlider::getValue() { return Value; }

void VSlider::setRange(double minimum, double maximum) {
  if (Range.set(minimum, maximum)) {
    setValue(Value);
  }
}

void VSlider::setStep(double newValue) {
  if (Range.setStep(newValue)) {
    setValue(Value);
  }
}

void VSlider::setValue(double newValue) {
  if (!std::isfinite(newValue)) {
    return;
  }
  Value = Range.normalised(newValue);
  redraw();
}

void VSlider::print() {
  std::cout << "Class : VSlider" << std::endl;
  std::cout << "Minimum = " << Range.getMinimum() << std::endl;
  std::cout << "Maximum = " << Range.getMaximum() << std::endl;
  std::cout << "Step = " << Range.getStep() << std::endl;
  std::cout << "Value = " << Value << std::endl;
}
