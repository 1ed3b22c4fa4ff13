# The overlay and the keyboard controls, seen on the screen: the bar from the first frame and the
# frame rate in it; I for the status line; L, F, T and W each change the picture and change it
# back; Up, Left, Right, Page Up, A, Z and Space move, turn, raise and tilt the camera.
source "$(dirname "$0")/lib.sh"

# skin_box FILE: "LEFT TOP RIGHT BOTTOM" of the skin-coloured pixels of a picture.
skin_box() {
    convert "$1" -color-matrix '1 -1 0  1 0 -1  0 0 0' -channel RGB -threshold 6% +channel -separate \
        -delete 2 -evaluate-sequence min -crop 700x465+0+0 +repage -trim -format '%X %Y %w %h' info: |
        awk '{ gsub(/\+/, ""); print $1, $2, $1 + $3, $2 + $4 }'
}

# horizon FILE: the first dark row of ground under the bright sunset glow, from the top, measured
# in the strip left of the faces (with the fog off); 465 when the glow reaches down to the bar,
# -1 when there is no glow.
horizon() {
    convert "$1" -crop "$REGION_LEFT_STRIP" +repage -colorspace Gray -scale '1x465!' -depth 16 txt:- |
        awk -F'[,:() ]+' 'NR > 1 { v = $3 / 65535; if (v > 0.6) glow = 1; else if (glow && v < 0.4) { print $2; found = 1; exit } }
                          END { if (!found) print glow ? 465 : -1 }'
}

# Left of the faces in every view used here: sky and ground only.
REGION_LEFT_STRIP=150x465+0+0

start_xvfb
start_demo_window

# --- overlay ---
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
wait_for 'screenshot fps "$WIN"; check "$(text_pixels "$SHOT" "$REGION_FPS_TEXT") > 0.02"' 2 ||
    fail "no frame-rate text in the bar within a second of the first picture: $SHOT"
log "frame-rate text shown ($(text_pixels "$SHOT" "$REGION_FPS_TEXT") of its region)"
expect "$(text_pixels "$SHOT" "$REGION_STATUS_TEXT") < 0.002" "text right of the frame rate before I: $SHOT"

press_until "$WIN" i 'screenshot status "$WIN"; check "$(text_pixels "$SHOT" "$REGION_STATUS_TEXT") > 0.02"' 3
log "I: status line shown ($(text_pixels "$SHOT" "$REGION_STATUS_TEXT") of its region)"
press_until "$WIN" i 'screenshot status-off "$WIN"; check "$(text_pixels "$SHOT" "$REGION_STATUS_TEXT") < 0.002"' 3
log "I again: status line hidden"

# --- toggles ---
screenshot start "$WIN"
start=$SHOT
# Each toggle's picture: lighting off leaves the faces flat, fog off shows the sunset sky, texturing
# off leaves the ground plain and lighter, wireframe shows the black background between the lines.
face_spread() { convert "$1[20x20+318+262]" -format '%[fx:standard_deviation.r]' info:; }
sky_redness() { convert "$1[700x50+0+190]" -format '%[fx:mean.r - mean.b]' info:; }
ground() { convert "$1[700x100+0+360]" -colorspace Gray -format "%[fx:$2]" info:; }
dark_share() { convert "$1[$REGION_STILL]" -colorspace Gray -threshold 10% -negate -format '%[fx:mean]' info:; }
for key in l f t w; do
    press_until "$WIN" "$key" 'screenshot toggle-$key "$WIN"; [ "$(diff_pixels "$start" "$SHOT" "$REGION_STILL")" -gt 2000 ]' 5
    changed=$SHOT
    log "${key^^}: $(diff_pixels "$start" "$changed" "$REGION_STILL") pixels changed"
    case $key in
    l) expect "$(face_spread "$changed") < $(face_spread "$start") / 3" "L: the faces are still shaded: $changed" ;;
    f) expect "$(sky_redness "$changed") > 0.15 && $(sky_redness "$start") < 0.05" "F: no sunset sky: $changed" ;;
    t) expect "$(ground "$changed" mean) > $(ground "$start" mean) + 0.02 &&
               $(ground "$changed" standard_deviation) < $(ground "$start" standard_deviation) / 2" \
            "T: the ground still shows the rock texture: $changed" ;;
    w) expect "$(dark_share "$changed") > 0.5" "W: no wireframe on black: $changed" ;;
    esac
    press_until "$WIN" "$key" 'screenshot back-$key "$WIN"; [ "$(diff_pixels "$start" "$SHOT" "$REGION_STILL")" -le 10 ]' 5
done

# --- camera ---
# Each move holds its key for a while and then waits until the picture shows the move.
# Up: forward, so the faces grow.
before=$(skin "$start" 700x465+0+0)
hold_key "$WIN" Up 0.3
wait_for 'screenshot forward "$WIN"; after=$(skin "$SHOT" 700x465+0+0); check "$after > $before * 1.3"' 3 ||
    fail "Up: the faces did not grow (skin share $before -> $after; $start, $SHOT)"
log "Up: skin share $before -> $after"

# Left and Right: the faces move right, then left.
read -r left0 _ <<<"$(skin_box "$SHOT")"
hold_key "$WIN" Left 0.2
wait_for 'screenshot left "$WIN"; read -r left1 _ <<<"$(skin_box "$SHOT")"; check "$left1 > $left0 + 30"' 3 ||
    fail "Left: the faces did not move right in the picture (left edge $left0 -> $left1): $SHOT"
log "Left: faces' left edge $left0 -> $left1"
hold_key "$WIN" Right 0.2
wait_for 'screenshot right "$WIN"; read -r left2 top2 _ <<<"$(skin_box "$SHOT")"; check "$left2 < $left1 - 30"' 3 ||
    fail "Right: the faces did not move left in the picture (left edge $left1 -> $left2): $SHOT"
log "Right: faces' left edge $left1 -> $left2"

# Page Up: the camera rises, so the faces sink in the picture.
hold_key "$WIN" Prior 0.5
wait_for 'screenshot rise "$WIN"; read -r _ top3 _ <<<"$(skin_box "$SHOT")"; check "$top3 > $top2 + 5"' 3 ||
    fail "Page Up: the faces did not sink in the picture (top $top2 -> $top3): $SHOT"
log "Page Up: faces' top $top2 -> $top3"

# A, Z and Space, seen on the horizon with the fog off: A tilts the view down (the horizon
# rises), Z up (it sinks), Space levels it (the level view's picture comes back).
press_until "$WIN" f 'screenshot level "$WIN"; check "$(sky_redness "$SHOT") > 0.15"' 5
level=$SHOT
h0=$(horizon "$level")
[ "$h0" -gt 50 ] && [ "$h0" -lt 450 ] || fail "no horizon found in $level ($h0)"
hold_key "$WIN" a 0.15
wait_for 'screenshot tilt-down "$WIN"; h1=$(horizon "$SHOT"); check "$h1 >= 0 && $h1 < $h0 - 20"' 3 ||
    fail "A: the horizon did not rise (row $h0 -> $h1): $SHOT"
log "A: horizon row $h0 -> $h1"
hold_key "$WIN" z 0.35
wait_for 'screenshot tilt-up "$WIN"; h2=$(horizon "$SHOT"); check "$h2 > $h0 + 20"' 3 ||
    fail "Z: the horizon did not sink below the level view's (row $h0 -> $h2): $SHOT"
log "Z: horizon row $h1 -> $h2"
press_until "$WIN" space 'screenshot levelled "$WIN"; [ "$(diff_pixels "$level" "$SHOT" "$REGION_LEFT_STRIP")" -le 50 ]' 5
log "Space: level again, horizon row $(horizon "$SHOT")"

send_key "$WIN" Escape
expect_exit_code 0 10
pass
