#!/usr/bin/env bash
# A quick look at the built site in headless Chromium: the default page draws (a screenshot is
# left in OUT), ?validate passes its checks, ?frames=60 ends with 0 on the page, a bad ?size
# ends with 2 after the usage, a refused full screen asks the design's question, and the page's
# own paths hold (tests/web/page_paths.js: ?size, a hidden page, the browser leaving full screen,
# the Close button). Serves
# build-web/site on 127.0.0.1 only, for the time of the checks.
#   tests/web/check_site.sh [OUT]       (default build-web/check)
# puppeteer-core: tests/web/install_puppeteer.sh (the lock file's version; it drives Debian's
# chromium).
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-build-web/check}
mkdir -p "$out"
site=build-web/site
[ -f "$site/index.html" ] || { echo "no site: run scripts/build-web.sh first" >&2; exit 1; }
scripts/install-packages.sh chromium
NODE_PATH=$(tests/web/install_puppeteer.sh)
export NODE_PATH

# shellcheck source=tests/web/serve.sh
source tests/web/serve.sh
serve "$site" "$out/server.log"
trap 'kill $SERVER' EXIT
url="${BASE_URL}index.html"
page() { node tests/web/run_page.js "$@"; }
failures=0
check() {  # name, expected exit code, output, then its arguments
  local name=$1 expected=$2 log=$out/$1.log; shift 2
  local code=0
  page "$@" >"$log" 2>&1 || code=$?
  if [ "$code" -eq "$expected" ]; then echo "ok    $name"; else echo "FAIL  $name: exit $code, not $expected ($log)"; failures=$((failures + 1)); fi
}

check default 0 "$url" --wait 6 --screenshot "$out/default.png"
check validate 0 "$url?validate" --timeout 300
echo "      checks passed, as the page shows them: $(sed -n '/^#result/,$p' "$out/validate.log" | grep -c ' PASS ')"
check frames 0 "$url?frames=60&report=run.json" --timeout 120
grep -q '"exitCode": 0' "$out/frames.log" || { echo "FAIL  frames: no report with exitCode 0"; failures=$((failures + 1)); }
check bad-size 2 "$url?size=0x0" --timeout 60
grep -q "Usage: facedemo" "$out/bad-size.log" || { echo "FAIL  bad-size: no usage"; failures=$((failures + 1)); }
check refused-full-screen 0 "$url" --wait 6 --refuse-fullscreen --keys F1,Enter,Escape --timeout 30
grep -q "Fullscreen Mode Is Not Supported" "$out/refused-full-screen.log" ||
  { echo "FAIL  refused-full-screen: no question"; failures=$((failures + 1)); }
paths=0
node tests/web/page_paths.js "$url" | sed 's/^/      /' || paths=$?
failures=$((failures + paths))
echo "$failures failed; logs and the default page's screenshot in $out/"
[ "$failures" -eq 0 ]
