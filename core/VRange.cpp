// VRange: the checks, the rounding to the step and the share.
#include "core/VRange.h"

#include <algorithm>
#include <cmath>
#include <utility>

VRange::VRange(double minimum, double maximum, double step) : Minimum(0), Maximum(0), Step(0) {
  set(minimum, maximum);
  setStep(step);
}

double VRange::getMinimum() const { return Minimum; }
double VRange::getMaximum() const { return Maximum; }
double VRange::getStep() const { return Step; }

bool VRange::set(double minimum, double maximum) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
    return false;
  }
  if (maximum < minimum) {
    std::swap(minimum, maximum);
  }
  Minimum = minimum;
  Maximum = maximum;
  return true;
}

bool VRange::setStep(double step) {
  if (std::isnan(step)) {
    return false;
  }
  Step = std::isfinite(step) && step > 0 ? step : 0;
  return true;
}

double VRange::normalised(double v) const {
  if (Step > 0) {
    v = Minimum + std::round((v - Minimum) / Step) * Step;
  }
  return std::clamp(v, Minimum, Maximum);
}

double VRange::fraction(double v) const {
  const double span = Maximum - Minimum;
  return span > 0 ? std::clamp((v - Minimum) / span, 0.0, 1.0) : 0.0;
}
