#!/usr/bin/env bash
# Installs puppeteer-core as tests/web/package-lock.json pins it (npm ci) into build-web/npm,
# again only when the lock file changes, and prints the NODE_PATH that finds it. It never
# downloads a browser: the tests drive Debian's chromium and firefox-esr.
#   export NODE_PATH=$(tests/web/install_puppeteer.sh)
set -euo pipefail
cd "$(dirname "$0")/../.."
command -v npm >/dev/null || scripts/install-packages.sh nodejs npm >&2
dir=build-web/npm
if ! cmp -s tests/web/package-lock.json "$dir/package-lock.json" || [ ! -d "$dir/node_modules/puppeteer-core" ]; then
  rm -rf "$dir" && mkdir -p "$dir"
  cp tests/web/package.json tests/web/package-lock.json "$dir/"
  (cd "$dir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >&2)
fi
echo "$(pwd)/$dir/node_modules"
