#!/usr/bin/env bash
# Shared steps of the demo's end-to-end tests: start the real program in the X server, drive it
# with real input through XTEST (xdotool without --window: pointer and keys go where a user's
# would), read what it shows (import -window, convert ... txt:-) and what it prints.
# Sourced by the test scripts; every check prints one PASS or FAIL line.
#
# The caller sets: exe (the program), out (a folder for pictures and logs), preload (a library
# to preload, or empty), goldens (the reference pictures' folder).

e2e_failures=0
e2e_pid=""
e2e_win=""
e2e_x=0
e2e_y=0

pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; e2e_failures=$((e2e_failures + 1)); }
# A failure after which the scenario cannot go on.
abort() {
  echo "FAIL: $*"
  stop_demo
  exit 1
}

stop_demo() {
  if [ -n "$e2e_pid" ] && kill -0 "$e2e_pid" 2>/dev/null; then
    kill "$e2e_pid" 2>/dev/null || true
    wait "$e2e_pid" 2>/dev/null || true
  fi
  e2e_pid=""
}

# start_program TITLE WxH [ARGUMENT...]: starts $exe with the arguments from its own folder (it
# reads its images from the working directory), with stdout and stderr going to files, and waits
# for its window, titled TITLE exactly and WxH in size, which it then focuses.
start_program() {
  local title=$1 size=$2 pattern
  shift 2
  mkdir -p "$out"
  : > "$out/stdout.log"
  (
    cd "$(dirname "$exe")"
    if [ -n "$preload" ]; then
      export LD_PRELOAD="$preload" ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0"
    fi
    exec "$exe" "$@" > "$out/stdout.log" 2> "$out/stderr.log"
  ) &
  e2e_pid=$!
  trap stop_demo EXIT
  pattern="^$(printf '%s' "$title" | sed 's/[][()^$.*+?{}|\\]/\\&/g')\$"
  e2e_win=$(timeout 30 xdotool search --sync --onlyvisible --name "$pattern" | head -n 1) ||
    abort "no window named \"$title\" appeared"
  [ -n "$e2e_win" ] || abort "no window named \"$title\""
  eval "$(xdotool getwindowgeometry --shell "$e2e_win")"
  e2e_x=$X
  e2e_y=$Y
  [ "${WIDTH}x${HEIGHT}" = "$size" ] || abort "window is ${WIDTH}x${HEIGHT}, expected $size"
  xdotool windowfocus --sync "$e2e_win"
}

# Starts the demo (titled $e2e_title, "mini Vuna" unless the caller names another host's) and
# waits for its first frame.
start_demo() {
  start_program "${e2e_title:-mini Vuna}" 500x400
  # The first frame has landed once the screen's background shows where no widget is.
  for _ in $(seq 1 80); do
    shot first-frame
    if near "$(pixel first-frame 480 390)" 77 77 128; then return 0; fi
    sleep 0.25
  done
  abort "the first frame never showed the screen's background"
}

# shot NAME: the window's contents as $out/NAME.png.
shot() { import -window "$e2e_win" "$out/$1.png" 2>/dev/null || true; }

# wait_for_screen X Y WHAT: shoots first-frame until the pixel (X, Y) shows the screen's fill
# (about ten seconds at most), then passes "WHAT is drawn" or aborts.
wait_for_screen() {
  local _
  for _ in $(seq 1 40); do
    shot first-frame
    if near "$(pixel first-frame "$1" "$2")" 77 77 128; then pass "$3 is drawn"; return; fi
    sleep 0.25
  done
  abort "no first frame (see $out)"
}

# pixel NAME X Y: "r,g,b" (0..255) of a pixel of $out/NAME.png, in window coordinates.
pixel() {
  convert "$out/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# near "r,g,b" R G B: every channel within 2 of the expected value.
near() {
  local r g b d
  IFS=, read -r r g b <<< "$1"
  [ -n "$r" ] || return 1
  for d in $((r - $2)) $((g - $3)) $((b - $4)); do
    [ "${d#-}" -le 2 ] || return 1
  done
}

# Real input, in window coordinates; the pointer is moved there first, as a user's hand would.
move_to() { xdotool mousemove $((e2e_x + $1)) $((e2e_y + $2)); sleep 0.05; }
click_at() { move_to "$1" "$2"; xdotool click 1; sleep 0.1; }
# drag X0 Y0 X1 Y1: press, move in a few steps, release at the end.
drag() {
  move_to "$1" "$2"
  xdotool mousedown 1
  sleep 0.1
  local i
  for i in 1 2 3 4; do
    move_to $(($1 + ($3 - $1) * i / 4)) $(($2 + ($4 - $2) * i / 4))
  done
  sleep 0.1
  xdotool mouseup 1
  sleep 0.1
}
keys() { xdotool key --delay 30 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }

# Pixels of the window that differ from a reference by more than 2/255.
differing() {
  { compare -fuzz 0.79% -metric AE "$2" "$out/$1.png" "$out/$1.diff.png" 2>&1 >/dev/null || true; } |
    sed 's/ .*//'
}

# see NAME GOLDEN WHAT: waits (up to 10 s) until the window looks like the reference picture
# $goldens/GOLDEN.png, the in-process rendering of the same scene after the same input.
see() {
  local n=""
  for _ in $(seq 1 40); do
    shot "$1"
    n=$(differing "$1" "$goldens/$2.png")
    if [ "$n" = "0" ]; then
      pass "$3 (the window matches $2.png)"
      rm -f "$out/$1.diff.png"
      return 0
    fi
    sleep 0.25
  done
  fail "$3: ${n:-all} pixels differ from $goldens/$2.png; actual $out/$1.png, diff $out/$1.diff.png"
}

# expect_output LINE...: the program's whole output, once it has printed this much, is exactly
# these lines (it flushes every line, so nothing is held back in a buffer).
expect_output() {
  local want
  want=$(printf '%s\n' "$@")
  for _ in $(seq 1 40); do
    if [ "$(cat "$out/stdout.log")" = "$want" ]; then return 0; fi
    sleep 0.25
  done
  return 1
}

# Text lines the program printed that are not the text field's key dumps.
messages() { grep -v -e '^Class : VEvent$' -e '^[A-Z][a-z]* = ' "$out/stdout.log" || true; }

# Ends the demo with Escape and expects status 0.
end_with_escape() {
  xdotool windowfocus --sync "$e2e_win"
  xdotool key Escape
  expect_exit "Escape"
}

# expect_idle WHAT: over 5 s the program spends no CPU time, in itself or in the kernel for it
# (utime and stime, fields 14 and 15 of /proc/PID/stat, in clock ticks): its loop waits.
expect_idle() {
  local before after
  before=$(awk '{ print $14 + $15 }' "/proc/$e2e_pid/stat")
  sleep 5
  after=$(awk '{ print $14 + $15 }' "/proc/$e2e_pid/stat")
  if [ "$after" -eq "$before" ]; then
    pass "idle for 5 s $1 the program used no CPU time"
  else
    fail "idle for 5 s $1 the program used $((after - before)) ticks"
  fi
}

# expect_exit WHAT: the program ends within 10 s with status 0.
expect_exit() {
  local status=0
  for _ in $(seq 1 40); do
    kill -0 "$e2e_pid" 2>/dev/null || break
    sleep 0.25
  done
  if kill -0 "$e2e_pid" 2>/dev/null; then
    fail "still running 10 s after $1"
    stop_demo
    return 0
  fi
  wait "$e2e_pid" || status=$?
  e2e_pid=""
  if [ "$status" -eq 0 ]; then
    pass "$1 ended the program with status 0"
  else
    sed 's/^/  stderr: /' "$out/stderr.log" | head -n 40
    fail "$1 ended the program with status $status, expected 0"
  fi
}

# The closing line and the exit status of a scenario.
finish() {
  stop_demo
  if [ "$e2e_failures" -eq 0 ]; then
    echo "all checks passed"
    exit 0
  fi
  echo "$e2e_failures checks failed; pictures and logs in $out"
  exit 1
}
