// VSpinBox: a number in a one-line field with up and down arrows that step it.
#pragma once

#include <cstdint>
#include <string>

#include "../core/VRange.h"
#include "../core/VWidget.h"

class VFont;

/// The arrows take the rightmost 14 pixels: up in the top half, down in the bottom half. A left
/// press on an arrow steps once; held, it steps again after 400 ms and then every 80 ms, on the
/// host's timers (without a host, once per press), until any button is released. A wheel step
/// over the box steps as an arrow does, up or down.
///
/// With the focus, Up and Down step; digits, a sign and a point edit the text as a one-line
/// field does (appended; Backspace deletes the last character); Enter, or losing the focus
/// (settled at the next frame drawn), commits the text: a number is held in the range and
/// rounded to the step, anything else gives the shown value back. The value shows with
/// Decimals digits after the point.
///
/// onChange runs after every change of the value by the user (a step, a commit that changed
/// it), with the event that made it (null for a step of a held arrow's repeat); the program's
/// setValue and setRange are clamped and rounded the same way and run none.
/// Numbers that are none are ignored; a range with its ends the wrong way round is swapped.
class VSpinBox : public VWidget {
 protected:
  VRange Range;  ///< 0 to 100 at first, step 1
  int Decimals;
  double Value;
  std::string Text;  ///< what the field shows: the value, or the text being edited
  bool Editing;
  int Held;                   ///< +1 the up arrow is held, -1 the down arrow, 0 neither
  int RepeatTimer;            ///< the host's timer of the repeat, 0 for none
  std::uintptr_t RepeatTicket;  ///< what that timer carries to find this box, 0 for none
  unsigned long HeldRelease;  ///< mouseReleases() at the arrow's press
  VFont* Font;                ///< owned; a copy of the look and feel's font

 public:
  VEventHandler onChange;

  explicit VSpinBox(VWidget* owner);
  VSpinBox(const VSpinBox&) = delete;
  VSpinBox& operator=(const VSpinBox&) = delete;

  void draw(VEvent* e) override;
  bool canDrag(VEvent* e) override;  ///< never
  bool processEvent(VEvent* e) override;
  /// Ends a held arrow's repeat at any release.
  bool processMouseOwner(VEvent* e) override;
  bool canFocus(VEvent* e) override;  ///< true
  bool takesTabFocus() override;  ///< true: Tab stops here
  bool takesText() override;          ///< true: it edits its number
  bool takesKey(int key, bool special) override;
  /// Takes every step: each one up is one step more, each one down one less.
  bool processWheel(VEvent* e) override;
  void Init() override;
  /// Cancels its timer.
  ~VSpinBox() override;

  virtual double getMinimum();
  virtual double getMaximum();
  virtual void setRange(double minimum, double maximum);
  virtual double getStep();
  /// 0 or less: no rounding, and the arrows step by 1.
  virtual void setStep(double newValue);
  virtual int getDecimals();
  /// 0 to 15.
  virtual void setDecimals(int newValue);
  virtual double getValue();
  virtual void setValue(double newValue);
  /// The field's text as shown.
  std::string getText();
  VFont* getFont();
  void print();

  /// The width of the arrows' column.
  static constexpr int kArrowWidth = 14;

 private:
  static void repeat(void* ticket);
  /// Starts the host's timer of the repeat, when a host is reachable.
  void startRepeat(int milliseconds);
  std::string format(double v);
  void change(double v, VEvent* e);
  void stepBy(int steps, VEvent* e);
  void commit(VEvent* e);
  void stopRepeat();
};
