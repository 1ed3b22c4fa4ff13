#!/usr/bin/env bash
# Runs a Windows program under Wine (the Windows build's test runner): in the X display of the
# caller, or in a virtual one of its own when there is none. WINEPREFIX is the caller's, or the
# build's own prefix next to the program's build tree, made on first use.
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${WINEPREFIX:-}" ]; then
  root=$(cd "$(dirname "$0")/.." && pwd)
  export WINEPREFIX=$root/build-windows/wineprefix
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # One prefix for parallel runs: the first makes it, the others wait.
  (flock 9; [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1) 9>"$WINEPREFIX.lock"
fi
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/with-xvfb.sh" wine "$@"
fi
exec wine "$@"
