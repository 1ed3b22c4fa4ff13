# The program opens its 700 x 500 window titled "OpenGL Window", draws, and Escape ends it with 0.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_demo_window

wait_client_size "$WIN" 700x500 5
wait_running "$WIN" 15
demo_running || fail "the program ended on its own"

send_key "$WIN" Escape
expect_exit_code 0 10
pass
