#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench) and runs them in a private X server, then
# prints the table of Vuna beside its peers. Arguments go to vuna_bench, for example
#   scripts/bench.sh --table=markdown
#   scripts/bench.sh --benchmark_filter=frame_ --benchmark_repetitions=5
# The run is timed on whatever renderer the X server offers (Mesa's llvmpipe under Xvfb); the
# first lines it prints name the CPU and the GL renderer and version.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

build="$root/build-bench"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVUNA_BUILD_BENCHMARKS=ON
cmake --build "$build" -j "$(nproc)" --target vuna_bench

# The toolkit loads its artwork from the working directory: the build folder has the copies.
cd "$build"
exec bash "$root/scripts/with_display.sh" ./vuna_bench "$@"
