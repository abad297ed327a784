// VMenu: items and their geometry, highlighting, choosing, submenus, keys and the drawing.
#include "widgets/VMenu.h"

#include <GL/gl.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "widgets/VMenuBar.h"
#include "widgets/VPopupLayer.h"

namespace {

constexpr int kBorder = 2;
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kCheckColumn = 20;   // the check mark's column, left of every caption
constexpr int kShortcutGap = 16;   // between the widest caption and the widest shortcut
constexpr int kArrowColumn = 16;   // the submenu arrow's column, right of every shortcut
constexpr int kEnter = 13;
constexpr int kEscape = 27;

int textWidth(VFont* font, const std::string& text) {
  return vuna::toIntClamped(std::ceil(static_cast<double>(font->getTextWidth(text.c_str()))));
}

}  // namespace

VMenu::VMenu(VWidget* owner)
    : VWidget(owner),
      Highlighted(-1),
      Chosen(-1),
      OpenSubmenu(-1),
      ReleaseChooses(false),
      ParentMenu(nullptr),
      Opener(nullptr),
      Holder(nullptr),
      Font(new VFont()),
      onChoose(nullptr) {
  VMenu::Init();
  VMenu::layout();
}

VMenu::~VMenu() {
  for (Item& item : Items) {
    delete item.Submenu;
    item.Submenu = nullptr;
  }
  delete Font;
  Font = nullptr;
}

void VMenu::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
  measure();
}

bool VMenu::canDrag(VEvent*) { return false; }
bool VMenu::canFocus(VEvent*) { return false; }

void VMenu::setLookAndFeel(VLookAndFeel* newValue) {
  VWidget::setLookAndFeel(newValue);
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  measure();
}

// --- items ------------------------------------------------------------------------------------

// Assigned directly, as a widget sizing itself does: no layout pass and no onResize.
void VMenu::measure() {
  int caption = 0;
  int shortcut = 0;
  long long height = 2 * kBorder;
  for (const Item& item : Items) {
    if (item.Separator) {
      height += kSeparatorHeight;
      continue;
    }
    height += kItemHeight;
    caption = std::max(caption, textWidth(Font, item.Caption));
    shortcut = std::max(shortcut, textWidth(Font, item.Shortcut));
  }
  const long long width = 2LL * kBorder + kCheckColumn + caption +
                          (shortcut > 0 ? kShortcutGap + static_cast<long long>(shortcut) : 0) +
                          kArrowColumn;
  Width = std::max(MinWidth, vuna::clampToInt(width));
  Height = std::max(MinHeight, vuna::clampToInt(height));
  redraw();
}

int VMenu::addItem(const std::string& caption, VEventHandler handler,
                   const std::string& shortcut) {
  Item item;
  item.Caption = caption;
  item.Shortcut = shortcut;
  item.onChoose = handler;
  Items.push_back(item);
  measure();
  return static_cast<int>(Items.size()) - 1;
}

int VMenu::addCheckItem(const std::string& caption, bool checked, VEventHandler handler,
                        const std::string& shortcut) {
  const int index = addItem(caption, handler, shortcut);
  Items[static_cast<std::size_t>(index)].Checkable = true;
  Items[static_cast<std::size_t>(index)].Checked = checked;
  return index;
}

int VMenu::addSeparator() {
  Item item;
  item.Separator = true;
  Items.push_back(item);
  measure();
  return static_cast<int>(Items.size()) - 1;
}

bool VMenu::holds(const VMenu* menu) {
  if (menu == this) {
    return true;
  }
  return std::any_of(Items.begin(), Items.end(), [menu](const Item& item) {
    return item.Submenu != nullptr && item.Submenu->holds(menu);
  });
}

// A menu in its own chain of submenus would open itself without end; one held by two would be
// deleted twice.
int VMenu::addSubmenu(const std::string& caption, VMenu* submenu) {
  if (submenu == nullptr || submenu->Holder != nullptr || submenu->holds(this)) {
    return -1;
  }
  const int index = addItem(caption);
  Items[static_cast<std::size_t>(index)].Submenu = submenu;
  submenu->Holder = this;
  return index;
}

int VMenu::getItemCount() { return static_cast<int>(Items.size()); }

std::string VMenu::getItemCaption(int index) {
  return index >= 0 && index < getItemCount() ? Items[static_cast<std::size_t>(index)].Caption
                                              : std::string();
}

void VMenu::setItemCaption(int index, const std::string& caption) {
  if (index >= 0 && index < getItemCount()) {
    Items[static_cast<std::size_t>(index)].Caption = caption;
    measure();
  }
}

std::string VMenu::getItemShortcut(int index) {
  return index >= 0 && index < getItemCount() ? Items[static_cast<std::size_t>(index)].Shortcut
                                              : std::string();
}

void VMenu::setItemShortcut(int index, const std::string& shortcut) {
  if (index >= 0 && index < getItemCount()) {
    Items[static_cast<std::size_t>(index)].Shortcut = shortcut;
    measure();
  }
}

bool VMenu::getItemChecked(int index) {
  return index >= 0 && index < getItemCount() && Items[static_cast<std::size_t>(index)].Checked;
}

void VMenu::setItemChecked(int index, bool checked) {
  if (index >= 0 && index < getItemCount() && Items[static_cast<std::size_t>(index)].Checkable) {
    Items[static_cast<std::size_t>(index)].Checked = checked;
    redraw();
  }
}

bool VMenu::isSeparator(int index) {
  return index >= 0 && index < getItemCount() && Items[static_cast<std::size_t>(index)].Separator;
}

VMenu* VMenu::getSubmenu(int index) {
  return index >= 0 && index < getItemCount() ? Items[static_cast<std::size_t>(index)].Submenu
                                              : nullptr;
}

int VMenu::getChosen() { return Chosen; }
int VMenu::getHighlighted() { return Highlighted; }

void VMenu::setHighlighted(int index) {
  Highlighted = selectable(index) ? index : -1;
  redraw();
}

VWidget* VMenu::getHolder() { return Holder; }

int VMenu::getItemTop(int index) {
  long long top = kBorder;
  for (int i = 0; i < index && i < getItemCount(); ++i) {
    top += getItemHeight(i);
  }
  return vuna::clampToInt(top);
}

int VMenu::getItemHeight(int index) { return isSeparator(index) ? kSeparatorHeight : kItemHeight; }

int VMenu::itemAt(int x, int y) {
  if (x < kBorder || x >= Width - kBorder || y < kBorder) {
    return -1;
  }
  long long top = kBorder;
  for (int i = 0; i < getItemCount(); ++i) {
    top += getItemHeight(i);
    if (y < top) {
      return i;
    }
  }
  return -1;
}

bool VMenu::selectable(int index) {
  return index >= 0 && index < getItemCount() && !isSeparator(index);
}

int VMenu::nextSelectable(int index, int direction) {
  const int count = getItemCount();
  int at = index < 0 ? (direction > 0 ? -1 : count) : index;
  for (int step = 0; step < count; ++step) {
    at = ((at + direction) % count + count) % count;
    if (selectable(at)) {
      return at;
    }
  }
  return -1;
}

// --- opening and closing ----------------------------------------------------------------------

bool VMenu::isOpen() {
  VPopupLayer* layer = getPopupLayer();
  return layer != nullptr && layer->isOpen(this);
}

void VMenu::prepare(VPopupLayer* layer) {
  if (LookAndFeel == nullptr && layer->getLookAndFeel() != nullptr) {
    setLookAndFeel(layer->getLookAndFeel());
  }
  closeSubmenu();
  Highlighted = -1;
  ReleaseChooses = false;
}

void VMenu::openAt(VPopupLayer* layer, int x, int y, VWidget* opener) {
  if (layer == nullptr) {
    return;
  }
  const bool wasOpen = layer->isOpen(this);
  prepare(layer);
  layer->placeAt(this, x, y);
  if (!wasOpen) {
    ParentMenu = nullptr;
    Opener = opener;
    layer->open(this, opener);
  }
}

void VMenu::openBelow(VPopupLayer* layer, VWidget* anchor, int dx, VWidget* opener) {
  if (layer == nullptr || anchor == nullptr) {
    return;
  }
  prepare(layer);
  layer->placeBelow(this, anchor);
  openAt(layer, vuna::addClamped(Left, dx), Top, opener);
}

// Beside the item: its first item level with the parent's, right of the menu, or left of it
// when the screen has no room on the right.
void VMenu::openSubmenu(int index, bool highlightFirst) {
  VPopupLayer* layer = getPopupLayer();
  VMenu* submenu = getSubmenu(index);
  if (layer == nullptr || submenu == nullptr) {
    return;
  }
  if (OpenSubmenu != index) {
    closeSubmenu();
    submenu->prepare(layer);
    const int screenWidth = layer->getOwner() != nullptr ? layer->getOwner()->getWidth() : 0;
    int x = vuna::addClamped(Left, Width);
    if (static_cast<long long>(x) + submenu->getWidth() > screenWidth) {
      x = vuna::subClamped(Left, submenu->getWidth());
    }
    submenu->openAt(layer, x, vuna::addClamped(Top, getItemTop(index) - kBorder), this);
    submenu->ParentMenu = this;
    OpenSubmenu = index;
  }
  Highlighted = index;
  if (highlightFirst) {
    submenu->setHighlighted(submenu->nextSelectable(-1, 1));
  }
  redraw();
}

void VMenu::closeSubmenu() {
  VMenu* submenu = getSubmenu(OpenSubmenu);
  OpenSubmenu = -1;
  VPopupLayer* layer = getPopupLayer();
  if (submenu != nullptr && layer != nullptr) {
    layer->close(submenu);
  }
}

void VMenu::popupClosed(VWidget* popup) {
  if (OpenSubmenu >= 0 && getSubmenu(OpenSubmenu) == popup) {
    OpenSubmenu = -1;
    redraw();
  }
}

void VMenu::hoverItem(int index) {
  if (!selectable(index)) {
    index = -1;
  }
  if (index == Highlighted && (index < 0 || OpenSubmenu == index || getSubmenu(index) == nullptr)) {
    return;
  }
  if (getSubmenu(index) != nullptr) {
    openSubmenu(index, false);
    return;
  }
  closeSubmenu();
  Highlighted = index;
  redraw();
}

// --- choosing ---------------------------------------------------------------------------------

// Every pop-up closes first, so a handler may open another menu; the handlers are read before
// the first runs, as it may change the items.
void VMenu::choose(int index, VEvent* e, VPopupLayer* layer) {
  if (!selectable(index) || getSubmenu(index) != nullptr) {
    return;
  }
  if (layer != nullptr) {
    layer->closeAll();
  }
  Item& item = Items[static_cast<std::size_t>(index)];
  if (item.Checkable) {
    item.Checked = !item.Checked;
  }
  Chosen = index;
  const VEventHandler own = item.onChoose;
  const VEventHandler all = onChoose;
  redraw();
  if (own != nullptr) {
    own(this, e);
  }
  if (all != nullptr) {
    all(this, e);
  }
}

bool VMenu::shortcutMatches(const std::string& text, VEvent* e) {
  if (e == nullptr || text.empty()) {
    return false;
  }
  if (e->getType() == etKeyboard && text.size() == 6) {
    std::string prefix = text.substr(0, 5);
    std::transform(prefix.begin(), prefix.end(), prefix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const int letter = std::toupper(static_cast<unsigned char>(text[5]));
    return prefix == "ctrl+" && letter >= 'A' && letter <= 'Z' && e->getKey() == letter - 'A' + 1;
  }
  if (e->getType() == etSpecialKey && (text[0] == 'F' || text[0] == 'f') && text.size() <= 3 &&
      std::all_of(text.begin() + 1, text.end(), [](unsigned char c) { return std::isdigit(c); }) &&
      text.size() > 1) {
    const int n = std::stoi(text.substr(1));
    return n >= skF1 && n <= skF12 && e->getKey() == n;
  }
  return false;
}

bool VMenu::runShortcut(VEvent* e, VPopupLayer* layer, bool run) {
  for (int i = 0; i < getItemCount(); ++i) {
    const Item& item = Items[static_cast<std::size_t>(i)];
    if (item.Separator) {
      continue;
    }
    if (item.Submenu != nullptr) {
      if (item.Submenu->runShortcut(e, layer, run)) {
        return true;
      }
    } else if (shortcutMatches(item.Shortcut, e)) {
      if (run) {
        choose(i, e, layer);
      }
      return true;
    }
  }
  return false;
}

// --- input ------------------------------------------------------------------------------------

bool VMenu::processEvent(VEvent* e) {
  const VEventType type = e->getType();
  if (type == etKeyboard || type == etSpecialKey) {
    return processKey(e);
  }
  const int index = itemAt(vuna::subClamped(e->getX(), Left), vuna::subClamped(e->getY(), Top));
  switch (type) {
    case etMouseDown:
      ReleaseChooses = true;
      if (getSubmenu(index) != nullptr) {
        openSubmenu(index, false);
      } else {
        choose(index, e, getPopupLayer());
      }
      break;
    case etMouseMotion:
      ReleaseChooses = true;
      hoverItem(index);
      break;
    case etMouseUp:
      if (ReleaseChooses) {
        choose(index, e, getPopupLayer());
      }
      break;
    default:
      break;
  }
  return false;
}

void VMenu::processHover(int x, int y) {
  const int index = itemAt(x, y);
  if (index >= 0) {
    hoverItem(index);
  } else if (OpenSubmenu < 0 && Highlighted >= 0) {
    Highlighted = -1;  // off the menu: the highlight of an open submenu's item stays
    redraw();
  }
}

bool VMenu::stepBar(int direction) {
  VMenu* root = this;
  while (root->ParentMenu != nullptr) {
    root = root->ParentMenu;
  }
  auto* bar = dynamic_cast<VMenuBar*>(root->Opener);
  if (bar == nullptr || !root->isOpen()) {
    return false;
  }
  bar->stepMenu(direction);
  return true;
}

bool VMenu::processKey(VEvent* e) {
  const int key = e->getKey();
  if (e->getType() == etKeyboard) {
    if (key == kEscape) {
      VPopupLayer* layer = getPopupLayer();
      if (layer != nullptr) {
        layer->close(this);
      }
    } else if (key == kEnter) {
      if (getSubmenu(Highlighted) != nullptr) {
        openSubmenu(Highlighted, true);
      } else {
        choose(Highlighted, e, getPopupLayer());
      }
    }
    return true;
  }
  switch (key) {
    case skDown:
    case skUp:
      closeSubmenu();
      Highlighted = nextSelectable(Highlighted, key == skDown ? 1 : -1);
      redraw();
      break;
    case skRight:
      if (getSubmenu(Highlighted) != nullptr) {
        openSubmenu(Highlighted, true);
      } else {
        stepBar(1);
      }
      break;
    case skLeft:
      if (ParentMenu != nullptr) {
        VPopupLayer* layer = getPopupLayer();
        if (layer != nullptr) {
          layer->close(this);
        }
      } else {
        stepBar(-1);
      }
      break;
    default:
      break;
  }
  return true;
}

// --- drawing ----------------------------------------------------------------------------------

void VMenu::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  const float w = static_cast<float>(Width);
  LookAndFeel->fillRect(0.0f, 0.0f, w, static_cast<float>(Height),
                        LookAndFeel->getBackGroundColor());
  LookAndFeel->drawBevel(0.0f, 0.0f, w, static_cast<float>(Height), bsUp);
  const float inner = w - 2 * kBorder;
  float top = kBorder;
  for (int i = 0; i < getItemCount(); ++i) {
    const Item& item = Items[static_cast<std::size_t>(i)];
    const float h = static_cast<float>(getItemHeight(i));
    if (item.Separator) {
      const float y = top + h / 2 - 0.5f;
      glBegin(GL_LINES);
      LookAndFeel->getBevelLoweredColor()->setAsCurrent();
      glVertex2f(kBorder + 2.0f, y);
      glVertex2f(w - kBorder - 2.0f, y);
      LookAndFeel->getBevelRaisedColor()->setAsCurrent();
      glVertex2f(kBorder + 2.0f, y + 1.0f);
      glVertex2f(w - kBorder - 2.0f, y + 1.0f);
      glEnd();
      top += h;
      continue;
    }
    if (i == Highlighted) {
      LookAndFeel->fillRect(kBorder, top, inner, h, LookAndFeel->getHighlightColor());
    }
    const int textTop = static_cast<int>(top) + 2;
    Font->getColor()->setAsCurrent();
    if (item.Checkable && item.Checked) {
      // A tick two pixels thick, in the text's colour.
      for (float dy = 0.0f; dy < 2.0f; dy += 1.0f) {
        glBegin(GL_LINE_STRIP);
        glVertex2f(kBorder + 5.0f, top + 9.0f + dy);
        glVertex2f(kBorder + 9.0f, top + 13.0f + dy);
        glVertex2f(kBorder + 15.0f, top + 5.0f + dy);
        glEnd();
      }
    }
    if (item.Submenu != nullptr) {
      const float x = w - kBorder - kArrowColumn + 5.0f;
      glBegin(GL_TRIANGLES);
      glVertex2f(x, top + 5.0f);
      glVertex2f(x, top + 15.0f);
      glVertex2f(x + 5.0f, top + 10.0f);
      glEnd();
    }
    Font->drawAtPos(item.Caption.c_str(), kBorder + kCheckColumn, textTop, -1);
    if (!item.Shortcut.empty()) {
      const int right = Width - kBorder - kArrowColumn;
      Font->drawAtPos(item.Shortcut.c_str(), right - textWidth(Font, item.Shortcut), textTop, -1);
    }
    top += h;
  }
}

void VMenu::print() {
  std::cout << "Class : VMenu" << std::endl;
  std::cout << "Items = " << Items.size() << std::endl;
  std::cout << "Highlighted = " << Highlighted << std::endl;
  std::cout << "Chosen = " << Chosen << std::endl;
}
