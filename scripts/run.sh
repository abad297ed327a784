#!/usr/bin/env bash
# Sets up, builds and starts the mini Vuna demo. With a display it opens the window; without
# one it runs the demo inside a virtual X server, takes a short tour through it with real input
# (scripts/demo_tour.sh), saving a screenshot after each step, ends the demo with Escape and
# says where the pictures are and what the demo printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Only what the demo needs: a first configure leaves the tests out (they need GoogleTest and
# take minutes to build); a build folder configured before keeps its choice. Everything the
# configure enables is built, so `cmake --install build` works right after.
bash scripts/setup.sh --demo
tests=()
[ -f build/CMakeCache.txt ] || tests=(-DVUNA_BUILD_TESTS=OFF)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${tests[@]}" > /dev/null
cmake --build build -j "$(nproc)"

if [ -n "${DISPLAY:-}" ]; then
  cd build
  exec ./minivuna
fi

shots="$root/build/screenshots"
mkdir -p "$shots"
echo "No display: running mini Vuna in a virtual X server."
bash scripts/with_display.sh bash scripts/demo_tour.sh "$root/build/minivuna" "$shots"
