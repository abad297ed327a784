#!/usr/bin/env bash
# End to end: the mini Vuna demo under another host (minivuna-glfw, minivuna-sdl2) in the X
# server, driven by real input through XTEST and checked by the same pictures and output as the
# GLUT demo. One PASS or FAIL line per check.
# Usage: host_demo_e2e.sh <program> <window title> <folder for pictures and logs>
#                         <reference folder> <scenario> <vuna_close_window> [preload library]
# Scenarios: buttons, typing, windows and shutdown are the GLUT demo's own
# (tests/app/minivuna_input_e2e.sh), run unchanged; idle is the loop's, which then ends when its
# window is closed.
set -euo pipefail
exe=$(realpath "$1")
e2e_title=$2
out=$(realpath -m "$3")
goldens=$(realpath "$4")
scenario=$5
close_window=$6
preload=${7:-}
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")

case "$scenario" in
buttons | typing | windows | shutdown)
  # Sourced, the GLUT scenarios take this script for their $0, so they source the e2e_lib.sh of
  # this folder: their own steps, finding the window by this title.
  # shellcheck source=../app/minivuna_input_e2e.sh
  source "$here/../app/minivuna_input_e2e.sh" "$exe" "$out" "$goldens" "$scenario" "$preload"
  ;;
esac

# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"
[ -x "$exe" ] || { echo "FAIL: no program at $exe"; exit 1; }
rm -rf "$out"
mkdir -p "$out"

case "$scenario" in
idle)
  start_demo
  expect_idle "after its first frame"
  "$close_window" "$e2e_win"
  expect_exit "closing the window"
  ;;
*)
  echo "FAIL: unknown scenario $scenario"
  exit 2
  ;;
esac
finish
