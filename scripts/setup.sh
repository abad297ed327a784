#!/usr/bin/env bash
# Installs the Debian packages that building, testing, fuzzing, benchmarking and running Vuna
# need, and only those that are missing. clang carries libFuzzer; PLIB and Dear ImGui are the
# benchmark's peers and are never linked into the library; GLFW and SDL2 are the hosts of the
# adapters beside the GLUT one; xclip and xrdb let their tests reach the desktop's clipboard and
# display scale. Safe to run again: it does nothing when everything is there.
# With --web it installs what the browser build and its tests need instead: Debian's emscripten
# (which builds offline from its own prebuilt libraries) and Chromium. With --demo only what
# building and running the demo needs (with a virtual X server and its tour when there is no
# display). When another apt holds the package lock, it waits for it (up to ten minutes).
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
  libgtest-dev libpng-dev
  xvfb xauth x11-utils
  libfreetype-dev fonts-liberation
  xdotool imagemagick xclip x11-xserver-utils
  clang libclang-rt-14-dev
  libbenchmark-dev libplib-dev libimgui-dev libstb-dev
  doxygen
  libglfw3-dev libsdl2-dev libegl-dev
)
case "${1:-}" in
  --web) packages=(emscripten chromium python3) ;;
  --demo)
    packages=(g++ cmake make pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri
      xvfb xauth x11-utils xdotool imagemagick) ;;
  "") ;;
  *) echo "usage: scripts/setup.sh [--web|--demo]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
# The lock options make apt wait for an apt or dpkg that is running (an unattended upgrade)
# instead of failing at once; the package lists' lock is waited for the same way.
wait_lock=(-o DPkg::Lock::Timeout=600)
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  if $sudo apt-get "${wait_lock[@]}" update -qq; then
    break
  fi
  [ "$attempt" -eq 10 ] && exit 1
  echo "setup: apt-get update failed (another apt holds its lock?); trying again in 30 s" >&2
  sleep 30
done
DEBIAN_FRONTEND=noninteractive $sudo apt-get "${wait_lock[@]}" install -y -qq \
  --no-install-recommends "${missing[@]}"
