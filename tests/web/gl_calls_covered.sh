#!/usr/bin/env bash
# Every gl*/glu* function named in the toolkit's and the demo's sources (called, or taken as a
# pointer) must be renamed by web/gl/VWebGL.h: one that is not would reach the browser's GL
# without its OpenGL 1.x meaning, and would slip into a display list unnoticed.
set -euo pipefail
root=$1
header=$root/web/gl/VWebGL.h
used=$(cd "$root" && grep -rhoE '\bglu?[A-Z][A-Za-z0-9]*\b' core draw screen widgets app include \
         --include='*.cpp' --include='*.h' | grep -v '^glut' | sort -u)
[ -n "$used" ] || { echo "FAIL: found no GL call in the sources under $root"; exit 1; }
missing=()
for call in $used; do
  grep -qE "^#define $call\b" "$header" || missing+=("$call")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "FAIL: not renamed in $header: ${missing[*]}"
  exit 1
fi
echo "PASS: all $(wc -w <<< "$used") GL calls of the toolkit go through the layer"
