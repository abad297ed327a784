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
      Minimum(0),
      Maximum(100),
      Step(1),
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

double VSlider::normalised(double v) {
  if (Step > 0) {
    v = Minimum + std::round((v - Minimum) / Step) * Step;
  }
  return std::clamp(v, Minimum, Maximum);
}

double VSlider::keyStep() { return Step > 0 ? Step : (Maximum - Minimum) / 100; }

double VSlider::valueAt(int centre) {
  const double travel = static_cast<double>(Width) - kKnobWidth;
  if (!(travel > 0)) {
    return Minimum;
  }
  const double share = (static_cast<double>(centre) - kHalfKnob) / travel;
  return normalised(Minimum + std::clamp(share, 0.0, 1.0) * (Maximum - Minimum));
}

int VSlider::getKnobCentre() {
  const double travel = std::max(0.0, static_cast<double>(Width) - kKnobWidth);
  const double span = Maximum - Minimum;
  const double share = span > 0 ? (Value - Minimum) / span : 0;
  return vuna::toIntClamped(std::round(kHalfKnob + share * travel));
}

void VSlider::change(double v, VEvent* e) {
  v = normalised(v);
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
        case skHome: v = Minimum; break;
        case skEnd: v = Maximum; break;
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
  LookAndFeel->getBackGroundColor()->setAsCurrent();
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(left, 0.0f, kKnobWidth, h);
  glEnd();
  LookAndFeel->drawBevel(left, 0.0f, kKnobWidth, h, look);
  if (getFocused()) {
    LookAndFeel->getHighlightColor()->setAsCurrent();
    glBegin(GL_LINE_LOOP);
    LookAndFeel->drawRect(left + 1.0f, 1.0f, kKnobWidth - 2.0f, h - 2.0f);
    glEnd();
  }
}

// --- properties ---------------------------------------------------------------------------------

double VSlider::getMinimum() { return Minimum; }
double VSlider::getMaximum() { return Maximum; }
double VSlider::getStep() { return Step; }
double VSlider::getValue() { return Value; }

void VSlider::setRange(double minimum, double maximum) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
    return;
  }
  if (maximum < minimum) {
    std::swap(minimum, maximum);
  }
  Minimum = minimum;
  Maximum = maximum;
  Value = normalised(Value);
  redraw();
}

void VSlider::setStep(double newValue) {
  if (std::isnan(newValue)) {
    return;
  }
  Step = std::isfinite(newValue) && newValue > 0 ? newValue : 0;
  Value = normalised(Value);
  redraw();
}

void VSlider::setValue(double newValue) {
  if (!std::isfinite(newValue)) {
    return;
  }
  Value = normalised(newValue);
  redraw();
}

void VSlider::print() {
  std::cout << "Class : VSlider" << std::endl;
  std::cout << "Minimum = " << Minimum << std::endl;
  std::cout << "Maximum = " << Maximum << std::endl;
  std::cout << "Step = " << Step << std::endl;
  std::cout << "Value = " << Value << std::endl;
}
