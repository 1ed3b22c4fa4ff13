# The camera keys, seen on the screen: Up moves forward (the faces grow), Left and Right turn (the
# faces move across the picture), Page Up raises the camera (the faces sink), A and Z tilt the view
# (the horizon rises and sinks) and Space levels it (the level picture comes back).
# shellcheck disable=SC2016,SC2154  # conditions are evaluated by wait_for, which sets their results
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
        awk -F'[,:() ]+' 'NR > 1 { v = $3 / 65535 }
                          NR > 1 && v > 0.6 { glow = 1 }
                          NR > 1 && glow && v < 0.4 { print $2; found = 1; exit }
                          END { if (!found) print glow ? 465 : -1 }'
}

# Left of the faces in every view used here: sky and ground only.
REGION_LEFT_STRIP=150x465+0+0

start_xvfb
start_demo_window
wait_running "$WIN" 15
start=$SHOT

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
press_until "$WIN" space \
    'screenshot levelled "$WIN"; [ "$(diff_pixels "$level" "$SHOT" "$REGION_LEFT_STRIP")" -le 50 ]' 5
log "Space: level again, horizon row $(horizon "$SHOT")"

send_key "$WIN" Escape
expect_exit_code 0 10
pass
