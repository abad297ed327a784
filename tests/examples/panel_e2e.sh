#!/usr/bin/env bash
# End to end: the settings panel of examples/panel, started in the X server and driven by real
# input: a press on the slider's track, an arrow key, the spin box's up arrow, the bar that
# follows the speed, the printed lines, Escape.
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
shown=no
for _ in $(seq 1 40); do
  shot first-frame
  if near "$(pixel first-frame 480 390)" 77 77 128; then shown=yes; break; fi
  sleep 0.25
done
[ $shown = yes ] && pass "the panel is drawn" || abort "no first frame (see $out)"
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
end_with_escape
finish
