// VEvent: plain accessors, copy and the diagnostic dump.
#include "core/VEvent.h"

#include <iostream>

VEvent::VEvent() : Type(etDraw), Button(mbLeft), X(0), Y(0), Key(0) {}

VEvent::~VEvent() = default;

VEventType VEvent::getType() { return Type; }
void VEvent::setType(VEventType newValue) { Type = newValue; }
VMouseButton VEvent::getButton() { return Button; }
void VEvent::setButton(VMouseButton newValue) { Button = newValue; }
int VEvent::getX() { return X; }
void VEvent::setX(int newValue) { X = newValue; }
int VEvent::getY() { return Y; }
void VEvent::setY(int newValue) { Y = newValue; }
int VEvent::getKey() { return Key; }
void VEvent::setKey(int newValue) { Key = newValue; }

void VEvent::copyFrom(VEvent* source) {
  setType(source->getType());
  setButton(source->getButton());
  setX(source->getX());
  setY(source->getY());
  setKey(source->getKey());
  WheelX = source->WheelX;
  WheelY = source->WheelY;
  Modifiers = source->Modifiers;
}

void VEvent::print() {
  std::cout << "Class : VEvent" << std::endl;
  std::cout << "Type = " << static_cast<int>(Type) << std::endl;
  std::cout << "Button = " << static_cast<int>(Button) << std::endl;
  std::cout << "X = " << X << std::endl;
  std::cout << "Y = " << Y << std::endl;
  std::cout << "Key = " << Key << std::endl;
}
