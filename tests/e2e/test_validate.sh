# --validate and what it tells a script: the program draws its fixed set of frames on a fixed
# clock and compares each with the reference pictures beside its data. A healthy run passes every
# check, in a real window and off screen, on llvmpipe and on softpipe, with the same figures each
# time; a driver without multitexturing, a program whose fog does nothing and an altered
# reference each fail on the right lines. Each way a run can end has its exit code, and the JSON
# and JUnit reports and the difference pictures say what was found.
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

# json NAME FILTER: jq's answer for the JSON report of run NAME ($E2E_TMP/NAME.json).
json() { jq -r "$2" "$E2E_TMP/$1.json" | tr -d '\r'; }
# junit NAME XPATH: xmllint's answer for the JUnit report of run NAME ($E2E_TMP/NAME.xml).
junit() { xmllint --xpath "$2" "$E2E_TMP/$1.xml"; }

# Data for the cases below: an empty directory, an altered reference and none at all.
empty=$E2E_TMP/empty-data
mkdir -p "$empty"
altered=$E2E_TMP/altered-data
cp -a "$E2E_DATA" "$altered"
# A dark box over the upper face of the status-line picture.
convert "$altered/reference/status-line.png" -fill black -draw "rectangle 300,40 400,160" \
    "$altered/reference/status-line.png"
unreferenced=$E2E_TMP/unreferenced-data
cp -a "$E2E_DATA" "$unreferenced"
rm -r "$unreferenced/reference"
# No GL context: SDL's EGL without its library; under Wine, Mesa without its drivers.
if [[ $E2E_BIN == *.exe ]]; then no_context=LIBGL_DRIVERS_PATH=/nonexistent; else
    no_context=SDL_VIDEO_EGL_DRIVER=/nonexistent/libEGL.so.1; fi

# The exit code of each way a run can end, with a report of each: NAME CODE [VAR=value ...] [-- ARG...].
while read -r name code args; do
    [[ " $args " == *" -- "* ]] || args="$args --"
    # shellcheck disable=SC2086  # the words of each case are its environment and arguments
    report=$E2E_TMP/$name.json
    validate "$name" $args --report "$report"
    [ "$CODE" -eq "$code" ] || fail "$name: exit code $CODE, expected $code: $(tail -3 "$E2E_TMP/$name.err")"
    [ "$code" -eq 2 ] || [ "$(json "$name" .exitCode)" = "$code" ] ||
        fail "$name: the report says $(json "$name" .exitCode)"
done <<EOF_CASES
no-context 3 $no_context
no-data 3 -- --data-dir $empty
no-reference 3 -- --data-dir $unreferenced
bad-command-line 2 -- --frames abc
passing 0
passing-again 0
EOF_CASES

# A driver whose fog does nothing: the program built with its fog density held at 0, reported as
# JUnit XML.
fogless=$FACEDEMO_BUILD_DIR/tests/facedemo_fogless
[[ $E2E_BIN != *.exe ]] || fogless+=.exe
E2E_BIN=$fogless validate failing -- --data-dir "$E2E_DATA" --save-pictures "$E2E_TMP/failing-pictures" \
    --report "$E2E_TMP/failing.xml"
[ "$CODE" -eq 1 ] || fail "failing: exit code $CODE, expected 1: $(tail -3 "$E2E_TMP/failing.err")"

# What could not run says why, in the report and on standard error, and still shows its boxes.
grep -q 'PROGRAM FAILURE: Window could not be open! Program is about to close.' "$E2E_TMP/no-context.err" ||
    fail "no-context: no box on standard error"
[[ $(json no-context .failure) == "no window or GL context could be made"* ]] || fail "no-context: $(json no-context .failure)"
[ "$(json no-context '.checks | length')" = 0 ] || fail "no-context: checks reported"
grep -q 'ERROR: Failed to initialize!' "$E2E_TMP/no-data.err" || fail "no-data: no box on standard error"
[[ $(json no-data .failure) == *"cannot read smile.sos"* ]] || fail "no-data: $(json no-data .failure)"
[ "$(json no-reference '.checks | length')" = 7 ] || fail "no-reference: not every check reported"
for check in $CHECKS; do
    grep -Eq "^$check .*FAIL  no 700x500 reference picture .*[/\\\\]reference[/\\\\]$check.png$" "$E2E_TMP/no-reference.out" ||
        fail "no line for the missing $check.png"
done
[ "$(json no-reference '[.checks[] | select(.result == "no reference")] | length')" = 7 ] || fail "no-reference: results"
[ ! -e "$E2E_TMP/bad-command-line.json" ] || fail "a report was written for a command line that was not understood"

# The report of a passing run: the program, the driver and each check with its figures.
[ "$(json passing .version)" = "$(run_program --version | tr -d '\r' | cut -d' ' -f2)" ] || fail "report version"
[ -n "$(json passing .gl.renderer)" ] && [ "$(json passing .gl.multitexturing)" = true ] || fail "report: no driver"
[ "$(json passing .failure)" = null ] || fail "passing: failure $(json passing .failure)"
[ "$(json passing '.firstFrameMs > 0')" = true ] || fail "passing: no time to the first frame"
[ "$(json passing '[.checks[].name] | join(" ")')" = "$CHECKS" ] || fail "passing: checks $(json passing '[.checks[].name]')"
[ "$(json passing '[.checks[] | select(.result == "pass" and .differingBlocks <= .blockLimit and .tolerance == 24
    and .largestDifference >= 0 and .textCells > 0 and .differingTextCells <= .textCellLimit)] | length')" = 7 ] ||
    fail "passing: the checks' figures $(json passing .checks)"
# Repeatable: the same figures in a second run.
figures='[.checks[] | [.name, .result, .differingBlocks, .largestDifference, .differingTextCells]]'
[ "$(json passing "$figures")" = "$(json passing-again "$figures")" ] || fail "two runs gave other figures"

# The failing run without fog: every fogged view fails, the one without fog passes; one test
# case per check, and each failure carries its figures and its difference picture.
expect_lines failing FAIL start lighting-off texturing-off wireframe status-line close-view
expect_lines failing PASS fog-off
grep -q '^start .*most of them in the sky$' "$E2E_TMP/failing.out" || fail "the start line does not blame the sky"
[ "$(junit failing 'count(/testsuite/testcase)')" = 7 ] || fail "JUnit: not 7 test cases"
[ "$(junit failing 'count(/testsuite/testcase[failure])')" = 6 ] || fail "JUnit: not 6 failures"
[ "$(junit failing 'string(/testsuite/@failures)')" = 6 ] || fail "JUnit: the suite does not count 6 failures"
[ "$(junit failing 'count(/testsuite/testcase[@name="fog-off"]/failure)')" = 0 ] || fail "JUnit: fog-off failed"
junit failing 'string(/testsuite/testcase[@name="start"]/failure/@message)' |
    grep -q 'blocks differ by more than 24 .*most of them in the sky' || fail "JUnit: the failure carries no figures"
for check in start close-view; do
    diff_picture=$E2E_TMP/failing-pictures/$check-diff.png
    [ "$(image_size "$diff_picture")" = 700x500 ] || fail "failing: no difference picture for $check"
    # Named as the program names its files (a Windows build in its own form of the path).
    junit failing "string(/testsuite/testcase[@name=\"$check\"]/failure)" | grep -q "failing-pictures.$check-diff.png" ||
        fail "JUnit: $check's failure does not name its difference picture"
    [ -s "$E2E_TMP/failing-pictures/$check.png" ] || fail "failing: no picture of $check"
done
# The sky's blocks are filled in the difference colour (magenta), the reference dimmed elsewhere.
read -r red green blue <<<"$(channel_means "$E2E_TMP/failing-pictures/start-diff.png" 600x150+50+50)"
expect "$red > 0.9 && $blue > 0.9 && $green < 0.1" "the failing sky is not marked in start-diff.png"
[ ! -e "$E2E_TMP/failing-pictures/fog-off-diff.png" ] || fail "a difference picture for a passing check"
validate no-context-junit "$no_context" -- --report "$E2E_TMP/no-context-junit.xml"
[ "$(junit no-context-junit 'count(/testsuite/testcase[failure])')" = 1 ] &&
    junit no-context-junit 'string(//failure/@message)' | grep -q 'no window or GL context' ||
    fail "JUnit: a run that could not start is not one failed test case"

# A second rasterizer, Mesa's softpipe, passes with the same references.
validate softpipe GALLIUM_DRIVER=softpipe -- --report "$E2E_TMP/softpipe.json"
[ "$CODE" -eq 0 ] || fail "softpipe: exit code $CODE"
[[ $(json softpipe .gl.renderer) == softpipe* ]] || fail "softpipe: the renderer is $(json softpipe .gl.renderer)"
log "softpipe's largest differences: $(json softpipe '[.checks[] | "\(.name) \(.largestDifference)"] | join(", ")')"

# The driver without multitexturing: the INFO box, then the ground without its lightmap. Only
# the view without fog shows the lit ground plainly; in fog it is left out of the comparison.
# The fixed-function layer offers multitexturing whatever the driver under it lists, so on the
# layer there is no such driver to run on.
if [[ $(json softpipe .gl.version) == *"fixed-function layer"* ]]; then
    log "on the fixed-function layer, which always has multitexturing: no run without it"
else
    validate no-multitexture MESA_EXTENSION_OVERRIDE=-GL_ARB_multitexture
    [ "$CODE" -eq 1 ] || fail "without multitexturing the exit code is $CODE, not 1"
    grep -q 'INFO: Multitexturing not supported!' "$E2E_TMP/no-multitexture.err" || fail "no INFO message"
    expect_lines no-multitexture FAIL fog-off
    grep -q '^fog-off .*most of them in the ground (rocks and lightmap)$' "$E2E_TMP/no-multitexture.out" ||
        fail "the fog-off line does not blame the ground and its lightmap"
    expect_lines no-multitexture PASS start lighting-off texturing-off wireframe status-line close-view
fi

# The altered reference: that check fails and names the region, the others pass. The directory is
# named relative to where the program starts, and its reference pictures are still found there.
cd "$E2E_TMP"
validate altered -- --data-dir "$(basename "$altered")"
cd - >/dev/null
[ "$CODE" -eq 1 ] || fail "with an altered reference the exit code is $CODE, not 1"
expect_lines altered FAIL status-line
expect_lines altered PASS start lighting-off fog-off texturing-off wireframe close-view
grep -q '^status-line .*most of them in the upper face$' "$E2E_TMP/altered.out" || fail "the altered region is not named"

# A healthy run in a real window: every check passes and the exit code is 0.
start_xvfb
E2E_ARGS=(--validate)
start_demo_window
expect_exit_code 0 60
sed -i 's/\r$//' "$E2E_TMP/demo.out"
[ "$(grep -c ' PASS ' "$E2E_TMP/demo.out")" -eq 7 ] || fail "not 7 passing checks: $(cat "$E2E_TMP/demo.out")"
sed 's/^/    /' "$E2E_TMP/demo.out"
pass
