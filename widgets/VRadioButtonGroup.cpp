// VRadioButtonGroup: the member list, exclusive selection and the clean break at destruction.
#include "widgets/VRadioButtonGroup.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "widgets/VRadioButton.h"

VRadioButtonGroup::VRadioButtonGroup() = default;

VRadioButtonGroup::~VRadioButtonGroup() {
  // forgetGroup only clears a field, so the list stays untouched while it is walked.
  for (VRadioButton* member : Items) {
    member->forgetGroup(this);
  }
  Items.clear();
}

void VRadioButtonGroup::add(VRadioButton* rb) {
  if (rb != nullptr) {
    Items.push_front(rb);
  }
}

void VRadioButtonGroup::remove(VRadioButton* rb) { Items.remove(rb); }

void VRadioButtonGroup::setAsSelected(VRadioButton* rb) {
  // setState is virtual, and an override may move its button to another group (or destroy a
  // member, which leaves the group). So the walk runs over a snapshot and skips every entry
  // that is no longer listed by the time its turn comes.
  const std::vector<VRadioButton*> members(Items.begin(), Items.end());
  for (VRadioButton* member : members) {
    if (std::find(Items.begin(), Items.end(), member) == Items.end()) {
      continue;
    }
    member->setState(member == rb ? cbChecked : cbUnchecked);
  }
}

void VRadioButtonGroup::print() {
  std::cout << "Class : VRadioButtonGroup" << std::endl;
  std::cout << "Items.size() = " << Items.size() << std::endl;
}
