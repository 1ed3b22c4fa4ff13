# The start view, and the view with each of lighting, fog, texturing and wireframe toggled,
# against reference pictures that the program itself made (tests/e2e/reference). The morphing
# face and the frame-rate text change from frame to frame and are masked out; the tolerance
# (per-pixel fuzz and a share of differing pixels) absorbs small differences between software
# renderers. E2E_UPDATE_REFERENCES=1 writes new references instead of comparing.
# shellcheck disable=SC2016,SC2034  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

REFERENCES=$(cd "$(dirname "$0")" && pwd)/reference
FUZZ=10%
MOST_DIFFERING=3500  # 1% of the 700 x 500 window

# masked FILE OUT: the picture without the morphing face and the frame-rate text.
masked() {
    convert "$1" -fill black -draw "rectangle 260,25 440,165" -draw "rectangle 0,465 120,499" "$2"
}

# against_reference NAME: compares SHOT (masked) with the reference of that name.
against_reference() {
    local name=$1 picture=$E2E_TMP/$1-masked.png
    masked "$SHOT" "$picture"
    if [ "${E2E_UPDATE_REFERENCES:-}" = 1 ]; then
        cp "$picture" "$REFERENCES/$name.png"
        log "wrote reference $name"
        return 0
    fi
    [ -f "$REFERENCES/$name.png" ] || fail "no reference picture $name.png"
    local differing
    differing=$(compare -metric AE -fuzz "$FUZZ" "$REFERENCES/$name.png" "$picture" null: 2>&1 | awk '{ print int($1) }')
    log "$name: $differing pixels differ from the reference"
    expect "$differing <= $MOST_DIFFERING" "$name differs from its reference in $differing pixels: $picture"
}

start_xvfb
start_demo_window
wait_running "$WIN" 15
start=$SHOT
against_reference start

declare -A names=([l]=lighting-off [f]=fog-off [t]=texturing-off [w]=wireframe)
for key in l f t w; do
    toggle_away "$WIN" "$key" "$start"
    # One more frame, so that the picture is a whole frame drawn after the toggle.
    sleep 0.3
    screenshot "toggled-$key" "$WIN"
    against_reference "${names[$key]}"
    toggle_back "$WIN" "$key" "$start"
done

send_key "$WIN" Escape
expect_exit_code 0 10
pass
