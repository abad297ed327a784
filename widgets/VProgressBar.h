// VProgressBar: how far along a range a value is, as a filled share of a sunken bar.
#pragma once

#include <string>

#include "../core/VRange.h"
#include "../core/VWidget.h"

class VFont;

/// A sunken bevel around the bar, its inside (1 pixel in from each edge) filled with the look
/// and feel's background colour, and from its left a share of that inside filled with the
/// highlight colour: (value - minimum) / (maximum - minimum) of its width, rounded down. With
/// the percentage shown, the share in whole percent ("40%", rounded to nearest) is centred on
/// the bar in the font's colour. A new bar is 100 by 20 and takes no input and no focus.
///
/// The value stays within the range: a value set outside is held at the nearer end, a range set
/// with its ends the wrong way round is taken with them swapped, and a number that is none (NaN,
/// an infinity) is ignored. An empty range (both ends equal) shows an empty bar at 0%.
class VProgressBar : public VWidget {
 protected:
  VRange Range;  ///< 0 to 100 at first; no step
  double Value;
  bool ShowPercentage;
  VFont* Font;  ///< owned; a copy of the look and feel's font

 public:
  explicit VProgressBar(VWidget* owner);
  VProgressBar(const VProgressBar&) = delete;
  VProgressBar& operator=(const VProgressBar&) = delete;

  void draw(VEvent* e) override;
  bool canDrag(VEvent* e) override;   ///< never
  bool canFocus(VEvent* e) override;  ///< never
  void Init() override;
  ~VProgressBar() override;

  virtual double getMinimum();
  virtual double getMaximum();
  virtual void setRange(double minimum, double maximum);
  virtual double getValue();
  virtual void setValue(double newValue);
  virtual bool getShowPercentage();
  virtual void setShowPercentage(bool newValue);

  /// The filled share, 0 to 1.
  double getFraction();
  /// The percentage text, "0%" to "100%".
  std::string getPercentageText();
  VFont* getFont();
  void print();
};
