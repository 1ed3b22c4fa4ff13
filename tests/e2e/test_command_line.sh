# The command line of the real program: --help and --version; a bad value ends the run with 2
# before any window opens; an unknown argument is warned about and the program runs; --size
# gives the window that client size; --info, --fps-log and --frames print what they promise, the
# overlay's figure going by frames with --frame-time.
# Without a display that answers, the program does not run on unseen: it says the window cannot
# be opened and ends, with 0 as the plain demo and 3 when an option asked for a result.
source "$(dirname "$0")/lib.sh"

# SDL would fall through to its off-screen driver; Wine has no such driver to fall to.
if [[ $E2E_BIN != *.exe ]]; then
    unused_display=:$((900 + RANDOM % 90))
    for display in unset "$unused_display"; do
        for args in "" "--fps-log"; do
            setting=(-u DISPLAY)
            [ "$display" = unset ] || setting+=(DISPLAY="$display")
            # shellcheck disable=SC2086  # no argument or one
            timeout 20 env -u WAYLAND_DISPLAY "${setting[@]}" "$E2E_BIN" $args >"$E2E_TMP/nodisplay.out" \
                2>"$E2E_TMP/nodisplay.err"
            code=$?
            expected=3
            [ -n "$args" ] || expected=0
            [ "$code" -eq "$expected" ] || fail "display $display, '$args': exit code $code, expected $expected"
            grep -q '^PROGRAM FAILURE: Window could not be open! Program is about to close.$' "$E2E_TMP/nodisplay.err" ||
                fail "display $display, '$args': no box on standard error: $(cat "$E2E_TMP/nodisplay.err")"
            [ ! -s "$E2E_TMP/nodisplay.out" ] || fail "display $display, '$args': frames were run: $(head -2 "$E2E_TMP/nodisplay.out")"
        done
    done
    log "no display: the box on standard error, exit codes 0 and 3"
fi

start_xvfb
# Exit code 2 and the usage show it stopped before anything was shown.
for bad in "--size 0x0" "--frames -3" "--frames abc" "--seconds" "--data-dir /nonexistent/facedemo" "--report run.txt"; do
    # shellcheck disable=SC2086  # the words of each case are the arguments
    run_program $bad >"$E2E_TMP/bad.out" 2>"$E2E_TMP/bad.err"
    code=$?
    [ "$code" -eq 2 ] || fail "'$bad' ended with $code, expected 2"
    option=${bad%% *}
    head -1 "$E2E_TMP/bad.err" | grep -q "facedemo: option '$option'" || fail "'$bad': first line does not name $option"
    grep -q '^Usage: facedemo' "$E2E_TMP/bad.err" || fail "'$bad': no usage on standard error"
    [ ! -s "$E2E_TMP/bad.out" ] || fail "'$bad' wrote to standard output"
done
run_program --help >"$E2E_TMP/help.out" || fail "--help did not end with 0"
[ "$(grep -c '^  --' "$E2E_TMP/help.out")" -eq 15 ] || fail "--help does not list the 15 options"
grep -q '^  3  the program could not do what was asked' "$E2E_TMP/help.out" || fail "--help does not list the exit codes"
version=$(run_program --version | tr -d '\r') || fail "--version did not end with 0"
[[ $version =~ ^facedemo\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"
[ -z "$(find_window "$E2E_WINDOW_TITLE" any)" ] || fail "a window was made for a bad command line"
log "help, version and bad values checked ($version)"

# On a fixed frame time of 20 ms the overlay's figure reads 50.0 from its second half second on
# (its first may count one more frame: the 0 ms frame after the window's activation), and 60
# frames hold two figures, however fast or slow the machine.
E2E_ARGS=(--size 640x480 --info --fps-log --frames 60 --frame-time 20 --not-an-option)
start_demo_window
wait_client_size "$WIN" 640x480 5
expect_exit_code 0 60
sed -i 's/\r$//' "$E2E_TMP/demo.out" "$E2E_TMP/demo.err"
grep -q "ignoring an argument it does not know: '--not-an-option'" "$E2E_TMP/demo.err" ||
    fail "no warning about the unknown argument"
grep -q '^GL_RENDERER: .' "$E2E_TMP/demo.out" || fail "--info printed no renderer"
grep -Eq '^Multitexturing: (yes|no)$' "$E2E_TMP/demo.out" || fail "--info printed no multitexturing line"
figures=$(grep -E '^FPS: *[0-9]+\.[0-9]$' "$E2E_TMP/demo.out" | xargs)
[ "$(wc -w <<<"$figures")" -eq 4 ] && [[ $figures == *"FPS: 50.0" ]] ||
    fail "--fps-log with --frame-time 20 printed '$figures', not two figures ending with 50.0"
summary=$(grep '^frames: ' "$E2E_TMP/demo.out")
[[ $summary =~ ^frames:\ 60\ \ seconds:\ [0-9.]+\ \ fps:\ [0-9.]+\ \ worst:\ [0-9.]+\ ms\ \ p99:\ [0-9.]+\ ms$ ]] ||
    fail "summary line '$summary'"
log "$summary"
pass
