#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit tests on SDL's offscreen
# driver, end-to-end tests of the real program under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
cd build
ctest --output-on-failure -j 2 2>&1 | tee ctest.log
