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
  in_display ctest --test-dir "$dir" --output-on-failure -j "$jobs"
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
# LeakSanitizer's check at exit scans every thread's thread-local storage, the blocks of the
# libraries loaded at run time included (Mesa's driver and LLVM), which AddressSanitizer learns
# of by intercepting __tls_get_addr. Its record of those blocks can hold an entry without its
# block, and the tracer dies reading it ("Tracer caught signal 11" at a small address), failing
# a test that passed: on a busy machine at the exit of quick GL tests, every time after a GL
# context was destroyed with Mesa's shader cache off. Without the interception the check scans
# the static TLS and the stacks only; the driver's own allocations are suppressed anyway.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
run_suite build-sanitize -DVUNA_SANITIZE=ON "$@"

echo "== fuzzing the image reader and the widget API =="
bash scripts/fuzz.sh 60
