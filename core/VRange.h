// VRange: the range, and the step, that a value control holds its value in.
#pragma once

/// Numbers that are none are refused, so a control's value stays a number: ends that are not
/// finite are ignored, ends the wrong way round are swapped, and a step that is not a positive
/// finite number means no rounding.
class VRange {
 public:
  VRange(double minimum, double maximum, double step);

  double getMinimum() const;
  double getMaximum() const;
  double getStep() const;
  /// False, and nothing changes, when an end is not finite.
  bool set(double minimum, double maximum);
  /// False, and nothing changes, for NaN.
  bool setStep(double step);

  /// v rounded to the nearest step from the minimum (with a step), then held in the range.
  double normalised(double v) const;
  /// v's share of the range, 0 to 1; 0 for an empty range.
  double fraction(double v) const;

 private:
  double Minimum;
  double Maximum;
  double Step;  ///< 0: none
};
