# On a screen of 16 bits per pixel the display refuses F1's full-screen mode of 32 (Wine's refuses
# every depth but 16 and 8 there, SDL finds no mode of 24 bits or more): the program asks whether
# to go on in a window. Yes (Return): a window of about the desktop's size in windowed style, with
# the window manager's frame, that draws. F1 there asks again, since the window is still not in
# full screen; No: no window can be made, the program says so and ends with 0.
# shellcheck disable=SC2016,SC2034  # conditions are evaluated by wait_for
E2E_SCREEN_DEPTH=16
source "$(dirname "$0")/lib.sh"

QUESTION_CAPTION=GLWindow

start_xvfb
start_wm
start_demo_window
wait_running "$WIN" 15
first_window=$WIN

send_key "$WIN" F1
wait_window "$QUESTION_CAPTION" 15
log "question box $FOUND, $(client_size "$FOUND")"
[ -z "$(find_window "$E2E_WINDOW_TITLE")" ] || fail "the old window is still shown with the question"
send_key "$FOUND" Return
wait_no_window "$QUESTION_CAPTION" 5

wait_for 'WIN=$(find_window "$E2E_WINDOW_TITLE"); [ -n "$WIN" ] && [ "$WIN" != "$first_window" ]' 15 ||
    fail "Yes: no new window"
# The desktop's size was asked for; the system and the window manager keep a framed window on the
# screen, so the client may lose a little of its size to the frame and the caption.
read -r x y w h <<<"$(window_geometry "$WIN")"
log "Yes: window $WIN, client ${w}x$h at $x $y"
if [ "$w" -gt "$E2E_SCREEN_WIDTH" ] || [ "$w" -le $((E2E_SCREEN_WIDTH - 50)) ] ||
    [ "$h" -gt "$E2E_SCREEN_HEIGHT" ] || [ "$h" -le $((E2E_SCREEN_HEIGHT - 80)) ]; then
    fail "the window is ${w}x$h, not about the desktop's ${E2E_SCREEN_WIDTH}x$E2E_SCREEN_HEIGHT"
fi
[ "$y" -gt 0 ] || fail "the client area has no caption above it ($x, $y): not a window in windowed style"
wait_running "$WIN" 15
demo_running || fail "the program ended after Yes"

send_key "$WIN" F1
wait_window "$QUESTION_CAPTION" 15
log "asked again"
# No: Windows' box has no cancel button, only the shortcut N; SDL's takes Escape for it.
if [[ $E2E_BIN == *.exe ]]; then no_key=n; else no_key=Escape; fi
send_key "$FOUND" "$no_key"
wait_window "PROGRAM FAILURE" 10
[ -z "$(find_window "$E2E_WINDOW_TITLE")" ] || fail "No: a window is still shown"
send_key "$FOUND" Return
expect_exit_code 0 10
pass
