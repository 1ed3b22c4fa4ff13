#!/usr/bin/env bash
# Our own code's share of the frame, counted in instructions by callgrind (repeatable, unlike
# clocks). Only instructions executed inside renderFrame are collected, with llvmpipe
# rasterising on the calling thread, so the driver's work is in the total too.
#   bench/callgrind_share.sh [build-dir] [frames] [folders]
# FOLDERS (an awk pattern of top-level folders, default the program's own) picks the code counted:
# `fixed_function` counts the fixed-function layer alone, in a build on the layer.
set -euo pipefail
build=$(realpath "${1:-build}")
frames=${2:-30}
folders=${3:-app|scene|assets|demo|platform}
# The sources the build was made from (its CMake cache knows), else this script's own tree.
# callgrind_annotate names a file relative to the directory it runs in when the file lies
# below it, and by its full path otherwise, so both forms are matched against this root.
root=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[ -n "$root" ] || root=$(dirname "$0")/..
root=$(realpath "$root")
out=$(mktemp -d)
(cd "$out" && LP_NUM_THREADS=0 SDL_VIDEODRIVER=offscreen valgrind --tool=callgrind --toggle-collect='renderFrame()' \
  --callgrind-out-file="$out/callgrind.out" "$build/bench/bench_frame" --frames="$frames" >/dev/null 2>"$out/valgrind.log")
(cd "$root" && callgrind_annotate --inclusive=no --threshold=100 "$out/callgrind.out") > "$out/annotate.txt"
# Each function line: "COUNT (PERCENT)  FILE:FUNCTION [OBJECT]"; the annotated sources after
# them are not read. A file is ours when it lies under the root, in one of the program's
# folders, and exists there.
awk -v root="$root" -v profile="$out/annotate.txt" -v folders="^(${folders})/" '
  function ours(file,   rel, line) {
    if (index(file, root "/") == 1) rel = substr(file, length(root) + 2)
    else if (substr(file, 1, 1) != "/") { rel = file; sub(/^(\.\/)+/, "", rel) }
    else return 0
    if (rel !~ folders) return 0
    if ((getline line < (root "/" rel)) < 0) return 0
    close(root "/" rel)
    return 1
  }
  /^-- (Auto|User)-annotated source/ { exit }
  /PROGRAM TOTALS/ { v = $1; gsub(",", "", v); total = v + 0; next }
  /^ *[0-9,]+ +\( *[0-9.]+%\)  +[^= ]/ {
    v = $1; gsub(",", "", v)
    rest = $0; sub(/^ *[0-9,]+ +\( *[0-9.]+%\)  +/, "", rest)
    file = substr(rest, 1, index(rest, ":") - 1)
    if (ours(file)) { mine += v; files[file] = 1 } else if (!(file in others) && n < 5) { others[file] = 1; seen[++n] = file }
  }
  END {
    if (!total || !mine) {
      printf "no instruction of the profile is in our sources under %s\n", root > "/dev/stderr"
      printf "files it names, for example:" > "/dev/stderr"
      for (i = 1; i <= n; ++i) printf " %s", seen[i] > "/dev/stderr"
      printf "\n(annotated profile: %s)\n", profile > "/dev/stderr"
      exit 1
    }
    count = 0
    for (f in files) ++count
    printf "instructions in renderFrame: %.0f\nin the code counted:         %.0f (%d files of %s under %s)\nshare:                       %.4f%%\n",
           total, mine, count, folders, root, 100 * mine / total
  }' "$out/annotate.txt"
echo "(annotated profile: $out/annotate.txt)"
