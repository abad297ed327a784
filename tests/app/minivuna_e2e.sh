#!/usr/bin/env bash
# End to end: starts the real demo program inside the X server, finds its window by name, checks
# its size and the screen's background colour in a screenshot, ends it with Escape typed through
# XTEST, and expects exit status 0.
# Usage: minivuna_e2e.sh <path to minivuna> <folder for screenshots and logs> [preload library]
# The optional library is preloaded into the program (it keeps the GL driver mapped for the
# leak check of a sanitizer build).
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath -m "$2")
preload=${3:-}
mkdir -p "$out"
cd "$(dirname "$exe")"  # the images are read from the working directory

fail() { echo "FAIL: $*"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

[ -x "$exe" ] || fail "no program at $exe"
if [ -n "$preload" ]; then
  LD_PRELOAD="$preload" ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" \
    "$exe" > "$out/stdout.log" 2> "$out/stderr.log" &
else
  "$exe" > "$out/stdout.log" 2> "$out/stderr.log" &
fi
pid=$!

win=$(timeout 20 xdotool search --sync --onlyvisible --name '^mini Vuna$' | head -n 1) ||
  fail "no window named \"mini Vuna\" appeared"
[ -n "$win" ] || fail "no window named \"mini Vuna\""

geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/ *Geometry: //p')
[ "$geometry" = "500x400" ] || fail "window is $geometry, expected 500x400"

# The colour of one pixel of the screenshot, as "r,g,b" in 0..255.
pixel() {
  convert "$out/first-frame.png" -crop "1x1+$1+$2" -depth 8 txt:- |
    sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
within() { local d=$(( $1 - $2 )); [ "${d#-}" -le 2 ]; }
near() {  # near "r,g,b" R G B: every channel within 2 of 255
  local r g b
  IFS=, read -r r g b <<< "$1"
  within "$r" "$2" && within "$g" "$3" && within "$b" "$4"
}

# The first frame may take a moment: retry until the background shows.
ok=""
for _ in $(seq 1 40); do
  import -window "$win" "$out/first-frame.png" 2>/dev/null || true
  if [ -f "$out/first-frame.png" ]; then
    c=$(pixel 480 390)
    if [ -n "$c" ] && near "$c" 77 77 128; then ok=1; break; fi
  fi
  sleep 0.25
done
[ -n "$ok" ] || fail "background at (480, 390) is ${c:-unreadable}, expected about 77,77,128 (0.3, 0.3, 0.5)"

xdotool windowfocus --sync "$win"
xdotool key Escape
status=0
for _ in $(seq 1 40); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.25
done
if kill -0 "$pid" 2>/dev/null; then fail "still running after Escape"; fi
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { cat "$out/stderr.log"; fail "exit status $status after Escape, expected 0"; }
echo "PASS: window 500x400, background ${c}, Escape ended it with status 0"
