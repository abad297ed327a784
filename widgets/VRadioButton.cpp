// VRadioButton: selection through the group, group membership, drawing and the dump.
#include "widgets/VRadioButton.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "core/VSpecialKey.h"
#include "draw/VLookAndFeel.h"
#include "widgets/VRadioButtonGroup.h"

VRadioButton::VRadioButton(VWidget* owner) : VCheckBox(owner), RadioButtonGroup(nullptr) {
  VRadioButton::Init();
  VRadioButton::layout();
}

VRadioButton::~VRadioButton() {
  VRadioButton::CleanUp();
  RadioButtonGroup = nullptr;
  while (!ListedBy.empty()) {
    ListedBy.back()->remove(this);  // drops every entry of that group from ListedBy
  }
}

void VRadioButton::Init() { VCheckBox::Init(); }
void VRadioButton::CleanUp() {}
void VRadioButton::layout() { VCheckBox::layout(); }
void VRadioButton::childrenChanged() {}
bool VRadioButton::canDrag(VEvent*) { return false; }
bool VRadioButton::canFocus(VEvent*) { return true; }
bool VRadioButton::processMouseOwner(VEvent*) { return false; }

bool VRadioButton::processEvent(VEvent* e) {
  if (e->getType() != etMouseDown) {
    return false;
  }
  choose(e);
  return true;
}

void VRadioButton::choose(VEvent* e) {
  if (RadioButtonGroup != nullptr) {
    // A member's setState may change the membership or delete the group: the handler runs only
    // when this button is still in the group it was pressed in.
    VRadioButtonGroup* group = RadioButtonGroup;
    const bool wasChecked = State == cbChecked;
    group->setAsSelected(this);
    if (!wasChecked && RadioButtonGroup == group && group->onChange != nullptr) {
      group->onChange(this, e);
    }
  } else {
    toggle(e);
  }
}

bool VRadioButton::processNavigationKey(VEvent* e) {
  const int key = e->getKey();
  if (e->getType() == etKeyboard && (key == ' ' || key == '\r')) {
    choose(e);
    redraw();
    return true;
  }
  if (e->getType() != etSpecialKey || RadioButtonGroup == nullptr) {
    return false;
  }
  int step = 0;
  if (key == skUp || key == skLeft) {
    step = -1;
  } else if (key == skDown || key == skRight) {
    step = 1;
  } else {
    return false;
  }
  // The members a user can reach, in the order of their places on the screen.
  std::vector<VRadioButton*> members;
  for (VRadioButton* rb : RadioButtonGroup->getItems()) {
    if (rb == this || rb->isReachable()) {
      members.push_back(rb);
    }
  }
  std::stable_sort(members.begin(), members.end(), VWidget::readsBefore);
  const auto at = std::find(members.begin(), members.end(), this) - members.begin();
  const auto next = at + step;
  if (next >= 0 && next < static_cast<long>(members.size())) {
    VRadioButton* target = members[static_cast<std::size_t>(next)];
    target->getOwner()->requestFocus(target, target);
    target->choose(e);
    redraw();
  }
  return true;
}

void VRadioButton::draw(VEvent*) {
  if (LookAndFeel != nullptr) {
    LookAndFeel->drawRadioButton(State == cbChecked);
  }
  drawCaption();
}

VRadioButtonGroup* VRadioButton::getRadioButtonGroup() { return RadioButtonGroup; }

void VRadioButton::setRadioButtonGroup(VRadioButtonGroup* g) {
  if (g == RadioButtonGroup) {
    return;
  }
  if (RadioButtonGroup != nullptr) {
    RadioButtonGroup->remove(this);
  }
  RadioButtonGroup = g;
  if (RadioButtonGroup != nullptr) {
    RadioButtonGroup->add(this);
  }
}

void VRadioButton::forgetGroup(VRadioButtonGroup* dying) {
  // A button listed in a group through add alone may name another group, or none.
  if (RadioButtonGroup == dying) {
    RadioButtonGroup = nullptr;
  }
}

void VRadioButton::print() {
  std::cout << "Class : VRadioButton" << std::endl;
  std::cout << "RadioButtonGroup = " << static_cast<const void*>(RadioButtonGroup) << std::endl;
}
