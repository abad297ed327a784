#!/usr/bin/env bash
# Installs the Debian packages that building, testing, fuzzing, benchmarking and running Vuna
# need, and only those that are missing. clang carries libFuzzer; PLIB and Dear ImGui are the
# benchmark's peers and are never linked into the library; GLFW and SDL2 are the hosts of the
# adapters beside the GLUT one. Safe to run again: it does nothing when everything is there.
# With --web it installs what the browser build and its tests need instead: Debian's emscripten
# (which builds offline from its own prebuilt libraries) and Chromium.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
  libgtest-dev libpng-dev
  xvfb xauth x11-utils
  libfreetype-dev fonts-liberation
  xdotool imagemagick
  clang libclang-rt-14-dev
  libbenchmark-dev libplib-dev libimgui-dev libstb-dev
  doxygen
  libglfw3-dev libsdl2-dev
)
if [ "${1:-}" = "--web" ]; then
  packages=(emscripten chromium python3)
fi

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
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
