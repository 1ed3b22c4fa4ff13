#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit tests on SDL's offscreen driver
# and end-to-end tests of the real program under Xvfb; then the same unit and end-to-end
# tests built with AddressSanitizer and UndefinedBehaviorSanitizer; then each fuzzer for a
# bounded time; then the Windows build's unit and end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

scripts/setup.sh build
(cd build && ctest --output-on-failure -j "$jobs")

echo "== Sanitizers (AddressSanitizer, UndefinedBehaviorSanitizer, leak detection) =="
scripts/setup.sh build-asan -DFACEDEMO_SANITIZE=ON -DFACEDEMO_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j "$jobs")

echo "== Fuzzers =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DFACEDEMO_FUZZ=ON -DFACEDEMO_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzzers -j "$jobs"
(cd build-fuzz && ctest --output-on-failure -L fuzz)

echo "== Windows build under Wine =="
# The asset generators of the first build serve the cross build.
NATIVE_BUILD=build scripts/test-windows.sh
