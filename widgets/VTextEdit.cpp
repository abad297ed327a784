// VTextEdit: typing and backspace under the fit rule, the focused and disabled looks, the dump.
#include "widgets/VTextEdit.h"

#include <GL/gl.h>

#include <climits>
#include <iostream>
#include <utility>

#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"

namespace {

constexpr char kBackspace = 8;
// Room the frame and the cursor need beside the text.
constexpr double kFitMargin = 6.0;

}  // namespace

VTextEdit::VTextEdit(VWidget* owner)
    : VWidget(owner), CursorPos(0), Text(), Font(new VFont()) {
  VTextEdit::Init();
  VTextEdit::layout();
}

VTextEdit::~VTextEdit() {
  delete Font;
  Font = nullptr;
  VTextEdit::CleanUp();
}

bool VTextEdit::takesText() { return true; }
bool VTextEdit::takesKey(int key, bool special) {
  return !special && (key == kBackspace || (key > 31 && key < 128));
}

void VTextEdit::Init() {
  // Without a look and feel (outside the design) the font keeps its own defaults.
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  Width = 100;
  Height = 20;
}

void VTextEdit::CleanUp() {}
void VTextEdit::layout() {}
void VTextEdit::childrenChanged() {}
bool VTextEdit::canDrag(VEvent*) { return false; }
bool VTextEdit::canFocus(VEvent*) { return true; }
bool VTextEdit::takesTabFocus() { return true; }
bool VTextEdit::processMouseOwner(VEvent*) { return false; }

bool VTextEdit::processEvent(VEvent* e) {
  if (e->getType() != etKeyboard) {
    return false;
  }
  e->print();
  // As a signed 8-bit character: codes 128 to 255 turn negative and so are never appended.
  const auto c = static_cast<signed char>(static_cast<unsigned char>(e->getKey()));
  if (c == kBackspace && !Text.empty()) {
    Text.pop_back();
  } else if (c > 31) {
    setText(Text + static_cast<char>(c));
  }
  return false;
}

void VTextEdit::draw(VEvent*) {
  const bool focused = getFocused();
  const auto w = static_cast<float>(Width);
  const auto h = static_cast<float>(Height);
  if (LookAndFeel != nullptr) {
    Font->followTheme(LookAndFeel->getFont());
    VColor* fill = (Enabled && focused) ? LookAndFeel->getHighlightColor()
                                        : LookAndFeel->getBackGroundColor();
    fill->setAsCurrent();
    glBegin(GL_POLYGON);
    LookAndFeel->drawRect(0.0f, 0.0f, w, h);
    glEnd();
    LookAndFeel->drawBevel(0.0f, 0.0f, w, h, Enabled ? bsDown : bsDisabled);
  }

  glTranslatef(1.0f, 1.0f, 0.0f);
  Font->drawInternal(Text.c_str(), -1);

  if (focused) {
    // Drawn in the frame the text left behind: just after the last glyph, scaled with it.
    const int bottom = Height > INT_MIN + 2 ? Height - 2 : INT_MIN;
    // Black in the light theme, as it always was; the dark theme's text colour in the dark.
    if (LookAndFeel != nullptr && LookAndFeel->getTheme() == thDark) {
      LookAndFeel->getFont()->getColor()->setAsCurrent();
    } else {
      glColor3f(0.0f, 0.0f, 0.0f);
    }
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glVertex2i(2, 1);
    glVertex2i(2, bottom);
    glEnd();
    glLineWidth(1.0f);
  }
}

int VTextEdit::getCursorPos() { return CursorPos; }
void VTextEdit::setCursorPos(int newValue) { CursorPos = newValue; }
std::string VTextEdit::getText() { return Text; }

void VTextEdit::setText(std::string newValue) {
  const double textWidth = Font->getTextWidth(newValue.c_str());
  if (static_cast<double>(Width) > textWidth + kFitMargin) {
    Text = std::move(newValue);
  }
}

VFont* VTextEdit::getFont() { return Font; }

void VTextEdit::print() {
  std::cout << "Class : VTextEdit" << std::endl;
  std::cout << "CursorPos = " << CursorPos << std::endl;
  std::cout << "Text = " << Text << std::endl;
}
