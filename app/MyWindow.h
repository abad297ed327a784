// MyWindow: the demo window with a text field, a check box, two radio buttons and three buttons.
#pragma once

#include "widgets/VWindow.h"

class VCheckBox;
class VRadioButtonGroup;
class VTextEdit;
class VToolBar;

// A 400 by 200 window built in this order: the text field "Neu !!!" at (10, 70), 150 wide; the
// check box "Toolbar Breite anpassen" at (10, 95); the group; the radio toolbar (300 wide, top
// 150) with "Item 1" (checked) and "Item 2", both in the group and running myMethod3 on a
// click; the button toolbar (350 wide) with "Fenster" (myMethod1), "Button 2" and "Button 3"
// (myMethod2). The rest of the geometry is the classes' defaults.
//
// The widgets are children like any others and die with the window. The group is not a widget:
// the window owns it and deletes it in its destructor, before the base deletes the children.
// That order is safe either way round: a dying group clears its members' links, and a dying
// radio button leaves its group.
class MyWindow : public VWindow {
 public:
  VToolBar* toolbar;          // "Fenster", "Button 2", "Button 3"
  VTextEdit* textedit;        // copied into the caption of the window that "Fenster" opens
  VCheckBox* toolbarWidth;    // "Toolbar Breite anpassen": nothing reads it
  VRadioButtonGroup* rgroup;  // owned
  VToolBar* radio_toolbar;    // "Item 1", "Item 2"

  explicit MyWindow(VWidget* owner);
  MyWindow(const MyWindow&) = delete;
  MyWindow& operator=(const MyWindow&) = delete;

  void layout() override;  // the window's own layout
  // Forgets a field's widget when it leaves the window (freed, removed or moved by the
  // program): the handlers that read the fields then find null.
  void childrenChanged() override;
  ~MyWindow() override;
};
