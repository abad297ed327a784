#!/usr/bin/env bash
# End to end: a host's services as a whole program meets them (services_probe.cpp), in the X
# server. One PASS or FAIL line per check.
# Usage: services_e2e.sh <probe> <window title> <folder for logs> <scenario> [preload library]
# Scenarios:
#   timers     a 300 ms timer fires once, 300 to 600 ms after it was started; one cancelled at
#              once never does; then 5 s of idling take no CPU time
#   clipboard  what the program set, another X client (xclip) reads as UTF-8, and what xclip
#              set, the program reads as Latin-1
#   scale      on a display whose Xft.dpi is 192 (a private X server), the scale is 2
set -euo pipefail
exe=$(realpath "$1")
title=$2
out=$(realpath -m "$3")
scenario=$4
preload=${5:-}
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"
rm -rf "$out"
mkdir -p "$out"

# wait_line PATTERN SECONDS: waits for a line of the program's output matching the pattern.
wait_line() {
  for _ in $(seq 1 $(($2 * 10))); do
    grep -qa -- "$1" "$out/stdout.log" && return 0
    sleep 0.1
  done
  return 1
}

case "$scenario" in
timers)
  start_program "$title" 200x100
  wait_line '^timer fired' 5 || abort "the 300 ms timer never fired"
  sleep 1  # time for a second firing or the cancelled timer, which must not come
  fired=$(grep -ac '^timer fired' "$out/stdout.log" || true)
  ms=$(sed -n 's/^timer fired after \([0-9]*\) ms$/\1/p' "$out/stdout.log" | head -n 1)
  if [ "$fired" -eq 1 ] && [ "$ms" -ge 300 ] && [ "$ms" -le 600 ]; then
    pass "the 300 ms timer fired once, after $ms ms"
  else
    fail "the 300 ms timer fired $fired times, first after ${ms:-?} ms"
  fi
  if grep -qa '^cancelled timer fired' "$out/stdout.log"; then
    fail "the cancelled timer fired"
  else
    pass "the cancelled timer never fired"
  fi
  expect_idle "after its timers"
  ;;
clipboard)
  start_program "$title" 200x100
  got=$(timeout 10 xclip -o -selection clipboard || true)
  if [ "$got" = "set by Vuna: café" ]; then
    pass "xclip read the text the program set, as UTF-8"
  else
    fail "xclip read \"$got\", expected \"set by Vuna: café\""
  fi
  # xclip serves the selection until another client takes it; -quiet keeps it in the
  # foreground, so that it goes with this script.
  printf 'from xclip: ü€' | xclip -quiet -i -selection clipboard 2>/dev/null &
  xclip_pid=$!
  sleep 0.5
  xdotool windowfocus --sync "$e2e_win"
  xdotool key p
  expected=$(printf 'clipboard: from xclip: \xfc?')
  if wait_line '^clipboard: ' 10 && [ "$(grep -a '^clipboard: ' "$out/stdout.log")" = "$expected" ]; then
    pass "the program read xclip's text as Latin-1, the euro sign beyond it as ?"
  else
    fail "the program read: $(grep -a '^clipboard: ' "$out/stdout.log" | od -c | head -n 3)"
  fi
  kill "$xclip_pid" 2>/dev/null || true
  ;;
scale)
  # The probe prints its scale before its loop starts; timeout ends it there.
  # (The scale may come with the window, after the scene was built: then as a change.)
  (cd "$(dirname "$exe")" && env -u DISPLAY bash "$here/../../scripts/with_display.sh" bash -c \
    "echo 'Xft.dpi: 192' | xrdb -merge && timeout 5 '$exe'") > "$out/stdout.log" 2>&1 || true
  if [ "$(grep -a '^scale ' "$out/stdout.log" | tail -n 1)" = "scale changed to 2" ] ||
    grep -qx 'scale 2' "$out/stdout.log"; then
    pass "on a display of 192 dpi the screen reported a scale of 2"
  else
    fail "on a display of 192 dpi the screen reported: $(head -n 3 "$out/stdout.log")"
  fi
  ;;
*)
  echo "FAIL: unknown scenario $scenario"
  exit 2
  ;;
esac
finish
