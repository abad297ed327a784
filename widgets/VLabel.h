// VLabel: static text of one or more lines, aligned in its width.
#pragma once

#include <string>
#include <vector>

#include "../core/VWidget.h"

class VFont;

/// Where each line of a label sits in its width.
enum VAlignment : int { alLeft = 0, alCenter = 1, alRight = 2 };

/// The caption is split into lines at '\n'; each line is the font's size plus 4 pixels high
/// (20 at the default 16-pixel font), its text 2 pixels below the line's top, and placed left,
/// centred (rounded down) or right in the label's width. Text is drawn in the font's colour, in
/// the look and feel's disabled-bevel grey while the label is disabled, and clipped to nothing:
/// a line longer than the width runs over it.
///
/// Size: until the program gives one (setWidth or setHeight from outside), the label sizes
/// itself to its text at every setCaption and font change: the widest line's width in whole
/// pixels by the lines' height. A label takes no input, no focus and no drag.
class VLabel : public VWidget {
 protected:
  std::string Caption;
  VAlignment Alignment;
  bool AutoSize;  ///< sized to the text; off once the program sets a size
  VFont* Font;    ///< owned; a copy of the look and feel's font

 public:
  explicit VLabel(VWidget* owner);
  VLabel(const VLabel&) = delete;
  VLabel& operator=(const VLabel&) = delete;

  void draw(VEvent* e) override;
  void setWidth(int newValue) override;
  void setHeight(int newValue) override;
  bool canDrag(VEvent* e) override;   ///< never
  bool canFocus(VEvent* e) override;  ///< never
  void Init() override;
  ~VLabel() override;

  virtual std::string getCaption();
  virtual void setCaption(std::string newValue);
  virtual VAlignment getAlignment();
  virtual void setAlignment(VAlignment newValue);
  virtual bool getAutoSize();
  /// On: sizes the label to its text at once.
  virtual void setAutoSize(bool newValue);

  /// The label's own font; after changing its size, setCaption (or setAutoSize(true)) sizes a
  /// label that sizes itself.
  VFont* getFont();
  /// The pixel height of one line.
  int getLineHeight();
  /// text split at each '\n' (one empty line for an empty text), as labels and tooltips show it.
  static std::vector<std::string> linesOf(const std::string& text);
  void print();

 private:
  void sizeToText();
  bool Sizing = false;  ///< the label is sizing itself: its setWidth calls are its own
};
