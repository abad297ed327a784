// VRadioButtonGroup: the member list, exclusive selection and the clean break at destruction.
#include "widgets/VRadioButtonGroup.h"

#include <algorithm>
#include <iostream>

#include "widgets/VRadioButton.h"

VRadioButtonGroup::VRadioButtonGroup() = default;

VRadioButtonGroup::~VRadioButtonGroup() {
  // forgetGroup only clears a field, so the list stays untouched while it is walked.
  for (VRadioButton* member : Items) {
    member->forgetGroup(this);
    auto& listedBy = member->ListedBy;
    listedBy.erase(std::remove(listedBy.begin(), listedBy.end(), this), listedBy.end());
  }
  Items.clear();
}

void VRadioButtonGroup::add(VRadioButton* rb) {
  if (rb != nullptr) {
    Items.push_front(rb);
    rb->ListedBy.push_back(this);
  }
}

void VRadioButtonGroup::remove(VRadioButton* rb) {
  if (rb == nullptr) {
    return;
  }
  for (auto it = Items.begin(); it != Items.end();) {
    if (*it != rb) {
      ++it;
      continue;
    }
    for (Walk* walk = Walks; walk != nullptr; walk = walk->Outer) {
      if (walk->Next == it) {
        ++walk->Next;
      }
    }
    it = Items.erase(it);
  }
  auto& listedBy = rb->ListedBy;
  listedBy.erase(std::remove(listedBy.begin(), listedBy.end(), this), listedBy.end());
}

// One pass over the members, each through the virtual setState. An override may move its
// button to another group or destroy a member, which leaves the group: the walk's next entry
// is stepped past any entry that goes, so it never reads a member that left.
void VRadioButtonGroup::setAsSelected(VRadioButton* rb) {
  Walk walk{Items.begin(), Walks};
  Walks = &walk;
  while (walk.Next != Items.end()) {
    VRadioButton* member = *walk.Next;
    ++walk.Next;
    member->setState(member == rb ? cbChecked : cbUnchecked);
  }
  Walks = walk.Outer;
}

void VRadioButtonGroup::print() {
  std::cout << "Class : VRadioButtonGroup" << std::endl;
  std::cout << "Items.size() = " << Items.size() << std::endl;
}
