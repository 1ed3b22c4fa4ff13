#!/usr/bin/env bash
# The build on the fixed-function layer beside the direct build, on one Xvfb and so on the same
# llvmpipe (Mesa's own fixed function is generated shaders on the same rasterizer, so the ratio
# is the layer's overhead):
#   - frames per second of the 700 x 500 start window and start-up to the first frame (from the
#     launch), median of RUNS runs each, the two builds taking turns (frame_rate, on Xvfb);
#   - frames per second off screen (facedemo --offscreen --seconds SECONDS), where no frame is
#     presented, so that the figure holds the drawing alone: on X11 the direct build presents
#     through GLX and the layer's through EGL, two different paths of Mesa's, and what presenting
#     alone costs on each is measured too (bare_window --frames 300: clear and show, on Xvfb);
#   - launch to exit off screen, drawing one frame (facedemo --offscreen --frames 1), median of
#     RUNS, taking turns;
#   - the layer's own share of the frame's instructions (callgrind_share.sh, folder fixed_function).
#   bench/layer_ratio.sh [runs] [seconds counted per run]
# Uses build/ (direct) and build-gles2-bench/ (-DFACEDEMO_GLES2=ON with the benchmarks), configuring
# the latter when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-5}
seconds=${2:-5}

[ -f build-gles2-bench/CMakeCache.txt ] ||
  cmake -S . -B build-gles2-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFACEDEMO_GLES2=ON -DFACEDEMO_TESTS=OFF >/dev/null
for b in build build-gles2-bench; do cmake --build "$b" -j2 --target frame_rate facedemo bench_frame bare_window demo_data >/dev/null; done

tmp=$(mktemp -d)
"$root/scripts/with-xvfb.sh" bash -s "$root" "$runs" "$seconds" "$tmp" <<'INNER'
root=$1 runs=$2 seconds=$3 tmp=$4
# run NAME BUILD: one frame_rate run; appends "start-up fps" to $tmp/ratio.NAME.
run() {
  local out t0
  out=$(mktemp)
  t0=$(date +%s%N)
  (cd "$root/$2/data" && "$root/$2/bench/frame_rate" "$seconds") >"$out" 2>/dev/null
  awk -v t0="$t0" '/^first_frame_epoch_ms/ {s = $2 - t0 / 1e6} /^frames_per_second/ {f = $2}
                   END {printf "%.1f %.2f\n", s, f}' "$out" >>"$tmp/ratio.$1"
  rm -f "$out"
}
# offscreen NAME BUILD: frames per second off screen; appends them to $tmp/offscreen.NAME.
offscreen() {
  "$root/$2/data/facedemo" --offscreen --seconds "$seconds" 2>&1 | sed -n 's/.*fps: \([0-9.]*\).*/\1/p' >>"$tmp/offscreen.$1"
}
# present NAME BUILD: frames per second of clearing and showing alone, on Xvfb.
present() {
  "$root/$2/bench/bare_window" --frames 300 2>/dev/null | sed -n 's/^frames_per_second //p' >>"$tmp/present.$1"
}
# launch NAME BUILD: one launch to exit, off screen; appends milliseconds to $tmp/launch.NAME.
launch() {
  local t0 t1
  t0=$(date +%s%N)
  "$root/$2/data/facedemo" --offscreen --frames 1 >/dev/null 2>&1
  t1=$(date +%s%N)
  echo "$(( (t1 - t0) / 1000 ))" | awk '{printf "%.1f\n", $1 / 1000}' >>"$tmp/launch.$1"
}
for k in $(seq "$runs"); do
  if [ $((k % 2)) = 1 ]; then run direct build; run layer build-gles2-bench; else run layer build-gles2-bench; run direct build; fi
  if [ $((k % 2)) = 1 ]; then offscreen direct build; offscreen layer build-gles2-bench; else offscreen layer build-gles2-bench; offscreen direct build; fi
  if [ $((k % 2)) = 1 ]; then present direct build; present layer build-gles2-bench; else present layer build-gles2-bench; present direct build; fi
  if [ $((k % 2)) = 1 ]; then launch direct build; launch layer build-gles2-bench; else launch layer build-gles2-bench; launch direct build; fi
done
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
for name in direct layer; do
  echo "$name: start-up ms $(cut -d' ' -f1 "$tmp/ratio.$name" | tr '\n' ' ')| fps $(cut -d' ' -f2 "$tmp/ratio.$name" | tr '\n' ' ')| off screen fps $(tr '\n' ' ' <"$tmp/offscreen.$name")| launch to exit ms $(tr '\n' ' ' <"$tmp/launch.$name")"
  declare "start_$name=$(cut -d' ' -f1 "$tmp/ratio.$name" | median)"
  declare "fps_$name=$(cut -d' ' -f2 "$tmp/ratio.$name" | median)"
  declare "launch_$name=$(median <"$tmp/launch.$name")"
  declare "offscreen_$name=$(median <"$tmp/offscreen.$name")"
  declare "present_$name=$(median <"$tmp/present.$name")"
done
echo "median frames per second clearing and showing alone on Xvfb: direct (GLX) $present_direct, layer (EGL) $present_layer"
awk -v l="$present_layer" -v d="$present_direct" 'BEGIN { printf "presenting a frame costs: direct %.2f ms, layer %.2f ms\n", 1000 / d, 1000 / l }'
echo "median frames per second off screen: direct $offscreen_direct, layer $offscreen_layer"
awk -v l="$offscreen_layer" -v d="$offscreen_direct" 'BEGIN { printf "layer / direct frame rate off screen: %.3f\n", l / d }'
echo "median frames per second at 700 x 500 on Xvfb: direct $fps_direct, layer $fps_layer"
awk -v l="$fps_layer" -v d="$fps_direct" 'BEGIN { printf "layer / direct frame rate on Xvfb: %.3f\n", l / d }'
echo "median start-up to the first frame: direct $start_direct ms, layer $start_layer ms"
awk -v l="$start_layer" -v d="$start_direct" 'BEGIN { printf "layer / direct start-up: %.3f\n", l / d }'
echo "median launch to exit (off screen, one frame): direct $launch_direct ms, layer $launch_layer ms"
awk -v l="$launch_layer" -v d="$launch_direct" 'BEGIN { printf "layer / direct launch to exit: %.3f\n", l / d }'
INNER
rm -rf "$tmp"
echo "== The layer's share of the frame's instructions (callgrind)"
bench/callgrind_share.sh build-gles2-bench 30 fixed_function
