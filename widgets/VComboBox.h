// VComboBox: the chosen item of a list, which drops down above every window to choose another.
#pragma once

#include <string>
#include <vector>

#include "../core/VWidget.h"

class VFont;
class VListBox;

/// Shows the chosen item in a sunken field with a drop-down arrow in its rightmost 16 pixels.
/// A left press opens the list of items in the screen's pop-up layer, below the box (above it
/// when below there is no room), as wide as the box and up to eight rows high, the chosen item
/// selected. In the open list a press on an item chooses it and closes the list; Up, Down and
/// the other keys of a list box move through it, Enter chooses the selected item, Escape
/// closes it without a change, and so does a press anywhere outside it (that press is used up
/// by the closing). With the focus and the list closed, Up and Down choose the item before or
/// after the chosen one.
///
/// onChange runs after the user chose an item other than the chosen one. The program's
/// setChosen runs none. The list is the box's own; it goes with the box.
class VComboBox : public VWidget {
 protected:
  std::vector<std::string> Items;
  int Chosen;       ///< -1 for none
  VFont* Font;      ///< owned; a copy of the look and feel's font
  VListBox* List;   ///< owned; listed in the pop-up layer while open, nowhere otherwise

 public:
  VEventHandler onChange;

  explicit VComboBox(VWidget* owner);
  VComboBox(const VComboBox&) = delete;
  VComboBox& operator=(const VComboBox&) = delete;

  void draw(VEvent* e) override;
  bool canDrag(VEvent* e) override;  ///< never
  bool processEvent(VEvent* e) override;
  bool canFocus(VEvent* e) override;  ///< true
  bool takesTabFocus() override;  ///< true: Tab stops here
  bool takesKey(int key, bool special) override;  ///< Up and Down
  void popupClosed(VWidget* popup) override;
  void Init() override;
  ~VComboBox() override;

  virtual void addItem(std::string text);
  /// Replaces the items; none is chosen.
  virtual void setItems(std::vector<std::string> items);
  virtual int getItemCount();
  /// "" for an item that is not there.
  virtual std::string getItem(int index);
  virtual int getChosen();
  /// -1, or any index that is not an item's, chooses none.
  virtual void setChosen(int index);
  /// The chosen item's text, "" for none.
  std::string getChosenText();
  bool isOpen();
  /// Opens or closes the list, as a press on the box does.
  void open();
  void close();
  VFont* getFont();

 private:
  static void listPressed(VWidget* list, VEvent* e);
  static void listActivated(VWidget* list, VEvent* e);
  static void listKey(VWidget* list, VEvent* e);
  void choose(int index, VEvent* e);
};
