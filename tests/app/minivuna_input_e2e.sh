#!/usr/bin/env bash
# End to end: the real demo program in the X server, driven by real input through XTEST, checked
# by what a user sees (the window's pixels, against the in-process reference pictures) and by
# what the program prints. One PASS or FAIL line per check.
# Usage: minivuna_input_e2e.sh <minivuna> <folder for pictures and logs> <reference folder>
#                              <scenario> [preload library]
# Scenarios: buttons, typing, windows, shutdown.
# The optional library is preloaded into the program (it keeps the GL driver mapped for the
# leak check of a sanitizer build).
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath -m "$2")
goldens=$(realpath "$3")
scenario=$4
preload=${5:-}
here=$(dirname "$(realpath "$0")")
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

[ -x "$exe" ] || { echo "FAIL: no program at $exe"; exit 1; }
rm -rf "$out"
mkdir -p "$out"

# The caption's glyphs (white on the title bar) and a text field's glyphs (black on the field)
# as masks of the same size; the number of pixels where they disagree.
caption_vs_field() {  # PICTURE CAPTION_X CAPTION_Y PICTURE FIELD_X FIELD_Y WIDTH
  convert "$out/$1.png" -crop "${7}x16+$2+$3" +repage -colorspace gray -threshold 40% \
    "$out/caption-mask.png"
  convert "$out/$4.png" -crop "${7}x16+$5+$6" +repage -colorspace gray -negate -threshold 60% \
    "$out/field-mask.png"
  { compare -metric AE "$out/caption-mask.png" "$out/field-mask.png" null: 2>&1 || true; } |
    sed 's/ .*//'
}

# region NAME X Y W H OUT: a part of a picture.
region() { convert "$out/$1.png" -crop "${4}x${5}+$2+$3" +repage "$out/$6.png"; }
same() {
  [ "$({ compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 || true; } | sed 's/ .*//')" = 0 ]
}

case "$scenario" in
buttons)
  start_demo
  see first-frame demo_start "the first frame shows the demo window over the toolbar"

  # "Button 2" in the window's toolbar: (3 + 123, 27 + 2), 111 x 21.
  click_at 181 39
  if expect_output "Sie haben Button 2 angeklickt!"; then
    pass "pressing \"Button 2\" printed \"Sie haben Button 2 angeklickt!\""
  else
    fail "after pressing \"Button 2\" the program printed: $(cat "$out/stdout.log")"
  fi

  # The radio images: "Item 1" at (13, 152), "Item 2" at (158, 152), 16 x 16 each.
  shot before-item2
  region before-item2 13 152 16 16 item1-before
  region before-item2 158 152 16 16 item2-before
  same item1-before item2-before && fail "the two radio images look alike before the click"
  click_at 166 160
  selected=""
  for _ in $(seq 1 40); do
    shot after-item2
    region after-item2 13 152 16 16 item1-after
    region after-item2 158 152 16 16 item2-after
    if same item2-after item1-before && same item1-after item2-before; then selected=1; break; fi
    sleep 0.25
  done
  if [ -n "$selected" ]; then
    pass "clicking \"Item 2\" checked it and unchecked \"Item 1\""
  else
    fail "after clicking \"Item 2\" the radio images did not swap; see $out/after-item2.png"
  fi
  if expect_output "Sie haben Button 2 angeklickt!" "Sie haben Item 2 angeklickt!"; then
    pass "clicking \"Item 2\" printed \"Sie haben Item 2 angeklickt!\""
  else
    fail "after clicking \"Item 2\" the program printed: $(cat "$out/stdout.log")"
  fi
  end_with_escape
  ;;

typing)
  start_demo
  drag 200 12 250 150
  see dragged demo_dragged "dragging the title bar moved the window off the toolbar"

  # The text field of the window now at (50, 138): (60, 208), 150 x 20.
  click_at 135 218
  keys BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  type_text "Hallo Welt"
  see typed demo_typed "the typed text shows in the focused field"
  dumps=0
  for _ in $(seq 1 40); do
    dumps=$(grep -c '^Class : VEvent$' "$out/stdout.log" || true)
    [ "$dumps" -ge 17 ] && break
    sleep 0.25
  done
  if [ "$dumps" -eq 17 ] && [ -z "$(messages)" ]; then
    pass "the field printed each of the 17 key presses and nothing else was printed"
  else
    fail "expected 17 key dumps and no messages, got $dumps dumps and: $(messages)"
  fi

  # "Fenster" of that window: (50 + 3 + 10, 138 + 27 + 2), 111 x 21.
  click_at 118 177
  see fenster demo_fenster "\"Fenster\" opened a window over the first one"
  n=$(caption_vs_field fenster 4 4 typed 61 209 120)
  if [ "$n" -le 20 ]; then
    pass "the new window's title shows the typed text ($n of 1920 mask pixels differ)"
  else
    fail "the new window's title does not show the typed text ($n of 1920 mask pixels differ)"
  fi

  # The new window's maximise button: (354, 4), 19 x 19.
  click_at 363 13
  see maximised demo_maximised "the maximise button made the new window cover the screen"
  end_with_escape
  ;;

windows)
  start_demo
  # The window's title bar over the toolbar takes the press: nothing opens.
  click_at 300 12
  sleep 0.5
  shot covered
  n=$(differing covered "$goldens/demo_start.png")
  if [ "$n" -gt 0 ] && near "$(pixel covered 300 12)" 0 0 230; then
    pass "a press on the window over the toolbar activated the window"
  else
    fail "a press at (300, 12) did not activate the window; see $out/covered.png"
  fi
  # The rightmost 20 pixels of the toolbar are the end of "Sub Window".
  click_at 410 12
  see corner demo_corner_pressed \
    "a press on the toolbar's uncovered end opened a 200 x 200 window holding a 100 x 100 one"
  # The dark outer edges of the two frames as llvmpipe draws them: the outer window's right
  # edge in column 199 and its bottom edge in row 200, over the screen below it; the nested
  # window's in column 102 and row 127, inside the outer window's grey client area.
  dark="128 128 128"
  grey="204 204 204"
  if near "$(pixel corner 199 120)" $dark && near "$(pixel corner 200 120)" $grey &&
     near "$(pixel corner 100 200)" $dark && near "$(pixel corner 100 201)" 77 77 128 &&
     near "$(pixel corner 102 100)" $dark && near "$(pixel corner 103 100)" $grey &&
     near "$(pixel corner 50 127)" $dark && near "$(pixel corner 50 128)" $grey; then
    pass "the outer window is 200 x 200 at (0, 0), the nested one 100 x 100 at (3, 27)"
  else
    fail "the frames are not where a 200 x 200 and a 100 x 100 window have them; see $out/corner.png"
  fi
  # The outer window's close button: (176, 4), 19 x 19.
  click_at 185 13
  see closed demo_corner_closed "the close button removed the window with the one inside it"
  [ -z "$(messages)" ] && pass "nothing was printed" || fail "printed: $(messages)"
  end_with_escape
  ;;

shutdown)
  start_demo
  drag 200 12 250 150
  see dragged demo_dragged "dragging the title bar moved the window off the toolbar"
  # The typical event: "Sub Window" with the toolbar uncovered.
  click_at 349 12
  see subwindow demo_subwindow "\"Sub Window\" opened the nested pair over everything"
  # "Shut Down": (146, 2), 134 x 21; its right part is clear of the new 200-wide window.
  click_at 240 12
  expect_exit "pressing \"Shut Down\""
  [ -z "$(messages)" ] && pass "nothing was printed" || fail "printed: $(messages)"
  ;;

*)
  echo "FAIL: unknown scenario $scenario"
  exit 2
  ;;
esac
finish
