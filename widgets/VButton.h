// VButton: a push button's press state machine, drawn by its owner (or a subclass).
#pragma once

#include "../core/VWidget.h"
#include "../draw/VLookAndFeel.h"

/// Press states (State):
///   before        event reaching the button                       after   effect
///   any           etMouseDown, mbLeft, pointer inside             bsDown  -
///   bsDown        etMouseUp, mbLeft, pointer inside               bsUp    onPress
///   bsUp/Disabled etMouseUp, mbLeft, pointer inside               same    -
///   bsDown        any mouse event with the pointer outside        bsUp    - (cancelled)
///   any           etKeyboard 32 or 13 (button on the focus chain) bsDown  -
///   any           etKeyboardUp 32 or 13                           bsUp    onPress
/// bsDisabled only changes the look; input is blocked by Enabled alone. A cancelled press stays
/// cancelled when the pointer comes back.
class VButton : public VWidget {
 protected:
  VBevelState State;

 public:
  VEventHandler onPress;  ///< called when a press completes, after State is back to bsUp

  explicit VButton(VWidget* owner);

  void draw(VEvent* e) override;  ///< nothing: the owner paints plain buttons (onCustomDraw)
  void layout() override;
  bool canDrag(VEvent* e) override;  ///< never dragged
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;  ///< the cancel rule
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;  ///< true
  void Init() override;
  void CleanUp() override;
  ~VButton() override;
  bool takesKey(int key, bool special) override;  ///< Space and Return, which press it

  virtual VBevelState getState();
  virtual void setState(VBevelState newValue);

  void print();
};
