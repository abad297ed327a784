// VColor: storage, the GL colour and the diagnostic dump.
#include "core/VColor.h"

#include <GL/gl.h>

#include <iostream>

VColor::VColor() : R(1.0f), G(1.0f), B(1.0f), A(1.0f), Revision(0) {}

VColor::~VColor() = default;

float VColor::getR() { return R; }
void VColor::setR(float newValue) {
  R = newValue;
  ++Revision;
}
float VColor::getG() { return G; }
void VColor::setG(float newValue) {
  G = newValue;
  ++Revision;
}
float VColor::getB() { return B; }
void VColor::setB(float newValue) {
  B = newValue;
  ++Revision;
}
float VColor::getA() { return A; }
void VColor::setA(float newValue) {
  A = newValue;
  ++Revision;
}

void VColor::set(float r, float g, float b, float a) {
  R = r;
  G = g;
  B = b;
  A = a;
  ++Revision;
}

unsigned int VColor::getRevision() const { return Revision; }

void VColor::setAsCurrent() { glColor4f(R, G, B, A); }

void VColor::copyFrom(VColor* source) {
  setR(source->getR());
  setG(source->getG());
  setB(source->getB());
  setA(source->getA());
}

void VColor::print() {
  std::cout << "Class : VColor" << std::endl;
  std::cout << "R = " << R << std::endl;
  std::cout << "G = " << G << std::endl;
  std::cout << "B = " << B << std::endl;
  std::cout << "A = " << A << std::endl;
}
