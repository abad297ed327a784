// VSlider: a value between a minimum and a maximum, set by dragging a knob along a track.
#pragma once

#include "../core/VRange.h"
#include "../core/VWidget.h"

/// Horizontal. The knob is 10 pixels wide and as high as the slider; its centre travels from 5
/// to Width - 5, and a centre c stands for min + (c - 5) / (Width - 10) x (max - min), rounded
/// to the step (0: continuous) and held in the range.
///
/// Mouse (left button): a press on the track puts the knob's centre under the pointer and
/// starts a drag; a press on the knob drags it from where it was taken. While the drag runs the
/// slider follows the pointer wherever it is; the release (or, when another widget took the
/// release, the next event the slider sees) ends it. Keys, with the focus: Left and Down one
/// step less, Right and Up one more, Page Down and Page Up ten steps, Home and End the ends
/// (a continuous slider steps by a hundredth of its range). Each wheel step over the slider,
/// up or right, is one step more; down or left one less.
///
/// Handlers: onChange after every change of the value (each step of a drag); onCommit once
/// when a gesture ends: the release of a drag or of a press on the track, each key and each
/// wheel step. The
/// program's setValue and setRange are clamped and rounded the same way and call neither.
/// Numbers that are none (NaN, infinities) are ignored; a range set with its ends the wrong way
/// round is taken with them swapped.
class VSlider : public VWidget {
 protected:
  VRange Range;  ///< 0 to 100 at first, step 1
  double Value;
  bool Grabbed;               ///< a drag of the knob runs
  int GrabOffset;             ///< pointer minus knob centre when it was taken
  unsigned long GrabRelease;  ///< mouseReleases() at the press

 public:
  VEventHandler onChange;
  VEventHandler onCommit;

  explicit VSlider(VWidget* owner);
  VSlider(const VSlider&) = delete;
  VSlider& operator=(const VSlider&) = delete;

  /// The track, the knob, and a highlight ring on the knob while the slider has the focus.
  void draw(VEvent* e) override;
  bool canDrag(VEvent* e) override;  ///< never: the knob moves, not the slider
  bool processEvent(VEvent* e) override;
  /// Follows the pointer while the knob is grabbed, inside the slider or not.
  bool processMouseOwner(VEvent* e) override;
  bool canFocus(VEvent* e) override;  ///< true
  bool takesTabFocus() override;  ///< true: Tab stops here
  bool takesKey(int key, bool special) override;
  bool processWheel(VEvent* e) override;  ///< takes every step
  ~VSlider() override;

  virtual double getMinimum();
  virtual double getMaximum();
  virtual void setRange(double minimum, double maximum);
  virtual double getStep();
  /// 0 or less: continuous.
  virtual void setStep(double newValue);
  virtual double getValue();
  virtual void setValue(double newValue);

  /// The knob's centre for the value, in the slider's pixels.
  int getKnobCentre();
  void print();

 private:
  double valueAt(int centre);
  double keyStep();
  /// Stores v (normalised) and runs onChange when it changed.
  void change(double v, VEvent* e);
  void commit(VEvent* e);
  void endGrab(VEvent* e);
};
