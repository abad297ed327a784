#!/usr/bin/env bash
# Runs the demo in the current X server and takes the user on a short tour through real input
# (xdotool, without --window: the pointer and the keys go where a user's would): drags the demo
# window off the toolbar by its title bar, types into the text field, presses "Fenster", opens
# a "Sub Window", saving a numbered screenshot after each step; ends the demo with Escape and
# prints where the pictures are and what the demo printed.
# Usage: demo_tour.sh <path to minivuna> <folder for the pictures>
set -euo pipefail
exe=$(realpath "$1")
shots=$(realpath -m "$2")
mkdir -p "$shots"
rm -f "$shots"/[0-9][0-9]-*.png
cd "$(dirname "$exe")"  # the images are read from the working directory

"$exe" > "$shots/demo-output.txt" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

win=$(timeout 20 xdotool search --sync --onlyvisible --name '^mini Vuna$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$win")"  # X, Y: the window's corner on the screen
xdotool windowfocus --sync "$win"

# The colour of a pixel of a picture, "r,g,b".
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
differ() { ! compare -metric AE "$1" "$2" null: > /dev/null 2>&1; }

last=""
# shot NAME: once the window has taken in the last step (its picture changed and then held
# still), saves it as NAME.png.
shot() {
  local file="$shots/$1.png" prev="$shots/.prev.png"
  for _ in $(seq 1 40); do
    import -window "$win" "$file"
    if [ -z "$last" ] || differ "$file" "$last"; then
      if [ -f "$prev" ] && ! differ "$file" "$prev"; then break; fi
      cp "$file" "$prev"
    fi
    sleep 0.15
  done
  rm -f "$prev"
  last=$file
  echo "  $file"
}

at() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.05; }
click() { at "$1" "$2"; xdotool click 1; }

echo "Screenshots:"
# The first frame has landed once the screen's blue-grey shows where no widget is.
for _ in $(seq 1 80); do
  import -window "$win" "$shots/01-start.png"
  [ "$(pixel "$shots/01-start.png" 480 390)" = "77,77,128" ] && break
  sleep 0.25
done
shot 01-start

# Drag the window by its title bar, down and to the right, off the screen's toolbar.
at 200 12
xdotool mousedown 1
for i in 1 2 3 4; do at $((200 + 50 * i / 4)) $((12 + 138 * i / 4)); done
xdotool mouseup 1
shot 02-dragged

# Into the text field (now at 60, 208): replace "!!!" with "Vuna".
click 135 218
xdotool key --delay 40 BackSpace BackSpace BackSpace
xdotool type --delay 40 "Vuna"
shot 03-typed

# "Fenster" opens a new window captioned with the field's text.
click 118 177
shot 04-fenster

# The new window covers the toolbar but for its rightmost 20 pixels: the end of "Sub Window".
click 410 12
shot 05-subwindow

xdotool windowfocus --sync "$win"
xdotool key Escape
status=0
wait "$pid" || status=$?
trap - EXIT
echo "The demo ended with status $status. It printed:"
sed 's/^/  /' "$shots/demo-output.txt"
