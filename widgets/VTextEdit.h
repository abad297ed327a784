// VTextEdit: a one-line text field that appends typed characters and drops them with backspace.
#pragma once

#include <string>

#include "../core/VWidget.h"

class VFont;

/// Editing happens at the end of the text only. Every etKeyboard event that reaches the field
/// (it is on the focus chain and enabled) is first dumped to standard output with the event's
/// print, changed or not. Then:
///   key 8 (backspace), text not empty   drops the last character
///   key 32..127                         appends through setText, so only if it fits
///   anything else (0..31, 128..255)     nothing
/// Key-ups, special keys and mouse events change nothing. There is no scrolling, selection or
/// cursor positioning: the cursor bar is always drawn after the last character.
///
/// Fit rule: setText(s) takes s only while Width > text width of s + 6, strictly, compared as
/// floating-point numbers; otherwise it leaves Text as it was, silently. A narrower Width or a
/// bigger font later does not cut the text, it only stops the next character.
class VTextEdit : public VWidget {
 protected:
  int CursorPos;  ///< stored and printed only; neither keys nor drawing use it
  std::string Text;
  VFont* Font;  ///< owned; a copy of the look and feel's font

 public:
  explicit VTextEdit(VWidget* owner);
  VTextEdit(const VTextEdit&) = delete;
  VTextEdit& operator=(const VTextEdit&) = delete;

  /// Fill (highlight while focused and enabled, background otherwise), a sunken bevel (flat
  /// when disabled), the text from (1, 1), and while focused a 2-pixel black bar after the last
  /// glyph. The text's translation and scaling stay in force for the rest of the pass.
  void draw(VEvent* e) override;
  void layout() override;  ///< nothing: the field does not react to resizing
  bool canDrag(VEvent* e) override;  ///< never dragged
  /// The key handling above; answers false.
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;  ///< nothing, false
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;  ///< true
  bool takesTabFocus() override;  ///< true: Tab stops here
  /// Copies the look and feel's font, then makes the field 100 by 20 without setWidth or
  /// setHeight (no layout, no onResize).
  void Init() override;
  void CleanUp() override;
  ~VTextEdit() override;
  bool takesText() override;  ///< true: every character is typed into the field
  /// Backspace and the characters the field appends (32 to 127); not Escape or Return, and no
  /// special key, which the field does not use.
  bool takesKey(int key, bool special) override;

  virtual int getCursorPos();
  virtual void setCursorPos(int newValue);  ///< stored unchecked
  virtual std::string getText();
  /// The fit rule above; nothing reports whether s was taken.
  virtual void setText(std::string newValue);

  /// The field's own font: a new size applies at the next drawing and the next fit test.
  VFont* getFont();
  void print();
};
