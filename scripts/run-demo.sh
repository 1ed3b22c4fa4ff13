#!/usr/bin/env bash
# Installs what is missing, builds and runs the demo. Without a display it runs under a
# virtual X server for a few seconds, saves a screenshot and ends the demo with Escape.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
data=$(pwd)/build/data
if [ -n "${DISPLAY:-}" ]; then
  cd "$data" && exec ./facedemo
fi
shot=${SCREENSHOT:-$(pwd)/facedemo-screenshot.png}
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  cd "$1"
  ./facedemo & pid=$!
  for _ in $(seq 100); do
    win=$(xdotool search --name "^OpenGL Window$" 2>/dev/null | head -1) && [ -n "$win" ] && break
    sleep 0.1
  done
  sleep 3
  import -window root "$2"
  xdotool key --window "$win" Escape 2>/dev/null || kill "$pid"
  wait "$pid"; echo "demo exit code: $?"
' _ "$data" "$shot"
echo "screenshot: $shot"
