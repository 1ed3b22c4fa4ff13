#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and runs its tests under Wine: the unit
# tests in one virtual X display with a Wine prefix made here, the end-to-end tests from the
# unzipped package, each with an X server and a copy of that prefix of its own.
#   scripts/test-windows.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/build-windows.sh

export WINEPREFIX=$root/build-windows/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  scripts/with-xvfb.sh wineboot -i >/dev/null 2>&1
fi
status=0
# Wine's server and its desktop and services are started before ctest, away from its output:
# started by a test, they would hold the test's output open, and ctest would wait for them.
# shellcheck disable=SC2016  # expanded by the inner shell
scripts/with-xvfb.sh bash -c '
  wineserver -p </dev/null >/dev/null 2>&1
  wineboot </dev/null >/dev/null 2>&1
  cd build-windows && ctest --output-on-failure -j "$(nproc)" "$@"' _ "$@" || status=$?
wineserver -k 2>/dev/null || true
exit "$status"
