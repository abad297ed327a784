// VTabs: a row of tab headers over one page per tab, the chosen tab's page shown.
#pragma once

#include <string>
#include <vector>

#include "../core/VWidget.h"

class VFont;

/// The headers stand along the top from the left, each as wide as its caption plus 16 pixels
/// and 22 pixels high; below them the pages fill the rest of the widget, one per tab, each an
/// empty widget on which the program builds (its origin at the page's top-left corner). Only
/// the current tab's page is visible. A left press on a header shows its page; with the focus
/// (a press on a header gives it), Ctrl+Tab shows the next page and Ctrl+Shift+Tab the one
/// before, wrapping around.
///
/// onChange runs after the user showed another page; the program's setCurrent runs none. A
/// page the program deletes takes its tab with it.
class VTabs : public VWidget {
 protected:
  std::vector<std::string> Captions;
  std::vector<VWidget*> Pages;  ///< children; the tree owns them
  int Current;                  ///< -1 while there is no tab
  VFont* Font;                  ///< owned; a copy of the look and feel's font

 public:
  static constexpr int kHeaderHeight = 22;
  static constexpr int kHeaderPadding = 16;  ///< a header's width beyond its caption

  VEventHandler onChange;

  explicit VTabs(VWidget* owner);
  VTabs(const VTabs&) = delete;
  VTabs& operator=(const VTabs&) = delete;

  void remove(VWidget* child) override;
  void draw(VEvent* e) override;
  /// Sizes every page to the area below the headers.
  void layout() override;
  bool canDrag(VEvent* e) override;   ///< never
  bool processEvent(VEvent* e) override;
  bool canFocus(VEvent* e) override;  ///< a press on the headers' row
  bool takesTabFocus() override;  ///< true: Tab stops here
  bool takesKey(int key, bool special) override;  ///< Tab (with Ctrl)
  void Init() override;
  ~VTabs() override;

  /// A new tab at the end, with its page (shown when it is the first).
  virtual VWidget* addPage(std::string caption);
  virtual int getPageCount();
  /// Null for a page that is not there.
  virtual VWidget* getPage(int index);
  /// "" for a tab that is not there.
  virtual std::string getCaption(int index);
  virtual int getCurrent();
  /// Shows the page of that tab; an index that is no tab's changes nothing.
  virtual void setCurrent(int index);
  /// The tab whose header is at (x, y) in the widget's own pixels, -1 for none.
  int headerAt(int x, int y);
  VFont* getFont();

 private:
  int headerWidth(int index);
  void show(int index, VEvent* e);
};
