#!/usr/bin/env bash
# End to end: the real vuna-overlay program in the X server, driven by real input through XTEST,
# checked by what a user sees (the cube's and the widgets' pixels) and by what it prints. The
# point is the split of input between the program's scene and Vuna's widgets drawn over it.
# vuna-overlay-core, the same program under GLFW in a core profile, goes through it too
# (overlay_core_e2e.sh). One PASS or FAIL line per check.
# Usage: overlay_e2e.sh <vuna-overlay or vuna-overlay-core> <folder for pictures and logs>
#        [preload library]
# The optional library is preloaded into the program (it keeps the GL driver mapped for the
# leak check of a sanitizer build).
# The picture tests below are functions that wait_for calls by name:
# shellcheck disable=SC2317
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath -m "$2")
preload=${3:-}
here=$(dirname "$(realpath "$0")")
# shellcheck source-path=SCRIPTDIR source=../app/e2e_lib.sh
source "$here/../app/e2e_lib.sh"

[ -x "$exe" ] || { echo "FAIL: no program at $exe"; exit 1; }
rm -rf "$out"
mkdir -p "$out"

# Window coordinates. The "Overlay" window: (10, 10), 240 x 140, title bar the top 23 rows,
# close button (226, 14); "Reset view" at (20, 45), the "Wireframe" box at (20, 75), 16 x 16,
# the text field at (20, 105), 150 x 20. The cube is centred on (320, 240); its top face runs
# under the window's bottom right, at (230, 140).
cube_area="160x160+240+160"  # the middle of the cube, never under the window here
window_area="240x140+10+10"
box_area="16x16+20+75"
field_area="150x20+20+105"

# region PICTURE GEOMETRY OUT: a part of a picture; same A B: equal pixel for pixel.
region() { convert "$out/$1.png" -crop "$2" +repage "$out/$3.png"; }
same() {
  [ "$({ compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 || true; } | sed 's/ .*//')" = 0 ]
}
# Tests of "r,g,b": a lit face of the cube (more red than green, more green than blue); black
# or nearly; the client area's grey; the inactive title bar.
lit() {
  local r g b
  IFS=, read -r r g b <<< "$1"
  [ -n "$r" ] && [ "$r" -gt 60 ] && [ "$r" -gt "$g" ] && [ "$g" -gt "$b" ]
}
dark() {
  local r g b
  IFS=, read -r r g b <<< "$1"
  [ -n "$r" ] && [ "$r" -le 20 ] && [ "$g" -le 20 ] && [ "$b" -le 20 ]
}
grey() { near "$1" 204 204 204; }
inactive() { near "$1" 51 51 64; }

not() { ! "$@"; }
# check WHAT COMMAND...: one PASS or FAIL line for the command's answer.
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what (see $out)"; fi; }
# wait_for NAME TEST...: screenshots NAME (up to 10 s) until TEST, given NAME, passes.
wait_for() {
  local name=$1; shift
  for _ in $(seq 1 40); do shot "$name"; "$@" "$name" && return 0; sleep 0.25; done
  return 1
}
# A click on (630, 470), a corner of the scene that the cube never reaches.
click_scene() { click_at 630 470; }
# A screenshot taken once the program has handled the input before it.
settle() { sleep 0.5; shot "$1"; }
# resets N: after a moment the program has printed exactly N "view reset" lines and no other
# line but the field's key dumps.
resets() {
  for _ in $(seq 1 20); do
    [ "$(messages | grep -c '^view reset$')" -ge "$1" ] && break
    sleep 0.25
  done
  sleep 0.5
  [ "$(messages)" = "$(for _ in $(seq 1 "$1"); do echo "view reset"; done)" ]
}

start_program "Vuna overlay" 640x480
first_frame() { lit "$(pixel "$1" 320 240)" && grey "$(pixel "$1" 150 60)"; }
wait_for start first_frame || abort "the first frame never showed the cube and the window"
pass "the cube covers (320, 240) with a lit colour ($(pixel start 320 240))"
over_scene() {
  inactive "$(pixel start 200 20)" && grey "$(pixel start 230 140)" && dark "$(pixel start 630 470)"
}
check "the window's title bar and client area are drawn over the cube and the black" over_scene
region start "$cube_area" cube-start

# A press and release on "Reset view" are the GUI's: the handler prints, the cube stays.
click_at 40 55
check "pressing \"Reset view\" printed \"view reset\"" resets 1
settle reset && region reset "$cube_area" cube-reset
check "the press on \"Reset view\" did not turn the cube" same cube-reset cube-start

# A drag from the scene across the window, released over its close button: the cube turns, and
# the window neither moves nor closes (the release is not the GUI's, so no click lands there).
# The click on an empty corner first drops the focus, so the window looks the same after.
click_scene
settle before-turn && region before-turn "$window_area" window-before
drag 400 300 235 23
settle turned
region turned "$cube_area" cube-turned
region turned "$window_area" window-turned
check "a drag from (400, 300) turned the cube" not same cube-turned cube-start
check "the drag across the window, released on its close button, left it as it was" \
  same window-turned window-before
check "the drag printed nothing" resets 1

keys r
check "r over the scene printed \"view reset\"" resets 2
back_to_start() { region "$1" "$cube_area" "$1-cube" && same "$1-cube" cube-start; }
check "r turned the cube back to the start view" wait_for reset-again back_to_start

# "Wireframe" unfills the faces, the centre shows the cleared black; the window is still
# filled although the scene leaves line polygons in force.
region reset-again "$box_area" box-unchecked
click_at 28 83
wire() { dark "$(pixel "$1" 320 240)"; }
check "checking \"Wireframe\" left the cube's faces unfilled" wait_for wire wire
check "the window stays filled over the wireframe" grey "$(pixel wire 200 130)"

# w is the program's once a click on the scene has taken the focus from the box.
click_scene
keys w
filled() {
  lit "$(pixel "$1" 320 240)" && region "$1" "$box_area" "$1-box" && same "$1-box" box-unchecked
}
check "w filled the faces again and unchecked the box" wait_for filled filled

# Typed into the field, w and r are the field's: its text and key dumps, no wireframe, no reset.
click_at 90 115
settle field-focused && region field-focused "$field_area" field-before
keys w r
dumped() { [ "$(grep -c '^Class : VEvent$' "$out/stdout.log")" = 2 ] &&
  [ "$(grep '^Key = ' "$out/stdout.log" | tr '\n' ' ')" = "Key = 119 Key = 114 " ]; }
check "the field dumped the keys 119 and 114" wait_for typed dumped
settle typed && region typed "$field_area" field-after
check "the text shows in the field" not same field-after field-before
check "w typed into the field left the cube filled" lit "$(pixel typed 320 240)"
check "r typed into the field printed no \"view reset\"" resets 2

click_scene
keys r
check "after a click on the scene r printed \"view reset\"" resets 3

# The title bar's drag moves the window by the pointer's travel and leaves the cube as it was.
click_at 130 20
settle activated && region activated "$window_area" window-activated
region activated "$cube_area" cube-activated
drag 130 20 130 340
moved() { region "$1" "240x140+10+330" "$1-window" && same "$1-window" window-activated; }
check "dragging the title bar by (0, 320) moved the window to (10, 330)" wait_for moved moved
region moved "$cube_area" cube-moved
check "moving the window did not turn the cube" same cube-moved cube-activated
check "the cube's top face shows where the window was" lit "$(pixel moved 230 140)"

# Escape ends the program even while the field (now at (20, 425)) holds the keys.
click_at 90 435
end_with_escape
check "nothing was written to standard error" not test -s "$out/stderr.log"
finish
