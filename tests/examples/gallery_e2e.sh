#!/usr/bin/env bash
# End to end: examples/gallery under real input: a row of the long list selected and activated,
# the wheel over it, a colour chosen from the combo box, the second tab and its scroll area,
# an item of each menu (a check item, a submenu that switches the theme), the context menu on
# the bare screen, then Ctrl+Q. The first frame is docs/gallery.png: the test keeps it true.
# Usage: gallery_e2e.sh <vuna-gallery> <folder for pictures and logs> [preload library]
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath -m "$2")
preload=${3:-}
here=$(dirname "$(realpath "$0")")
goldens=$(realpath "$here/../../docs")
# shellcheck source-path=SCRIPTDIR source=../app/e2e_lib.sh
source "$here/../app/e2e_lib.sh"
rm -rf "$out"
mkdir -p "$out"

start_program "Vuna gallery" 640x480
wait_for_screen 630 470 "the gallery"
see first-frame gallery "the first frame is the one docs/gallery.png shows"

# The window "Lists" is at (10, 30): the list box's rows start at (20, 67), 20 pixels each; the
# combo box is at (20, 280), its list opening below it.
click_at 60 117                  # Item 3
move_to 60 117
xdotool click --repeat 2 --delay 80 1  # a double press on it: activated
shot list-before
move_to 100 150
xdotool click 5                  # a wheel step down: three rows
sleep 0.2
shot list-after
[ "$(differing list-after "$out/list-before.png")" != "0" ] &&
  pass "the wheel scrolled the list" || fail "the list did not scroll (see $out)"
click_at 60 290                  # opens the colours
click_at 60 332                  # Green

# The window "Tabs" is at (320, 30): its headers from (330, 65), "Two" from x 382.
click_at 400 75
shot page-two
move_to 400 200
xdotool click 5
sleep 0.2
shot page-two-scrolled
[ "$(differing page-two-scrolled "$out/page-two.png")" != "0" ] &&
  pass "the wheel scrolled the page's area" || fail "the scroll area did not scroll"

# Menus: File at x 0 to 63, View to 127, Help to 191; items 20 pixels high from y 22.
click_at 20 10; click_at 40 32                          # File/New
click_at 80 10; click_at 100 32                         # View/Grid
click_at 80 10; move_to 100 52; sleep 0.3; click_at 240 72  # View/Theme/Dark (the submenu)
shot dark
click_at 150 10; click_at 170 32                        # Help/About
move_to 450 380; xdotool click 3; sleep 0.2; click_at 470 392  # the context menu: Cut
[ "$(pixel first-frame 100 320)" != "$(pixel dark 100 320)" ] &&
  pass "the dark theme is drawn" || fail "the theme did not change (see $out/dark.png)"
if expect_output "selected Item 3" "activated Item 3" "combo Green" "tab Two" "menu File/New" \
  "menu View/Grid on" "menu View/Theme/Dark" "menu Help/About" "menu Cut"; then
  pass "the list, the combo, the tabs and the menus printed their lines"
else
  fail "the output was: $(tr '\n' '|' < "$out/stdout.log")"
fi
xdotool key ctrl+q
expect_exit "Ctrl+Q"
finish
