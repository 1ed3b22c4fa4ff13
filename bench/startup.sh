#!/usr/bin/env bash
# Start-up and display-mode switch times of the real program under Xvfb, median of N runs.
#   bench/startup.sh [build-dir] [runs]
# With WM=openbox a window manager runs too. Without one, SDL waits 100 ms in vain for a
# window manager's answer each time a full-screen window is shown or destroyed.
# Start-up: from the launch to the second buffer swap (the first is the black screen shown
# while loading; the second is the first frame). F1 round trip: from the window's destruction
# to the next swap, for the switch to full screen plus the one back.
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-7}
probe=$build/bench/libfirst_frame_probe.so
[ -f "$probe" ] || { echo "build the first_frame_probe target first" >&2; exit 1; }

"$(dirname "$0")/../scripts/with-xvfb.sh" bash -s "$build" "$probe" "$runs" "${WM:-}" <<'INNER'
build=$1 probe=$2 runs=$3 wm=$4
if [ -n "$wm" ]; then
  "$wm" >/dev/null 2>&1 &
  for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
fi
cd "$build/data"
starts=() trips=()
# press KEY: focuses the program's window and types the key as a real key press.
press() {
  local win
  win=$(xdotool search --name '^OpenGL Window$' 2>/dev/null | tail -1)
  [ -n "$win" ] || return 0
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool key "$1"
}
for run in $(seq "$runs"); do
  log=$(mktemp)
  t0=$(date +%s%N)
  FIRST_FRAME_PROBE_OUT=$log LD_PRELOAD=$probe ./facedemo & pid=$!
  for _ in $(seq 200); do [ "$(grep -c swap "$log")" -ge 2 ] && break; sleep 0.05; done
  press F1
  for _ in $(seq 200); do [ "$(grep -A1 destroy "$log" | grep -c swap)" -ge 1 ] && break; sleep 0.05; done
  sleep 0.3
  press F1
  for _ in $(seq 200); do [ "$(grep -A1 destroy "$log" | grep -c swap)" -ge 2 ] && break; sleep 0.05; done
  press Escape
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill "$pid" 2>/dev/null && echo "run $run: the program did not end on Escape" >&2
  wait "$pid" || true
  starts+=("$(awk -v t0="$t0" '/^swap/ {n++; if (n == 2) {printf "%.1f", $2 - t0 / 1e6; exit}}' "$log")")
  trips+=("$(awk '/^destroy/ {d = $2; want = 1; next} /^swap/ && want {sum += $2 - d; want = 0} END {printf "%.1f", sum}' "$log")")
  rm -f "$log"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
echo "start-up to first frame (ms): ${starts[*]}  median $(median "${starts[@]}")"
echo "F1 round trip (ms):           ${trips[*]}  median $(median "${trips[@]}")"
INNER
