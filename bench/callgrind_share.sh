#!/usr/bin/env bash
# Our own code's share of the frame, counted in instructions by callgrind (repeatable, unlike
# clocks). Only instructions executed inside renderFrame are collected, with llvmpipe
# rasterising on the calling thread, so the driver's work is in the total too.
#   bench/callgrind_share.sh [build-dir] [frames]
set -euo pipefail
build=$(realpath "${1:-build}")
frames=${2:-30}
src=$(realpath "$(dirname "$0")/..")
out=$(mktemp -d)
(cd "$out" && LP_NUM_THREADS=0 SDL_VIDEODRIVER=offscreen valgrind --tool=callgrind --toggle-collect='renderFrame()' \
  --callgrind-out-file="$out/callgrind.out" "$build/bench/bench_frame" --frames="$frames" >/dev/null 2>"$out/valgrind.log")
callgrind_annotate --inclusive=no --threshold=100 "$out/callgrind.out" > "$out/annotate.txt"
awk '
  /PROGRAM TOTALS/ { v = $1; gsub(",", "", v); total = v + 0 }
  /\)  +(app|scene|assets|demo|platform)\/[^ ]*:/ { v = $1; gsub(",", "", v); ours += v }
  END {
    printf "instructions in renderFrame: %.0f\nin our own code:             %.0f\nshare:                       %.4f%%\n",
           total, ours, total ? 100 * ours / total : 0
  }' "$out/annotate.txt"
echo "(annotated profile: $out/annotate.txt)"
