# The camera keys, seen on the screen: Up moves forward (the faces grow), Left and Right turn (the
# faces move across the picture), Page Up raises the camera (the faces sink), A and Z tilt the view
# (the horizon rises and sinks) and Space levels it (the level picture comes back).
# shellcheck disable=SC2016,SC2154  # conditions are evaluated by wait_for, which sets their results
source "$(dirname "$0")/lib.sh"

# skin_box FILE [GEOMETRY]: "LEFT TOP RIGHT BOTTOM" of the skin-coloured pixels of a picture (in
# the region, measured from its corner).
skin_box() {
    convert "$1" -color-matrix '1 -1 0  1 0 -1  0 0 0' -channel RGB -threshold 6% +channel -separate \
        -delete 2 -evaluate-sequence min -crop "${2:-700x465+0+0}" +repage -trim -format '%X %Y %w %h' info: |
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
# Each frame the key is seen moves the camera by one fixed step, however long the frame took.
E2E_ARGS=(--frame-time "$E2E_FRAME_TIME")
start_demo_window
wait_running "$WIN" 15
start=$SHOT

# Each move is tapped until the picture shows it; only its direction is checked, and it stays
# small: the faces stay in the picture and the horizon on the screen.
# Up: forward, so the lower faces grow (the upper face, above them, morphs).
before=$(skin "$start" "$REGION_STILL")
tap_until "$WIN" Up 'screenshot forward "$WIN"; after=$(skin "$SHOT" "$REGION_STILL"); check "$after > $before * 1.03"' \
    'the lower faces did not grow (skin share $before -> $after)'
log "Up: the lower faces' skin share $before -> $after"

# Left and Right: the faces move right, then left.
read -r left0 _ <<<"$(skin_box "$SHOT")"
tap_until "$WIN" Left 'screenshot left "$WIN"; read -r left1 _ <<<"$(skin_box "$SHOT")"; check "$left1 > $left0 + 20"' \
    'the faces did not move right in the picture (left edge $left0 -> $left1)'
log "Left: faces' left edge $left0 -> $left1"
tap_until "$WIN" Right \
    'screenshot right "$WIN"; read -r left2 _ <<<"$(skin_box "$SHOT")"; check "$left2 >= 0 && $left2 < $left1 - 20"' \
    'the faces did not move left in the picture (left edge $left1 -> $left2)'
log "Right: faces' left edge $left1 -> $left2"

# Page Up: the camera rises, so the lower faces (which do not morph) sink in the picture.
read -r _ top2 _ <<<"$(skin_box "$SHOT" "$REGION_STILL")"
tap_until "$WIN" Prior \
    'screenshot rise "$WIN"; read -r _ top3 _ <<<"$(skin_box "$SHOT" "$REGION_STILL")"; check "$top3 > $top2 + 3"' \
    'the lower faces did not sink in the picture (top $top2 -> $top3)'
log "Page Up: the lower faces' top $top2 -> $top3"

# A, Z and Space, seen on the horizon with the fog off: A tilts the view down (the horizon
# rises), Z up (it sinks), Space levels it (the level view's picture comes back).
press_until "$WIN" f 'screenshot level "$WIN"; check "$(sky_redness "$SHOT") > 0.15"' 5
level=$SHOT
h0=$(horizon "$level")
[ "$h0" -gt 50 ] && [ "$h0" -lt 450 ] || fail "no horizon found in $level ($h0)"
tap_until "$WIN" a 'screenshot tilt-down "$WIN"; h1=$(horizon "$SHOT"); check "$h1 >= 0 && $h1 < $h0 - 20"' \
    'the horizon did not rise (row $h0 -> $h1)'
log "A: horizon row $h0 -> $h1"
tap_until "$WIN" z 'screenshot tilt-up "$WIN"; h2=$(horizon "$SHOT"); check "$h2 > $h0 + 20"' \
    'the horizon did not sink below the level view'"'"'s (row $h0 -> $h2)'
log "Z: horizon row $h1 -> $h2"
press_until "$WIN" space \
    'screenshot levelled "$WIN"; [ "$(diff_pixels "$level" "$SHOT" "$REGION_LEFT_STRIP")" -le 50 ]' 5
log "Space: level again, horizon row $(horizon "$SHOT")"

send_key "$WIN" Escape
expect_exit_code 0 10
pass
