# shellcheck shell=bash disable=SC2034  # SERVER and BASE_URL are for the scripts that source this
# serve FOLDER LOG: serves FOLDER on 127.0.0.1 at a port the server picks itself among the free
# ones (a fixed port may be another checkout's server, whose site the checks would then open),
# and sets SERVER (its process) and BASE_URL (http://127.0.0.1:PORT/). Sourced by the scripts
# that open the site in a browser; they stop SERVER when they end.
serve() {
  local folder=$1 log=$2 port=
  (cd "$folder" && exec python3 -u -m http.server 0 --bind 127.0.0.1 >"$log" 2>&1) &
  SERVER=$!
  for _ in $(seq 100); do
    port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$log" | head -1)
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "the server did not start: $(cat "$log")" >&2; return 1; }
  BASE_URL=http://127.0.0.1:$port/
}
