# --validate: the program draws its fixed set of frames on a fixed clock and compares each with
# the reference pictures beside its data. A healthy run passes every check, in a real window;
# a driver without multitexturing, fog forced off and an altered reference each fail on the
# right lines, with exit code 1.
source "$(dirname "$0")/lib.sh"

CHECKS="start lighting-off fog-off texturing-off wireframe status-line close-view"

# validate NAME [VAR=value ...] [-- ARG...]: runs --validate off screen (message boxes go to
# standard error) and leaves its output in $E2E_TMP/NAME.out and its exit code in CODE.
validate() {
    local name=$1
    shift
    local env=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do env+=("$1"); shift; done
    [ "${1:-}" = -- ] && shift
    program_runner
    env "${env[@]}" "${RUNNER[@]}" "$E2E_BIN" --offscreen --validate "$@" >"$E2E_TMP/$name.out" 2>"$E2E_TMP/$name.err"
    CODE=$?
    # A Windows build ends its lines with CR LF.
    sed -i 's/\r$//' "$E2E_TMP/$name.out" "$E2E_TMP/$name.err"
    log "$name: exit code $CODE"
    sed 's/^/    /' "$E2E_TMP/$name.out"
}

# expect_lines NAME VERDICT CHECK... : each named check's line says VERDICT.
expect_lines() {
    local name=$1 verdict=$2
    shift 2
    local check
    for check in "$@"; do
        grep -Eq "^$check +$verdict " "$E2E_TMP/$name.out" || fail "$name: $check is not $verdict: $(grep "^$check " "$E2E_TMP/$name.out")"
    done
}

# A healthy run in a real window: every check passes and the exit code is 0.
start_xvfb
E2E_ARGS=(--validate)
start_demo_window
expect_exit_code 0 60
sed -i 's/\r$//' "$E2E_TMP/demo.out"
[ "$(grep -c ' PASS ' "$E2E_TMP/demo.out")" -eq 7 ] || fail "not 7 passing checks: $(cat "$E2E_TMP/demo.out")"
sed 's/^/    /' "$E2E_TMP/demo.out"

# The driver without multitexturing: the INFO box, then the ground without its lightmap. Only
# the view without fog shows the lit ground plainly; in fog it is left out of the comparison.
validate no-multitexture MESA_EXTENSION_OVERRIDE=-GL_ARB_multitexture
[ "$CODE" -eq 1 ] || fail "without multitexturing the exit code is $CODE, not 1"
grep -q 'INFO: Multitexturing not supported!' "$E2E_TMP/no-multitexture.err" || fail "no INFO message"
expect_lines no-multitexture FAIL fog-off
grep -q '^fog-off .*most of them in the ground (rocks and lightmap)$' "$E2E_TMP/no-multitexture.out" ||
    fail "the fog-off line does not blame the ground and its lightmap"
expect_lines no-multitexture PASS start lighting-off texturing-off wireframe status-line close-view

# Fog density forced to 0 through the test seam: every fogged view fails, the one without fog passes.
validate no-fog FACEDEMO_TEST_FOG_DENSITY=0
[ "$CODE" -eq 1 ] || fail "with fog forced off the exit code is $CODE, not 1"
expect_lines no-fog FAIL start lighting-off texturing-off status-line close-view
expect_lines no-fog PASS fog-off
grep -q '^start .*most of them in the sky$' "$E2E_TMP/no-fog.out" || fail "the start line does not blame the sky"

# A reference picture altered by the test (a dark box over the upper face of the status-line
# picture): that check fails, the others pass.
altered=$E2E_TMP/altered-data
cp -a "$E2E_DATA" "$altered"
convert "$altered/reference/status-line.png" -fill black -draw "rectangle 300,40 400,160" \
    "$altered/reference/status-line.png"
validate altered -- --data-dir "$altered"
[ "$CODE" -eq 1 ] || fail "with an altered reference the exit code is $CODE, not 1"
expect_lines altered FAIL status-line
expect_lines altered PASS start lighting-off fog-off texturing-off wireframe close-view
grep -q '^status-line .*most of them in the upper face$' "$E2E_TMP/altered.out" || fail "the altered region is not named"

# Without the reference pictures every check fails and says which file is missing.
rm -r "$altered/reference"
validate missing -- --data-dir "$altered"
[ "$CODE" -eq 1 ] || fail "without references the exit code is $CODE, not 1"
for check in $CHECKS; do
    grep -Eq "^$check .*FAIL  no 700x500 reference picture .*[/\\\\]reference[/\\\\]$check.png$" "$E2E_TMP/missing.out" ||
        fail "no line for the missing $check.png"
done
pass
