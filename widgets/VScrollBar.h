// VScrollBar: where a page-sized view stands in a longer extent, moved by arrows and a thumb.
#pragma once

#include "../core/VWidget.h"

/// Which way a scroll bar runs; chosen when it is made.
enum VOrientation : int { orHorizontal = 0, orVertical = 1 };

/// The value is the first visible position (a row, a pixel) of something longer than its view:
/// from Minimum to Maximum, the largest first position that still fills a page. PageSize is
/// how much one view shows and LineStep what an arrow moves; all are whole numbers.
///
/// Look, along the bar: an arrow at each end, a square as thick as the bar (16 pixels at
/// first), and between them the track, on which the thumb stands for the visible share: its
/// length is track x page / (maximum - minimum + page), at least 10 pixels (never more than
/// the track), and its start moves from the track's start (the minimum) to where its end meets
/// the track's end (the maximum).
///
/// Mouse (left button): a press on an arrow steps one line back or forth; held, it steps again
/// after 400 ms and then every 80 ms on the host's timers (without a host, once per press),
/// until any button is released. A press on the track pages one page toward the press. A press
/// on the thumb drags it from where it was taken; the drag follows the pointer wherever it goes
/// until the release. Each wheel step moves three lines: up (and left) back, down (and right)
/// forth. A scroll bar takes no focus and no keys: the widget it scrolls takes those.
///
/// onChange runs after every change of the value by the user, with the event that made it
/// (null for a step of a held arrow's repeat); the program's setValue, setRange and
/// setPageSize hold the value in the range and run none. A maximum below the minimum is taken
/// as the minimum (nothing to scroll); a page or a line below 1 is taken as 1.
class VScrollBar : public VWidget {
 protected:
  VOrientation Orientation;
  int Minimum;   ///< 0 at first
  int Maximum;   ///< 100 at first
  int PageSize;  ///< 10 at first
  int LineStep;  ///< 1 at first
  int Value;
  int Held;                   ///< -1 the back arrow is held, +1 the forth arrow, 0 neither
  int RepeatTimer;            ///< the host's timer of the repeat, 0 for none
  bool Grabbed;               ///< a drag of the thumb runs
  int GrabOffset;             ///< pointer minus thumb start, along the bar, when it was taken
  unsigned long GrabRelease;  ///< mouseReleases() at the press on an arrow or the thumb

 public:
  VEventHandler onChange;

  explicit VScrollBar(VWidget* owner, VOrientation orientation = orVertical);
  VScrollBar(const VScrollBar&) = delete;
  VScrollBar& operator=(const VScrollBar&) = delete;

  /// The track, the arrows (sunk while held) and the thumb.
  void draw(VEvent* e) override;
  bool canDrag(VEvent* e) override;   ///< never: the thumb moves, not the bar
  bool canFocus(VEvent* e) override;  ///< never
  bool processEvent(VEvent* e) override;
  /// Follows the pointer while the thumb is grabbed, and ends an arrow's repeat at a release.
  bool processMouseOwner(VEvent* e) override;
  /// Takes every step: three lines each.
  bool processWheel(VEvent* e) override;
  /// Cancels its timer.
  ~VScrollBar() override;

  virtual VOrientation getOrientation();
  virtual int getMinimum();
  virtual int getMaximum();
  virtual void setRange(int minimum, int maximum);
  virtual int getPageSize();
  virtual void setPageSize(int newValue);
  virtual int getLineStep();
  virtual void setLineStep(int newValue);
  virtual int getValue();
  virtual void setValue(int newValue);

  /// The arrows' side: the bar's thickness.
  int getArrowSize();
  /// The thumb's start and length along the bar, in the bar's pixels from its top (vertical)
  /// or left (horizontal) edge.
  int getThumbStart();
  int getThumbLength();
  void print();

 private:
  static void repeat(void* self);
  int lengthAlong();
  int trackLength();
  int valueAt(int thumbStart);
  /// Holds v in the range, stores it and runs onChange when it changed.
  void change(long long v, VEvent* e);
  void stopRepeat();
};
