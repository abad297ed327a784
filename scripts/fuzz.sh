#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for the given number of
# seconds (default 60): tga, the TGA reader over a copy of fuzz/corpus/ with fuzz/tga.dict; api,
# the widget API (calls and host events on a live tree) over a copy of fuzz/api_corpus/, with an
# X display (scripts/with_display.sh starts a virtual one when there is none); all (the
# default), both one after the other. Exits non-zero on a finding, whose input is kept in
# build-fuzz/findings/ (tga) or build-fuzz/api-findings/ (api); without clang it says so and
# exits 0.
# Usage: scripts/fuzz.sh [seconds] [tga|api|all]
# VUNA_API_FUZZ_SKIP=name,... steps over the API calls of those kinds (a known fault), e.g.
# VUNA_API_FUZZ_SKIP=freeTitleButton,groupAdd scripts/fuzz.sh 300 api
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
which=${2:-all}
if ! [[ $seconds =~ ^[0-9]+$ ]] || ! [[ $which =~ ^(tga|api|all)$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds] [tga|api|all]" >&2
  exit 2
fi

clang_cxx=${CLANG_CXX:-clang++}
if ! command -v "$clang_cxx" >/dev/null 2>&1; then
  echo "fuzz.sh: $clang_cxx not found; the fuzzers need clang and libFuzzer, so nothing was fuzzed"
  exit 0
fi

build="$root/build-fuzz"
targets=()
[[ $which != api ]] && targets+=(vuna_tga_fuzzer)
[[ $which != tga ]] && targets+=(vuna_api_fuzzer)
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="$clang_cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVUNA_BUILD_FUZZERS=ON -DVUNA_BUILD_TESTS=OFF -DVUNA_BUILD_DEMO=OFF -DVUNA_BUILD_BENCHMARKS=OFF
cmake --build "$build" --target "${targets[@]}" -j 2

# Runs one fuzzer over a fresh copy of its seeds; the committed seeds stay untouched.
run_fuzzer() {
  local name=$1 seeds=$2 findings=$3; shift 3
  local work="$build/$name-corpus"
  rm -rf "$work"
  mkdir -p "$work" "$findings"
  cp "$seeds"/* "$work"/
  local status=0
  "$@" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" || status=$?
  if [[ $status -ne 0 ]]; then
    echo "fuzz.sh: the $name fuzzer found a fault; its input is in $findings/" >&2
    ls -l "$findings" >&2 || true
    return "$status"
  fi
  echo "fuzz.sh: the $name fuzzer found nothing in $seconds seconds"
}

status=0
if [[ $which != api ]]; then
  run_fuzzer tga "$root/fuzz/corpus" "$build/findings" \
    "$build/fuzz/vuna_tga_fuzzer" -dict="$root/fuzz/tga.dict" -max_len=4096 || status=$?
fi
if [[ $which != tga ]]; then
  # The GL driver keeps what it allocates for the window's context until the process ends; the
  # suppressions name the driver alone. Widgets print what they are sent: standard output is
  # closed (-close_fd_mask=1), the reports go to standard error.
  export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
  # LeakSanitizer's tracer can die on its record of the driver's dynamic TLS (see test.sh).
  export ASAN_OPTIONS="intercept_tls_get_addr=0:${ASAN_OPTIONS:-}"
  run_fuzzer api "$root/fuzz/api_corpus" "$build/api-findings" \
    bash "$root/scripts/with_display.sh" "$build/fuzz/vuna_api_fuzzer" \
    -max_len=512 -close_fd_mask=1 || status=$?
fi
exit "$status"
