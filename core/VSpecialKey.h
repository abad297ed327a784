// VSpecialKey: the codes that etSpecialKey events carry for the keys that type no character.
#pragma once

/// The values are GLUT's own special-key codes (GLUT_KEY_F1 ... GLUT_KEY_INSERT), and every host
/// adapter translates its key names into them, so a widget or a program compares
/// VEvent::getKey() of an etSpecialKey event with these names whatever the host, and needs no
/// GLUT header to do so.
enum VSpecialKey : int {
  skF1 = 1,
  skF2 = 2,
  skF3 = 3,
  skF4 = 4,
  skF5 = 5,
  skF6 = 6,
  skF7 = 7,
  skF8 = 8,
  skF9 = 9,
  skF10 = 10,
  skF11 = 11,
  skF12 = 12,
  skLeft = 100,
  skUp = 101,
  skRight = 102,
  skDown = 103,
  skPageUp = 104,
  skPageDown = 105,
  skHome = 106,
  skEnd = 107,
  skInsert = 108
};
