// ListShape: the list box of frame_list and click_list and the menu bar of open_menu, shared by
// every toolkit's version so that all of them draw and route the same ones.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace bench {

// frame_list and click_list: one window at the top-left corner, titled kListCaption, holding
// one list box of kListWidth by kListHeight at (kListLeft, kListTop) of the window's outer
// corner, with kListRowsFew or kListRowsMany rows "Item 1" to "Item N". The box shows about
// nine rows at the toolkit's own row height; a million rows must cost what a hundred do.
constexpr int kListRowsFew = 100;
constexpr int kListRowsMany = 1000000;
constexpr const char* kListCaption = "List";
constexpr int kListWindowWidth = 230;
constexpr int kListWindowHeight = 250;
constexpr int kListLeft = 10;
constexpr int kListTop = 35;
constexpr int kListWidth = 200;
constexpr int kListHeight = 200;
// click_list presses the fourth row; the case checks that the selection went there.
constexpr int kListTargetRow = 3;

// The rows "Item 1" to "Item count", in order.
inline std::vector<std::string> listRows(int count) {
  std::vector<std::string> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    rows.push_back("Item " + std::to_string(i));
  }
  return rows;
}

// open_menu: a menu bar along the window's top with one title, kMenuTitle, whose menu holds
// kMenuItems in order; the item kMenuSeparator is a separator, and the last item shows the
// shortcut kMenuShortcut. The open menu is closed by a press at kMenuAwayX, kMenuAwayY, a place
// that neither the bar nor the menu covers.
constexpr const char* kMenuTitle = "File";
constexpr std::array<const char*, 4> kMenuItems = {"New", "Open...", "", "Quit"};
constexpr std::size_t kMenuSeparator = 2;
constexpr const char* kMenuShortcut = "Ctrl+Q";
constexpr int kMenuAwayX = 450;
constexpr int kMenuAwayY = 350;

}  // namespace bench
