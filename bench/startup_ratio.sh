#!/usr/bin/env bash
# What the data costs at start-up: the real program from launch to exit, off screen, drawing one
# frame (facedemo --offscreen --frames 1), once with the real data and once with the smallest
# data it starts with (tools/make_small_data: three-vertex meshes, 2 x 2 images), beside
# bare_window, which opens the same window and GL context and clears one frame. The Linux build
# and the Windows build under Wine (on a virtual X server of this script's own) are measured in
# the same run: median of RUNS runs of each, all of them taking turns (in a new order each
# turn). Prints, for each build, the median times and the ratios real / small (the data's own
# cost; the goal is 1.3 at most) and small / bare (the program's own start-up work beyond the
# window and context), each the median of the turns' own ratios; then both real / small
# together.
#   bench/startup_ratio.sh [build-dir] [runs]
# The Windows build is build-windows/; it is made (scripts/build-windows.sh, with the asset tools
# of build-dir) when it is not there yet. WINE=no measures the Linux build alone.
# COMPARE=FACEDEMO (and COMPARE_EXE=FACEDEMO.EXE under Wine): another build of the program (say,
# one from before a change) runs in the same turns with both data sets, its ratios printed beside.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath "${1:-build}")
runs=${2:-7}
compare=${COMPARE:-} compareExe=${COMPARE_EXE:-}
wine=yes
[ "${WINE:-yes}" != no ] || wine=no

cmake --build "$build" --target facedemo bare_window make_small_data demo_data >/dev/null
if [ "$wine" = yes ]; then
  if [ ! -f build-windows/CMakeCache.txt ]; then
    echo "== Making the Windows build (scripts/build-windows.sh)"
    NATIVE_BUILD=$build scripts/build-windows.sh -DFACEDEMO_BENCH=ON >/dev/null
  fi
  cmake -S . -B build-windows -DFACEDEMO_BENCH=ON >/dev/null
  cmake --build build-windows --target facedemo bare_window demo_data >/dev/null
fi
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
# ratio A B: the median over the turns of A's time over B's in the same turn. The machine's load
# changes from minute to minute; two runs of one turn, seconds apart, see nearly the same.
ratio() {
  paste "$times/$1" "$times/$2" | awk '{print $1 / $2}' | sort -g |
    awk '{a[NR] = $1} END {printf "%.2f", a[int((NR + 1) / 2)]}'
}
# report LABEL REAL SMALL BARE: the three medians and the two ratios.
report() {
  printf '%s: real data %s ms, small data %s ms, bare window %s ms\n' "$1" "$(median "$2")" "$(median "$3")" \
    "$(median "$4")"
  printf '  real / small = %s   small / bare = %s\n' "$(ratio "$2" "$3")" "$(ratio "$3" "$4")"
}
# verdict LABEL REAL SMALL: real / small against the goal of 1.3.
verdict() {
  local r
  r=$(ratio "$2" "$3")
  awk -v r="$r" -v label="$1" 'BEGIN { printf "%-40s real / small = %s  %s\n", label, r, (r <= 1.3 ? "(goal of 1.3: met)" : "(goal of 1.3: missed)") }'
}

program=$build/data/facedemo
if [ "$wine" = yes ]; then
  export WINEPREFIX=$root/build-windows/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # Wine draws through X even off screen: a virtual X server of our own.
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$times/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$times/display" ] && break; sleep 0.1; done
  [ -s "$times/display" ] || { echo "startup_ratio: Xvfb did not start" >&2; exit 1; }
  DISPLAY=:$(cat "$times/display")
  export DISPLAY
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== Making the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # The server writes the registry files when it ends; one that hangs is caught by the check.
    timeout 60 wineserver -w || true
    [ -f "$WINEPREFIX/system.reg" ] || { echo "startup_ratio: wineboot made no prefix" >&2; exit 1; }
  fi
  # Wine's server stays up between runs, as it is once any Windows program has started (it may
  # be up already, from making the prefix); the first run is not counted.
  wineserver -p 30 </dev/null >/dev/null 2>&1 || true
  wine build-windows/bench/bare_window.exe --offscreen >/dev/null 2>&1 || true
  realData=$(winepath -w "$root/build-windows/data") smallData=$(winepath -w "$small")
  programExe="build-windows/data/facedemo.exe"
fi

# run NAME: one measure of NAME, the program and data set it stands for.
run() {
  case $1 in
  real) measure real "$program" --offscreen --frames 1 --data-dir "$build/data" ;;
  small) measure small "$program" --offscreen --frames 1 --data-dir "$small" ;;
  bare) measure bare "$build/bench/bare_window" --offscreen ;;
  compare_real) measure compare_real "$compare" --offscreen --frames 1 --data-dir "$build/data" ;;
  compare_small) measure compare_small "$compare" --offscreen --frames 1 --data-dir "$small" ;;
  wine_real) measure wine_real wine "$programExe" --offscreen --frames 1 --data-dir "$realData" ;;
  wine_small) measure wine_small wine "$programExe" --offscreen --frames 1 --data-dir "$smallData" ;;
  wine_bare) measure wine_bare wine build-windows/bench/bare_window.exe --offscreen ;;
  wine_compare_real) measure wine_compare_real wine "$compareExe" --offscreen --frames 1 --data-dir "$realData" ;;
  wine_compare_small) measure wine_compare_small wine "$compareExe" --offscreen --frames 1 --data-dir "$smallData" ;;
  esac
}
names=(real small bare)
[ -z "$compare" ] || names+=(compare_real compare_small)
if [ "$wine" = yes ]; then
  names+=(wine_real wine_small wine_bare)
  [ -z "$compareExe" ] || names+=(wine_compare_real wine_compare_small)
fi
echo "== $runs runs each, taking turns in a new order each turn: the Linux build$([ "$wine" = no ] || echo " and the Windows build under Wine")"
# A run can leave the machine slower or faster for the one after it (the page cache, memory the
# kernel has to reclaim); a fixed order would charge that to the same measure every turn.
for _ in $(seq "$runs"); do
  for name in $(printf '%s\n' "${names[@]}" | shuf); do run "$name"; done
done
[ "$wine" = no ] || wineserver -k

echo "== Linux build"
report "$program" real small bare
[ -z "$compare" ] || report "$compare" compare_real compare_small bare
if [ "$wine" = yes ]; then
  echo "== Windows build under Wine"
  report "$programExe" wine_real wine_small wine_bare
  [ -z "$compareExe" ] || report "$compareExe" wine_compare_real wine_compare_small wine_bare
fi
echo "== The data's own cost against the goal"
verdict "Linux" real small
[ -z "$compare" ] || verdict "Linux, $(basename "$compare")" compare_real compare_small
if [ "$wine" = yes ]; then
  verdict "Wine" wine_real wine_small
  [ -z "$compareExe" ] || verdict "Wine, $(basename "$compareExe")" wine_compare_real wine_compare_small
fi
