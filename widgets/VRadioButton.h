// VRadioButton: a check box drawn with the radio image that selects itself through its group.
#pragma once

#include <vector>

#include "VCheckBox.h"

class VRadioButtonGroup;

/// A press (any button) inside a button that belongs to a group makes it the group's only
/// checked member; pressing it again keeps it checked. Outside a group a press toggles it like a
/// check box. Joining or leaving a group never changes State.
///
/// Membership goes through setRadioButtonGroup, which keeps the button listed exactly once in
/// the group it names. Nothing dangles: a destroyed button leaves every group that lists it
/// (also one that listed it through the group's own add), and a group that is destroyed first
/// clears the links of its members.
class VRadioButton : public VCheckBox {
  friend class VRadioButtonGroup;

 protected:
  VRadioButtonGroup* RadioButtonGroup;  ///< not owned

 public:
  explicit VRadioButton(VWidget* owner);
  VRadioButton(const VRadioButton&) = delete;
  VRadioButton& operator=(const VRadioButton&) = delete;

  /// The check box's drawing with the radio image.
  void draw(VEvent* e) override;
  void layout() override;
  bool canDrag(VEvent* e) override;  ///< never dragged
  /// The selection rule on etMouseDown; answers true for etMouseDown, false otherwise.
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;  ///< nothing, false
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;  ///< true
  /// Space and Enter select the button as a press does; Up and Left, Down and Right select
  /// the group's previous or next enabled, visible member in the order of their places (top
  /// to bottom, then left to right), without wrapping, and move the focus to it.
  bool processNavigationKey(VEvent* e) override;
  void Init() override;
  void CleanUp() override;
  /// Leaves every group it is listed in.
  ~VRadioButton() override;

  virtual VRadioButtonGroup* getRadioButtonGroup();
  /// Leaves the current group and joins g (null: no group); g equal to the current group
  /// changes nothing.
  virtual void setRadioButtonGroup(VRadioButtonGroup* g);

  void print();

 private:
  /// The groups listing this button, one entry per listing, kept by the groups' add and
  /// remove, so that a dying button leaves each of them.
  std::vector<VRadioButtonGroup*> ListedBy;
  /// Called by a group that is being destroyed: forgets the link without calling back into the
  /// group, whose list is being walked.
  void forgetGroup(VRadioButtonGroup* dying);
  /// What a press does: the group's selection rule, or a check box's toggle outside a group.
  void choose(VEvent* e);
};
