# Closing the window ends the program with 0: Alt+F4 delivered to the program without a window
# manager; with openbox, its close action bound to Ctrl+Alt+Q (a key the program would ignore,
# so only the window manager's close request can end it) and to Alt+F4. A run asked for a number
# of frames and closed before them ends with 3, its summary saying how far it got.
source "$(dirname "$0")/lib.sh"

start_xvfb

log "without a window manager: Alt+F4 to the program"
start_demo_window
wait_running "$WIN" 15
send_key "$WIN" alt+F4
expect_exit_code 0 10

E2E_ARGS=(--frames 100000000 --report "$E2E_TMP/closed.json")
start_demo_window
wait_running "$WIN" 15
send_key "$WIN" alt+F4
expect_exit_code 3 10
grep -Eq '^frames: [1-9][0-9]* ' "$E2E_TMP/demo.out" || fail "no summary of the frames drawn: $(cat "$E2E_TMP/demo.out")"
jq -r .failure "$E2E_TMP/closed.json" | grep -q 'before the 100000000 frames asked for' ||
    fail "the report does not say why: $(jq -r .failure "$E2E_TMP/closed.json")"
E2E_ARGS=()

start_wm
for keys in ctrl+alt+q alt+F4; do
    log "with openbox: $keys, its close action"
    start_demo_window
    wait_running "$WIN" 15
    focus_window "$WIN"
    xdotool key "$keys"
    expect_exit_code 0 10
done
pass
