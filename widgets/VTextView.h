// VTextView: many lines of read-only text, a log that grows at the bottom, scrolled and selected.
#pragma once

#include <deque>
#include <string>

#include "../core/VWidget.h"

class VFont;
class VScreen;
class VScrollBar;

/// Lines are plain strings (Latin-1 bytes, each as appended: a byte without a glyph keeps an
/// empty cell) in a double-ended queue, and no line is a widget: append adds at the back and a
/// limit drops from the front in constant time, and drawing and hit-testing look only at the
/// lines in view, so a log of 100,000 lines costs what its visible lines do.
///
/// Look, as a list box's rows: a sunken box filled like VListBox, each line the font's size
/// plus 4 pixels high (20 at the default 16-pixel font), the first 2 pixels below the top, the
/// text 2 pixels below the line's top and 4 from the box's left; only whole characters are
/// drawn (a line wider than the box is cut at the last one that fits, and does not scroll
/// sideways), and a line cut by the bottom edge is not drawn. The selection is filled in the
/// highlight colour, to the right edge where it runs on to the next line. While focused, a
/// ring in the highlight colour 1 pixel inside the frame. While the lines do not all fit, a
/// vertical scroll bar (16 pixels) stands at the right inside the frame, a line of it a line,
/// a page the lines that fit whole.
///
/// Input. Each wheel step moves the view three lines. A left press takes the focus and starts
/// a selection at the character boundary under the pointer (with Shift it grows the one there
/// is); dragging selects across lines, wherever the pointer goes until the release, and the
/// view scrolls to the line under the pointer when it is above or below the box. With the
/// focus, Up and Down scroll a line, Page Up and Page Down the lines that fit whole, Home and
/// End to the first and last line; Ctrl+A selects everything and Ctrl+C copies the selection
/// to the screen's clipboard, its lines joined with '\n'.
///
/// Following the bottom: when the last line was in view before an append (the view at its
/// end, or all lines fitting), the view moves on to keep the newest line in view; otherwise it
/// stays on the lines the user scrolled to, also while a limit drops older lines above them.
class VTextView : public VWidget {
 protected:
  std::deque<std::string> Lines;
  int TopLine;   ///< the first line in view
  int MaxLines;  ///< 0 for no limit
  VScrollBar* Bar;  ///< owned as a child; hidden while all lines fit
  VFont* Font;      ///< owned; a copy of the look and feel's font

 public:
  explicit VTextView(VWidget* owner);
  VTextView(const VTextView&) = delete;
  VTextView& operator=(const VTextView&) = delete;

  void draw(VEvent* e) override;
  /// Places the bar and holds the top line in range for the new height.
  void layout() override;
  void childrenChanged() override;  ///< forgets its scroll bar once the program takes it away
  bool canDrag(VEvent* e) override;   ///< never
  bool canFocus(VEvent* e) override;  ///< true
  bool takesTabFocus() override;  ///< true: Tab stops here
  bool processEvent(VEvent* e) override;
  /// Follows the pointer while a drag selects, inside the view or not.
  bool processMouseOwner(VEvent* e) override;
  bool takesKey(int key, bool special) override;
  bool processWheel(VEvent* e) override;  ///< takes every step
  void Init() override;
  ~VTextView() override;

  /// Adds a line at the end, in constant time (amortised), then drops the oldest lines over
  /// the limit; keeps the newest line in view when the last one was (see above).
  virtual void append(const std::string& line);
  /// No lines, no selection, the view at the top.
  virtual void clear();
  virtual int getLineCount();
  /// "" for a line that is not there.
  virtual std::string getLine(int line);
  virtual int getMaxLines();
  /// 0 (or less) for none; the oldest lines over a new limit go at once.
  virtual void setMaxLines(int newValue);
  virtual int getTopLine();
  /// Held in 0 to the line count minus the lines that fit whole.
  virtual void setTopLine(int line);

  virtual void selectAll();
  /// The selection to the screen's clipboard; nothing when none is selected.
  virtual void copy();
  /// The selected text, its lines joined with '\n'.
  std::string getSelectedText();
  bool hasSelection() const;
  /// Is the last line in view?
  bool isAtBottom();
  /// The lines that fit whole in the box (at least 1).
  int getVisibleLines();
  int getLineHeight();
  VFont* getFont();
  VScrollBar* getScrollBar();
  void print();

 protected:
  /// Draws one line in view whose top is top pixels below the box's: its selected part and
  /// its first characters, at most columns of them.
  virtual void drawLine(int line, int top, int columns);

 private:
  /// A character boundary: before character column of line.
  struct Spot {
    int line;
    int column;
  };
  Spot Anchor;
  Spot Caret;  ///< the selection's moving end; equal to Anchor when nothing is selected
  bool Selecting;
  unsigned long SelectRelease;  ///< mouseReleases() at the press that began the selection

  static void barChanged(VWidget* bar, VEvent* e);
  int maxTop();
  int textRight();
  int shownColumns();
  void syncBar();
  /// Drops the oldest lines over MaxLines; with follow, the last line in view afterwards.
  void keepLimit(bool follow);
  /// The boundary nearest to (x, y), in the view's own pixels; lines above or below the box
  /// are the ones there would be.
  Spot spotAt(int x, int y);
  void scrollIntoView(int line);
  int lengthOf(int line) const;
  static bool before(const Spot& a, const Spot& b);
};
