// make_api_corpus: writes the API fuzzer's seed corpus, short programs that each use a few calls.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/ApiProgram.h"

namespace {

using vf::ApiOp;

// One input, written call by call (see vf::ApiOp for what each call reads).
class Program {
 public:
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

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Widget kinds as opCreate numbers them, and the owner byte for none.
enum Kind : unsigned { kWidget, kWindow, kButton, kCaptionButton, kCheckBox, kRadioButton,
                       kTextEdit, kToolBar, kMyWindow };
constexpr unsigned kNoOwner = 0xFF;
// Geometry properties as opGeometry numbers them.
enum Which : unsigned { gLeft, gTop, gWidth, gHeight, gMinWidth, gMinHeight, gBorderLeft,
                        gBorderRight, gBorderTop, gBorderBottom, gTitleBarHeight,
                        gTitleBarBorder, gMinResizeWidth, gMinResizeHeight, gMaximized,
                        gResizable, gMoverWidth, gBoxSize };

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

  for (const auto& [name, program] : seeds) {
    if (!write(out, name, program)) {
      return 1;
    }
  }
  return 0;
}
