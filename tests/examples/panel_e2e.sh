#!/usr/bin/env bash
# End to end: the settings panel of examples/panel, started in the X server and driven by real
# input: a press on the slider's track, an arrow key, the spin box's up arrow, the bar that
# follows the speed, the printed lines, the wheel, the slider's tooltip, Escape.
# The first frame is the picture docs/widgets.md shows, docs/panel.png: the test keeps it true.
# Usage: panel_e2e.sh <vuna-panel> <folder for pictures and logs> [preload library]
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

start_program "Vuna panel" 500x400
# The window "Settings" is at (20, 20); in it the slider at (70, 35), 200 by 20, the spin box
# at (70, 70), 80 by 20, the bar at (10, 105), 260 by 20. In window pixels: the slider's track
# from x 90, the bar's inside from x 31, 126 to 144 high.
wait_for_screen 480 390 "the panel"
see first-frame panel "the first frame is the one docs/panel.png shows"
# At 25 the bar is filled 64 of its 258 inside pixels: x 100 is still empty.
[ "$(pixel first-frame 100 135)" = "$(pixel first-frame 250 135)" ] &&
  pass "at 25 the bar is filled less than a third" || fail "the bar at 25 looks filled at x 100"

click_at 190 65  # 100 pixels into the slider: the knob's centre 95 into its 190 of travel
keys Right
click_at 163 94  # the spin box's up arrow
if expect_output "speed 50" "speed set 50" "speed 51" "speed set 51" "count 4"; then
  pass "the track press, Right and the up arrow printed their lines"
else
  fail "the output was: $(tr '\n' '|' < "$out/stdout.log")"
fi
shot after
[ "$(pixel after 100 135)" != "$(pixel after 250 135)" ] &&
  [ "$(pixel after 100 135)" != "$(pixel first-frame 100 135)" ] &&
  pass "at 51 the bar is filled past x 100" || fail "the bar did not follow the speed (see $out)"

# The wheel over the slider: one step up (X button 4, GLUT's 3). Then the pointer rests on the
# slider: its hint's box, 224 by 20 with its frame's corner 4 right of and 20 below the pointer,
# shows over the spin box, and goes when the pointer leaves.
move_to 150 65
xdotool click 4
if expect_output "speed 50" "speed set 50" "speed 51" "speed set 51" "count 4" "speed 52" \
  "speed set 52"; then
  pass "a wheel step over the slider moved it one step"
else
  fail "the wheel printed: $(tr '\n' '|' < "$out/stdout.log")"
fi
move_to 450 350  # after the step the hint waits until the pointer has left the slider
move_to 151 66
sleep 1
shot hint
move_to 450 350
sleep 0.5
shot no-hint
[ "$(pixel hint 155 86)" != "$(pixel no-hint 155 86)" ] &&
  [ "$(pixel hint 155 86)" = "$(pixel hint 378 105)" ] &&
  pass "the slider's tooltip showed after the rest and went" ||
  fail "no tooltip box at (155, 86) (see $out/hint.png)"
end_with_escape
finish
