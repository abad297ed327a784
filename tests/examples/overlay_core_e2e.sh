#!/usr/bin/env bash
# End to end: vuna-overlay-core, the overlay example under GLFW in an OpenGL 3.3 core-profile
# context, is to a user the same program as vuna-overlay (same window, cube, widgets, keys,
# printed lines and routing), so it goes through overlay_e2e.sh's scenario unchanged: real input
# through XTEST, the cube's and the widgets' pixels (the widgets drawn in a core context), and
# nothing on standard error, where a screen that cannot draw in the context would say so.
# Usage: overlay_core_e2e.sh <vuna-overlay-core> <folder for pictures and logs> [preload library]
set -euo pipefail
exec bash "$(dirname "$(realpath "$0")")/overlay_e2e.sh" "$@"
