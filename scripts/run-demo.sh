#!/usr/bin/env bash
# Installs what is missing, builds and runs the demo. Without a display it runs for three
# seconds under a virtual X server and saves a screenshot of its last frame.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
program=$(pwd)/build/data/facedemo
if [ -n "${DISPLAY:-}" ]; then
  exec "$program" "$@"
fi
shot=${SCREENSHOT:-$(pwd)/facedemo-screenshot.png}
scripts/with-xvfb.sh "$program" --seconds 3 --screenshot "$shot" "$@"
echo "screenshot: $shot"
