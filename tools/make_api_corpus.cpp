// make_api_corpus: writes the API fuzzer's seed corpus, short programs that each use a few calls.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/ApiProgram.h"

namespace {

using vf::ApiOp;

// One input, written call by call (see vf::ApiOp for what each call reads), in the panel
// dialect unless another marker is given: its first byte is the dialect's marker.
class Program {
 public:
  explicit Program(std::uint8_t marker = vf::kPanelDialectMarker) { byte(marker); }
  Program& op(ApiOp o) { return byte(vf::apiOpByte(o)); }
  Program& byte(unsigned b) {
    bytes_.push_back(static_cast<std::uint8_t>(b));
    return *this;
  }
  // A number as its four bytes, after the selector that says so.
  Program& number(int v) {
    const auto u = static_cast<std::uint32_t>(v);
    return byte(0xC0).byte(u >> 24).byte((u >> 16) & 0xFF).byte((u >> 8) & 0xFF).byte(u & 0xFF);
  }
  // A position inside the live widget at index w, dx and dy from its corner.
  Program& at(unsigned w, unsigned dx, unsigned dy) { return byte(1).byte(w).byte(dx).byte(dy); }
  Program& xy(int x, int y) { return byte(0).number(x).number(y); }

  Program& create(unsigned kind, unsigned owner) { return op(vf::opCreate).byte(kind).byte(owner); }
  Program& grid(unsigned owner, int columns) { return create(15, owner).number(columns); }
  Program& press(unsigned button, unsigned w, unsigned dx, unsigned dy) {
    return op(vf::opMouse).byte(button).byte(0).at(w, dx, dy);
  }
  Program& release(unsigned button, unsigned w, unsigned dx, unsigned dy) {
    return op(vf::opMouse).byte(button).byte(1).at(w, dx, dy);
  }
  Program& click(unsigned w, unsigned dx, unsigned dy) {
    return press(0, w, dx, dy).release(0, w, dx, dy);
  }
  Program& motion(unsigned w, unsigned dx, unsigned dy) { return op(vf::opMotion).at(w, dx, dy); }
  Program& key(unsigned k) { return op(vf::opKey).byte(k).xy(0, 0).op(vf::opKeyUp).byte(k).xy(0, 0); }
  Program& geometry(unsigned w, unsigned which, int v) {
    return op(vf::opGeometry).byte(w).byte(which).number(v);
  }
  Program& display() { return op(vf::opDisplay); }
  Program& freeWidget(unsigned w) { return op(vf::opFree).byte(w); }
  // A double as its eight bytes, after the selector that says so.
  Program& real(double v) {
    std::uint64_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    byte(0xC0);
    for (int shift = 56; shift >= 0; shift -= 8) {
      byte(static_cast<unsigned>(u >> shift) & 0xFF);
    }
    return *this;
  }
  Program& range(unsigned w, double lo, double hi) {
    return op(vf::opValue).byte(w).byte(0).real(lo).real(hi);
  }
  Program& step(unsigned w, double v) { return op(vf::opValue).byte(w).byte(1).real(v); }
  Program& value(unsigned w, double v) { return op(vf::opValue).byte(w).byte(2).real(v); }
  Program& wheel(int x, int y, unsigned w) {
    return op(vf::opWheel).number(x).number(y).at(w, 5, 5);
  }
  Program& passive(unsigned w, unsigned dx, unsigned dy) {
    return op(vf::opPassiveMotion).at(w, dx, dy);
  }
  Program& text(unsigned w, const std::string& s, int cursor = 0) {
    op(vf::opText).byte(w).byte(static_cast<unsigned>(s.size()));
    for (unsigned char c : s) {
      byte(c);
    }
    return number(cursor);
  }
  Program& tooltip(unsigned w, const std::string& s) {
    op(vf::opTooltip).byte(w).byte(static_cast<unsigned>(s.size()));
    for (unsigned char c : s) {
      byte(c);
    }
    return *this;
  }
  Program& fire() { return op(vf::opFireTimers); }
  Program& modifiers(unsigned held) { return op(vf::opModifiers).byte(held); }
  // A special key by its place in the fuzzer's table (12 Left, 14 Right, 16 Page Up, 19 End).
  Program& special(unsigned place) { return op(vf::opSpecial).byte(place).xy(0, 0); }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Widget kinds as opCreate numbers them, and the owner byte for none.
enum Kind : unsigned { kWidget, kWindow, kButton, kCaptionButton, kCheckBox, kRadioButton,
                       kTextEdit, kToolBar, kMyWindow, kLabel, kSlider, kSpinBox, kProgressBar,
                       kRow, kColumn, kGrid, kLineEdit, kTextView };
constexpr unsigned kNoOwner = 0xFF;
// Geometry properties as opGeometry numbers them.
enum Which : unsigned { gLeft, gTop, gWidth, gHeight, gMinWidth, gMinHeight, gBorderLeft,
                        gBorderRight, gBorderTop, gBorderBottom, gTitleBarHeight,
                        gTitleBarBorder, gMinResizeWidth, gMinResizeHeight, gMaximized,
                        gResizable, gMoverWidth, gBoxSize, gMargin, gSpacing, gAlignment,
                        gColumns, gColumnSpacing, gRowSpacing, gDecimals, gAutoSize,
                        gShowPercentage, gLabelAlignment, gGridSpacing, gLayout };

bool write(const std::string& folder, const std::string& name, const Program& p) {
  const std::string path = folder + "/" + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    std::perror(path.c_str());
    return false;
  }
  const auto& b = p.bytes();
  const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vuna_make_api_corpus <output folder>\n");
    return 2;
  }
  const std::string out = argv[1];
  std::vector<std::pair<std::string, Program>> seeds;
  auto add = [&](const std::string& name, const Program& p) { seeds.emplace_back(name, p); };

  static const char* const kinds[] = {"widget", "window", "button", "caption_button", "check_box",
                                      "radio_button", "text_edit", "toolbar", "my_window"};
  for (unsigned k = kWidget; k <= kMyWindow; ++k) {
    add(std::string("create_") + kinds[k], Program().create(k, 0).create(k, 1).display());
  }
  add("create_without_owner_then_add",
      Program().create(kWindow, kNoOwner).create(kButton, 1).op(vf::opAdd).byte(0).byte(1).display());
  add("click_caption_button", Program().create(kCaptionButton, 0).click(1, 5, 5).display());
  add("drag_window_title",
      Program().create(kWindow, 0).geometry(1, gWidth, 200).geometry(1, gHeight, 150)
          .press(0, 1, 40, 6).motion(1, 90, 60).motion(0, 250, 250).release(0, 0, 250, 250).display());
  add("resize_window_corner",
      Program().create(kWindow, 0).geometry(1, gWidth, 200).geometry(1, gHeight, 150)
          .press(0, 1, 199, 149).motion(0, 300, 300).release(0, 0, 300, 300).display());
  add("type_into_text_edit",
      Program().create(kTextEdit, 0).click(1, 3, 3).key('a').key('b').key(8).key(13)
          .op(vf::opSpecial).byte(13).xy(0, 0).display());
  add("radio_group_select",
      Program().create(kRadioButton, 0).create(kRadioButton, 0).op(vf::opGroupNew)
          .op(vf::opRadioGroup).byte(1).byte(0).op(vf::opRadioGroup).byte(2).byte(0)
          .click(1, 2, 2).op(vf::opGroupSelect).byte(0).byte(0).byte(0).display());
  add("radio_group_deleted_first",
      Program().create(kRadioButton, 0).op(vf::opGroupNew).op(vf::opRadioGroup).byte(0).byte(0)
          .op(vf::opGroupDelete).byte(0).click(1, 2, 2).display());
  add("free_window", Program().create(kWindow, 0).create(kButton, 1).op(vf::opFree).byte(0).display());
  add("free_with_owner",
      Program().create(kWindow, 0).create(kButton, 1).op(vf::opFree).byte(1).op(vf::opFree).byte(0)
          .display());
  add("delete_directly", Program().create(kWindow, 0).create(kCheckBox, 1).op(vf::opDelete).byte(1).display());
  add("remove_and_hold", Program().create(kToolBar, 0).create(kButton, 1).op(vf::opRemove).byte(1).display());
  add("reparent", Program().create(kWindow, 0).create(kWindow, 0).create(kButton, 1)
                      .op(vf::opReparent).byte(2).byte(0).display());
  add("bring_to_front_hide_disable",
      Program().create(kWidget, 0).create(kWidget, 0).op(vf::opBringToFront).byte(2).byte(0)
          .op(vf::opVisible).byte(1).byte(0).op(vf::opEnabled).byte(2).byte(0).click(1, 1, 1).display());
  add("geometry_and_borders",
      Program().create(kWindow, 0).geometry(1, gLeft, 30).geometry(1, gTop, 40)
          .geometry(1, gBorderLeft, 5).geometry(1, gTitleBarHeight, 30).geometry(1, gMinResizeWidth, 80)
          .create(kCheckBox, 1).geometry(2, gBoxSize, 20).display());
  add("font_size_and_caption",
      Program().create(kCaptionButton, 0).op(vf::opFontSize).byte(1).number(24)
          .op(vf::opText).byte(1).byte(5).byte('H').byte('e').byte('l').byte('l').byte('o').number(0)
          .display());
  add("text_edit_cursor",
      Program().create(kTextEdit, 0).op(vf::opText).byte(1).byte(3).byte('a').byte('b').byte('c')
          .number(2).click(1, 2, 2).op(vf::opSpecial).byte(12).xy(0, 0).key('x').display());
  add("reshape_then_draw",
      Program().create(kWindow, 0).op(vf::opReshape).number(640).number(480).display()
          .op(vf::opReshape).number(1).number(1).display().op(vf::opReshape).number(500).number(400));
  add("overlay", Program().create(kWindow, 0).create(kButton, 1).op(vf::opOverlay).byte(0).byte(1));
  add("close_window", Program().create(kWindow, 0).display().op(vf::opCloseClick).byte(0).display());
  add("maximise_window", Program().create(kWindow, 0).op(vf::opMaximizeClick).byte(0).display()
                             .op(vf::opMaximizeClick).byte(0).display());
  add("recreate_context", Program().create(kCaptionButton, 0).display().op(vf::opRecreateContext).display());
  add("handler_creates_child",
      Program().create(kWidget, 0).op(vf::opHandler).byte(0).byte(3).click(1, 1, 1).display());
  add("handler_frees_itself",
      Program().create(kButton, 0).op(vf::opHandler).byte(0).byte(1).click(1, 1, 1).display());
  add("my_window_click",
      Program().create(kMyWindow, 0).press(0, 1, 0, 0).release(0, 1, 0, 0).display());
  add("chorded_buttons",
      Program().create(kWindow, 0).press(0, 1, 40, 6).press(2, 1, 40, 6).release(0, 1, 40, 6)
          .motion(0, 300, 200).release(2, 0, 300, 200).display());
  add("odd_buttons_and_states",
      Program().op(vf::opMouse).byte(8).byte(0).xy(5, 5).op(vf::opMouse).byte(9).byte(6).xy(5, 5)
          .op(vf::opMouse).byte(12).byte(1).xy(-5, 7).display());
  add("special_keys",
      Program().create(kTextEdit, 0).click(1, 1, 1).op(vf::opSpecial).byte(12).xy(0, 0)
          .op(vf::opSpecial).byte(14).xy(0, 0).op(vf::opSpecial).byte(26).xy(0, 0).display());
  add("nested_windows",
      Program().create(kWindow, 0).create(kWindow, 1).create(kWindow, 2).create(kWindow, 3)
          .create(kWindow, 4).display());
  add("key_on_focused_window",
      Program().create(kMyWindow, 0).click(1, 20, 70).key('q').key(127).display());

  // The panel controls, the layouts, the wheel, tooltips and the host's timers.
  static const char* const panelKinds[] = {"label", "slider", "spin_box", "progress_bar", "row",
                                           "column"};
  for (unsigned k = kLabel; k <= kColumn; ++k) {
    add(std::string("create_") + panelKinds[k - kLabel],
        Program().create(k, 0).create(k, 1).create(kButton, 1).display());
  }
  add("create_grid", Program().grid(0, 2).create(kLabel, 1).create(kSlider, 1).create(kLabel, 1)
                         .grid(1, 0).display());
  add("layout_settings",
      Program().create(kRow, 0).create(kButton, 1).create(kCheckBox, 1).geometry(1, gMargin, 5)
          .geometry(1, gSpacing, -20).geometry(1, gAlignment, 2).geometry(1, gLayout, 0).display()
          .geometry(1, gAlignment, INT_MAX).geometry(1, gSpacing, INT_MAX).display());
  add("grid_columns",
      Program().grid(0, 3).create(kButton, 1).create(kButton, 1).create(kButton, 1)
          .create(kButton, 1).geometry(1, gColumns, 0).display().geometry(1, gColumns, INT_MIN)
          .geometry(1, gColumns, INT_MAX).geometry(1, gGridSpacing, INT_MIN)
          .geometry(1, gRowSpacing, 30).geometry(1, gMargin, INT_MAX).display());
  add("value_ranges",
      Program().create(kSlider, 0).create(kSpinBox, 0).create(kProgressBar, 0)
          .range(1, NAN, 5).range(2, HUGE_VAL, -HUGE_VAL).range(3, 100, -100).step(3, -1)
          .step(2, 1e-300).value(1, 1e300).value(2, -DBL_MAX).value(3, NAN)
          .geometry(2, gDecimals, 15).geometry(2, gDecimals, INT_MIN)
          .geometry(1, gShowPercentage, 1).display());
  add("label_captions",
      Program().create(kLabel, 0).text(1, "one\ntwo\n\n\xFF%s\x01").geometry(1, gLabelAlignment, 1)
          .op(vf::opFontSize).byte(1).number(40).geometry(1, gAutoSize, 1)
          .geometry(1, gLabelAlignment, -7).display());
  add("wheel_over_controls",
      Program().create(kSlider, 0).create(kSpinBox, 0).wheel(0, 1, 1).wheel(INT_MIN, INT_MAX, 1)
          .wheel(0, -3, 2).wheel(INT_MAX, INT_MIN, 2).wheel(0, 0, 0).display());
  add("wheel_buttons",
      Program().create(kSlider, 0).op(vf::opMouse).byte(8).byte(0).at(1, 50, 10)
          .op(vf::opMouse).byte(9).byte(0).at(1, 50, 10).op(vf::opMouse).byte(10).byte(1)
          .at(1, 50, 10).op(vf::opMouse).byte(11).byte(0).at(1, 50, 10).display());
  add("slider_drag_and_keys",
      Program().create(kSlider, 0).press(0, 1, 30, 10).motion(1, 70, 10).motion(0, 450, 300)
          .release(0, 0, 450, 300).op(vf::opSpecial).byte(10).xy(0, 0).display());
  add("spin_box_held_arrow_repeats",
      Program().create(kSpinBox, 0).press(0, 1, 75, 3).fire().fire().fire()
          .release(0, 1, 75, 3).fire().press(0, 1, 75, 17).fire().freeWidget(1).fire().display());
  add("spin_box_typed",
      Program().create(kSpinBox, 0).click(1, 10, 10).key('-').key('1').key('.').key('5')
          .key(13).key('x').key(8).op(vf::opSpecial).byte(13).xy(0, 0).display());
  add("on_change_handlers",
      Program().create(kSlider, 0).create(kSpinBox, 0).op(vf::opHandler).byte(0).byte(6)
          .op(vf::opHandler).byte(1).byte(7).wheel(0, 1, 1).wheel(0, 1, 2).display());
  add("tooltip_shows_after_rest",
      Program().create(kButton, 0).tooltip(1, "Degrees per second").passive(1, 3, 3).fire()
          .display().passive(0, 450, 390).fire().display());
  add("tooltip_cleared_and_widget_freed",
      Program().create(kCheckBox, 0).tooltip(1, "\xFF\n%n").passive(1, 2, 2).tooltip(1, "")
          .fire().tooltip(1, "x").passive(1, 2, 2).fire().freeWidget(1).display().fire());

  // The text dialect: line edits and text views, with the modifier keys held.
  const auto text = [] { return Program(vf::kTextDialectMarker); };
  add("line_edit_keys_clipboard_undo",
      text().create(kLineEdit, 0).click(1, 5, 5).key('h').key('i').modifiers(1).special(12)
          .modifiers(2).key(3).key(24).key(22).key(22).special(12).key('z').key(26).key(25)
          .modifiers(0).key(8).key(127).key(13).display().fire().display());
  add("line_edit_drag_double_press_and_free",
      text().create(kLineEdit, 0).text(1, "alpha beta gamma delta epsilon").press(0, 1, 10, 5)
          .motion(0, 250, 60).release(0, 0, 250, 60).click(1, 30, 5).click(1, 30, 5).display()
          .fire().display().freeWidget(1).display().fire());
  add("line_edit_limit_selection_password",
      text().create(kLineEdit, 0).text(1, "0123456789", (4 << 16) | (1 << 8) | 3).click(1, 5, 5)
          .key('x').text(1, "secret\n\x01", INT_MIN | 2).modifiers(3).special(14).key(3)
          .key(24).display());
  add("text_view_log_limit_select_copy",
      text().create(kTextView, 0).text(1, "one", 5).text(1, "two", 5).text(1, "three", 5)
          .text(1, "four", 5).text(1, "five", 5).text(1, "six", 5).text(1, "seven", 5)
          .press(0, 1, 10, 5).motion(0, 60, 200).release(0, 0, 60, 200).modifiers(2).key('a')
          .key('c').modifiers(0).wheel(0, 1, 1).special(16).special(19).display());

  for (const auto& [name, program] : seeds) {
    if (!write(out, name, program)) {
      return 1;
    }
  }
  return 0;
}
