# Without GL_ARB_multitexture (hidden from the driver through MESA_EXTENSION_OVERRIDE) the
# program says so in an "INFO" box and, once it is answered, runs and draws: the ground shows the
# rock texture without the lightmap. The lightmap is bright in the middle of the ground and dark
# towards its edges, so the far ground, seen with the fog switched off (F), is brighter without it.
# Each F1 switch asks again.
# shellcheck disable=SC2016,SC2034  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

REGION_FAR_GROUND=700x25+0+268
REGION_NEAR_GROUND=700x100+0+360

# ground_picture NAME: switches the fog off and takes a picture of the window into SHOT.
ground_picture() {
    local name=$1
    wait_running "$WIN" 15
    FOGGY=$E2E_TMP/$name-fog.png
    cp "$SHOT" "$FOGGY"
    press_until "$WIN" f \
        'screenshot $name "$WIN"; [ "$(diff_pixels "$FOGGY" "$SHOT" "$REGION_NEAR_GROUND")" -gt 1000 ]' 5
}

start_xvfb

log "a normal run, for its ground"
start_demo_window
ground_picture lightmapped
lightmapped=$SHOT
[ -z "$(find_window INFO)" ] || fail "an \"INFO\" box in the normal run"
send_key "$WIN" Escape
expect_exit_code 0 10

log "a run without multitexturing"
start_demo MESA_EXTENSION_OVERRIDE=-GL_ARB_multitexture
wait_window INFO 20
box=$FOUND
log "info box $box, $(client_size "$box")"
demo_running || fail "the program ended before the box was answered"
send_key "$box" Return
wait_no_window INFO 5
wait_window "$E2E_WINDOW_TITLE" 5
WIN=$FOUND
wait_client_size "$WIN" 700x500 5
ground_picture single

# The faces are drawn as before (seen in the fog, where the sky is grey, not sunset red), the
# near ground still carries the rock texture (not plain white), and the far ground is not
# darkened by the lightmap.
for region in LOWER_LEFT LOWER_RIGHT UPPER_FACE; do
    geometry=REGION_$region
    expect "$(skin "$FOGGY" "${!geometry}") > 0.05" "no face in the ${region,,} region without multitexturing: $FOGGY"
done
rock_spread=$(convert "${SHOT}[$REGION_NEAR_GROUND]" -colorspace Gray -format '%[fx:standard_deviation]' info:)
expect "$rock_spread > 0.05" "the near ground is plain, not the rock texture (spread $rock_spread): $SHOT"
with=$(mean "$lightmapped" "$REGION_FAR_GROUND")
without=$(mean "$SHOT" "$REGION_FAR_GROUND")
log "far ground brightness: $with with the lightmap, $without without"
expect "$without > $with + 0.05" "the far ground is as dark as with the lightmap ($lightmapped, $SHOT)"

# The look-up is made for every new GL context: F1 brings the box again, and the full-screen
# window draws once it is answered.
send_key "$WIN" F1
wait_window INFO 10
log "info box again after F1"
send_key "$FOUND" Return
wait_no_window INFO 5
old=$WIN
wait_for 'WIN=$(find_window "$E2E_WINDOW_TITLE"); [ -n "$WIN" ] && [ "$WIN" != "$old" ] &&
          [ "$(client_size "$WIN")" = "${E2E_SCREEN_WIDTH}x${E2E_SCREEN_HEIGHT}" ]' 10 ||
    fail "no full-screen window after F1"
wait_running "$WIN" 15

send_key "$WIN" Escape
expect_exit_code 0 10
pass
