#!/usr/bin/env bash
# Runs the demo in the current X server, takes screenshots of it, ends it with Escape and
# prints where the pictures are and what the demo printed.
# Usage: demo_tour.sh <path to minivuna> <folder for the pictures>
set -euo pipefail
exe=$(realpath "$1")
shots=$(realpath -m "$2")
mkdir -p "$shots"
cd "$(dirname "$exe")"  # the images are read from the working directory

"$exe" > "$shots/demo-output.txt" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

win=$(timeout 20 xdotool search --sync --onlyvisible --name '^mini Vuna$' | head -n 1)
sleep 0.5  # let the first frame land

shot() {  # shot NAME: saves the window as NAME.png
  import -window "$win" "$shots/$1.png"
  echo "  $shots/$1.png"
}

echo "Screenshots:"
shot 01-start

xdotool windowfocus --sync "$win"
xdotool key Escape
wait "$pid" || true
trap - EXIT
echo "The demo printed:"
sed 's/^/  /' "$shots/demo-output.txt"
