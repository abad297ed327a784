// VRadioButtonGroup: the list of radio buttons among which exactly the pressed one is checked.
#pragma once

#include <list>

#include "../core/VWidget.h"

class VRadioButton;

/// A plain object owned by whoever created it; it never owns its members. Applications manage
/// membership with VRadioButton::setRadioButtonGroup, which calls add and remove itself; add and
/// remove alone change only the list, not the button's link. Destroying the group clears the
/// link of every member that names it; destroying a member takes it out of every group.
class VRadioButtonGroup {
 protected:
  std::list<VRadioButton*> Items;  ///< newest member first

 public:
  /// After a press checked a member that was not checked, with that member; the program's
  /// setAsSelected runs none. Null for none.
  VEventHandler onChange = nullptr;

  VRadioButtonGroup();
  VRadioButtonGroup(const VRadioButtonGroup&) = delete;
  VRadioButtonGroup& operator=(const VRadioButtonGroup&) = delete;
  virtual ~VRadioButtonGroup();

  /// Inserts rb at the front; null is ignored, duplicates are not checked.
  void add(VRadioButton* rb);
  /// Drops every entry equal to rb; a non-member is ignored.
  void remove(VRadioButton* rb);
  /// Walking the members front to back: rb becomes checked, every other member unchecked, each
  /// through the virtual setState. A non-member rb unchecks every member and is not touched
  /// itself. A member that leaves the group from its setState is not visited afterwards.
  void setAsSelected(VRadioButton* rb);
  /// The members, newest first.
  const std::list<VRadioButton*>& getItems() const { return Items; }
  void print();

 private:
  /// setAsSelected walks in progress, innermost first: remove steps them past an entry it
  /// erases, so a member's setState may change the membership.
  struct Walk {
    std::list<VRadioButton*>::iterator Next;
    Walk* Outer;
  };
  Walk* Walks = nullptr;
};
