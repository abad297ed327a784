#!/usr/bin/env bash
# Builds mini Vuna for a web browser into build-web/ (minivuna.html with its script, its
# WebAssembly and its images) and serves it on http://127.0.0.1:8000/minivuna.html until
# interrupted. With --build-only it builds and stops. Installs Debian's emscripten and Chromium
# first when they are missing. The native build is not touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build_only=""
case "${1:-}" in
  --build-only) build_only=1 ;;
  "") ;;
  *) echo "usage: scripts/web.sh [--build-only]" >&2; exit 2 ;;
esac

bash scripts/setup.sh --web

# Debian's emscripten runs its tools with python3 and node; a python3 of another install may
# come first on the PATH, and node finds Debian's modules only through NODE_PATH.
export EMSDK_PYTHON=/usr/bin/python3
export NODE_PATH=/usr/share/nodejs

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DVUNA_WERROR="${VUNA_WERROR:-OFF}"
cmake --build build-web -j "$(nproc)"
echo "web: built $root/build-web/minivuna.html"

[ -n "$build_only" ] && exit 0
echo "web: open http://127.0.0.1:8000/minivuna.html in a browser (Ctrl+C stops the server)"
cd build-web
exec python3 -m http.server 8000 --bind 127.0.0.1
