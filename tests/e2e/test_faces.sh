# The picture: three faces in the face colour, lit, where the scene puts them (two below the
# horizon left and right of the centre, one above); the upper face morphs while the lower faces,
# the ground and the sky stand still.
# shellcheck disable=SC2016,SC2034  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

start_xvfb
start_demo_window
wait_running "$WIN" 15
first=$E2E_TMP/first-picture.png
cp "$SHOT" "$first"

for region in UPPER_FACE LOWER_LEFT LOWER_RIGHT; do
    geometry=REGION_$region
    share=$(skin "$first" "${!geometry}")
    log "$region: skin-coloured share $share"
    expect "$share > 0.05" "no face in the ${region,,} region ${!geometry} of $first"
done
# Nowhere else: not in the sky, not on the ground in front, not beside the faces.
for geometry in 700x60+0+0 250x250+0+100 250x250+450+100 700x140+0+320; do
    share=$(skin "$first" "$geometry")
    expect "$share < 0.01" "skin-coloured pixels outside the faces, in $geometry of $first"
done

# The face colour (red above green, green near blue) and lit: shading varies across a face's
# middle, where an unlit face would be one flat colour.
for geometry in 20x20+318+262 20x20+360+262 20x20+330+85; do
    read -r red green blue spread <<<"$(convert "$first" -crop "$geometry" +repage \
        -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b] %[fx:standard_deviation.r]' info:)"
    log "face middle $geometry: colour $red $green $blue, spread of red $spread"
    expect "$red > $green + 0.04 && $green - $blue < 0.04 && $green - $blue > -0.02" \
        "face middle $geometry is not in the face colour (r $red g $green b $blue)"
    expect "$spread > 0.03" "face middle $geometry is flat, not lit (spread $spread)"
done

# A second apart (or later, should the two pictures meet at the same expression): the upper face
# has changed, the rest above the overlay bar has not.
sleep 1
wait_for 'screenshot later "$WIN"; [ "$(diff_pixels "$first" "$SHOT" "$REGION_UPPER_FACE")" -gt 20 ]' 5 ||
    fail "the upper face does not morph ($first, $SHOT)"
moved=$(diff_pixels "$first" "$SHOT" "$REGION_STILL")
[ "$moved" -eq 0 ] || fail "$moved pixels changed below the upper face ($first, $SHOT)"
demo_running || fail "the program ended"

send_key "$WIN" Escape
expect_exit_code 0 10
pass
