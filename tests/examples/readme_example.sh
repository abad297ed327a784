#!/usr/bin/env bash
# The README's smallest program must be examples/hello/main.cpp, line for line, so that the code
# a new user copies is the code CI builds and runs. The block is the ```cpp fence that follows
# the line "<!-- examples/hello/main.cpp -->".
# Usage: readme_example.sh README.md examples/hello/main.cpp
set -euo pipefail
block=$(awk '/<!-- examples\/hello\/main.cpp -->/ {found=1; next}
             found && /^```cpp$/ {inside=1; next}
             inside && /^```$/ {exit}
             inside {print}' "$1")
if [ -z "$block" ]; then
  echo "FAIL: no code block after the marker in $1"
  exit 1
fi
if diff -u <(printf '%s\n' "$block") "$2"; then
  echo "PASS: the README's program is $2"
else
  echo "FAIL: the README's program and $2 differ (above)"
  exit 1
fi
