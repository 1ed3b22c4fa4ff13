# With rage.sos missing the program cannot build its scene: it shows the "ERROR" box, owned by
# its still black window, draws no frame, and ends with 0 once the box is answered with Return;
# standard error says which file is missing and where it was looked for.
source "$(dirname "$0")/lib.sh"

start_xvfb
prepare_run_dir
rm "$E2E_RUN_DIR/rage.sos"
start_demo

wait_window ERROR 20
box=$FOUND
log "box $box, $(client_size "$box")"
main=$(find_window "$E2E_WINDOW_TITLE")
[ -n "$main" ] || fail "the box is shown without the program's window"
owner=$(xprop -id "$box" WM_TRANSIENT_FOR | awk '{ print $NF }')
[ "$((owner))" -eq "$((main))" ] || fail "the box belongs to window ${owner:-none}, not to the program's window $main"
# Give a frame, had one been drawn, time to show; the window must stay black (no sky, no bar).
sleep 0.5
screenshot with-box
# The box itself (with a margin for its frame) is masked: Wine centres it on the screen, over the window.
read -r bx by bw bh <<<"$(window_geometry "$box")"
convert "$SHOT" -fill black -draw "rectangle $((bx - 10)),$((by - 40)) $((bx + bw + 10)),$((by + bh + 10))" "$SHOT"
expect "$(mean "$SHOT" 700x150+0+350) < 0.02" "the window shows a picture although the scene failed: $SHOT"
demo_running || fail "the program ended before the box was answered"

send_key "$box" Return
expect_exit_code 0 10
# Standard error names the missing file and the places it was looked for.
# (A Windows build names the directory in its own form: Z:\tmp\...\run.)
grep -Eq "facedemo: cannot read rage.sos: not found in .*${E2E_TMP##*/}[/\\\\]run" "$E2E_TMP/demo.err" ||
    fail "standard error does not name rage.sos and the run directory: $(cat "$E2E_TMP/demo.err")"
pass
