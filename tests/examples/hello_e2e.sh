#!/usr/bin/env bash
# End to end: the README's smallest program, built from examples/hello, started in the X server
# and driven by real input: its window and caption show, "Say hello" prints "Hello!", Escape
# ends it with status 0.
# Usage: hello_e2e.sh <vuna-hello> <folder for pictures and logs> [preload library]
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath -m "$2")
preload=${3:-}
here=$(dirname "$(realpath "$0")")
# shellcheck source-path=SCRIPTDIR source=../app/e2e_lib.sh
source "$here/../app/e2e_lib.sh"
rm -rf "$out"
mkdir -p "$out"

start_program Hello 500x400
pass "a 500 by 400 window titled Hello"

# The window "Hello" is 300 x 150 at the top-left; its button at (10, 40) inside it.
shown=no
for _ in $(seq 1 40); do
  shot first-frame
  if near "$(pixel first-frame 480 390)" 77 77 128 && near "$(pixel first-frame 150 100)" 204 204 204
  then shown=yes; break; fi
  sleep 0.25
done
[ $shown = yes ] && pass "the screen and the window are drawn" || fail "no first frame (see $out)"
# The button's caption: dark glyph pixels inside the button's face.
dark_pixels=$(convert "$out/first-frame.png" -crop 80x14+14+44 -colorspace gray -threshold 40% \
  -negate -format '%[fx:mean*w*h]' info:)
[ "${dark_pixels%.*}" -gt 20 ] && pass "the caption \"Say hello\" is drawn ($dark_pixels dark pixels)" ||
  fail "no caption on the button ($dark_pixels dark pixels)"

click_at 30 50
if expect_output "Hello!"; then pass "a click on \"Say hello\" printed Hello!"; else
  fail "the output was: $(cat "$out/stdout.log")"; fi
end_with_escape
finish
