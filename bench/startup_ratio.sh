#!/usr/bin/env bash
# What the data costs at start-up: the real program from launch to exit, off screen, drawing one
# frame (facedemo --offscreen --frames 1), once with the real data and once with the smallest
# data it starts with (tools/make_small_data: three-vertex meshes, 2 x 2 images), beside
# bare_window, which opens the same window and GL context and clears one frame. Median of RUNS
# runs of each, all taking turns. Prints real / small (the data's own cost) and small / bare
# (the program's own start-up work beyond the window and context).
#   bench/startup_ratio.sh [build-dir] [runs]
# With build-windows/ there (scripts/build-windows.sh), the Windows build is measured the same
# way under Wine, on a virtual X server, after the Linux build.
# COMPARE=FACEDEMO (and COMPARE_EXE=FACEDEMO.EXE under Wine): another build of the program (say,
# one from before a change) runs in the same turns with both data sets, its ratios printed beside.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath "${1:-build}")
runs=${2:-7}
compare=${COMPARE:-} compareExe=${COMPARE_EXE:-}

cmake --build "$build" --target facedemo bare_window make_small_data demo_data >/dev/null
small=$(mktemp -d) times=$(mktemp -d)
xvfb=
trap 'rm -rf "$small" "$times"; [ -z "$xvfb" ] || kill "$xvfb"' EXIT
"$build/tools/make_small_data" "$small"

# measure NAME COMMAND...: one launch-to-exit time in microseconds, appended to $times/NAME.
measure() {
  local name=$1 t0 t1
  shift
  t0=$(date +%s%N)
  if ! "$@" >/dev/null 2>&1; then
    echo "startup_ratio: $name failed: $*" >&2
    exit 1
  fi
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000)) >>"$times/$name"
}
median() { sort -n "$times/$1" | awk '{a[NR] = $1} END {printf "%.1f", a[int((NR + 1) / 2)] / 1000}'; }
# report LABEL REAL SMALL BARE: the three medians and the two ratios.
report() {
  local real small bare
  real=$(median "$2") small=$(median "$3") bare=$(median "$4")
  printf '%s: real data %s ms, small data %s ms, bare window %s ms\n' "$1" "$real" "$small" "$bare"
  awk -v r="$real" -v s="$small" -v b="$bare" 'BEGIN { printf "  real / small = %.2f   small / bare = %.2f\n", r / s, s / b }'
}

echo "== Linux build ($runs runs each, taking turns)"
program=$build/data/facedemo
for _ in $(seq "$runs"); do
  measure real "$program" --offscreen --frames 1 --data-dir "$build/data"
  measure small "$program" --offscreen --frames 1 --data-dir "$small"
  measure bare "$build/bench/bare_window" --offscreen
  if [ -n "$compare" ]; then
    measure compare_real "$compare" --offscreen --frames 1 --data-dir "$build/data"
    measure compare_small "$compare" --offscreen --frames 1 --data-dir "$small"
  fi
done
report "$program" real small bare
[ -z "$compare" ] || report "$compare" compare_real compare_small bare

[ -d "$root/build-windows" ] || exit 0
echo "== Windows build under Wine ($runs runs each, taking turns)"
cmake -S . -B build-windows -DFACEDEMO_BENCH=ON >/dev/null
cmake --build build-windows --target facedemo bare_window demo_data >/dev/null
export WINEPREFIX=$root/build-windows/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine draws through X even off screen: a virtual X server of our own.
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$times/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$times/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$times/display")
export DISPLAY
# Wine's server stays up between runs, as it is once any Windows program has started; the first
# run (which may make the prefix) is not counted.
wineserver -p 30 </dev/null >/dev/null 2>&1
wine build-windows/bench/bare_window.exe --offscreen >/dev/null 2>&1 || true
realData=$(winepath -w "$root/build-windows/data") smallData=$(winepath -w "$small")
program="build-windows/data/facedemo.exe"
for _ in $(seq "$runs"); do
  measure wine_real wine "$program" --offscreen --frames 1 --data-dir "$realData"
  measure wine_small wine "$program" --offscreen --frames 1 --data-dir "$smallData"
  measure wine_bare wine build-windows/bench/bare_window.exe --offscreen
  if [ -n "$compareExe" ]; then
    measure wine_compare_real wine "$compareExe" --offscreen --frames 1 --data-dir "$realData"
    measure wine_compare_small wine "$compareExe" --offscreen --frames 1 --data-dir "$smallData"
  fi
done
wineserver -k
report "$program" wine_real wine_small wine_bare
[ -z "$compareExe" ] || report "$compareExe" wine_compare_real wine_compare_small wine_bare
