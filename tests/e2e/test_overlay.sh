# The overlay bar: drawn from the first frame across the window's bottom, the frame rate in it once
# half a second of frames is drawn, the status line after it shown and hidden with I and
# recomposed by a toggle.
# shellcheck disable=SC2016,SC2154  # conditions are evaluated by wait_for, which sets their results
source "$(dirname "$0")/lib.sh"

start_xvfb
# On a fixed frame time the figure stays 50.0, and the status line after it stays where it starts.
E2E_ARGS=(--frame-time 20)
start_demo_window

wait_picture "$WIN" 15
first=$E2E_TMP/first-picture.png
cp "$SHOT" "$first"
bar=$(mean "$first" 590x35+110+465)
above=$(mean "$first" 590x35+110+425)
log "first picture: bar $bar, ground above it $above"
expect "$bar < $above * 0.7" "no dark bar at the bottom of the first picture: $first"
expect "$(mean "$first" 10x35+0+465) < $(mean "$first" 10x35+0+425) * 0.7 && \
        $(mean "$first" 10x35+690+465) < $(mean "$first" 10x35+690+425) * 0.7" \
    "the bar does not span the window's width: $first"
wait_for 'screenshot fps "$WIN"; check "$(text_pixels "$SHOT" "$REGION_FPS_TEXT") > 0.02"' 15 ||
    fail "no frame-rate text in the bar 15 s after the first picture: $SHOT"
log "frame-rate text shown ($(text_pixels "$SHOT" "$REGION_FPS_TEXT") of its region)"
expect "$(text_pixels "$SHOT" "$REGION_STATUS_TEXT") < 0.002" "text right of the frame rate before I: $SHOT"

press_until "$WIN" i 'screenshot status "$WIN"; check "$(text_pixels "$SHOT" "$REGION_STATUS_TEXT") > 0.02"' 10
log "I: status line shown ($(text_pixels "$SHOT" "$REGION_STATUS_TEXT") of its region)"
press_until "$WIN" i 'screenshot status-off "$WIN"; check "$(text_pixels "$SHOT" "$REGION_STATUS_TEXT") < 0.002"' 10
log "I again: status line hidden"

# The status line follows the flags: L turns "LIGHTS:ON " into "LIGHTS:OFF" (a few more lit
# pixels) and back. The glyphs are one-bit bitmaps, so a text's count of lit pixels does not
# depend on where it starts; but the status line's first letter starts left of the counted
# region, by as much as the frame-rate text before it is narrower, and on the system's clock that
# text narrows on a slow stretch (from "FPS:  11.7" to "FPS:   6.9": a space is narrower than a
# digit), taking more of the letter out: the fixed frame time keeps the figure, and the place.
text_count() {
    convert "$1[$REGION_STATUS_TEXT]" -channel RGB -threshold 70% +channel -separate -evaluate-sequence min \
        -format '%[fx:round(mean * w * h)]' info:
}
press_until "$WIN" i 'screenshot status "$WIN"; check "$(text_pixels "$SHOT" "$REGION_STATUS_TEXT") > 0.02"' 10
lit_on=$(text_count "$SHOT")
press_until "$WIN" l \
    'screenshot lights-off "$WIN"; lit_off=$(text_count "$SHOT"); [ "$lit_off" -gt $((lit_on + 4)) ]' 5
log "L: the status line has $lit_off lit pixels, $lit_on before"
press_until "$WIN" l 'screenshot lights-on "$WIN"; [ "$(text_count "$SHOT")" -eq "$lit_on" ]' 5
log "L again: the status line is as before"

send_key "$WIN" Escape
expect_exit_code 0 10
pass
