// VCaptionButton: a push button that draws itself with a centred text caption.
#pragma once

#include <string>

#include "../draw/VFont.h"
#include "VButton.h"

/// Sizing: after every setCaption or layout, Width >= caption width + 10 (5 pixels each side)
/// and the caption is centred; the button grows to fit its caption but never shrinks. The
/// caption width is the font's text width truncated to whole pixels.
class VCaptionButton : public VButton {
 private:
  int CaptionPositionX;  ///< x of the caption's left edge inside the button

 protected:
  std::string Caption;
  VFont* Font;  ///< owned; a copy of the look and feel's font

 public:
  explicit VCaptionButton(VWidget* owner);
  VCaptionButton(const VCaptionButton&) = delete;
  VCaptionButton& operator=(const VCaptionButton&) = delete;

  /// Background, bevel by State, the highlight frame when focused, then the caption cut to the
  /// width, shifted one pixel right and down while pressed.
  void draw(VEvent* e) override;
  void layout() override;  ///< re-centres (and, if needed, widens for) the caption
  bool canDrag(VEvent* e) override;
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;
  bool takesTabFocus() override;  ///< true: Tab stops here
  void Init() override;
  void CleanUp() override;
  ~VCaptionButton() override;

  virtual void updateCaptionPosition();
  virtual std::string getCaption();
  virtual void setCaption(std::string newValue);

  /// The button's own font: a new size moves the caption at the next setCaption or layout and
  /// changes the drawing at once.
  VFont* getFont();
  void print();
};
