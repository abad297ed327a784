#!/usr/bin/env bash
# Runs a command with an X display: the current one if DISPLAY is set, otherwise a private
# virtual X server (Xvfb, 1280x1024 at 24 bits: room for a window at a scale of 2) started for
# the command and stopped after it.
# Xvfb picks a free display number itself (-displayfd), so several runs on one machine never
# race for the same number; -noreset keeps it from resetting whenever its last client leaves,
# which would refuse the next test process that connects during the reset.
# Usage: with_display.sh <command> [arguments...]
set -euo pipefail

if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

numberfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3> "$numberfile" 2> "$numberfile.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -f "$numberfile" "$numberfile.log"' EXIT

for _ in $(seq 1 100); do
  [ -s "$numberfile" ] && break
  kill -0 "$xvfb" 2>/dev/null || { cat "$numberfile.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$numberfile" ] || { echo "Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$numberfile")"

status=0
"$@" || status=$?
exit "$status"
