#!/usr/bin/env bash
# Draws the library's targets and what each links (docs/architecture.png) from CMake's own
# dependency graph: a configure of the library, its hosts and the demos (no tests, benchmarks
# or examples) with --graphviz, rendered by Graphviz's dot. Run it after changing a target's
# links, and commit the picture. Installs graphviz when it is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v dot > /dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends graphviz
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# One picture, without a file per target.
cat > "$work/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "vuna_embed_images" "vuna_assets")
OPTIONS
(cd "$work" && cmake -S "$root" -B "$work/build" -DVUNA_BUILD_TESTS=OFF -DVUNA_BUILD_EXAMPLES=OFF \
  -DVUNA_BUILD_DEMO=ON -DVUNA_INSTALL=OFF --graphviz="$work/vuna.dot" > /dev/null)
dot -Tpng -Gdpi=80 "$work/vuna.dot" -o "$root/docs/architecture.png"
echo "architecture.sh: wrote docs/architecture.png"
