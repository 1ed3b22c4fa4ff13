#!/usr/bin/env bash
# The web build beside the native ones, in one run: load to the first frame from 127.0.0.1 and
# frames per second in headless Chromium (SwiftShader) and in Firefox ESR under Xvfb
# (bench/web_page.js), frames per second of the native direct build and of the native layer build
# (FACEDEMO_GLES2) off screen, the site's files and the WebAssembly memory at the end of a run.
# Builds what is missing: the site (scripts/build-web.sh), the program in DIRECT (default build)
# and in build-gles2; puppeteer-core through tests/web/install_puppeteer.sh.
#   bench/web_figures.sh [RUNS] [SECONDS]      (default 5 loads, 5 seconds of frames)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
seconds=${2:-5}
direct=${DIRECT:-build}

[ -f build-web/site/index.html ] || scripts/build-web.sh >/dev/null
NODE_PATH=$(tests/web/install_puppeteer.sh)
export NODE_PATH
[ -f "$direct/CMakeCache.txt" ] || cmake -S . -B "$direct" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
[ -f build-gles2/CMakeCache.txt ] || cmake -S . -B build-gles2 -DFACEDEMO_GLES2=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$direct" --target facedemo -j "$(nproc)" >/dev/null
cmake --build build-gles2 --target facedemo -j "$(nproc)" >/dev/null

work=$(mktemp -d)
# shellcheck source=tests/web/serve.sh
source tests/web/serve.sh
serve build-web/site "$work/server.log"
trap 'kill $SERVER 2>/dev/null; rm -rf "$work"' EXIT
site=$BASE_URL

node bench/web_page.js chromium "$site" "$runs" "$seconds" >"$work/chromium.json"
scripts/with-xvfb.sh node bench/web_page.js firefox "$site" "$runs" "$seconds" >"$work/firefox.json"
native_fps() { "$1/data/facedemo" --offscreen --seconds "$seconds" | sed -n 's/.*fps: *\([0-9.]*\).*/\1/p' | tail -1; }
direct_fps=$(native_fps "$direct")
layer_fps=$(native_fps build-gles2)

echo "| Build | Where | Load to first frame (median of $runs) | Frames per second ($seconds s) | Memory at the end |"
echo "|---|---|---|---|---|"
for b in chromium firefox; do
  jq -r '"| web, \(.browser) \(.version) | \(.renderer) | \(.medianLoadMs | floor) ms (\(.loadMs | map(floor | tostring) | join(", "))) | \(.fps) | \(.heapBytes / 1048576) MiB of WebAssembly memory |"' "$work/$b.json"
done
echo "| native, direct GL 1.1 ($direct) | Mesa llvmpipe, off screen | | $direct_fps | |"
echo "| native, the layer on ES 2.0 (build-gles2) | Mesa llvmpipe, off screen | | $layer_fps | |"
echo
echo "Site files (build-web/site):"
(cd build-web/site && stat -c '%n %s' index.html index.js index.wasm index.data favicon.png |
  awk '{ total += $2; printf "  %-12s %10d bytes\n", $1, $2 } END { printf "  %-12s %10d bytes\n", "total", total }')
