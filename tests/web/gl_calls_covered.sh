#!/usr/bin/env bash
# Every gl*/glu* function named in the toolkit's, the demo's and the GLUT host's sources (called,
# or taken as a pointer) must be named by draw/VGLCalls.h, which sends it to the GL layer: one
# that is not would reach a core profile or the browser's WebGL 2 without its OpenGL 1.x meaning
# (or not link there at all), and would slip into a display list unnoticed. The layer's own
# sources call the driver and are not counted.
set -euo pipefail
root=$1
header=$root/draw/VGLCalls.h
layer='^draw/(VGLCalls\.h|VGLLayer\.|VGLRenderer\.|VDisplayLists\.)'
files=$(cd "$root" && grep -rlE '\bglu?[A-Z]' core draw screen widgets app include hosts/glut \
          --include='*.cpp' --include='*.h' | grep -vE "$layer" || true)
used=$(cd "$root" && [ -n "$files" ] && grep -hoE '\bglu?[A-Z][A-Za-z0-9]*\b' $files \
         | grep -v '^glut' | sort -u || true)
[ -n "$used" ] || { echo "FAIL: found no GL call in the sources under $root"; exit 1; }
missing=()
for call in $used; do
  grep -qE "^#define $call\b" "$header" || missing+=("$call")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "FAIL: not named in $header: ${missing[*]}"
  exit 1
fi
echo "PASS: all $(wc -w <<< "$used") GL calls of the toolkit go through the layer"
