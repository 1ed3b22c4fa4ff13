# With rocks.bmp missing: first the image loader's box captioned "Error" (Failed to open DIB file
# rocks.bmp.), then, once answered, the "ERROR" box of the failed start; the program ends with 0.
source "$(dirname "$0")/lib.sh"

start_xvfb
prepare_run_dir
rm "$E2E_RUN_DIR/rocks.bmp"
start_demo

wait_window Error 20
box=$FOUND
image_box_width=$(client_size "$box" | cut -dx -f1)
log "image box $box, $(client_size "$box")"
screenshot image-box
[ -z "$(find_window ERROR)" ] || fail "the \"ERROR\" box is shown together with the image's box: $SHOT"
demo_running || fail "the program ended before the box was answered"
send_key "$box" Return

wait_window ERROR 10
box=$FOUND
log "start-up box $box, $(client_size "$box")"
[ -z "$(find_window Error)" ] || fail "the image's box is still shown"
# The image's message is the longer text, and the boxes are as wide as their text needs.
[ "$image_box_width" -gt "$(client_size "$box" | cut -dx -f1)" ] ||
    fail "the image's box is no wider than the \"ERROR\" box: not the longer message"
demo_running || fail "the program ended before the box was answered"
send_key "$box" Return
expect_exit_code 0 10
pass
