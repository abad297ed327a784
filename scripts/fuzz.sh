#!/usr/bin/env bash
# Builds the TGA reader's libFuzzer target with clang in build-fuzz/ and runs it for the given
# number of seconds (default 60) over a copy of fuzz/corpus/ with fuzz/tga.dict. Exits non-zero
# on a finding, whose input is kept in build-fuzz/findings/; without clang it says so and exits 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds]" >&2
  exit 2
fi

clang_cxx=${CLANG_CXX:-clang++}
if ! command -v "$clang_cxx" >/dev/null 2>&1; then
  echo "fuzz.sh: $clang_cxx not found; the fuzzer needs clang and libFuzzer, so nothing was fuzzed"
  exit 0
fi

build="$root/build-fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="$clang_cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVUNA_BUILD_FUZZERS=ON -DVUNA_BUILD_TESTS=OFF -DVUNA_BUILD_DEMO=OFF -DVUNA_BUILD_BENCHMARKS=OFF
cmake --build "$build" --target vuna_tga_fuzzer -j 2

# The fuzzer adds what it finds to its corpus folder; the committed seeds stay untouched.
work="$build/corpus"
findings="$build/findings"
rm -rf "$work"
mkdir -p "$work" "$findings"
cp "$root"/fuzz/corpus/* "$work"/

status=0
"$build/fuzz/vuna_tga_fuzzer" -max_total_time="$seconds" -dict="$root/fuzz/tga.dict" \
  -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$findings/" "$work" || status=$?
if [[ $status -ne 0 ]]; then
  echo "fuzz.sh: the fuzzer found a fault; its input is in $findings/" >&2
  ls -l "$findings" >&2 || true
  exit "$status"
fi
echo "fuzz.sh: no finding in $seconds seconds"
