# F1 switches to a full-screen window at the desktop's size and back to a 500 x 500 window; the
# program goes on drawing (the upper face morphs) and Escape still ends it with 0. Started with
# --fullscreen it opens full screen; with a size the screen cannot take it asks first.
# shellcheck disable=SC2016,SC2034  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

start_xvfb
# test_fullscreen_openbox.sh runs this test again under a window manager.
[ -z "${E2E_WITH_WM:-}" ] || start_wm
start_demo_window
wait_running "$WIN" 15
first_window=$WIN

# wait_new_window SIZE: the window made by the switch (a new one, with the given client size).
wait_new_window() {
    local old=$WIN size=$1
    wait_for 'WIN=$(find_window "$E2E_WINDOW_TITLE"); [ -n "$WIN" ] && [ "$WIN" != "$old" ] &&
              [ "$(client_size "$WIN")" = "$size" ]' 15 ||
        fail "after F1 no new window of $size (window ${WIN:-none}, $(client_size "${WIN:-$old}"))"
    log "window $WIN, client $(client_size "$WIN") at $(window_geometry "$WIN" | cut -d' ' -f1,2)"
}

# expect_drawing NAME: the window shows the scene and the upper face changes between pictures.
expect_drawing() {
    local name=$1
    wait_running "$WIN" 15
    # The reference is a later picture than the first one seen: a new GL context's first frame
    # lights the axes differently (the green axis reaches into the face's region).
    screenshot "$name-a" "$WIN"
    local first=$SHOT
    local w h
    read -r w h <<<"$(image_size "$first" | tr x ' ')"
    # The upper face stands a little right of the centre line and in the upper third.
    local face_region=$((w / 4))x$((h / 3))+$((w * 3 / 8))+$((h / 20))
    wait_for 'screenshot $name-b "$WIN"; [ "$(diff_pixels "$first" "$SHOT" "$face_region")" -gt 20 ]' 5 ||
        fail "$name: the upper face does not change ($first, $SHOT)"
    log "$name: drawing, the upper face morphs"
}

send_key "$WIN" F1
wait_new_window "${E2E_SCREEN_WIDTH}x${E2E_SCREEN_HEIGHT}"
[ "$(window_geometry "$WIN" | cut -d' ' -f1,2)" = "0 0" ] || fail "the full-screen window is not at the screen's corner"
expect_drawing fullscreen
demo_running || fail "the program ended in full screen"

send_key "$WIN" F1
wait_new_window 500x500
expect_drawing windowed
[ "$WIN" != "$first_window" ] || fail "the window was not made anew"

send_key "$WIN" Escape
expect_exit_code 0 10

# Started with --fullscreen the program opens at the desktop's size through the same path, and
# F1 still brings the 500 x 500 window.
E2E_ARGS=(--fullscreen)
start_demo_window
wait_client_size "$WIN" "${E2E_SCREEN_WIDTH}x${E2E_SCREEN_HEIGHT}" 5
wait_running "$WIN" 15
send_key "$WIN" F1
wait_new_window 500x500
send_key "$WIN" Escape
expect_exit_code 0 10

# A size the screen has no mode for is refused: the program asks whether to use a window, and
# Yes (Return) gives a window of that size.
E2E_ARGS=(--fullscreen --size 800x600)
start_demo
wait_window GLWindow 20
send_key "$FOUND" Return
wait_window "$E2E_WINDOW_TITLE" 20
WIN=$FOUND
wait_client_size "$WIN" 800x600 5
wait_running "$WIN" 15
send_key "$WIN" Escape
expect_exit_code 0 10
pass
