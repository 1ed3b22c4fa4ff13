#!/usr/bin/env bash
# The browser stage: builds the site (scripts/build-web.sh), serves it on 127.0.0.1 and runs the
# page's behavioural checks (tests/web/behaviour.js) in headless Chromium and in Firefox ESR in a
# visible window under Xvfb, then prints each validation check's largest block difference per
# browser. Logs, screenshots and figures are left in OUT (default build-web/test).
#   scripts/test-web.sh [OUT]
# puppeteer-core: tests/web/install_puppeteer.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build-web/test}")
started=$(date +%s)

scripts/install-packages.sh chromium firefox-esr xvfb xauth imagemagick jq python3
scripts/build-web.sh >/dev/null

NODE_PATH=$(tests/web/install_puppeteer.sh)
export NODE_PATH

# What is served: the site, and a copy of it whose data package lists no rage.sos (the file is
# then missing from the program's file system; the package's other offsets stay as they are).
served=build-web/served
rm -rf "$served" && mkdir -p "$served/no-mesh"
ln -s ../site "$served/site"
for f in index.html index.wasm index.data favicon.png; do ln -s "../../site/$f" "$served/no-mesh/$f"; done
sed 's|{"filename":"/rage.sos","start":[0-9]*,"end":[0-9]*},||' build-web/site/index.js >"$served/no-mesh/index.js"
! grep -q rage.sos "$served/no-mesh/index.js" || { echo "rage.sos is still in the copy's package" >&2; exit 1; }

mkdir -p "$out"
# shellcheck source=tests/web/serve.sh
source tests/web/serve.sh
serve "$served" "$out/server.log"
trap 'kill $SERVER 2>/dev/null' EXIT
base=$BASE_URL

failures=0
node tests/web/behaviour.js chromium "$base" "$out/chromium" || failures=$((failures + $?))
scripts/with-xvfb.sh node tests/web/behaviour.js firefox "$base" "$out/firefox" || failures=$((failures + $?))

echo "Largest block difference per check (tolerance 24):"
printf '%-14s %10s %10s\n' check chromium firefox
jq -r -n --slurpfile c "$out/chromium/margins.json" --slurpfile f "$out/firefox/margins.json" \
  '$c[0] | to_entries[] | "\(.value.name) \(.value.largestDifference) \($f[0][.key].largestDifference)"' 2>/dev/null |
  while read -r name a b; do printf '%-14s %10.1f %10.1f\n' "$name" "$a" "$b"; done || true
echo "browser stage: $failures failed, $(($(date +%s) - started)) s (logs and pictures in $out)"
[ "$failures" -eq 0 ]
