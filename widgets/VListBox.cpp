// VListBox: the rows in view, selection by mouse and keys, type-ahead, the bar and the drawing.
#include "widgets/VListBox.h"

#include <GL/gl.h>

#include <algorithm>
#include <climits>
#include <iostream>
#include <utility>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "widgets/VScrollBar.h"

namespace {

constexpr int kInset = 2;      // the frame: rows start this far in from the box's edges
constexpr int kTextInset = 2;  // the text, from the row's left and top
constexpr int kBarWidth = 16;
constexpr int kWheelRows = 3;
constexpr int kReturn = 13;
constexpr auto kDoublePress = std::chrono::milliseconds(400);

// Latin-1's capitals, A to Z and À to Þ but for ×, are their small letters less 32.
int latin1Lower(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 32 : c;
}

bool printable(int key) { return (key > ' ' && key < 127) || (key >= 0xA0 && key <= 0xFF); }

}  // namespace

VListBox::VListBox(VWidget* owner)
    : VWidget(owner),
      Texts(),
      Starts(),
      Selected(-1),
      TopRow(0),
      Bar(nullptr),
      Font(new VFont()),
      PressedRow(-1),
      PressedAt(),
      onSelect(nullptr),
      onActivate(nullptr) {
  Width = 150;
  Height = 104;  // five rows
  Bar = new VScrollBar(this, orVertical);
  Bar->setLineStep(1);
  Bar->onChange = barChanged;
  VListBox::Init();
  VListBox::layout();
}

VListBox::~VListBox() {
  delete Font;
  Font = nullptr;
}

void VListBox::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
}

bool VListBox::canDrag(VEvent*) { return false; }
bool VListBox::canFocus(VEvent*) { return true; }
bool VListBox::takesTabFocus() { return true; }

bool VListBox::takesKey(int key, bool special) {
  if (!special) {
    return key == kReturn || printable(key);
  }
  switch (key) {
    case skUp: case skDown: case skPageUp: case skPageDown: case skHome: case skEnd:
      return true;
    default:
      return false;
  }
}

// --- geometry -----------------------------------------------------------------------------------

int VListBox::getRowHeight() { return std::max(1, Font->getSize() + 4); }
int VListBox::getVisibleRows() { return std::max(1, (Height - 2 * kInset) / getRowHeight()); }
int VListBox::rowsRight() { return Bar != nullptr && Bar->getVisible() ? Width - 1 - kBarWidth : Width - kInset; }

int VListBox::rowAt(int x, int y) {
  if (x < kInset || x >= rowsRight() || y < kInset || y >= Height - kInset) {
    return -1;
  }
  const long long row = TopRow + static_cast<long long>(y - kInset) / getRowHeight();
  return row < getItemCount() ? static_cast<int>(row) : -1;
}

void VListBox::layout() {
  if (Bar == nullptr) {
    return;
  }
  Bar->setLeft(Width - 1 - kBarWidth);
  Bar->setTop(1);
  Bar->setWidth(kBarWidth);
  Bar->setHeight(std::max(0, Height - 2));
  syncBar();
}

// The scroll bar is a child like any other: a program may free, remove or move it. The list
// forgets a bar that leaves it and goes on without one.
void VListBox::childrenChanged() {
  if (Bar != nullptr && !lists(Bar)) {
    Bar = nullptr;
  }
}

void VListBox::syncBar() {
  const int visible = getVisibleRows();
  const int last = std::max(0, getItemCount() - visible);
  TopRow = std::clamp(TopRow, 0, last);
  if (Bar == nullptr) {
    return;
  }
  Bar->setRange(0, last);
  Bar->setPageSize(visible);
  Bar->setValue(TopRow);
  Bar->setVisible(getItemCount() > visible);
}

void VListBox::barChanged(VWidget* bar, VEvent*) {
  auto* list = dynamic_cast<VListBox*>(bar->getOwner());
  if (list == nullptr || list->Bar != bar) {
    return;  // a bar the program took away and put elsewhere
  }
  list->TopRow = static_cast<VScrollBar*>(bar)->getValue();
  list->redraw();
}

void VListBox::scrollIntoView(int row) {
  if (row < TopRow) {
    setTopRow(row);
  } else if (row >= TopRow + getVisibleRows()) {
    setTopRow(row - getVisibleRows() + 1);
  }
}

// --- input --------------------------------------------------------------------------------------

void VListBox::select(long long row, VEvent* e) {
  if (Starts.empty()) {
    return;
  }
  const int held = static_cast<int>(std::clamp<long long>(row, 0, getItemCount() - 1));
  scrollIntoView(held);
  if (held == Selected) {
    return;
  }
  Selected = held;
  redraw();
  if (onSelect != nullptr) {
    onSelect(this, e);
  }
}

void VListBox::activate(VEvent* e) {
  if (Selected >= 0 && onActivate != nullptr) {
    onActivate(this, e);
  }
}

// From the row after the selected one (the first row when none is), round to the selected one.
int VListBox::nextStartingWith(int key) {
  const long long count = getItemCount();
  const int wanted = latin1Lower(key);
  for (long long i = 1; i <= count; ++i) {
    const auto row = static_cast<std::size_t>((Selected + i + (Selected < 0 ? count : 0)) % count);
    if (lengthOf(row) > 0 && latin1Lower(static_cast<unsigned char>(*textOf(row))) == wanted) {
      return static_cast<int>(row);
    }
  }
  return -1;
}

bool VListBox::processEvent(VEvent* e) {
  const bool none = Selected < 0;
  const long long page = getVisibleRows();
  switch (e->getType()) {
    case etMouseDown: {
      const int row = rowAt(vuna::subClamped(e->getX(), Left), vuna::subClamped(e->getY(), Top));
      if (e->getButton() != mbLeft || row < 0) {
        break;
      }
      const auto at = now();
      const bool second = row == PressedRow && at - PressedAt <= kDoublePress;
      select(row, e);
      PressedRow = second ? -1 : row;
      PressedAt = at;
      if (second) {
        activate(e);
      }
      break;
    }
    case etSpecialKey:
      switch (e->getKey()) {
        case skUp: select(none ? 0 : Selected - 1LL, e); break;
        case skDown: select(none ? 0 : Selected + 1LL, e); break;
        case skPageUp: select(none ? 0 : Selected - page, e); break;
        case skPageDown: select(none ? 0 : Selected + page, e); break;
        case skHome: select(0, e); break;
        case skEnd: select(getItemCount() - 1LL, e); break;
        default: break;
      }
      break;
    case etKeyboard:
      if (e->getKey() == kReturn) {
        activate(e);
      } else if (printable(e->getKey())) {
        const int row = nextStartingWith(e->getKey());
        if (row >= 0) {
          select(row, e);
        }
      }
      break;
    default:
      break;
  }
  return false;
}

bool VListBox::processWheel(VEvent* e) {
  setTopRow(vuna::clampToInt(TopRow - static_cast<long long>(kWheelRows) * e->getWheelY()));
  return true;
}

std::chrono::steady_clock::time_point VListBox::now() { return std::chrono::steady_clock::now(); }

// --- drawing ------------------------------------------------------------------------------------

void VListBox::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  syncBar();  // the font may have changed size since
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  LookAndFeel->fillRect(0.0f, 0.0f, w, h,
                        Enabled ? LookAndFeel->getBevelRaisedColor()
                                : LookAndFeel->getBackGroundColor());
  LookAndFeel->drawBevel(0.0f, 0.0f, w, h, Enabled ? bsDown : bsDisabled);
  const int rowHeight = getRowHeight();
  const int width = rowsRight() - kInset;
  const int bottom = Height - kInset;
  const int count = getItemCount();
  int top = kInset;
  for (int row = TopRow; row < count && top < bottom; ++row, top += rowHeight) {
    drawRow(row, top, width, std::min(rowHeight, bottom - top));
  }
  if (getFocused() && Selected >= TopRow && Selected < TopRow + getVisibleRows()) {
    const float selectedTop = static_cast<float>(kInset + (Selected - TopRow) * rowHeight);
    LookAndFeel->getBevelLoweredColor()->setAsCurrent();
    glBegin(GL_LINE_LOOP);
    LookAndFeel->drawRect(kInset + 0.5f, selectedTop + 0.5f, static_cast<float>(width) - 1.0f,
                          static_cast<float>(rowHeight) - 1.0f);
    glEnd();
  }
}

void VListBox::drawRow(int row, int top, int width, int height) {
  if (row == Selected) {
    LookAndFeel->fillRect(kInset, static_cast<float>(top), static_cast<float>(width),
                          static_cast<float>(height), LookAndFeel->getHighlightColor());
  }
  if (height < getRowHeight()) {
    return;
  }
  const char* text = textOf(static_cast<std::size_t>(row));
  const int length = Font->getLengthForWidth(text, width - 2 * kTextInset);
  Font->drawAtPos(text, kInset + kTextInset, top + kTextInset, length);
}

// --- properties ---------------------------------------------------------------------------------

const char* VListBox::textOf(std::size_t row) const { return Texts.data() + Starts[row]; }

std::size_t VListBox::lengthOf(std::size_t row) const {
  const std::size_t end = row + 1 < Starts.size() ? Starts[row + 1] : Texts.size();
  return end - Starts[row] - 1;
}

void VListBox::addItem(std::string text) {
  Starts.push_back(Texts.size());
  Texts.append(text).push_back('\0');
  syncBar();
  redraw();
}

void VListBox::setItems(std::vector<std::string> items) {
  std::size_t bytes = 0;
  for (const std::string& text : items) {
    bytes += text.size() + 1;
  }
  // Fresh buffers of exactly the size needed: a list refilled smaller gives its memory back.
  std::string texts;
  std::vector<std::size_t> starts;
  texts.reserve(bytes);
  starts.reserve(items.size());
  for (const std::string& text : items) {
    starts.push_back(texts.size());
    texts.append(text).push_back('\0');
  }
  Texts = std::move(texts);
  Starts = std::move(starts);
  Selected = -1;
  TopRow = 0;
  PressedRow = -1;
  syncBar();
  redraw();
}

int VListBox::getItemCount() {
  return static_cast<int>(std::min<std::size_t>(Starts.size(), INT_MAX));
}

std::string VListBox::getItem(int row) {
  if (row < 0 || row >= getItemCount()) {
    return std::string();
  }
  const auto at = static_cast<std::size_t>(row);
  return std::string(textOf(at), lengthOf(at));
}

void VListBox::clear() { setItems({}); }

int VListBox::getSelected() { return Selected; }

void VListBox::setSelected(int row) {
  Selected = row >= 0 && row < getItemCount() ? row : -1;
  PressedRow = -1;
  if (Selected >= 0) {
    scrollIntoView(Selected);
  }
  redraw();
}

int VListBox::getTopRow() { return TopRow; }

void VListBox::setTopRow(int row) {
  const int held = std::clamp(row, 0, std::max(0, getItemCount() - getVisibleRows()));
  if (held != TopRow) {
    TopRow = held;
    if (Bar != nullptr) {
      Bar->setValue(TopRow);
    }
    redraw();
  }
}

VFont* VListBox::getFont() { return Font; }
VScrollBar* VListBox::getScrollBar() { return Bar; }

void VListBox::print() {
  std::cout << "Class : VListBox" << std::endl;
  std::cout << "Items = " << Starts.size() << std::endl;
  std::cout << "Selected = " << Selected << std::endl;
  std::cout << "TopRow = " << TopRow << std::endl;
}
