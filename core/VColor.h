// VColor: an RGBA colour of four float channels that can make itself the current GL colour.
#pragma once

/// Channels are stored as given, without clamping (OpenGL clamps when the colour is used).
/// A colour belongs to the object that created it; copies are made with copyFrom, never by
/// sharing the pointer.
class VColor {
 protected:
  float R;
  float G;
  float B;
  float A;
  /// Counts the changes made through set and the setters (copyFrom included).
  unsigned int Revision;

 public:
  VColor();  ///< opaque white

  virtual float getR();
  virtual void setR(float newValue);
  virtual float getG();
  virtual void setG(float newValue);
  virtual float getB();
  virtual void setB(float newValue);
  virtual float getA();
  virtual void setA(float newValue);
  virtual ~VColor();

  void set(float r, float g, float b, float a);
  /// glColor4f with the four channels; no other GL state (blending included) is touched.
  void setAsCurrent();
  /// Copies R, G, B, A through source's getters and this colour's setters.
  void copyFrom(VColor* source);
  void print();
  /// Grows by one at every set, setR, setG, setB and setA, whatever the value: whoever copied
  /// the colour in can tell whether anyone has set it since.
  unsigned int getRevision() const;
};
