#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit tests on SDL's offscreen driver
# and end-to-end tests of the real program under Xvfb; then the same unit and end-to-end
# tests built with AddressSanitizer and UndefinedBehaviorSanitizer; then each fuzzer for a
# bounded time; then the program built on the fixed-function layer over OpenGL ES 2.0
# (scripts/test-gles2.sh); then the Windows build's unit and end-to-end tests under Wine; then
# the web build's checks in Chromium and Firefox (scripts/test-web.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

scripts/setup.sh build
(cd build && ctest --output-on-failure -j "$jobs")

echo "== Sanitizers (AddressSanitizer, UndefinedBehaviorSanitizer, leak detection) =="
scripts/setup.sh build-asan -DFACEDEMO_SANITIZE=ON -DFACEDEMO_BENCH=OFF
# intercept_tls_get_addr=0: the runtime's tracking of dynamically loaded libraries' thread-local
# blocks guesses each block's bounds from the bytes in front of it, a layout of old C libraries.
# A block that glibc 2.36 takes from malloc at 16 bytes past a page boundary (about one in 256)
# reads as bounds like 0xe10 to 0x1800001f12, and LeakSanitizer's stop-the-world tracer then
# crashes at exit scanning them ("Tracer caught signal 11"), about once per run of this stage.
# Without the tracking, those blocks are still reached as heap memory from each thread's vector
# of them, so nothing reachable is reported as a leak.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Should the tracer still crash on its own at exit after a test has passed ("LeakSanitizer has
# encountered a fatal error", no leak report), the failed tests run once more, but only when
# every failed test carries that signature; a leak report, a failed assertion or any other
# failure is never rerun.
asan_log=build-asan/ctest-output.log
if ! (cd build-asan && ctest --output-on-failure -j "$jobs") 2>&1 | tee "$asan_log"; then
  failed=$(grep -c -E '^[[:space:]]*[0-9]+ - .* \((Failed|Subprocess aborted|SEGFAULT|Timeout|Exception|Child aborted|Not Run)\)' "$asan_log" || true)
  tracer=$(grep -c 'LeakSanitizer has encountered a fatal error' "$asan_log" || true)
  if [ "$failed" -gt 0 ] && [ "$tracer" -ge "$failed" ] && ! grep -q 'ERROR: LeakSanitizer: detected memory leaks' "$asan_log"; then
    echo "== LeakSanitizer's tracer crashed in $failed test(s); running those once more =="
    (cd build-asan && ctest --output-on-failure --rerun-failed)
  else
    exit 1
  fi
fi

echo "== Fuzzers =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DFACEDEMO_FUZZ=ON -DFACEDEMO_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzzers -j "$jobs"
(cd build-fuzz && ctest --output-on-failure -L fuzz)

echo "== The program on the fixed-function layer over OpenGL ES 2.0 =="
scripts/test-gles2.sh

echo "== Windows build under Wine =="
# The asset generators of the first build serve the cross build.
NATIVE_BUILD=build scripts/test-windows.sh

echo "== The web build in Chromium and Firefox =="
# The site's generators come from the first build too.
NATIVE_BUILD=build scripts/test-web.sh
