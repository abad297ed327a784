// VListBox: rows of text in a sunken box, one of them selected, scrolled by a bar when many.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "../core/VWidget.h"

class VFont;
class VScrollBar;

/// Rows are plain strings (Latin-1 bytes) in one vector, and no row is a widget: drawing and
/// hit-testing look only at the rows in view, so a million rows cost what a hundred do. Each
/// row is the font's size plus 4 pixels high (20 at the default 16-pixel font), the first one
/// 2 pixels below the box's top inside a sunken frame, its text 2 pixels below the row's top
/// and 4 from the left; the selected row is filled in the highlight colour. A text wider than
/// the row is cut at the last whole character; a row cut by the bottom edge shows its fill but
/// not its text. While the rows do not all fit, a vertical scroll bar (16 pixels) stands at
/// the right inside the frame, a line of it a row, a page the rows that fit whole.
///
/// Input. A left press on a row selects it; a second press on the same row within 400 ms
/// activates it (a third starts again). With the focus, Up and Down move the selection one row,
/// Page Up and Page Down the rows that fit whole, Home and End to the first and last row (from
/// no selection, any of them selects the first row, End the last), and the selection is kept
/// in view; Enter activates the selected row; a printable character goes to the next row whose
/// text starts with it, case-insensitively (Latin-1 letters included), wrapping at the end.
/// Each wheel step moves the view three rows.
///
/// onSelect runs after the user changed the selection (a press, a key), onActivate after a
/// double press or Enter on a selected row. The program's calls run neither; setSelected
/// scrolls the row into view. Memory: the rows' texts lie end to end in one buffer, each with a
/// terminating zero, and each row costs one offset more (its text plus 9 bytes on a 64-bit
/// build, once setItems has sized both exactly; addItem grows them as vectors grow).
class VListBox : public VWidget {
 protected:
  std::string Texts;                 ///< every row's bytes, each followed by a zero
  std::vector<std::size_t> Starts;   ///< where each row begins in Texts
  int Selected;  ///< -1 for none
  int TopRow;    ///< the first row in view
  VScrollBar* Bar;  ///< owned as a child; hidden while all rows fit
  VFont* Font;      ///< owned; a copy of the look and feel's font
  int PressedRow;   ///< the row of the last press, -1 after an activation
  std::chrono::steady_clock::time_point PressedAt;

 public:
  VEventHandler onSelect;
  VEventHandler onActivate;

  explicit VListBox(VWidget* owner);
  VListBox(const VListBox&) = delete;
  VListBox& operator=(const VListBox&) = delete;

  /// The frame, the rows in view and, with the focus, a ring around the selected row.
  void draw(VEvent* e) override;
  /// Places the bar and holds the top row in range for the new height.
  void layout() override;
  void childrenChanged() override;  ///< forgets its scroll bar once the program takes it away
  bool canDrag(VEvent* e) override;   ///< never
  bool canFocus(VEvent* e) override;  ///< true
  bool takesTabFocus() override;  ///< true: Tab stops here
  bool processEvent(VEvent* e) override;
  bool takesKey(int key, bool special) override;
  bool processWheel(VEvent* e) override;  ///< takes every step
  void Init() override;
  ~VListBox() override;

  virtual void addItem(std::string text);
  /// Replaces every row; no row is selected and the first is at the top.
  virtual void setItems(std::vector<std::string> items);
  virtual int getItemCount();
  /// "" for a row that is not there.
  virtual std::string getItem(int row);
  virtual void clear();
  virtual int getSelected();
  /// -1 (or any row that is not there) selects none; a row is scrolled into view.
  virtual void setSelected(int row);
  virtual int getTopRow();
  /// Held in 0 to the row count minus the rows that fit whole.
  virtual void setTopRow(int row);

  /// The row under (x, y) in the list's own pixels, -1 for none.
  int rowAt(int x, int y);
  /// The rows that fit whole in the box (at least 1).
  int getVisibleRows();
  int getRowHeight();
  VFont* getFont();
  VScrollBar* getScrollBar();
  void print();

 protected:
  /// Draws one row in view whose top is top pixels below the box's, width wide and height
  /// high (less than a row when the bottom edge cuts it).
  virtual void drawRow(int row, int top, int width, int height);
  /// The clock of the double press.
  virtual std::chrono::steady_clock::time_point now();

 private:
  static void barChanged(VWidget* bar, VEvent* e);
  int rowsRight();
  /// Sets the bar's range and visibility from the rows and the height.
  void syncBar();
  void scrollIntoView(int row);
  /// Selects row (held in the rows), keeps it in view, and runs onSelect when it changed.
  void select(long long row, VEvent* e);
  void activate(VEvent* e);
  int nextStartingWith(int key);
  /// The row's bytes, zero-terminated (a row holding a zero byte draws up to it).
  const char* textOf(std::size_t row) const;
  std::size_t lengthOf(std::size_t row) const;
};
