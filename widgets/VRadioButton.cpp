// VRadioButton: selection through the group, group membership, drawing and the dump.
#include "widgets/VRadioButton.h"

#include <iostream>

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
    VCheckBox::processEvent(e);
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
