// VEvent: the one record that carries an input or draw event from the host down the widget tree.
#pragma once

/// Kinds of event; the values are part of the record and print as numbers.
enum VEventType : int {
  etDraw = 0,         // draw pass over the whole tree
  etMouseDown = 1,    // a mouse button went down
  etMouseUp = 2,      // a mouse button went up
  etMouseMotion = 3,  // the pointer moved while a button is held
  etMouseClick = 4,   // sent right after every etMouseUp, at the same place
  etKeyboard = 5,     // a character key went down
  etKeyboardUp = 6,   // a character key went up
  etSpecialKey = 7,   // a non-character key (arrows, function keys ...) went down
  etMouseWheel = 8    // the wheel turned: getWheelX and getWheelY say how far
};

enum VMouseButton : int { mbLeft = 0, mbCenter = 1, mbRight = 2 };

/// The modifier keys held at an event, as bits (GLUT's, GLFW's and SDL's values alike).
enum VModifier : int { vmShift = 1, vmCtrl = 2, vmAlt = 4 };

/// X and Y are in the space of whichever widget is looking at the event: window pixels when it
/// leaves the screen, rewritten step by step while it travels down the tree and put back after.
/// Key is the character code 0..255 for key events, the GLUT special-key code for etSpecialKey.
/// WheelX and WheelY are the steps of an etMouseWheel: positive to the right and away from the
/// user (up), negative the other ways; other events leave them as they were. Modifiers are the
/// VModifier bits the host last reported held (0 from a host that reports none).
class VEvent {
 protected:
  VEventType Type;
  VMouseButton Button;
  int X;
  int Y;
  int Key;
  int WheelX = 0;
  int WheelY = 0;
  int Modifiers = 0;

 public:
  VEvent();

  virtual VEventType getType();
  virtual void setType(VEventType newValue);
  virtual VMouseButton getButton();
  virtual void setButton(VMouseButton newValue);
  virtual int getX();
  virtual void setX(int newValue);
  virtual int getY();
  virtual void setY(int newValue);
  virtual int getKey();
  virtual void setKey(int newValue);
  virtual ~VEvent();

  int getWheelX() const { return WheelX; }
  void setWheelX(int steps) { WheelX = steps; }
  int getWheelY() const { return WheelY; }
  void setWheelY(int steps) { WheelY = steps; }
  int getModifiers() const { return Modifiers; }
  void setModifiers(int held) { Modifiers = held & (vmShift | vmCtrl | vmAlt); }

  /// Copies the five fields through source's getters and this event's setters, and the wheel's
  /// steps and the modifiers.
  void copyFrom(VEvent* source);
  /// Writes "Class : VEvent" and one "Field = value" line for each of the five fields to
  /// standard output.
  void print();
};
