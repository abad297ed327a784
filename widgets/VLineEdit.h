// VLineEdit: one line of text the user edits: a caret, a selection, the clipboard and undo.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

#include "../core/VWidget.h"

class VFont;
class VScreen;

/// Text is Latin-1 bytes: 32 to 126 and 160 to 255 are characters (the font sheet draws 32 to
/// 127; the others keep an empty cell of their own, so the caret and the selection stay where
/// the widths say). Positions count characters: the caret stands before character Caret (0 to
/// the length) and the selection runs between it and the anchor.
///
/// Keys, with the focus: Left, Right, Home and End move the caret (Ctrl+Left and Ctrl+Right by
/// word: to the start of the word before, to the start of the next one), with Shift they move
/// it and keep the anchor, growing the selection; without Shift, Left and Right end a
/// selection at its start or end. A typed character replaces the selection; Backspace and
/// Delete take the selection or one character. Ctrl+A selects all, Ctrl+C copies, Ctrl+X cuts,
/// Ctrl+V pastes (through the screen's clipboard: the host's, or the screen's own without
/// one; line breaks and control bytes dropped, cut to what the maximum length leaves room
/// for), Ctrl+Z undoes and Ctrl+Y (or Ctrl+Shift+Z) redoes. Enter runs onEnter. Ctrl+letter
/// comes as GLUT gives it (codes 1 to 26) or as the letter with vmCtrl held.
///
/// Undo: each step keeps the text, caret and anchor before it, a hundred steps at most (the
/// oldest go). Characters typed one after the other are one step; a caret move (keys or a
/// press), a deletion, a cut, a paste, an undo or a redo ends the run. A new change clears
/// what could be redone.
///
/// Mouse: a left press puts the caret under the pointer (with Shift it grows the selection);
/// dragging selects, wherever the pointer goes until the release (outside the field the text
/// scrolls toward it); a second press within 400 ms at the same place selects the word there
/// (a run of letters and digits, or of the other characters between them).
///
/// Look: the face of a text field (VLookAndFeel::drawTextField, sunken, a ring while
/// focused), the text 3 pixels in and centred in the height, the selection filled in the
/// highlight colour, and while focused and enabled a caret of 1 pixel in the font's colour,
/// blinking every 500 ms. Only whole characters are drawn: as many as fit in the width less 6
/// pixels (12 at the default 150 by 20 and 16-pixel font); the text scrolls sideways, by whole
/// characters, to keep the caret in view, and never leaves room after its end while it is
/// scrolled. So nothing is drawn outside the field without any clipping. Password mode shows
/// one '*' per character, copies and cuts nothing and moves by word to the ends.
///
/// The caret's blink runs on the host's timers, and a timer is pending only while the field
/// has the focus, is enabled and is drawn: focus that moves away is settled at the next frame
/// (every focus change asks for one), a field not drawn since the last blink (hidden, or in a
/// hidden page) lets the timer run out, and the field cancels its timer when it goes, even
/// when it was taken out of the tree first. Without a host: no blink, a caret that stays.
///
/// onChange runs after every change of the text by the user (typing, deleting, cutting,
/// pasting, undoing, redoing, and the edit operations below, which act as the user's: a
/// program's Edit menu calls them), with the event that made it (null for a program's call).
/// The program's setText, setMaxLength and setPasswordMode run none, and setText starts a
/// new history.
class VLineEdit : public VWidget {
 protected:
  std::string Text;
  int Caret;      ///< where typing goes, 0 to the length
  int Anchor;     ///< the selection's other end (Caret when nothing is selected)
  int FirstShown; ///< the first character in view
  int MaxLength;  ///< 0 for none
  bool PasswordMode;
  VFont* Font;    ///< owned; a copy of the look and feel's font

 public:
  VEventHandler onChange;
  VEventHandler onEnter;

  explicit VLineEdit(VWidget* owner);
  VLineEdit(const VLineEdit&) = delete;
  VLineEdit& operator=(const VLineEdit&) = delete;

  void draw(VEvent* e) override;
  /// Keeps the caret in view for the new width.
  void layout() override;
  bool canDrag(VEvent* e) override;   ///< never
  bool canFocus(VEvent* e) override;  ///< true
  bool takesTabFocus() override;  ///< true: Tab stops here
  bool processEvent(VEvent* e) override;
  /// Follows the pointer while a drag selects, inside the field or not.
  bool processMouseOwner(VEvent* e) override;
  bool takesText() override;  ///< true
  bool takesKey(int key, bool special) override;
  void Init() override;
  /// Cancels its timer.
  ~VLineEdit() override;

  virtual std::string getText();
  /// Control bytes dropped and cut to the maximum length, as a paste is; the caret goes to the
  /// end, nothing is selected, and the undo history starts again. Runs no handler.
  virtual void setText(const std::string& newValue);
  virtual int getMaxLength();
  /// 0 (or less) for none; a text that is longer is cut, and the history starts again.
  virtual void setMaxLength(int newValue);
  virtual bool getPasswordMode();
  virtual void setPasswordMode(bool newValue);
  virtual int getCaretPos();
  /// Held in 0 to the length; nothing is selected after it.
  virtual void setCaretPos(int newValue);
  /// The selection's two ends as given, held in the text: anchor stays, the caret goes to
  /// caret. The same value for both selects nothing.
  virtual void setSelection(int anchor, int caret);
  virtual int getSelectionStart();  ///< the smaller end
  virtual int getSelectionEnd();
  virtual std::string getSelectedText();
  /// The first character in view.
  virtual int getFirstShown();

  /// The edit operations, as the keys make them; each runs onChange when it changed the text.
  virtual void selectAll();
  virtual void copy();
  virtual void cut();
  virtual void paste();
  virtual void undo();
  virtual void redo();
  bool canUndo() const;
  bool canRedo() const;

  /// How many whole characters the field shows at once.
  int getShownColumns();
  /// The character boundary nearest to x, in the field's own pixels (0 at its left edge).
  int positionAt(int x);
  /// The left edge of the cell of position pos, in the field's own pixels (may be outside).
  int xOfPosition(int pos);
  /// Is the caret drawn now (it blinks while focused)?
  bool isCaretShown() const;
  VFont* getFont();
  /// The fields; in password mode the text as shown, one '*' a character.
  void print();

 protected:
  /// The clock of the double press.
  virtual std::chrono::steady_clock::time_point now();

 private:
  struct Step {
    std::string text;
    int caret;
    int anchor;
  };
  VEvent* Handling;  ///< the event processEvent handles, null outside it
  std::deque<Step> UndoSteps;
  std::deque<Step> RedoSteps;
  bool Typing;            ///< the last change was typing: the next character joins its step
  bool Selecting;         ///< a left press began a drag that selects
  unsigned long SelectRelease;  ///< mouseReleases() at that press
  int PressedAt;          ///< the position of the last press, -1 after a double press
  std::chrono::steady_clock::time_point PressedTime;
  bool CaretShown;
  bool DrawnSinceBlink;   ///< a frame drew the field since the last blink
  int BlinkTimer;         ///< the host's timer, 0 for none
  std::uintptr_t BlinkTicket;  ///< what that timer carries to find this field, 0 for none
  VScreen* BlinkScreen;   ///< the screen the timer was started through

  std::string shownText();
  void scrollToCaret();
  /// Caret to pos; with extend the anchor stays, otherwise it follows. Ends a typing run.
  void moveCaret(int pos, bool extend);
  int wordLeft(int pos);
  int wordRight(int pos);
  void selectWordAt(int pos);
  /// Replaces the characters from start to end with text (already cleaned), cut to the room
  /// the maximum length leaves; one undo step unless typing goes on a run. False when nothing
  /// changed.
  bool replaceRange(int start, int end, std::string text, bool typing);
  bool replaceSelection(std::string text, bool typing);
  void remember();
  void restore(Step& step);
  /// Keeps the caret in view, shows it, and runs onChange with the event being handled.
  void changed();
  void keyTyped(VEvent* e);
  void specialKey(VEvent* e);
  /// The editing command of a Ctrl+letter key ('a' to 'z'), 0 for another key.
  static int controlLetter(VEvent* e);

  bool wantsBlink();
  void startBlink();
  void stopBlink();
  /// The caret shows at once and the blink begins a full period anew.
  void showCaret();
  static void blink(void* ticket);
};
