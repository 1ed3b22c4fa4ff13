#!/usr/bin/env bash
# The bound the driver alone sets for exactly the program's GL calls: records a GL trace of
# the frame benchmark's plain run (apitrace, EGL on SDL's offscreen driver), replays it with
# eglretrace --benchmark under Xvfb, and prints the program's frame rate over the replay's.
#   bench/replay.sh [build-dir] [frames]
set -euo pipefail
build=$(realpath "${1:-build}")
frames=${2:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

program=$(SDL_VIDEODRIVER=offscreen "$build/bench/bench_frame" --frames="$frames" | awk '{print $(NF-3)}')
SDL_VIDEODRIVER=offscreen apitrace trace --api egl -o "$work/frame.trace" \
  "$build/bench/bench_frame" --frames="$frames" >/dev/null 2>&1
replay=$("$(dirname "$0")/../scripts/with-xvfb.sh" eglretrace --benchmark "$work/frame.trace" 2>/dev/null |
  awk '/average of/ {print $(NF-1)}')
echo "program: $program frames per second (untraced, $frames frames after start-up)"
echo "replay:  $replay frames per second (eglretrace --benchmark, start-up included)"
awk -v p="$program" -v r="$replay" 'BEGIN {printf "program / replay: %.2f\n", p / r}'
