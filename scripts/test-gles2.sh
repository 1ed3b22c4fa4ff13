#!/usr/bin/env bash
# The program built on the fixed-function layer over OpenGL ES 2.0 (-DFACEDEMO_GLES2=ON, in
# build-gles2/): its unit tests, its --validate, and the end-to-end tests that look at its pictures,
# the full-screen switch among them. Every one must pass.
#   scripts/test-gles2.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-gles2}
jobs=$(nproc)
start=$(date +%s)

# The end-to-end tests that judge the program's pictures and its full-screen switch.
e2e_regex='^e2e_test_(start|toggles|overlay|faces|fullscreen|validate)$'

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFACEDEMO_GLES2=ON -DFACEDEMO_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"
built=$(date +%s)

echo "== On the layer: the unit tests and the end-to-end tests of its pictures =="
(cd "$build" && ctest --output-on-failure -j "$jobs" -L unit)
(cd "$build" && ctest --output-on-failure -j "$jobs" -R "$e2e_regex")

echo "== On the layer: --validate, for the record (its verdict is e2e_test_validate's) =="
code=0
"$build/data/facedemo" --offscreen --validate --data-dir "$build/data" >"$build/validate.out" 2>&1 || code=$?
sed 's/^/    /' "$build/validate.out"
echo "    exit code $code"

end=$(date +%s)
echo "== On the layer: built in $((built - start)) s, tested in $((end - built)) s =="
