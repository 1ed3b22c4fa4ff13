#!/usr/bin/env bash
# Runs a command in a virtual X display of its own, as the end-to-end tests start theirs: the
# server picks a free display number itself (-displayfd), so servers started together never
# share one, and it does not reset when its last client leaves (-noreset), so no client meets a
# server in the middle of a reset. The server stops with the command, whose exit status this is.
#   scripts/with-xvfb.sh [-s "SERVER ARGUMENTS"] COMMAND [ARGUMENT...]
set -uo pipefail
server_args="-screen 0 1024x768x24"
if [ "${1:-}" = -s ]; then
  server_args=$2
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [-s \"SERVER ARGUMENTS\"] COMMAND [ARGUMENT...]" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/with-xvfb.XXXXXX")
# shellcheck disable=SC2086  # the server's arguments are words
Xvfb -displayfd 3 $server_args -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
server=$!
stop() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM
# The number is written once the server listens.
for _ in $(seq 1 200); do
  [ -s "$work/display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$work/display" ]; then
  echo "$0: Xvfb did not start: $(tail -3 "$work/xvfb.log")" >&2
  exit 1
fi
export DISPLAY=:$(head -1 "$work/display")
"$@"
