#!/usr/bin/env bash
# The demo's end-to-end steps for the demo under another host: tests/app/e2e_lib.sh itself,
# whose start_demo finds the window by the title in $e2e_title. The GLUT scenarios, sourced by
# host_demo_e2e.sh, take that script for their $0 and so source this file in its place.
# shellcheck source=../app/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../app/e2e_lib.sh"
