// VMenuBar: titles and their places, opening and switching menus, shortcuts and the drawing.
#include "widgets/VMenuBar.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "widgets/VMenu.h"
#include "widgets/VPopupLayer.h"

namespace {

constexpr int kBarHeight = 20;
constexpr int kTitlePadding = 8;  // on each side of a title's caption

}  // namespace

VMenuBar::VMenuBar(VWidget* owner) : VWidget(owner), Current(-1), Font(new VFont()) {
  Height = kBarHeight;
  VMenuBar::Init();
  VMenuBar::layout();
  VPopupLayer::addShortcutOwner(this, &VMenuBar::takeShortcut);
}

VMenuBar::~VMenuBar() {
  VPopupLayer::removeShortcutOwner(this);
  closeMenu();
  for (Title& title : Titles) {
    delete title.Menu;
    title.Menu = nullptr;
  }
  delete Font;
  Font = nullptr;
}

void VMenuBar::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
  fitToOwner();
}

bool VMenuBar::canDrag(VEvent*) { return false; }
bool VMenuBar::canFocus(VEvent*) { return false; }

// Assigned directly: the bar's own placing runs no layout pass and no onResize.
void VMenuBar::fitToOwner() {
  if (Owner == nullptr) {
    return;
  }
  Left = Owner->getClientBorderLeft();
  Top = Owner->getClientBorderTop();
  const long long width = static_cast<long long>(Owner->getWidth()) -
                          Owner->getClientBorderLeft() - Owner->getClientBorderRight();
  Width = std::max(MinWidth, vuna::clampToInt(width));
}

// --- titles -----------------------------------------------------------------------------------

int VMenuBar::addMenu(const std::string& caption, VMenu* menu) {
  if (menu == nullptr || menu->Holder != nullptr) {
    return -1;
  }
  menu->Holder = this;
  Title title;
  title.Caption = caption;
  title.Menu = menu;
  Titles.push_back(title);
  redraw();
  return static_cast<int>(Titles.size()) - 1;
}

int VMenuBar::getMenuCount() { return static_cast<int>(Titles.size()); }

VMenu* VMenuBar::getMenu(int index) {
  return index >= 0 && index < getMenuCount() ? Titles[static_cast<std::size_t>(index)].Menu
                                              : nullptr;
}

std::string VMenuBar::getMenuCaption(int index) {
  return index >= 0 && index < getMenuCount() ? Titles[static_cast<std::size_t>(index)].Caption
                                              : std::string();
}

void VMenuBar::setMenuCaption(int index, const std::string& caption) {
  if (index >= 0 && index < getMenuCount()) {
    Titles[static_cast<std::size_t>(index)].Caption = caption;
    redraw();
  }
}

int VMenuBar::getTitleWidth(int index) {
  if (index < 0 || index >= getMenuCount()) {
    return 0;
  }
  const double text = std::ceil(static_cast<double>(
      Font->getTextWidth(Titles[static_cast<std::size_t>(index)].Caption.c_str())));
  return vuna::toIntClamped(text + 2 * kTitlePadding);
}

int VMenuBar::getTitleLeft(int index) {
  long long left = 0;
  for (int i = 0; i < index && i < getMenuCount(); ++i) {
    left += getTitleWidth(i);
  }
  return vuna::clampToInt(left);
}

int VMenuBar::titleAt(int x) {
  long long left = 0;
  for (int i = 0; i < getMenuCount(); ++i) {
    const long long right = left + getTitleWidth(i);
    if (x >= left && x < right) {
      return i;
    }
    left = right;
  }
  return -1;
}

// --- menus ------------------------------------------------------------------------------------

int VMenuBar::getOpenMenu() { return Current; }

void VMenuBar::openMenu(int index) {
  VPopupLayer* layer = getPopupLayer();
  VMenu* menu = getMenu(index);
  if (layer == nullptr || menu == nullptr || index == Current) {
    return;
  }
  closeMenu();
  menu->openBelow(layer, this, getTitleLeft(index), this);
  Current = layer->isOpen(menu) ? index : -1;
  redraw();
}

void VMenuBar::closeMenu() {
  VMenu* menu = getMenu(Current);
  Current = -1;
  VPopupLayer* layer = getPopupLayer();
  if (menu != nullptr && layer != nullptr) {
    layer->close(menu);
  }
  redraw();
}

void VMenuBar::stepMenu(int direction) {
  const int count = getMenuCount();
  if (Current < 0 || count == 0 || direction == 0) {
    return;
  }
  const int next = ((Current + (direction > 0 ? 1 : -1)) % count + count) % count;
  if (next == Current) {
    return;
  }
  openMenu(next);
  VMenu* menu = getMenu(Current);
  for (int i = 0; menu != nullptr && i < menu->getItemCount(); ++i) {
    if (!menu->isSeparator(i)) {
      menu->setHighlighted(i);
      break;
    }
  }
}

void VMenuBar::popupClosed(VWidget* popup) {
  if (Current >= 0 && popup == getMenu(Current)) {
    Current = -1;
    redraw();
  }
}

// --- input ------------------------------------------------------------------------------------

bool VMenuBar::processEvent(VEvent* e) {
  const VEventType type = e->getType();
  const int x = vuna::subClamped(e->getX(), Left);
  const int title = titleAt(x);
  if (type == etMouseDown && e->getButton() == mbLeft && title >= 0) {
    if (title == Current) {
      closeMenu();
    } else {
      openMenu(title);
    }
  } else if (type == etMouseMotion && Current >= 0 && title >= 0) {
    openMenu(title);
  }
  return false;
}

void VMenuBar::processHover(int x, int y) {
  if (Current >= 0 && y >= 0 && y < Height) {
    const int title = titleAt(x);
    if (title >= 0) {
      openMenu(title);
    }
  }
}

bool VMenuBar::takeShortcut(VWidget* owner, VEvent* key, bool run) {
  for (VWidget* w = owner; w != nullptr; w = w->getOwner()) {
    if (!w->getVisible() || !w->getEnabled()) {
      return false;
    }
  }
  auto* bar = static_cast<VMenuBar*>(owner);
  VPopupLayer* layer = bar->getPopupLayer();
  for (const Title& title : std::vector<Title>(bar->Titles)) {
    if (title.Menu->runShortcut(key, layer, run)) {
      return true;
    }
  }
  return false;
}

// --- drawing ----------------------------------------------------------------------------------

void VMenuBar::draw(VEvent*) {
  fitToOwner();
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  LookAndFeel->fillRect(0.0f, 0.0f, w, h, LookAndFeel->getBackGroundColor());
  LookAndFeel->drawBevel(0.0f, 0.0f, w, h, bsUp);
  if (Current >= 0) {
    LookAndFeel->fillRect(static_cast<float>(getTitleLeft(Current)), 1.0f,
                          static_cast<float>(getTitleWidth(Current)), h - 2.0f,
                          LookAndFeel->getHighlightColor());
  }
  for (int i = 0; i < getMenuCount(); ++i) {
    Font->drawAtPos(Titles[static_cast<std::size_t>(i)].Caption.c_str(),
                    vuna::addClamped(getTitleLeft(i), kTitlePadding), 2, -1);
  }
}

void VMenuBar::print() {
  std::cout << "Class : VMenuBar" << std::endl;
  std::cout << "Menus = " << Titles.size() << std::endl;
  std::cout << "OpenMenu = " << Current << std::endl;
}
