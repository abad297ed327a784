// VCounter: the example widget of docs/widgets.md, a number that a click or a key changes.
#pragma once

#include <vuna/core/VWidget.h>

class VFont;

// A box showing a whole number. A left press inside adds one, a right press takes one away;
// while it has the keyboard focus, '+' and '-' do the same. onChange (if set) runs after every
// change. It takes the focus on a press, draws a bevel that sinks while focused, and sizes
// itself to its number whenever the number changes.
//
// It follows the toolkit's construction protocol: the VWidget constructor runs first (and adds
// the new widget to its owner before anything of VCounter exists), then VCounter's own field
// defaults, then VCounter::Init and VCounter::layout, named with the class so that a subclass
// cannot redirect them while this part is being built.
class VCounter : public VWidget {
 public:
  explicit VCounter(VWidget* owner);
  ~VCounter() override;

  void draw(VEvent* e) override;
  void layout() override;
  bool processEvent(VEvent* e) override;
  bool canFocus(VEvent* e) override;
  void Init() override;
  void CleanUp() override;

  virtual int getValue();
  virtual void setValue(int newValue);

  VEventHandler onChange;

 private:
  int Value;
  VFont* Font;  // owned; a copy of the look and feel's font
};
