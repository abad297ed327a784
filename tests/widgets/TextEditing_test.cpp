// VLineEdit and VTextView: editing by keys and the pointer, selection, undo, the clipboard, the
// password mode, sideways scrolling, the caret's timer, and a log that follows its bottom.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "support/GlTest.h"
#include "support/ManualTimers.h"
#include "support/ScreenFixture.h"
#include "widgets/VLineEdit.h"
#include "widgets/VScrollBar.h"
#include "widgets/VSpinBox.h"
#include "widgets/VTextView.h"

namespace {

vt::Rgb rgbOf(VColor* c) { return vt::toRgb(c->getR(), c->getG(), c->getB()); }

// A field whose double-press clock the test moves.
class TestField : public VLineEdit {
 public:
  using VLineEdit::VLineEdit;
  std::chrono::milliseconds clock{0};

 protected:
  std::chrono::steady_clock::time_point now() override {
    return std::chrono::steady_clock::time_point(clock);
  }
};

// A field 150 by 20 at (100, 50), focused: its character boundary i is at x 103 + 12 i.
class LineEditTest : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    screen_->setHostServices(&timers_);
    field_ = new TestField(screen_);
    field_->setLeft(100);
    field_->setTop(50);
    field_->setUserData(&changes_);
    field_->onChange = [](VWidget* w, VEvent*) { ++*static_cast<int*>(w->getUserData()); };
    click(101, 60);
  }
  static int at(int boundary) { return 103 + 12 * boundary; }
  // Keys with the modifiers held: text typed, or a special key when special is not 0.
  void keys(int modifiers, const std::string& text, int specialKey = 0) {
    screen_->setModifiers(modifiers);
    if (specialKey != 0) {
      special(specialKey);
    } else {
      type(text);
    }
    screen_->setModifiers(0);
  }
  vt::ManualTimers timers_;
  TestField* field_ = nullptr;
  int changes_ = 0;
};

TEST_F(LineEditTest, KeysMoveTheCaretSelectAndEdit) {
  const struct {
    int modifiers;
    const char* typed;
    int key;
    const char* text;
    int anchor, caret, changes;
  } steps[] = {
      {0, "hello world", 0, "hello world", 11, 11, 11},
      {0, "", skHome, "hello world", 0, 0, 0},
      {vmCtrl, "", skRight, "hello world", 6, 6, 0},            // the next word's start
      {vmShift, "", skEnd, "hello world", 6, 11, 0},
      {0, "X", 0, "hello X", 7, 7, 1},                          // typing replaces it
      {vmCtrl, "", skLeft, "hello X", 6, 6, 0},
      {vmCtrl | vmShift, "", skLeft, "hello X", 6, 0, 0},       // back to the word before
      {0, "", skRight, "hello X", 6, 6, 0},                     // ends it at its end
      {vmShift, "", skLeft, "hello X", 6, 5, 0},
      {0, "\b", 0, "helloX", 5, 5, 1},                          // takes the selection
      {0, "\b", 0, "hellX", 4, 4, 1},
      {0, "\x7f", 0, "hell", 4, 4, 1},                          // Delete
      {0, "\x7f", 0, "hell", 4, 4, 0},                          // at the end: nothing
      {0, "\x01", 0, "hell", 0, 4, 0},                          // Ctrl+A as GLUT gives it
      {vmCtrl, "1", 0, "hell", 0, 4, 0},                        // no typing with Ctrl held
      {0, "\xe9\t\x85", 0, "\xe9", 1, 1, 1},                    // Latin-1 yes, controls no
  };
  for (const auto& s : steps) {
    keys(s.modifiers, s.typed, s.key);
    EXPECT_EQ(field_->getText(), s.text) << s.typed << s.key;
    EXPECT_EQ(field_->getSelectionStart(), std::min(s.anchor, s.caret)) << s.typed << s.key;
    EXPECT_EQ(field_->getCaretPos(), s.caret) << s.typed << s.key;
    EXPECT_EQ(changes_, s.changes) << s.typed << s.key;
    changes_ = 0;
  }
  std::vector<std::string> entered;
  field_->setUserData(&entered);
  field_->onEnter = [](VWidget* w, VEvent*) {
    static_cast<std::vector<std::string>*>(w->getUserData())
        ->push_back(static_cast<VLineEdit*>(w)->getText());
  };
  type("\r");
  EXPECT_EQ(entered, std::vector<std::string>{"\xe9"});
  EXPECT_TRUE(screen_->capturesKeyboard());
  EXPECT_TRUE(screen_->capturesKey(skLeft, true));
  EXPECT_FALSE(screen_->capturesKey(skUp, true));
}

TEST_F(LineEditTest, ThePointerPlacesTheCaretDragsSelectAndADoublePressTakesAWord) {
  field_->setWidth(250);  // 20 characters: the whole text in view
  field_->setText("alpha beta, gamma");
  EXPECT_EQ(changes_, 0);  // the program's text runs no handler
  click(at(7) + 5, 60);    // nearer to boundary 7 than to 8
  EXPECT_EQ(field_->getCaretPos(), 7);
  drag(at(2), 60, at(8) + 4, 55);
  EXPECT_EQ(field_->getSelectedText(), "pha be");
  screen_->setModifiers(vmShift);
  click(at(14), 60);  // grows the selection from its anchor
  screen_->setModifiers(0);
  EXPECT_EQ(field_->getSelectedText(), "pha beta, ga");
  field_->clock += std::chrono::seconds(1);
  const struct {
    int boundary;
    const char* word;
  } words[] = {{8, "beta"}, {10, ", "}, {0, "alpha"}, {17, "gamma"}};
  for (const auto& w : words) {
    click(at(w.boundary), 60);
    click(at(w.boundary), 60);
    EXPECT_EQ(field_->getSelectedText(), w.word) << w.boundary;
  }
  click(at(3), 60);
  field_->clock += std::chrono::milliseconds(401);
  click(at(3), 60);  // too late for a double press
  EXPECT_EQ(field_->getSelectedText(), "");
  // A drag past the right edge scrolls the text there, and the selection follows.
  field_->setText(std::string(30, 'x'));
  field_->setCaretPos(0);
  press(at(1), 60);
  motion(450, 60);  // boundary 29 at the scroll of the press: the view follows to 9
  motion(450, 60);  // and on to the end
  release(450, 60);
  EXPECT_EQ(field_->getSelectionStart(), 1);
  EXPECT_EQ(field_->getCaretPos(), 30);
  EXPECT_EQ(field_->getFirstShown(), 10);
  EXPECT_EQ(changes_, 0);
}

TEST_F(LineEditTest, UndoAndRedoStepThroughRunsOfTypingAndEachOtherChange) {
  type("abc");                 // one run
  special(skLeft);             // a caret move ends it
  type("XY");                  // "abXYc"
  type("\b");                  // a deletion: "abXc"
  const struct {
    char key;
    int modifiers;
    const char* text;
  } steps[] = {{'\x1a', 0, "abXYc"}, {'\x1a', 0, "abc"}, {'z', vmCtrl, ""}, {'\x1a', 0, ""},
               {'\x19', 0, "abc"},   {'\x1a', vmShift, "abXYc"},           {'y', vmCtrl, "abXc"},
               {'\x19', 0, "abXc"}};
  for (const auto& s : steps) {
    keys(s.modifiers, std::string(1, s.key));
    EXPECT_EQ(field_->getText(), s.text) << int(s.key);
  }
  EXPECT_EQ(changes_, 6 + 6);  // six edits, six undos and redos that changed the text
  type("\x1a");  // back before the deletion, the caret where it was
  type("Q");     // a new change: nothing left to redo
  EXPECT_FALSE(field_->canRedo());
  EXPECT_EQ(field_->getText(), "abXYQc");
}

TEST_F(LineEditTest, TheClipboardRoundTripsThroughTheScreenWithOrWithoutAHost) {
  const struct {
    bool host;
    const char* text;
    const char* copied;
    const char* pasted;
  } rounds[] = {{true, "copy me", "copy", " mecopycopy"},
                {false, "grab me", "grab", " megrabgrab"}};
  for (const auto& r : rounds) {
    screen_->setHostServices(r.host ? &timers_ : nullptr);
    field_->setText(r.text);
    field_->setSelection(0, 4);
    type("\x03");  // Ctrl+C
    EXPECT_EQ(screen_->getClipboardText(), r.copied);
    keys(vmCtrl, "x");
    EXPECT_EQ(field_->getText(), " me");
    special(skEnd);
    type("\x16\x16");  // Ctrl+V twice
    EXPECT_EQ(field_->getText(), r.pasted);
  }
  EXPECT_EQ(timers_.clipboard, "copy");  // the screen kept its own meanwhile
  // Pasted text loses its line breaks and control bytes and is cut to the room left.
  screen_->setClipboardText("one\r\ntwo\tthree\x7f\x01");
  field_->setMaxLength(12);
  EXPECT_EQ(field_->getText(), " megrabgrab");
  field_->setText("");
  type("\x16");
  EXPECT_EQ(field_->getText(), "onetwothree");
  field_->setSelection(3, 6);  // "two" gives room for four
  type("\x16");
  EXPECT_EQ(field_->getText(), "oneonetthree");
  type("abc");  // full
  EXPECT_EQ(field_->getText(), "oneonetthree");
  field_->setMaxLength(4);
  EXPECT_EQ(field_->getText(), "oneo");
}

TEST_F(LineEditTest, PasswordModeShowsOneStarACharacterAndKeepsItFromTheClipboard) {
  auto* plain = new VLineEdit(screen_);
  plain->setLeft(100);
  plain->setTop(100);
  plain->setText("******");
  field_->setPasswordMode(true);
  type("s3cr t");
  screen_->setClipboardText("before");
  type("\x01\x03");  // Ctrl+A, Ctrl+C
  type("\x18");      // Ctrl+X
  EXPECT_EQ(screen_->getClipboardText(), "before");
  EXPECT_EQ(field_->getText(), "s3cr t");
  type("\x01");
  special(skRight);
  keys(vmCtrl | vmShift, "", skLeft);  // by word: to the start, nothing to tell of the words
  EXPECT_EQ(field_->getSelectedText(), "s3cr t");
  field_->setCaretPos(6);
  screen_->dropFocus();  // both unfocused: no ring, no caret
  const vt::Region stars = frame(100, 50, 150, 20);
  EXPECT_EQ(vt::regionDifference(stars, vt::readRegion(100, 100, 150, 20), 150), "");
}

TEST_F(LineEditTest, TextScrollsSidewaysToShowTheCaretAndNothingIsDrawnOutside) {
  type("abcdefghijklmnopqrst");  // 20 characters where 12 fit
  EXPECT_EQ(field_->getFirstShown(), 8);
  VLookAndFeel* look = screen_->getLookAndFeel();
  drawFrame();
  // Pixels in the columns x0 to x1 of the text's rows that are not of the colour.
  const auto otherThan = [&](VColor* colour, int x0, int x1) {
    int found = 0;
    for (int x = x0; x < x1; ++x) {
      for (int y = 52; y < 68; ++y) {
        found += vt::near(vt::readPixel(x, y), rgbOf(colour)) ? 0 : 1;
      }
    }
    return found;
  };
  EXPECT_GT(otherThan(look->getBackGroundColor(), at(11), at(12)), 4);  // 't', the last typed
  EXPECT_EQ(otherThan(look->getBackGroundColor(), at(12), at(12) + 1), 16);  // the caret
  EXPECT_TRUE(vt::pixelNear(at(12), 60, rgbOf(field_->getFont()->getColor())));
  EXPECT_EQ(otherThan(look->getScreenColor(), 251, 300), 0);  // nothing beyond the field
  const struct {
    int key;
    int first;
  } moves[] = {{skHome, 0}, {skRight, 0}, {skEnd, 8}, {skLeft, 8}};
  for (const auto& m : moves) {
    special(m.key);
    EXPECT_EQ(field_->getFirstShown(), m.first) << m.key;
  }
  field_->setText("short");
  EXPECT_EQ(field_->getFirstShown(), 0);  // no room left after the end
  field_->setWidth(40);                   // 2 characters
  EXPECT_EQ(field_->getFirstShown(), 3);
}

TEST_F(LineEditTest, TheCaretBlinksOnATimerOnlyWhileTheFieldHasTheFocus) {
  auto* other = new VSpinBox(screen_);
  other->setLeft(300);
  other->setTop(50);
  ASSERT_EQ(timers_.pending.size(), 1u);  // the press gave the field the focus
  EXPECT_EQ(timers_.pending[0].milliseconds, 500);
  const vt::Rgb ink = rgbOf(field_->getFont()->getColor());
  for (const bool shown : {false, true, false}) {
    timers_.fire();
    EXPECT_EQ(field_->isCaretShown(), shown);
    drawFrame();
    EXPECT_EQ(vt::near(vt::readPixel(at(0), 60), ink), shown);
    ASSERT_EQ(timers_.pending.size(), 1u);
  }
  type("a");  // an edit shows the caret at once
  EXPECT_TRUE(field_->isCaretShown());
  EXPECT_EQ(timers_.pending.size(), 1u);
  clickOn(other);  // the focus goes: settled at the frame that follows
  drawFrame();
  EXPECT_TRUE(timers_.pending.empty());
  timers_.fire();
  drawFrame();
  EXPECT_TRUE(timers_.pending.empty());
  click(101, 60);
  field_->setEnabled(false);
  drawFrame();
  EXPECT_TRUE(timers_.pending.empty());
  field_->setEnabled(true);
  drawFrame();
  EXPECT_EQ(timers_.pending.size(), 1u);
  // Not drawn since the last blink (a hidden page): the timer runs out.
  timers_.fire();
  timers_.fire();
  EXPECT_TRUE(timers_.pending.empty());
  drawFrame();
  EXPECT_EQ(timers_.pending.size(), 1u);
  // Freed: taken out of the tree, then deleted, and the timer goes with it.
  field_->free();
  drawFrame();
  EXPECT_TRUE(timers_.pending.empty());
  auto* second = new VLineEdit(screen_);
  clickOn(second);
  EXPECT_EQ(timers_.pending.size(), 1u);
  delete second;
  EXPECT_TRUE(timers_.pending.empty());
}

// A view 300 by 104 at (100, 50): five lines of 20 from y 52, text from x 104.
class TestView : public VTextView {
 public:
  using VTextView::VTextView;
  std::vector<int> drawn;

 protected:
  void drawLine(int line, int top, int columns) override {
    drawn.push_back(line);
    VTextView::drawLine(line, top, columns);
  }
};

class TextViewTest : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    screen_->setHostServices(&timers_);
    view_ = new TestView(screen_);
    view_->setLeft(100);
    view_->setTop(50);
  }
  void appendLines(int from, int to) {
    for (int i = from; i < to; ++i) {
      view_->append("line " + std::to_string(i));
    }
  }
  vt::ManualTimers timers_;
  TestView* view_ = nullptr;
};

TEST_F(TextViewTest, AppendFollowsTheBottomOnlyWhileTheUserStaysThere) {
  appendLines(0, 5);
  EXPECT_EQ(view_->getTopLine(), 0);
  EXPECT_FALSE(view_->getScrollBar()->getVisible());
  const struct {
    const char* what;
    int wheelSteps, key, appended, top;
  } steps[] = {
      {"a sixth line scrolls", 0, 0, 1, 1},
      {"the user scrolls up", 1, 0, 0, 0},
      {"and stays there", 0, 0, 3, 0},
      {"End goes to the bottom", 0, skEnd, 0, 4},
      {"and it follows again", 0, 0, 2, 6},
      {"Page Up", 0, skPageUp, 0, 1},
      {"Page Down", 0, skPageDown, 0, 6},
      {"Home", 0, skHome, 0, 0},
      {"the wheel down", -1, 0, 0, 3},
      {"Down", 0, skDown, 0, 4},
  };
  click(150, 60);  // the focus, for the keys
  int next = 5;
  for (const auto& s : steps) {
    if (s.wheelSteps != 0) {
      screen_->mouseWheel(0, s.wheelSteps, 150, 80);
    }
    if (s.key != 0) {
      special(s.key);
    }
    appendLines(next, next + s.appended);
    next += s.appended;
    EXPECT_EQ(view_->getTopLine(), s.top) << s.what;
  }
  EXPECT_TRUE(view_->getScrollBar()->getVisible());
  view_->clear();
  EXPECT_EQ(view_->getLineCount(), 0);
  EXPECT_EQ(view_->getTopLine(), 0);
  EXPECT_FALSE(view_->getScrollBar()->getVisible());
}

TEST_F(TextViewTest, ALimitDropsTheOldestAndAHugeLogDrawsOnlyTheLinesInView) {
  appendLines(0, 20);
  view_->setTopLine(10);  // scrolled away from the bottom
  view_->setMaxLines(12);
  EXPECT_EQ(view_->getLineCount(), 12);
  EXPECT_EQ(view_->getLine(0), "line 8");
  EXPECT_EQ(view_->getTopLine(), 2);  // still on "line 10"
  appendLines(20, 22);
  EXPECT_EQ(view_->getLine(view_->getTopLine()), "line 10");
  EXPECT_EQ(view_->getLine(-1), "");
  EXPECT_EQ(view_->getLine(12), "");
  view_->setMaxLines(0);
  view_->clear();
  appendLines(0, 100000);
  EXPECT_EQ(view_->getTopLine(), 99995);
  view_->drawn.clear();
  drawFrame();
  EXPECT_EQ(view_->drawn, (std::vector<int>{99995, 99996, 99997, 99998, 99999}));
  view_->setMaxLines(1000);
  appendLines(100000, 100001);
  EXPECT_EQ(view_->getLineCount(), 1000);
  EXPECT_EQ(view_->getLine(0), "line 99001");
  EXPECT_EQ(view_->getLine(999), "line 100000");
  EXPECT_TRUE(view_->isAtBottom());
}

TEST_F(TextViewTest, DraggingSelectsAcrossLinesAndCtrlCCopiesThemJoined) {
  for (const char* line : {"first line", "second", "third one"}) {
    view_->append(line);
  }
  // Boundary c of line l lies at x 104 + 12 c, y 52 + 20 l.
  drag(104 + 12 * 6, 60, 104 + 12 * 5, 102);
  type("\x03");
  EXPECT_EQ(screen_->getClipboardText(), "line\nsecond\nthird");
  drawFrame();
  VLookAndFeel* look = screen_->getLookAndFeel();
  EXPECT_TRUE(vt::pixelNear(300, 62, rgbOf(look->getHighlightColor())));  // through the break
  EXPECT_TRUE(vt::pixelNear(300, 102, rgbOf(look->getBevelRaisedColor())));  // after "third"
  screen_->setModifiers(vmCtrl);
  type("ac");
  screen_->setModifiers(0);
  EXPECT_EQ(screen_->getClipboardText(), "first line\nsecond\nthird one");
  // Dragging below the box scrolls to the lines there.
  appendLines(0, 10);
  view_->setTopLine(0);
  press(104, 60);
  motion(110, 200);
  motion(110, 260);
  release(110, 260);
  EXPECT_EQ(view_->getTopLine(), 8);
  EXPECT_EQ(view_->getSelectedText().substr(0, 12), "first line\ns");
}

}  // namespace
