# Helpers for the end-to-end tests, sourced by each tests/e2e/test_*.sh script.
# A test runs as `bash test_NAME.sh FACEDEMO_BINARY DATA_DIR`. It gets a private Xvfb (found
# through -displayfd, so tests run in parallel), optionally openbox, a copy of the data directory
# to run the program in, and clean-up of everything it started, on success and on failure. On
# failure the temporary directory is kept with a screenshot of the screen and its path is printed;
# E2E_KEEP=1 keeps it after a pass too, with every picture the test took.
# A Windows build (FACEDEMO_BINARY ending in .exe) runs under Wine, in a Wine prefix of the test's
# own: a copy of $WINEPREFIX when that is set (made by the test script), otherwise a new one.
# Every wait polls a condition against a deadline; conditions are shell text in single quotes,
# evaluated by wait_for.
# shellcheck disable=SC2016,SC2034  # conditions are expanded when evaluated; tests use the regions

set -uo pipefail
# shellcheck source=tests/e2e/pictures.sh
source "$(dirname "${BASH_SOURCE[0]}")/pictures.sh"

E2E_BIN=${1:-}
E2E_DATA=${2:-}
if [ -z "$E2E_BIN" ] || [ -z "$E2E_DATA" ]; then
    echo "usage: bash $0 FACEDEMO_BINARY DATA_DIR" >&2
    exit 2
fi
E2E_BIN=$(realpath "$E2E_BIN")
E2E_DATA=$(realpath "$E2E_DATA")
# A Windows program needs no execute bit (an unzipped one may have none).
if [ ! -f "$E2E_BIN" ] || { [[ $E2E_BIN != *.exe ]] && [ ! -x "$E2E_BIN" ]; }; then
    echo "FAIL: no program at $E2E_BIN" >&2
    exit 2
fi
[ -d "$E2E_DATA" ] || { echo "FAIL: no data directory at $E2E_DATA" >&2; exit 2; }

E2E_NAME=$(basename "$0" .sh)
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/facedemo-$E2E_NAME.XXXXXX")
E2E_RUN_DIR=$E2E_TMP/run
E2E_SCREEN_WIDTH=1024
E2E_SCREEN_HEIGHT=768
E2E_SCREEN_DEPTH=${E2E_SCREEN_DEPTH:-24}
E2E_WINDOW_TITLE='OpenGL Window'
E2E_POLL=0.1

XVFB_PID=
WM_PID=
DEMO_PID=
DEMO_EXIT=
E2E_FAILED=0
E2E_START=$(date +%s.%N)

# --- reporting and clean-up --------------------------------------------------------------------

log() { echo "[$E2E_NAME $(elapsed)s] $*"; }

elapsed() { awk -v now="$(date +%s.%N)" -v start="$E2E_START" 'BEGIN { printf "%.1f", now - start }'; }

# Ends the test as failed: saves a screenshot of the whole screen (when the X server still runs)
# and the program's output, and keeps the temporary directory.
fail() {
    E2E_FAILED=1
    echo "FAIL [$E2E_NAME]: $*" >&2
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        local shot=$E2E_TMP/failure.png
        if import -window root "$shot" 2>/dev/null; then echo "  screenshot at failure: $shot" >&2; fi
    fi
    if [ -s "$E2E_TMP/demo.err" ]; then
        echo "  program's standard error:" >&2
        sed 's/^/    /' "$E2E_TMP/demo.err" | tail -20 >&2
    fi
    echo "  files kept in $E2E_TMP" >&2
    exit 1
}

pass() {
    log "PASS"
    exit 0
}

# Stops a process we started: TERM, then KILL if it does not go within two seconds.
stop_process() {
    local pid=$1
    [ -n "$pid" ] || return 0
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null
    local deadline=$(($(date +%s) + 2))
    while kill -0 "$pid" 2>/dev/null && [ "$(date +%s)" -le "$deadline" ]; do sleep 0.05; done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

cleanup() {
    local status=$?
    stop_process "$DEMO_PID"
    stop_process "$WM_PID"
    # The server must be gone before its prefix is removed: the next test's prefix often gets the
    # same inode, and Wine finds a prefix's server by its device and inode.
    if [ -n "${E2E_WINEPREFIX:-}" ]; then
        WINEPREFIX=$E2E_WINEPREFIX wineserver -k 2>/dev/null
        WINEPREFIX=$E2E_WINEPREFIX timeout 20 wineserver -w 2>/dev/null
    fi
    stop_process "$XVFB_PID"
    if [ "$status" -eq 0 ] && [ "$E2E_FAILED" -eq 0 ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_TMP"
    else
        echo "[$E2E_NAME] files kept in $E2E_TMP" >&2
    fi
}
trap cleanup EXIT
trap 'fail "interrupted"' INT TERM

# --- waiting -----------------------------------------------------------------------------------

# wait_for CONDITION TIMEOUT_SECONDS: evaluates CONDITION (a shell command) every 0.1 s until it
# succeeds; returns 1 when the deadline passes first. CONDITION runs inside this function, so it
# must use named variables, not the caller's positional parameters.
wait_for() {
    local condition=$1 timeout=$2
    local deadline
    deadline=$(awk -v now="$(date +%s.%N)" -v t="$timeout" 'BEGIN { printf "%.3f", now + t }')
    while true; do
        if eval "$condition"; then return 0; fi
        if check "$(date +%s.%N) > $deadline"; then return 1; fi
        sleep "$E2E_POLL"
    done
}

# --- X server and window manager ---------------------------------------------------------------

# Starts a private Xvfb of 1024 x 768 x 24 (E2E_SCREEN_DEPTH: another depth) on the first free display and exports DISPLAY. Key
# repeat is off, so a key held until the program has seen it acts once.
start_xvfb() {
    local fd_file=$E2E_TMP/displayfd
    : >"$fd_file"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN_WIDTH}x${E2E_SCREEN_HEIGHT}x${E2E_SCREEN_DEPTH}" -nolisten tcp -noreset -r \
        3>"$fd_file" >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_for '[ -s "$fd_file" ] || ! kill -0 $XVFB_PID 2>/dev/null' 10 || fail "Xvfb reported no display in 10 s"
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(tail -3 "$E2E_TMP/xvfb.log")"
    DISPLAY=":$(head -1 "$fd_file")"
    export DISPLAY
    wait_for 'xdpyinfo >/dev/null 2>&1' 10 || fail "display $DISPLAY does not answer"
    log "Xvfb on $DISPLAY"
}

# Starts openbox and waits until it manages the screen. Its configuration binds the close action
# to Alt+F4, as usual, and to Ctrl+Alt+Q, a key the program itself would not take as a close.
start_wm() {
    mkdir -p "$E2E_TMP/xdg"
    cat >"$E2E_TMP/openbox-rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <keyboard>
    <keybind key="A-F4"><action name="Close"/></keybind>
    <keybind key="C-A-q"><action name="Close"/></keybind>
  </keyboard>
</openbox_config>
XML
    XDG_CONFIG_HOME=$E2E_TMP/xdg XDG_CACHE_HOME=$E2E_TMP/xdg XDG_DATA_HOME=$E2E_TMP/xdg \
        openbox --sm-disable --config-file "$E2E_TMP/openbox-rc.xml" >"$E2E_TMP/openbox.log" 2>&1 &
    WM_PID=$!
    wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' 10 ||
        fail "openbox did not take the screen: $(tail -3 "$E2E_TMP/openbox.log")"
    log "openbox running"
}

# --- the program -------------------------------------------------------------------------------

# Copies the data directory into the run directory, so that a test can remove a file.
prepare_run_dir() {
    mkdir -p "$E2E_RUN_DIR"
    cp -a "$E2E_DATA"/. "$E2E_RUN_DIR"/
}

# Makes the test's own Wine prefix, so that its Wine processes belong to its own X server. The copy
# shares the prefix's files through hard links, except the registry, which Wine rewrites.
prepare_wine() {
    E2E_WINEPREFIX=$E2E_TMP/wineprefix
    if [ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/system.reg" ]; then
        # Hard links need one file system; otherwise a full copy.
        cp -al "$WINEPREFIX" "$E2E_WINEPREFIX" 2>/dev/null ||
            { rm -rf "$E2E_WINEPREFIX" && cp -a "$WINEPREFIX" "$E2E_WINEPREFIX"; } ||
            fail "cannot copy the Wine prefix $WINEPREFIX"
        rm -f "$E2E_WINEPREFIX"/*.reg
        cp "$WINEPREFIX"/*.reg "$E2E_WINEPREFIX"/
    fi
    # Without winemenubuilder, shortcuts made in the prefix stay there rather than becoming
    # menu entries in the user's home.
    export WINEPREFIX=$E2E_WINEPREFIX WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all} \
        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Wine's own errors are kept for this one, so that a failure says why.
    local status=0
    WINEDEBUG=err+all,fixme-all wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || fail "wineboot failed with $status: $(tail -5 "$E2E_TMP/wineboot.log")"
}

# program_runner: sets RUNNER to what runs the program: nothing, or Wine for a Windows build.
program_runner() {
    RUNNER=()
    if [[ $E2E_BIN == *.exe ]]; then
        [ -n "${E2E_WINEPREFIX:-}" ] || prepare_wine
        RUNNER=(wine)
    fi
}

# run_program [ARG...]: runs the program in the foreground (in the current directory), through
# Wine for a Windows build.
run_program() {
    program_runner
    "${RUNNER[@]}" "$E2E_BIN" "$@"
}

# start_demo [VAR=value ...]: runs the program in the run directory in the background, with the
# arguments in the array E2E_ARGS (none unless a test sets them).
E2E_ARGS=()
start_demo() {
    [ -d "$E2E_RUN_DIR" ] || prepare_run_dir
    program_runner
    (cd "$E2E_RUN_DIR" && exec env "$@" "${RUNNER[@]}" "$E2E_BIN" "${E2E_ARGS[@]}") >"$E2E_TMP/demo.out" \
        2>"$E2E_TMP/demo.err" &
    DEMO_PID=$!
    log "program started (pid $DEMO_PID)"
}

demo_running() { kill -0 "$DEMO_PID" 2>/dev/null; }

# wait_exit TIMEOUT: waits for the program to end and stores its exit code in DEMO_EXIT.
wait_exit() {
    wait_for '! demo_running' "$1" || fail "the program did not end within $1 s"
    wait "$DEMO_PID"
    DEMO_EXIT=$?
    DEMO_PID=
    log "program ended with exit code $DEMO_EXIT"
}

# expect_exit_code CODE TIMEOUT
expect_exit_code() {
    wait_exit "$2"
    [ "$DEMO_EXIT" -eq "$1" ] || fail "exit code $DEMO_EXIT, expected $1"
}

# --- windows -----------------------------------------------------------------------------------

# find_window TITLE [any]: prints the id of a viewable window whose name is exactly TITLE (first
# match); with "any" also of an unmapped one. The window tree is read with xwininfo because
# `xdotool search --name` cannot read the UTF-8 names that SDL gives its message boxes.
find_window() {
    local id
    local ids
    ids=$(xwininfo -root -tree 2>/dev/null | awk -v name="\"$1\":" 'index($0, " " name " ") { print $1 }')
    for id in $ids; do
        if [ "${2:-}" = any ] || xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            echo "$id"
            return 0
        fi
    done
}

# wait_window TITLE TIMEOUT: waits for a mapped window titled TITLE and sets FOUND to its id.
wait_window() {
    local title=$1 timeout=$2
    FOUND=
    wait_for 'FOUND=$(find_window "$title"); [ -n "$FOUND" ] || ! demo_running' "$timeout" ||
        fail "no window titled \"$title\" within $timeout s"
    if [ -z "$FOUND" ]; then
        wait "$DEMO_PID"
        local code=$?
        DEMO_PID=
        fail "the program ended with exit code $code while waiting for a window titled \"$title\""
    fi
}

# wait_no_window TITLE TIMEOUT
wait_no_window() {
    local title=$1
    wait_for '[ -z "$(find_window "$title")" ]' "$2" || fail "window \"$title\" still shown after $2 s"
}

# window_geometry ID: prints "X Y WIDTH HEIGHT" of the window's client area on the screen.
window_geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
        END { if (w != "") print x, y, w, h }'
}

# client_size ID: prints "WIDTHxHEIGHT".
client_size() {
    window_geometry "$1" | awk '{ print $3 "x" $4 }'
}

# wait_client_size ID SIZE TIMEOUT
wait_client_size() {
    local id=$1 size=$2
    wait_for '[ "$(client_size "$id")" = "$size" ]' "$3" ||
        fail "window $id is $(client_size "$id"), expected $size"
}

# Gives the window the keyboard focus; with a window manager through its activation request.
focus_window() {
    if [ -n "$WM_PID" ]; then
        xdotool windowactivate --sync "$1" 2>/dev/null || true
    fi
    xdotool windowfocus --sync "$1" 2>/dev/null || true
}

# send_key ID KEY...: focuses the window and types the keys as real (XTEST) key presses.
send_key() {
    local id=$1
    shift
    focus_window "$id"
    xdotool key --clearmodifiers --delay 60 "$@"
}

# press_until ID KEY CONDITION TIMEOUT: holds a key down until CONDITION holds (or fails the test
# after TIMEOUT seconds), then lets it go. The program reads its key table once a frame and a
# press and release that arrive within one frame are not seen, so a toggle key is held until its
# effect shows.
press_until() {
    local id=$1 key=$2 condition=$3 timeout=$4
    focus_window "$id"
    xdotool keydown "$key"
    if ! wait_for "$condition" "$timeout"; then
        xdotool keyup "$key"
        fail "no effect of ${key^^} within $timeout s ($SHOT)"
    fi
    xdotool keyup "$key"
}

# tap_until ID KEY CONDITION FAILURE: presses a key in short taps until CONDITION holds, judged
# after each tap with the key up; fails the test with FAILURE (expanded then, so that it may name
# what CONDITION measured) after 40 taps. For a move of the camera in a program run with a fixed
# frame time (E2E_FRAME_TIME), where each frame that sees the key moves it by one fixed step: a
# tap is seen by the few frames drawn while it lasts and the move stops while the picture is
# judged, so it ends a few steps past where it first shows, on a fast machine or a slow and busy
# one alike. A slow frame takes in both the press and the release of a tap shorter than itself and
# moves nothing: after a tap that left the still part of the picture as it was, the taps are
# twice as long (E2E_TAP_HOLD, kept for the next move), up to half a second.
E2E_TAP_HOLD=0.01
tap_until() {
    local id=$1 key=$2 condition=$3 failure=$4
    local taps=40 tap last=$E2E_TMP/tap-last.png
    focus_window "$id"
    screenshot tap-last "$id"
    for ((tap = 1; tap <= taps; tap++)); do
        xdotool keydown "$key" sleep "$E2E_TAP_HOLD" keyup "$key"
        # A frame drawn before the release may reach the screen a little later.
        if wait_for "$condition" 0.3; then
            log "${key^^}: $tap taps, the last of $E2E_TAP_HOLD s"
            return 0
        fi
        if [ "$(diff_pixels "$last" "$SHOT" "$REGION_STILL")" -eq 0 ]; then
            E2E_TAP_HOLD=$(awk -v h="$E2E_TAP_HOLD" 'BEGIN { print (h * 2 < 0.5 ? h * 2 : 0.5) }')
        fi
        cp "$SHOT" "$last"
    done
    fail "${key^^}: $(eval "echo \"$failure\"") after $taps taps: $SHOT"
}

# A frame time for runs whose camera moves are tapped: 1 degree of turn, 0.8 of tilt and 0.1
# world units forward a frame (the keys move by 0.01 a millisecond).
E2E_FRAME_TIME=10

# --- pictures ----------------------------------------------------------------------------------

# screenshot NAME [WINDOW_ID]: takes a picture of the screen (import -window root) and sets SHOT
# to its file, $E2E_TMP/NAME.png; given a window, the picture is cut to the window's client area.
screenshot() {
    local name=$1 id=${2:-}
    SHOT=$E2E_TMP/$name.png
    if [ -z "$id" ]; then
        import -window root "$SHOT" 2>/dev/null || fail "screenshot failed"
        return 0
    fi
    local x y w h
    read -r x y w h <<<"$(window_geometry "$id")"
    [ -n "${h:-}" ] || fail "window $id has no geometry for the screenshot"
    # Stored uncompressed (PNG quality 1): the pictures are many and the processor is busy rendering.
    import -window root -crop "${w}x${h}+${x}+${y}" +repage -quality 1 "$SHOT" 2>/dev/null ||
        fail "screenshot failed"
}

# expect CONDITION MESSAGE: fails the test with MESSAGE unless the awk condition holds.
expect() { check "$1" || fail "$2 ($1)"; }

# start_demo_window [VAR=value ...]: starts the program and waits for its window; sets WIN.
start_demo_window() {
    start_demo "$@"
    wait_window "$E2E_WINDOW_TITLE" 20
    WIN=$FOUND
    log "window $WIN, client $(client_size "$WIN")"
}

# wait_picture ID TIMEOUT: waits until the window shows the scene (a lit sky, not the black of
# loading) and leaves it in SHOT (screenshot named "first").
wait_picture() {
    local id=$1
    wait_for 'screenshot first "$id"; check "$(mean "$SHOT" "$REGION_SKY") > 0.2"' "$2" ||
        fail "the window shows no picture after $2 s: $SHOT"
    log "the window shows the scene"
}

# wait_running ID TIMEOUT: waits until the window shows the scene with the frame-rate text, that
# is after more than half a second of frames, and leaves that picture in SHOT. The very first
# frames are not a steady reference: they light the axes with GL's initial normal, later frames
# with the normal that the previous frame's drawing left current. Half a second of a fixed frame
# time is a number of frames, so the text may take some seconds of a slow machine.
wait_running() {
    local id=$1
    wait_picture "$id" "$2"
    # The bar is at the bottom of a window of any size; its text starts at 10 of 700 units.
    local height
    height=$(window_geometry "$id" | cut -d' ' -f4)
    local region=120x35+0+$((height - 35))
    wait_for 'screenshot running "$id"; check "$(text_pixels "$SHOT" "$region") > 0.015"' 30 ||
        fail "no frame-rate text after 30 s of frames: $SHOT"
}

# toggle_away ID KEY START: holds a toggle key until the still part of the picture differs from
# START (the picture before the toggle) and leaves the changed picture in SHOT.
toggle_away() {
    local id=$1 key=$2 start=$3
    press_until "$id" "$key" \
        "screenshot toggle-$key $id; [ \"\$(diff_pixels $start \"\$SHOT\" $REGION_STILL)\" -gt 2000 ]" 5
}

# toggle_back ID KEY START: holds the toggle key again until the picture is START's once more.
toggle_back() {
    local id=$1 key=$2 start=$3
    press_until "$id" "$key" \
        "screenshot back-$key $id; [ \"\$(diff_pixels $start \"\$SHOT\" $REGION_STILL)\" -le 10 ]" 5
}
