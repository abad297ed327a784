// The scene of vuna-gallery: the toolkit's lists, menus and pages together: a menu bar, a list
// of ten thousand rows, a combo box, tabs with a scroll area, and a context menu on the bare
// screen.
// What the user does is printed on standard output, one line each.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <vuna/vuna.h>

#include "GalleryScene.h"

namespace {

VLabel* label(VWidget* owner, const std::string& caption, int left, int top) {
  auto* l = new VLabel(owner);
  l->setLeft(left);
  l->setTop(top);
  l->setCaption(caption);
  return l;
}

VWindow* window(VScreen* screen, const char* caption, int left, int top) {
  auto* w = new VWindow(screen);
  w->setLeft(left);
  w->setTop(top);
  w->setWidth(300);
  w->setHeight(330);
  w->setCaption(caption);
  return w;
}

void rowSelected(VWidget* w, VEvent*) {
  auto* list = static_cast<VListBox*>(w);
  std::cout << "selected " << list->getItem(list->getSelected()) << std::endl;
}

void rowActivated(VWidget* w, VEvent*) {
  auto* list = static_cast<VListBox*>(w);
  std::cout << "activated " << list->getItem(list->getSelected()) << std::endl;
}

void colourChosen(VWidget* w, VEvent*) {
  std::cout << "combo " << static_cast<VComboBox*>(w)->getChosenText() << std::endl;
}

void tabShown(VWidget* w, VEvent*) {
  auto* tabs = static_cast<VTabs*>(w);
  std::cout << "tab " << tabs->getCaption(tabs->getCurrent()) << std::endl;
}

void buildLists(VScreen* screen) {
  VWindow* lists = window(screen, "Lists", 10, 30);
  auto* list = new VListBox(lists);
  list->setLeft(10);
  list->setTop(35);
  list->setWidth(200);
  list->setHeight(200);
  std::vector<std::string> rows;
  rows.reserve(10000);
  for (int i = 1; i <= 10000; ++i) {
    rows.push_back("Item " + std::to_string(i));
  }
  list->setItems(std::move(rows));
  list->onSelect = rowSelected;
  list->onActivate = rowActivated;

  auto* combo = new VComboBox(lists);
  combo->setLeft(10);
  combo->setTop(250);
  combo->setWidth(150);
  combo->setHeight(20);
  combo->setItems({"Red", "Green", "Blue"});
  combo->setChosen(0);
  combo->onChange = colourChosen;
}

void buildTabs(VScreen* screen) {
  VWindow* pages = window(screen, "Tabs", 320, 30);
  auto* tabs = new VTabs(pages);
  tabs->setLeft(10);
  tabs->setTop(35);
  tabs->setWidth(280);
  tabs->setHeight(280);
  label(tabs->addPage("One"), "Page one", 10, 10);
  auto* area = new VScrollArea(tabs->addPage("Two"));
  area->setLeft(10);
  area->setTop(30);
  area->setWidth(260);
  area->setHeight(150);
  std::string lines;
  for (int i = 1; i <= 50; ++i) {
    lines += (i > 1 ? "\nLine " : "Line ") + std::to_string(i);
  }
  label(area, lines, 0, 0);
  label(tabs->addPage("Three"), "Page three", 10, 10);
  tabs->onChange = tabShown;
}

// Every menu prints its chosen item's path: the menu's own path (its user data) and the
// item's caption, a check item's state after it.
void menuChosen(VWidget* w, VEvent*) {
  auto* menu = static_cast<VMenu*>(w);
  const int item = menu->getChosen();
  std::cout << "menu " << static_cast<const char*>(menu->getUserData())
            << menu->getItemCaption(item);
  if (menu->getItemCaption(item) == "Grid") {
    std::cout << (menu->getItemChecked(item) ? " on" : " off");
  }
  std::cout << std::endl;
}

VScreen* gallery = nullptr;

void lightChosen(VWidget*, VEvent*) { gallery->setTheme(thLight); }
void darkChosen(VWidget*, VEvent*) { gallery->setTheme(thDark); }

void quit(VWidget*, VEvent*) {
  std::cout.flush();
  std::exit(0);
}

VMenu* menu(const char* path) {
  auto* m = new VMenu(nullptr);
  m->setUserData(const_cast<char*>(path));
  m->onChoose = menuChosen;
  return m;
}

VMenu* contextMenu = nullptr;

// A right-button press that reached the bare screen: the context menu at the pointer.
void screenPressed(VWidget* w, VEvent* e) {
  if (e->getButton() == mbRight) {
    static_cast<VScreen*>(w)->popupMenu(contextMenu, e->getX(), e->getY());
  }
}

void buildMenus(VScreen* screen) {
  auto* bar = new VMenuBar(screen);
  VMenu* file = menu("File/");
  file->addItem("New");
  file->addItem("Open...");
  file->addSeparator();
  file->addItem("Quit", quit, "Ctrl+Q");
  bar->addMenu("File", file);

  VMenu* view = menu("View/");
  view->addCheckItem("Grid", false);
  VMenu* theme = menu("View/Theme/");
  theme->addItem("Light", lightChosen);
  theme->addItem("Dark", darkChosen);
  view->addSubmenu("Theme", theme);
  bar->addMenu("View", view);

  VMenu* help = menu("Help/");
  help->addItem("About");
  bar->addMenu("Help", help);

  contextMenu = menu("");
  for (const char* caption : {"Cut", "Copy", "Paste"}) {
    contextMenu->addItem(caption);
  }
  screen->onMouseDown = screenPressed;
}

}  // namespace

void buildGalleryScene(VScreen* screen) {
  gallery = screen;
  buildLists(screen);
  buildTabs(screen);
  buildMenus(screen);
}
