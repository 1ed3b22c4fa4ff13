#!/usr/bin/env bash
# The Windows build under Wine beside the Linux build, on one Xvfb and so on the same llvmpipe:
# frames per second of the 700 x 500 start window and start-up to the first frame (from the
# launch), median of RUNS runs each, the two builds taking turns.
#   bench/wine_ratio.sh [runs] [seconds counted per run]
# Builds frame_rate in build/ and build-windows/ (scripts/build-windows.sh made the latter). Wine's
# server is kept running between runs, as it is once any Windows program has started.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-5}
seconds=${2:-5}

cmake --build build --target frame_rate >/dev/null
cmake -S . -B build-windows -DFACEDEMO_BENCH=ON >/dev/null
cmake --build build-windows --target frame_rate >/dev/null
export WINEPREFIX=$root/build-windows/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

"$root/scripts/with-xvfb.sh" bash -s "$root" "$runs" "$seconds" <<'INNER'
root=$1 runs=$2 seconds=$3
wineserver -p 30 </dev/null >/dev/null 2>&1
# run NAME DATA_DIR COMMAND...: one run; appends "start-up fps" to $NAME.
run() {
  local name=$1 data=$2
  shift 2
  local out t0
  out=$(mktemp)
  t0=$(date +%s%N)
  (cd "$data" && "$@" "$seconds") >"$out" 2>/dev/null
  awk -v t0="$t0" '/^first_frame_epoch_ms/ {s = $2 - t0 / 1e6} /^frames_per_second/ {f = $2}
                   END {printf "%.1f %.2f\n", s, f}' "$out" >>"/tmp/wine_ratio.$name"
  rm -f "$out"
}
rm -f /tmp/wine_ratio.linux /tmp/wine_ratio.windows
for _ in $(seq "$runs"); do
  run linux "$root/build/data" "$root/build/bench/frame_rate"
  run windows "$root/build-windows/data" wine "$root/build-windows/bench/frame_rate.exe"
done
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
for name in linux windows; do
  echo "$name: start-up ms $(cut -d' ' -f1 "/tmp/wine_ratio.$name" | tr '\n' ' ')| fps $(cut -d' ' -f2 "/tmp/wine_ratio.$name" | tr '\n' ' ')"
  declare "start_$name=$(cut -d' ' -f1 "/tmp/wine_ratio.$name" | median)"
  declare "fps_$name=$(cut -d' ' -f2 "/tmp/wine_ratio.$name" | median)"
done
echo "median start-up to the first frame: Linux $start_linux ms, Windows under Wine $start_windows ms"
echo "median frames per second at 700 x 500: Linux $fps_linux, Windows under Wine $fps_windows"
awk -v w="$fps_windows" -v l="$fps_linux" 'BEGIN { printf "Windows / Linux frame rate: %.3f\n", w / l }'
wineserver -k
INNER
