# L, F, T and W each change the picture in their own way and change it back when pressed again:
# lighting off leaves the faces flat, fog off shows the sunset sky and the rock ground, texturing
# off leaves the ground plain and lighter, wireframe shows the black background between lines.
# shellcheck disable=SC2016,SC2034  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

start_xvfb
start_demo_window
wait_running "$WIN" 15

screenshot start "$WIN"
start=$SHOT
ground() { convert "$1[700x100+0+360]" -colorspace Gray -format "%[fx:$2]" info:; }
dark_share() { convert "$1[$REGION_STILL]" -colorspace Gray -threshold 10% -negate -format '%[fx:mean]' info:; }
for key in l f t w; do
    toggle_away "$WIN" "$key" "$start"
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
    toggle_back "$WIN" "$key" "$start"
done

send_key "$WIN" Escape
expect_exit_code 0 10
pass
