// VCheckBox: a two-state control, a 16 by 16 box image with a caption to its right.
#pragma once

#include <string>

#include "../core/VWidget.h"

class VFont;

/// The state of check boxes and radio buttons. Checked is 0, unchecked is 1.
enum VCheckBoxState : int { cbChecked = 0, cbUnchecked = 1 };

/// Every mouse press inside the enabled box, with any button, flips State; the release, the
/// click and every key change nothing, and there is no pressed look. onChange runs right after
/// the flip (the program's setState runs none); onMouseDown and onClick run after it too and see
/// the new state.
///
/// Geometry: the caption starts BoxSize + 2 pixels from the left edge and is centred vertically
/// on a box BoxSize high, while the image itself is always drawn 16 by 16 at the origin. After
/// setCaption the width is exactly BoxSize + 2 + the caption's width in whole pixels; after
/// layout the height is at least BoxSize. A new box is 20 by 16.
class VCheckBox : public VWidget {
 protected:
  VCheckBoxState State;
  int BoxSize;  ///< pixels; moves the caption at once, the height at the next layout
  std::string Caption;
  VFont* Font;  ///< owned; a copy of the look and feel's font

 public:
  /// After a press flipped the state; null for none.
  VEventHandler onChange = nullptr;

  explicit VCheckBox(VWidget* owner);
  VCheckBox(const VCheckBox&) = delete;
  VCheckBox& operator=(const VCheckBox&) = delete;

  /// The box image for State, then the caption; the caption's translation and scaling stay in
  /// force for the rest of this widget's pass (onCustomDraw and children). Focus is not drawn.
  void draw(VEvent* e) override;
  /// Raises Height to BoxSize by direct assignment (no onResize); never lowers it.
  void layout() override;
  bool canDrag(VEvent* e) override;  ///< never dragged
  /// The toggle on etMouseDown; answers false.
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;  ///< nothing, false
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;  ///< true: a press focuses the box, which then ignores keys
  bool takesTabFocus() override;  ///< true: Tab stops here
  /// Space and Enter toggle the box as a press does (onChange runs).
  bool processNavigationKey(VEvent* e) override;
  /// Copies the look and feel's font into Font.
  void Init() override;
  void CleanUp() override;
  ~VCheckBox() override;

  /// Plain read and store: no handler runs, nothing else changes.
  virtual VCheckBoxState getState();
  virtual void setState(VCheckBoxState newValue);
  virtual int getBoxSize();
  virtual void setBoxSize(int newValue);
  virtual std::string getCaption();
  /// Stores the caption and sizes the width to it through the virtual setWidth (MinWidth applies;
  /// layout and onResize run when the width really changes).
  virtual void setCaption(std::string newValue);

  /// The box's own font: a new size changes the drawing at once and the width at the next
  /// setCaption.
  VFont* getFont();
  void print();

 protected:
  /// Steps shared with the radio button, which differs only in the image: moves the origin to
  /// the caption's top-left corner and draws the caption there, leaving the matrix moved.
  void drawCaption();
  /// What a press does: the other state, then onChange.
  void toggle(VEvent* e);
};
