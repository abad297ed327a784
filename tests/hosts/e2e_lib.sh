#!/usr/bin/env bash
# The demo's end-to-end steps (tests/app/e2e_lib.sh) for the demo under another host: the same
# steps, with the demo's window found by the title in $e2e_title instead of "mini Vuna".
# Sourced by host_demo_e2e.sh, also in place of tests/app/e2e_lib.sh when it runs the GLUT
# demo's scenarios.
# shellcheck source=../app/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../app/e2e_lib.sh"

# start_demo as the GLUT steps define it, looking for the other title: an xdotool --name
# pattern, its regular-expression characters escaped.
e2e_title_pattern="^$(printf '%s' "$e2e_title" | sed 's/[][()^$.*+?{}|\\]/\\&/g')\$"
e2e_start_demo=$(declare -f start_demo)
[ "${e2e_start_demo/"'^mini Vuna\$'"/}" != "$e2e_start_demo" ] ||
  { echo "FAIL: start_demo in tests/app/e2e_lib.sh no longer searches for '^mini Vuna\$'"; exit 1; }
eval "${e2e_start_demo/"'^mini Vuna\$'"/"'$e2e_title_pattern'"}"
