#!/usr/bin/env bash
# End to end: the GL calls of the demo's first frame, recorded by a preloaded library up to the
# first buffer swap, are the ones in the reference list, call for call and argument for
# argument: on a compatibility context the toolkit's calls reach the driver as they are.
# Usage: gl_trace_e2e.sh <minivuna> <trace library> <reference list> <output folder>
# With UPDATE_GOLDENS=1 the recorded list becomes the reference.
set -euo pipefail
exe=$(realpath "$1")
library=$(realpath "$2")
reference=$(realpath -m "$3")
out=$(realpath -m "$4")
mkdir -p "$out"
cd "$(dirname "$exe")"  # the images are read from the working directory
trace=$out/first-frame.trace
rm -f "$trace"
# A sanitizer build's runtime would refuse to come after the preloaded library.
VUNA_GL_TRACE=$trace LD_PRELOAD=$library \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" \
  "$exe" > "$out/stdout.log" 2> "$out/stderr.log" &
pid=$!
for _ in $(seq 1 80); do
  grep -qx 'glutSwapBuffers()' "$trace" 2>/dev/null && break
  sleep 0.25
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
grep -qx 'glutSwapBuffers()' "$trace" || { echo "FAIL: no first frame was traced (see $out)"; exit 1; }
if [ "${UPDATE_GOLDENS:-}" = 1 ]; then
  cp "$trace" "$reference"
fi
if ! diff -u "$reference" "$trace" > "$out/trace.diff"; then
  echo "FAIL: the first frame's GL calls differ from $reference:"
  head -40 "$out/trace.diff"
  exit 1
fi
echo "PASS: the first frame's $(wc -l < "$trace") GL calls are the reference's"
