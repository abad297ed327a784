#!/usr/bin/env bash
# Sets up, builds and runs every test with ctest (the benchmarks built and run once each, so they
# never rot), then builds the demo for a browser and tests it in headless Chromium, then builds
# and runs the whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer, then
# fuzzes the image reader and the widget API for a minute each when clang is there.
# Exits non-zero on any failure.
# Extra arguments go to CMake's configure step of both builds (CI passes -DVUNA_WERROR=ON).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

jobs=$(nproc)

# GL tests need a real GLX context: without a display, they run inside a virtual X server.
in_display() { bash "$root/scripts/with_display.sh" "$@"; }

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVUNA_BUILD_TESTS=ON -DVUNA_BUILD_DEMO=ON "$@"
  cmake --build "$dir" -j "$jobs"
  local log="$dir/ctest.log"
  if in_display ctest --test-dir "$dir" --output-on-failure -j "$jobs" 2>&1 | tee "$log"; then
    return 0
  fi
  # LeakSanitizer's tracer can die as a process exits while Mesa's threads wind down ("Tracer
  # caught signal 11", in its scan of a thread's dynamic TLS), after the test itself has passed.
  # Only when the output of every failed test shows that crash are the failed tests run again,
  # twice at most; any other failure stands.
  local attempt failed crashed
  for attempt in 1 2; do
    failed=$(sed -n '/The following tests FAILED:/,$p' "$log" | grep -cE '^[[:space:]]+[0-9]+ - ' || true)
    # ctest prints each test's output after its result line; count the failed ones whose
    # output has the tracer's line.
    crashed=$(awk '/^ *[0-9]+\/[0-9]+ Test +#[0-9]+:/ { failing = ($0 !~ / Passed /); counted = 0 }
                   failing && !counted && /Tracer caught signal/ { n++; counted = 1 }
                   END { print n + 0 }' "$log")
    if [ "$failed" -eq 0 ] || [ "$crashed" -ne "$failed" ]; then
      return 1
    fi
    echo "test.sh: LeakSanitizer's tracer crashed in $crashed test(s); running them again ($attempt)"
    if in_display ctest --test-dir "$dir" --rerun-failed --output-on-failure 2>&1 | tee "$log"; then
      return 0
    fi
  done
  return 1
}

echo "== plain build =="
run_suite build -DVUNA_BUILD_BENCHMARKS=ON -DVUNA_BUILD_DOCS=ON "$@"

echo "== the demo in a browser (emscripten, headless Chromium) =="
werror=OFF
for arg in "$@"; do
  [[ "$arg" =~ ^-DVUNA_WERROR(:BOOL)?=(ON|on|1|TRUE|true|YES|yes)$ ]] && werror=ON
done
VUNA_WERROR=$werror bash scripts/web.sh --build-only
python3 tests/web/minivuna_web_test.py build-web tests/golden build-web/test-output

echo "== sanitizer build (ASan + UBSan) =="
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
run_suite build-sanitize -DVUNA_SANITIZE=ON "$@"

echo "== fuzzing the image reader and the widget API =="
bash scripts/fuzz.sh 60
