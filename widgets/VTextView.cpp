// VTextView: the lines in view, the limit, following the bottom, selection, keys and the drawing.
#include "widgets/VTextView.h"

#include <GL/gl.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <iostream>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "screen/VScreen.h"
#include "widgets/VScrollBar.h"

namespace {

constexpr int kInset = 2;      // the frame: lines start this far in from the box's edges
constexpr int kTextInset = 2;  // the text, from the line's left and top
constexpr int kBarWidth = 16;
constexpr int kWheelLines = 3;

double advanceOf(VFont* font) { return std::max(0, font->getSize()) * 12.0 / 16.0; }

}  // namespace

VTextView::VTextView(VWidget* owner)
    : VWidget(owner),
      Lines(),
      TopLine(0),
      MaxLines(0),
      Bar(nullptr),
      Font(new VFont()),
      Anchor{0, 0},
      Caret{0, 0},
      Selecting(false),
      SelectRelease(0) {
  Width = 300;
  Height = 104;  // five lines
  Bar = new VScrollBar(this, orVertical);
  Bar->setLineStep(1);
  Bar->onChange = barChanged;
  VTextView::Init();
  VTextView::layout();
}

VTextView::~VTextView() {
  delete Font;
  Font = nullptr;
}

void VTextView::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
}

bool VTextView::canDrag(VEvent*) { return false; }
bool VTextView::canFocus(VEvent*) { return true; }
bool VTextView::takesTabFocus() { return true; }

bool VTextView::takesKey(int key, bool special) {
  if (!special) {
    return key == 1 || key == 3;  // Ctrl+A, Ctrl+C
  }
  switch (key) {
    case skUp: case skDown: case skPageUp: case skPageDown: case skHome: case skEnd:
      return true;
    default:
      return false;
  }
}

// --- geometry -----------------------------------------------------------------------------------

int VTextView::getLineHeight() { return std::max(1, vuna::addClamped(Font->getSize(), 4)); }
int VTextView::getVisibleLines() {
  return std::max(1, vuna::subClamped(Height, 2 * kInset) / getLineHeight());
}
int VTextView::maxTop() { return std::max(0, getLineCount() - getVisibleLines()); }
int VTextView::textRight() {
  return vuna::subClamped(Width, Bar != nullptr && Bar->getVisible() ? 1 + kBarWidth : kInset);
}

int VTextView::shownColumns() {
  const double advance = advanceOf(Font);
  const double room = textRight() - kInset - 2.0 * kTextInset;
  return advance > 0 && room > 0 ? vuna::toIntClamped(std::floor(room / advance)) : 0;
}

int VTextView::lengthOf(int line) const {
  return static_cast<int>(std::min<std::size_t>(Lines[static_cast<std::size_t>(line)].size(),
                                                INT_MAX));
}

VTextView::Spot VTextView::spotAt(int x, int y) {
  if (Lines.empty()) {
    return {0, 0};
  }
  const double row = std::floor((static_cast<double>(y) - kInset) / getLineHeight());
  const int line = static_cast<int>(std::clamp(TopLine + row, 0.0, getLineCount() - 1.0));
  const double advance = advanceOf(Font);
  const double cell =
      advance > 0 ? std::round((static_cast<double>(x) - kInset - kTextInset) / advance) : 0;
  return {line, static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(lengthOf(line))))};
}

void VTextView::layout() {
  if (Bar == nullptr) {
    return;
  }
  Bar->setLeft(vuna::subClamped(Width, 1 + kBarWidth));
  Bar->setTop(1);
  Bar->setWidth(kBarWidth);
  Bar->setHeight(std::max(0, vuna::subClamped(Height, 2)));
  syncBar();
}

// The scroll bar is a child like any other: a program may free, remove or move it. The view
// forgets a bar that leaves it and goes on without one.
void VTextView::childrenChanged() {
  if (Bar != nullptr && !lists(Bar)) {
    Bar = nullptr;
  }
}

void VTextView::syncBar() {
  const int last = maxTop();
  TopLine = std::clamp(TopLine, 0, last);
  if (Bar == nullptr) {
    return;
  }
  Bar->setRange(0, last);
  Bar->setPageSize(getVisibleLines());
  Bar->setValue(TopLine);
  Bar->setVisible(last > 0);
}

void VTextView::barChanged(VWidget* bar, VEvent*) {
  auto* view = dynamic_cast<VTextView*>(bar->getOwner());
  if (view == nullptr || view->Bar != bar) {
    return;  // a bar the program took away and put elsewhere
  }
  view->TopLine = static_cast<VScrollBar*>(bar)->getValue();
  view->redraw();
}

void VTextView::scrollIntoView(int line) {
  if (line < TopLine) {
    setTopLine(line);
  } else if (line >= static_cast<long long>(TopLine) + getVisibleLines()) {
    setTopLine(line - getVisibleLines() + 1);
  }
}

bool VTextView::isAtBottom() { return TopLine >= maxTop(); }

// --- lines --------------------------------------------------------------------------------------

void VTextView::append(const std::string& line) {
  const bool follow = isAtBottom();
  Lines.push_back(line);
  keepLimit(follow);
}

// The oldest lines over the limit go from the front; the lines that stay keep their place in
// view and their selection. A selection end on a dropped line moves to the first line kept.
void VTextView::keepLimit(bool follow) {
  const std::size_t limit = MaxLines > 0 ? static_cast<std::size_t>(MaxLines) : INT_MAX;
  int dropped = 0;
  while (Lines.size() > limit) {
    Lines.pop_front();
    ++dropped;
  }
  if (dropped > 0) {
    TopLine = std::max(0, TopLine - dropped);
    for (Spot* s : {&Anchor, &Caret}) {
      *s = s->line >= dropped ? Spot{s->line - dropped, s->column} : Spot{0, 0};
    }
  }
  if (follow) {
    TopLine = maxTop();
  }
  syncBar();
  redraw();
}

void VTextView::clear() {
  std::deque<std::string>().swap(Lines);  // gives the blocks back
  TopLine = 0;
  Anchor = Caret = {0, 0};
  Selecting = false;
  syncBar();
  redraw();
}

int VTextView::getLineCount() { return static_cast<int>(Lines.size()); }

std::string VTextView::getLine(int line) {
  return line >= 0 && line < getLineCount() ? Lines[static_cast<std::size_t>(line)]
                                            : std::string();
}

int VTextView::getMaxLines() { return MaxLines; }

void VTextView::setMaxLines(int newValue) {
  MaxLines = std::max(0, newValue);
  keepLimit(isAtBottom());
}

int VTextView::getTopLine() { return TopLine; }

void VTextView::setTopLine(int line) {
  const int held = std::clamp(line, 0, maxTop());
  if (held != TopLine) {
    TopLine = held;
    if (Bar != nullptr) {
      Bar->setValue(TopLine);
    }
    redraw();
  }
}

// --- selection ----------------------------------------------------------------------------------

bool VTextView::before(const Spot& a, const Spot& b) {
  return a.line < b.line || (a.line == b.line && a.column < b.column);
}

bool VTextView::hasSelection() const {
  return Anchor.line != Caret.line || Anchor.column != Caret.column;
}

void VTextView::selectAll() {
  if (Lines.empty()) {
    return;
  }
  Anchor = {0, 0};
  Caret = {getLineCount() - 1, lengthOf(getLineCount() - 1)};
  redraw();
}

std::string VTextView::getSelectedText() {
  if (!hasSelection()) {
    return std::string();
  }
  const Spot& from = before(Anchor, Caret) ? Anchor : Caret;
  const Spot& to = before(Anchor, Caret) ? Caret : Anchor;
  std::string text;
  for (int line = from.line; line <= to.line; ++line) {
    const std::string& s = Lines[static_cast<std::size_t>(line)];
    const std::size_t start = line == from.line ? static_cast<std::size_t>(from.column) : 0;
    const std::size_t end = line == to.line ? static_cast<std::size_t>(to.column) : s.size();
    text.append(s, start, end - start);
    if (line < to.line) {
      text.push_back('\n');
    }
  }
  return text;
}

void VTextView::copy() {
  VScreen* screen = VScreen::of(this);
  if (screen != nullptr && hasSelection()) {
    screen->setClipboardText(getSelectedText());
  }
}

// --- input --------------------------------------------------------------------------------------

bool VTextView::processEvent(VEvent* e) {
  const int page = getVisibleLines();
  switch (e->getType()) {
    case etMouseDown:
      if (e->getButton() == mbLeft && !Lines.empty()) {
        Caret = spotAt(vuna::subClamped(e->getX(), Left), vuna::subClamped(e->getY(), Top));
        if ((e->getModifiers() & vmShift) == 0) {
          Anchor = Caret;
        }
        Selecting = true;
        SelectRelease = mouseReleases();
        redraw();
      }
      break;
    case etSpecialKey:
      switch (e->getKey()) {
        case skUp: setTopLine(TopLine - 1); break;
        case skDown: setTopLine(vuna::addClamped(TopLine, 1)); break;
        case skPageUp: setTopLine(TopLine - page); break;
        case skPageDown: setTopLine(vuna::addClamped(TopLine, page)); break;
        case skHome: setTopLine(0); break;
        case skEnd: setTopLine(maxTop()); break;
        default: break;
      }
      break;
    case etKeyboard: {
      const int key = e->getKey();
      const bool ctrl = (e->getModifiers() & vmCtrl) != 0;
      if (key == 1 || (ctrl && (key == 'a' || key == 'A'))) {
        selectAll();
      } else if (key == 3 || (ctrl && (key == 'c' || key == 'C'))) {
        copy();
      }
      break;
    }
    default:
      break;
  }
  return false;
}

bool VTextView::processMouseOwner(VEvent* e) {
  if (!Selecting) {
    return false;
  }
  if (e->getType() == etMouseUp || SelectRelease != mouseReleases()) {
    Selecting = false;
  } else if (e->getType() == etMouseMotion) {
    Caret = spotAt(vuna::subClamped(e->getX(), Left), vuna::subClamped(e->getY(), Top));
    scrollIntoView(Caret.line);
    redraw();
  }
  return false;
}

bool VTextView::processWheel(VEvent* e) {
  setTopLine(vuna::clampToInt(TopLine - static_cast<long long>(kWheelLines) * e->getWheelY()));
  return true;
}

// --- drawing ------------------------------------------------------------------------------------

void VTextView::draw(VEvent*) {
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
  if (getFocused()) {
    LookAndFeel->getHighlightColor()->setAsCurrent();
    glBegin(GL_LINE_LOOP);
    LookAndFeel->drawRect(1.0f, 1.0f, w - 2.0f, h - 2.0f);
    glEnd();
  }
  const int lineHeight = getLineHeight();
  const int columns = shownColumns();
  const int last = static_cast<int>(
      std::min<long long>(getLineCount(), static_cast<long long>(TopLine) + getVisibleLines()));
  for (int line = TopLine, top = kInset; line < last; ++line, top += lineHeight) {
    drawLine(line, top, columns);
  }
}

void VTextView::drawLine(int line, int top, int columns) {
  const double advance = advanceOf(Font);
  const int left = kInset + kTextInset;
  const Spot& from = before(Anchor, Caret) ? Anchor : Caret;
  const Spot& to = before(Anchor, Caret) ? Caret : Anchor;
  if (hasSelection() && line >= from.line && line <= to.line) {
    const auto columnX = [&](int column) {
      return static_cast<float>(left + std::round(std::min(column, columns) * advance));
    };
    const float x0 = columnX(line == from.line ? from.column : 0);
    const float x1 = line < to.line ? static_cast<float>(textRight()) : columnX(to.column);
    if (x1 > x0) {
      LookAndFeel->fillRect(x0, static_cast<float>(top), x1 - x0,
                            static_cast<float>(getLineHeight()), LookAndFeel->getHighlightColor());
    }
  }
  const std::string& text = Lines[static_cast<std::size_t>(line)];
  Font->drawInCells(text.data(), std::min(lengthOf(line), columns), left, top + kTextInset);
}

// --- properties ---------------------------------------------------------------------------------

VFont* VTextView::getFont() { return Font; }
VScrollBar* VTextView::getScrollBar() { return Bar; }

void VTextView::print() {
  std::cout << "Class : VTextView" << std::endl;
  std::cout << "Lines = " << Lines.size() << std::endl;
  std::cout << "TopLine = " << TopLine << std::endl;
  std::cout << "MaxLines = " << MaxLines << std::endl;
}
