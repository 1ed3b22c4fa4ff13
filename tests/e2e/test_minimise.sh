# Under openbox: minimising the window and restoring it. The program keeps running while
# minimised and draws again after the restore (the scene is back and the upper face morphs).
# shellcheck disable=SC2016,SC2034  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

start_xvfb
start_wm
start_demo_window
wait_running "$WIN" 15

xdotool windowminimize --sync "$WIN" || fail "openbox did not minimise the window"
wait_for '! xwininfo -id "$WIN" | grep -q IsViewable' 5 || fail "the window is still shown after minimising"
xprop -id "$WIN" WM_STATE | grep -q Iconic || fail "the window is not iconic: $(xprop -id "$WIN" WM_STATE)"
log "minimised"
# The program must go on polling its messages while minimised, not end nor stop answering.
sleep 1
demo_running || fail "the program ended while minimised"

for way in windowactivate windowmap; do
    xdotool "$way" --sync "$WIN" 2>/dev/null || fail "xdotool $way failed"
    wait_for 'xwininfo -id "$WIN" | grep -q IsViewable' 5 || fail "$way: the window did not come back"
    log "restored with $way"
    wait_client_size "$WIN" 700x500 5
    wait_running "$WIN" 10
    first=$E2E_TMP/restored-$way.png
    cp "$SHOT" "$first"
    wait_for 'screenshot after-$way "$WIN"; [ "$(diff_pixels "$first" "$SHOT" "$REGION_UPPER_FACE")" -gt 20 ]' 5 ||
        fail "$way: the upper face does not change after the restore ($first, $SHOT)"
    log "$way: drawing again"
    [ "$way" = windowactivate ] || break
    xdotool windowminimize --sync "$WIN" || fail "openbox did not minimise the window again"
    wait_for '! xwininfo -id "$WIN" | grep -q IsViewable' 5 || fail "the window is still shown after minimising"
done

send_key "$WIN" Escape
expect_exit_code 0 10
pass
