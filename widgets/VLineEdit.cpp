// VLineEdit: caret and selection, editing keys, undo, the clipboard, the blink and the drawing.
#include "widgets/VLineEdit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iostream>
#include <unordered_map>
#include <utility>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "screen/VScreen.h"

namespace {

constexpr int kPad = 3;          // the text, from the field's left and right edges
constexpr int kBlink = 500;      // ms the caret stays on, and off
constexpr int kUndoSteps = 100;
constexpr int kBackspace = 8;
constexpr int kReturn = 13;
constexpr int kDelete = 127;
constexpr auto kDoublePress = std::chrono::milliseconds(400);

// The fields whose blink is due, by the ticket their timer carries: a timer that outlives its
// field (its services replaced while it was pending) finds nothing.
std::unordered_map<std::uintptr_t, VLineEdit*>& dueBlinks() {
  static std::unordered_map<std::uintptr_t, VLineEdit*> due;
  return due;
}
std::uintptr_t lastTicket = 0;

bool isCharacter(int c) { return (c >= 32 && c <= 126) || (c >= 160 && c <= 255); }

// Letters and digits, Latin-1's letters included (but for the signs x and / among them).
bool isWordByte(char byte) {
  const auto c = static_cast<unsigned char>(byte);
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         c == '_' || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

std::string cleaned(const std::string& text) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text) {
    if (isCharacter(static_cast<unsigned char>(c))) {
      kept.push_back(c);
    }
  }
  return kept;
}

int lengthOf(const std::string& s) {
  return static_cast<int>(std::min<std::size_t>(s.size(), INT_MAX));
}

}  // namespace

VLineEdit::VLineEdit(VWidget* owner)
    : VWidget(owner),
      Text(),
      Caret(0),
      Anchor(0),
      FirstShown(0),
      MaxLength(0),
      PasswordMode(false),
      Font(new VFont()),
      onChange(nullptr),
      onEnter(nullptr),
      Handling(nullptr),
      Typing(false),
      Selecting(false),
      SelectRelease(0),
      PressedAt(-1),
      PressedTime(),
      CaretShown(true),
      DrawnSinceBlink(false),
      BlinkTimer(0),
      BlinkTicket(0),
      BlinkScreen(nullptr) {
  Width = 150;
  Height = 20;
  VLineEdit::Init();
  VLineEdit::layout();
}

VLineEdit::~VLineEdit() {
  stopBlink();
  delete Font;
  Font = nullptr;
}

void VLineEdit::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
}

bool VLineEdit::canDrag(VEvent*) { return false; }
bool VLineEdit::canFocus(VEvent*) { return true; }
bool VLineEdit::takesTabFocus() { return true; }
bool VLineEdit::takesText() { return true; }

bool VLineEdit::takesKey(int key, bool special) {
  if (special) {
    return key == skLeft || key == skRight || key == skHome || key == skEnd;
  }
  switch (key) {
    case 1: case 3: case 22: case 24: case 25: case 26:  // Ctrl+A, C, V, X, Y, Z
    case kBackspace: case kReturn: case kDelete:
      return true;
    default:
      return isCharacter(key);
  }
}

// --- geometry -----------------------------------------------------------------------------------

namespace {
double advanceOf(VFont* font) { return std::max(0, font->getSize()) * 12.0 / 16.0; }
}  // namespace

int VLineEdit::getShownColumns() {
  const double advance = advanceOf(Font);
  if (advance <= 0) {
    return 0;
  }
  return std::max(0, vuna::toIntClamped(std::floor((Width - 2.0 * kPad) / advance)));
}

int VLineEdit::xOfPosition(int pos) {
  return vuna::toIntClamped(kPad + std::round((static_cast<double>(pos) - FirstShown) *
                                              advanceOf(Font)));
}

int VLineEdit::positionAt(int x) {
  const double advance = advanceOf(Font);
  const double cells = advance > 0 ? std::round((static_cast<double>(x) - kPad) / advance) : 0;
  return static_cast<int>(std::clamp(FirstShown + cells, 0.0, static_cast<double>(lengthOf(Text))));
}

// The caret in view, and no room after the end while the text is scrolled.
void VLineEdit::scrollToCaret() {
  const int columns = getShownColumns();
  FirstShown = std::min(FirstShown, std::max(0, lengthOf(Text) - columns));
  if (Caret < FirstShown) {
    FirstShown = Caret;
  } else if (Caret > static_cast<long long>(FirstShown) + columns) {
    FirstShown = Caret - columns;
  }
}

void VLineEdit::layout() { scrollToCaret(); }

// --- editing ------------------------------------------------------------------------------------

std::string VLineEdit::shownText() {
  return PasswordMode ? std::string(Text.size(), '*') : Text;
}

void VLineEdit::remember() {
  UndoSteps.push_back({Text, Caret, Anchor});
  if (UndoSteps.size() > static_cast<std::size_t>(kUndoSteps)) {
    UndoSteps.pop_front();
  }
  RedoSteps.clear();
}

// A step kept before a lower maximum length came back cut to it.
void VLineEdit::restore(Step& step) {
  Text = std::move(step.text);
  if (MaxLength > 0 && lengthOf(Text) > MaxLength) {
    Text.resize(static_cast<std::size_t>(MaxLength));
  }
  Caret = std::min(step.caret, lengthOf(Text));
  Anchor = std::min(step.anchor, lengthOf(Text));
}

void VLineEdit::changed() {
  scrollToCaret();
  showCaret();
  redraw();
  if (onChange != nullptr) {
    onChange(this, Handling);
  }
}

void VLineEdit::moveCaret(int pos, bool extend) {
  Typing = false;
  Caret = std::clamp(pos, 0, lengthOf(Text));
  if (!extend) {
    Anchor = Caret;
  }
  scrollToCaret();
  showCaret();
  redraw();
}

bool VLineEdit::replaceSelection(std::string text, bool typing) {
  return replaceRange(getSelectionStart(), getSelectionEnd(), std::move(text), typing);
}

bool VLineEdit::replaceRange(int start, int end, std::string text, bool typing) {
  if (MaxLength > 0) {
    const long long room = static_cast<long long>(MaxLength) - (lengthOf(Text) - (end - start));
    text.resize(static_cast<std::size_t>(std::clamp<long long>(room, 0, lengthOf(text))));
  }
  if (text.empty() && start == end) {
    return false;
  }
  if (!typing || !Typing) {
    remember();
  }
  Typing = typing;
  Text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), text);
  Caret = Anchor = start + lengthOf(text);
  changed();
  return true;
}

// Skips the separators before pos, then the word: the start of the word before.
int VLineEdit::wordLeft(int pos) {
  if (PasswordMode) {
    return 0;
  }
  while (pos > 0 && !isWordByte(Text[static_cast<std::size_t>(pos - 1)])) {
    --pos;
  }
  while (pos > 0 && isWordByte(Text[static_cast<std::size_t>(pos - 1)])) {
    --pos;
  }
  return pos;
}

// Skips the rest of the word at pos, then the separators: the start of the next word.
int VLineEdit::wordRight(int pos) {
  const int length = lengthOf(Text);
  if (PasswordMode) {
    return length;
  }
  while (pos < length && isWordByte(Text[static_cast<std::size_t>(pos)])) {
    ++pos;
  }
  while (pos < length && !isWordByte(Text[static_cast<std::size_t>(pos)])) {
    ++pos;
  }
  return pos;
}

void VLineEdit::selectWordAt(int pos) {
  const int length = lengthOf(Text);
  if (PasswordMode || length == 0) {
    selectAll();
    return;
  }
  const int at = std::min(pos, length - 1);
  const bool word = isWordByte(Text[static_cast<std::size_t>(at)]);
  int start = at;
  int end = at + 1;
  while (start > 0 && isWordByte(Text[static_cast<std::size_t>(start - 1)]) == word) {
    --start;
  }
  while (end < length && isWordByte(Text[static_cast<std::size_t>(end)]) == word) {
    ++end;
  }
  Typing = false;
  Anchor = start;
  Caret = end;
  scrollToCaret();
  showCaret();
  redraw();
}

void VLineEdit::selectAll() {
  Typing = false;
  Anchor = 0;
  Caret = lengthOf(Text);
  scrollToCaret();
  redraw();
}

void VLineEdit::copy() {
  VScreen* screen = VScreen::of(this);
  if (!PasswordMode && Caret != Anchor && screen != nullptr) {
    screen->setClipboardText(getSelectedText());
  }
}

void VLineEdit::cut() {
  if (PasswordMode || Caret == Anchor) {
    return;
  }
  copy();
  replaceSelection(std::string(), false);
}

void VLineEdit::paste() {
  VScreen* screen = VScreen::of(this);
  if (screen != nullptr) {
    replaceSelection(cleaned(screen->getClipboardText()), false);
  }
}

void VLineEdit::undo() {
  if (UndoSteps.empty()) {
    return;
  }
  RedoSteps.push_back({Text, Caret, Anchor});
  restore(UndoSteps.back());
  UndoSteps.pop_back();
  Typing = false;
  changed();
}

void VLineEdit::redo() {
  if (RedoSteps.empty()) {
    return;
  }
  UndoSteps.push_back({Text, Caret, Anchor});
  restore(RedoSteps.back());
  RedoSteps.pop_back();
  Typing = false;
  changed();
}

bool VLineEdit::canUndo() const { return !UndoSteps.empty(); }
bool VLineEdit::canRedo() const { return !RedoSteps.empty(); }

// --- input --------------------------------------------------------------------------------------

int VLineEdit::controlLetter(VEvent* e) {
  const int key = e->getKey();
  if (key >= 1 && key <= 26 && key != kBackspace && key != '\t' && key != kReturn) {
    return 'a' + key - 1;
  }
  const int held = e->getModifiers();
  if ((held & vmCtrl) != 0 && (held & vmAlt) == 0) {
    if (key >= 'a' && key <= 'z') {
      return key;
    }
    if (key >= 'A' && key <= 'Z') {
      return key - 'A' + 'a';
    }
  }
  return 0;
}

void VLineEdit::keyTyped(VEvent* e) {
  const int key = e->getKey();
  switch (controlLetter(e)) {
    case 'a': selectAll(); return;
    case 'c': copy(); return;
    case 'x': cut(); return;
    case 'v': paste(); return;
    case 'z': ((e->getModifiers() & vmShift) != 0) ? redo() : undo(); return;
    case 'y': redo(); return;
    case 0: break;
    default: return;  // another Ctrl+letter: not this field's
  }
  if (key == kReturn) {
    if (onEnter != nullptr) {
      onEnter(this, e);
    }
  } else if (key == kBackspace || key == kDelete) {
    if (Caret != Anchor) {
      replaceSelection(std::string(), false);
    } else if (key == kBackspace && Caret > 0) {
      replaceRange(Caret - 1, Caret, std::string(), false);
    } else if (key == kDelete && Caret < lengthOf(Text)) {
      replaceRange(Caret, Caret + 1, std::string(), false);
    }
  } else if (isCharacter(key) && (e->getModifiers() & (vmCtrl | vmAlt)) != vmCtrl) {
    replaceSelection(std::string(1, static_cast<char>(key)), true);
  }
}

void VLineEdit::specialKey(VEvent* e) {
  const bool shift = (e->getModifiers() & vmShift) != 0;
  const bool ctrl = (e->getModifiers() & vmCtrl) != 0;
  switch (e->getKey()) {
    case skLeft:
      if (ctrl) {
        moveCaret(wordLeft(Caret), shift);
      } else if (!shift && Caret != Anchor) {
        moveCaret(getSelectionStart(), false);
      } else {
        moveCaret(Caret - 1, shift);
      }
      break;
    case skRight:
      if (ctrl) {
        moveCaret(wordRight(Caret), shift);
      } else if (!shift && Caret != Anchor) {
        moveCaret(getSelectionEnd(), false);
      } else {
        moveCaret(Caret + 1, shift);
      }
      break;
    case skHome: moveCaret(0, shift); break;
    case skEnd: moveCaret(lengthOf(Text), shift); break;
    default: break;
  }
}

bool VLineEdit::processEvent(VEvent* e) {
  Handling = e;
  switch (e->getType()) {
    case etMouseDown: {
      if (e->getButton() != mbLeft) {
        break;
      }
      const int pos = positionAt(vuna::subClamped(e->getX(), Left));
      const auto at = now();
      if (pos == PressedAt && at - PressedTime <= kDoublePress) {
        PressedAt = -1;
        Selecting = false;
        selectWordAt(pos);
        break;
      }
      PressedAt = pos;
      PressedTime = at;
      moveCaret(pos, (e->getModifiers() & vmShift) != 0);
      Selecting = true;
      SelectRelease = mouseReleases();
      break;
    }
    case etKeyboard:
      keyTyped(e);
      break;
    case etSpecialKey:
      specialKey(e);
      break;
    default:
      break;
  }
  Handling = nullptr;
  if (wantsBlink() && BlinkTicket == 0) {
    showCaret();
  }
  return false;
}

bool VLineEdit::processMouseOwner(VEvent* e) {
  if (!Selecting) {
    return false;
  }
  if (e->getType() == etMouseUp || SelectRelease != mouseReleases()) {
    Selecting = false;
  } else if (e->getType() == etMouseMotion) {
    const int pos = positionAt(vuna::subClamped(e->getX(), Left));
    if (pos != Caret) {
      moveCaret(pos, true);
    }
  }
  return false;
}

std::chrono::steady_clock::time_point VLineEdit::now() { return std::chrono::steady_clock::now(); }

// --- the caret's blink --------------------------------------------------------------------------

bool VLineEdit::wantsBlink() { return Enabled && Visible && getFocused(); }

void VLineEdit::startBlink() {
  if (BlinkTicket != 0) {
    return;
  }
  VScreen* screen = VScreen::of(this);
  if (screen == nullptr) {
    return;
  }
  const std::uintptr_t ticket = ++lastTicket;
  const int timer = screen->startTimer(kBlink, blink, reinterpret_cast<void*>(ticket));
  if (timer != 0) {
    BlinkTimer = timer;
    BlinkTicket = ticket;
    BlinkScreen = screen;
    dueBlinks()[ticket] = this;
  }
}

// The screen the timer went through cancels it, even when this field has left its tree: timer
// numbers are unique in the process, so one that screen's services no longer know is ignored.
void VLineEdit::stopBlink() {
  if (BlinkTicket != 0) {
    dueBlinks().erase(BlinkTicket);
    BlinkTicket = 0;
  }
  if (BlinkTimer != 0 && VScreen::isAlive(BlinkScreen)) {
    BlinkScreen->cancelTimer(BlinkTimer);
  }
  BlinkTimer = 0;
  BlinkScreen = nullptr;
  CaretShown = true;
}

void VLineEdit::showCaret() {
  stopBlink();
  if (wantsBlink()) {
    DrawnSinceBlink = true;  // a fresh start gets its first blink whatever the frames do
    startBlink();
  }
}

// On the host's loop, between events. Goes on only while the field still wants it and a frame
// has drawn it since the last blink.
void VLineEdit::blink(void* ticket) {
  const auto found = dueBlinks().find(reinterpret_cast<std::uintptr_t>(ticket));
  if (found == dueBlinks().end()) {
    return;
  }
  VLineEdit* field = found->second;
  dueBlinks().erase(found);
  field->BlinkTicket = 0;
  field->BlinkTimer = 0;
  field->BlinkScreen = nullptr;
  if (!field->wantsBlink() || !field->DrawnSinceBlink) {
    field->CaretShown = true;
    field->redraw();
    return;
  }
  field->CaretShown = !field->CaretShown;
  field->DrawnSinceBlink = false;
  field->startBlink();
  field->redraw();
}

bool VLineEdit::isCaretShown() const { return CaretShown; }

// --- drawing ------------------------------------------------------------------------------------

void VLineEdit::draw(VEvent*) {
  DrawnSinceBlink = true;
  if (!wantsBlink()) {
    if (BlinkTicket != 0) {
      stopBlink();  // the focus went elsewhere since the last frame
    }
  } else if (BlinkTicket == 0) {
    showCaret();
  }
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  scrollToCaret();  // the font may have changed size since
  const bool focused = getFocused();
  LookAndFeel->drawTextField(Width, Width, Height, Enabled, focused, Font, "");
  const int size = std::max(0, Font->getSize());
  const int top = vuna::subClamped(Height, size) / 2;
  // FirstShown + shown is at most the length.
  const int shown = std::min(getShownColumns(), lengthOf(Text) - FirstShown);
  const int start = std::max(getSelectionStart(), FirstShown);
  const int end = std::min(getSelectionEnd(), FirstShown + shown);
  if (start < end) {
    const float x0 = static_cast<float>(xOfPosition(start));
    LookAndFeel->fillRect(x0, static_cast<float>(top), static_cast<float>(xOfPosition(end)) - x0,
                          static_cast<float>(size), LookAndFeel->getHighlightColor());
  }
  // Only the columns in view are drawn: a password's stars are made for those alone.
  const std::string stars = PasswordMode ? std::string(static_cast<std::size_t>(shown), '*') : "";
  Font->drawInCells(PasswordMode ? stars.c_str() : Text.c_str() + FirstShown, shown, kPad, top);
  if (focused && Enabled && CaretShown) {
    LookAndFeel->fillRect(static_cast<float>(xOfPosition(Caret)), static_cast<float>(top), 1.0f,
                          static_cast<float>(size), Font->getColor());
  }
}

// --- properties ---------------------------------------------------------------------------------

std::string VLineEdit::getText() { return Text; }

void VLineEdit::setText(const std::string& newValue) {
  Text = cleaned(newValue);
  if (MaxLength > 0 && lengthOf(Text) > MaxLength) {
    Text.resize(static_cast<std::size_t>(MaxLength));
  }
  Caret = Anchor = lengthOf(Text);
  UndoSteps.clear();
  RedoSteps.clear();
  Typing = false;
  scrollToCaret();
  redraw();
}

int VLineEdit::getMaxLength() { return MaxLength; }

void VLineEdit::setMaxLength(int newValue) {
  MaxLength = std::max(0, newValue);
  if (MaxLength > 0 && lengthOf(Text) > MaxLength) {
    setText(Text);
  }
}

bool VLineEdit::getPasswordMode() { return PasswordMode; }

void VLineEdit::setPasswordMode(bool newValue) {
  PasswordMode = newValue;
  redraw();
}

int VLineEdit::getCaretPos() { return Caret; }
void VLineEdit::setCaretPos(int newValue) { setSelection(newValue, newValue); }

void VLineEdit::setSelection(int anchor, int caret) {
  Typing = false;
  Anchor = std::clamp(anchor, 0, lengthOf(Text));
  Caret = std::clamp(caret, 0, lengthOf(Text));
  scrollToCaret();
  redraw();
}

int VLineEdit::getSelectionStart() { return std::min(Caret, Anchor); }
int VLineEdit::getSelectionEnd() { return std::max(Caret, Anchor); }

std::string VLineEdit::getSelectedText() {
  return Text.substr(static_cast<std::size_t>(getSelectionStart()),
                     static_cast<std::size_t>(getSelectionEnd() - getSelectionStart()));
}

int VLineEdit::getFirstShown() { return FirstShown; }
VFont* VLineEdit::getFont() { return Font; }

void VLineEdit::print() {
  std::cout << "Class : VLineEdit" << std::endl;
  std::cout << "Text = " << shownText() << std::endl;
  std::cout << "Caret = " << Caret << std::endl;
  std::cout << "Anchor = " << Anchor << std::endl;
  std::cout << "MaxLength = " << MaxLength << std::endl;
  std::cout << "PasswordMode = " << (PasswordMode ? 1 : 0) << std::endl;
}
