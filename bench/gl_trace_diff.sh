#!/usr/bin/env bash
# Do two builds of the program make the same GL calls? Traces the first frames of each (apitrace,
# EGL on SDL's offscreen driver, the same data), then compares the two dumps with addresses
# masked, call by call, and every blob the calls carried (texture images, client arrays), byte
# by byte. Exits 0 when both agree; otherwise prints the differences and exits 1.
#   bench/gl_trace_diff.sh OLD_FACEDEMO NEW_FACEDEMO [data-dir] [frames]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OLD_FACEDEMO NEW_FACEDEMO [data-dir] [frames]" >&2; exit 2; }
declare -A programs=([old]=$(realpath "$1") [new]=$(realpath "$2"))
data=$(realpath "${3:-$(dirname "$0")/../build/data}")
frames=${4:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for side in old new; do
  program=${programs[$side]}
  mkdir "$work/$side"
  apitrace trace --api egl -o "$work/$side.trace" "$program" --offscreen --frames "$frames" --data-dir "$data" \
    >/dev/null 2>&1
  [ -s "$work/$side.trace" ] || { echo "gl_trace_diff: no trace from $program" >&2; exit 1; }
  # The process name is the only line that names the program.
  apitrace dump --color=never "$work/$side.trace" | sed -E 's/0x[0-9a-f]+/ADDR/g' | grep -v 'process\.name' \
    >"$work/$side.txt"
  (cd "$work/$side" && apitrace dump --blobs "$work/$side.trace" >/dev/null)
done

status=0
echo "calls: $(grep -c '^[0-9]' "$work/old.txt") and $(grep -c '^[0-9]' "$work/new.txt")"
if ! diff "$work/old.txt" "$work/new.txt" >"$work/calls.diff"; then
  echo "the calls differ:"
  head -40 "$work/calls.diff"
  status=1
fi
blobs=0
for blob in "$work"/old/* "$work"/new/*; do
  [ -e "$blob" ] || continue
  name=$(basename "$blob")
  case $blob in "$work"/new/*) [ -e "$work/old/$name" ] && continue ;; esac
  blobs=$((blobs + 1))
  if ! cmp -s "$work/old/$name" "$work/new/$name"; then
    echo "blob of call ${name#blob_call} differs (or is missing on one side)"
    status=1
  fi
done
echo "blobs compared: $blobs"
[ "$status" -ne 0 ] || echo "the same GL calls, in the same order, with the same arguments and data"
exit "$status"
