#!/usr/bin/env bash
# Whether the end-to-end tests hold on a busy machine: runs a build's end-to-end suite RUNS times
# in a row while `stress-ng --cpu 2` keeps two cores busy beside it, prints each run's passed and
# failed tests, and ends with 0 only when every run passed.
#   bench/e2e_under_load.sh [build-dir] [runs]
# build-dir: a native build tree (build, build-asan, ...), whose tests labelled e2e run through
# ctest as scripts/test.sh runs them, with the sanitizers' options of scripts/test.sh for a build
# made with -DFACEDEMO_SANITIZE=ON; or build-windows, whose end-to-end tests run under Wine
# through scripts/test-windows.sh -L e2e (NATIVE_BUILD as for that script). Default: build, 5 runs.
# Each run's output is kept in build-dir/e2e-under-load-N.log. stress-ng is installed when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}
runs=${2:-5}
build=${build%/}
[ -f "$build/CTestTestfile.cmake" ] || { echo "no build tree with tests at $build" >&2; exit 2; }
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "runs must be a positive number, not '$runs'" >&2; exit 2; }

scripts/install-packages.sh stress-ng

windows=no
[ "$(realpath "$build")" != "$(realpath build-windows 2>/dev/null || true)" ] || windows=yes
if [ "$windows" = no ] && grep -q '^FACEDEMO_SANITIZE:BOOL=ON$' "$build/CMakeCache.txt"; then
  # The options scripts/test.sh runs the sanitizer build's tests with.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0
  export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

stress-ng --cpu 2 --quiet &
stress=$!
trap 'kill "$stress" 2>/dev/null || true; wait "$stress" 2>/dev/null || true' EXIT
echo "stress-ng --cpu 2 running (pid $stress); $runs runs of the end-to-end tests of $build"

passed_runs=0
for ((run = 1; run <= runs; run++)); do
  log=$root/$build/e2e-under-load-$run.log
  start=$(date +%s)
  status=0
  if [ "$windows" = yes ]; then
    scripts/test-windows.sh -L e2e >"$log" 2>&1 || status=$?
  else
    (cd "$build" && ctest --output-on-failure -L e2e -j "$(nproc)") >"$log" 2>&1 || status=$?
  fi
  # ctest's summary: "100% tests passed, 0 tests failed out of 17".
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of.*/\1/p' <<<"$summary")
  total=$(sed -n 's/.*failed out of \([0-9]*\).*/\1/p' <<<"$summary")
  if [ -z "$total" ]; then
    echo "run $run: no test summary (exit status $status; see $log)"
  else
    echo "run $run: $((total - failed)) passed, $failed failed of $total in $(($(date +%s) - start)) s"
    grep -E '^[[:space:]]*[0-9]+ - .* \(' "$log" | sed 's/^[[:space:]]*/    failed: /' || true
  fi
  if [ "$status" -eq 0 ] && [ -n "$total" ] && [ "$failed" -eq 0 ]; then passed_runs=$((passed_runs + 1)); fi
done
echo "$passed_runs of $runs runs passed"
[ "$passed_runs" -eq "$runs" ]
