# shellcheck shell=bash
# Measures of pictures shared by the end-to-end tests (sourced by lib.sh) and the browser tests
# (tests/web/behaviour.js runs them on the page's screenshots): brightness, the face colour, the
# overlay's text and changed pixels in regions of the 700 x 500 start window. ImageMagick does the
# counting.
# shellcheck disable=SC2034  # the regions are used by the scripts that source this

# image_size FILE: "WIDTHxHEIGHT".
image_size() { identify -format '%wx%h' "$1"; }

# mean FILE GEOMETRY: mean brightness (0..1) of a region.
mean() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }

# channel_means FILE GEOMETRY: "RED GREEN BLUE" means (0..1) of a region.
channel_means() {
    convert "$1" -crop "$2" +repage -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info:
}

# skin FILE GEOMETRY: the fraction (0..1) of the region's pixels in the face colour: red above
# both green and blue by more than 6 % (lit and fogged skin is; the grey fog, the sky, the rock
# ground and the overlay are not). The red axis passes too, but it is a thin line.
skin() {
    convert "$1" -crop "$2" +repage -color-matrix '1 -1 0  1 0 -1  0 0 0' \
        -channel RGB -threshold 6% +channel -separate -delete 2 -evaluate-sequence min -format '%[fx:mean]' info:
}

# text_pixels FILE GEOMETRY: the fraction (0..1) of the region's pixels that are near white
# (all three channels above 70 %), as the overlay's text is.
text_pixels() {
    convert "$1" -crop "$2" +repage -channel RGB -threshold 70% +channel -separate \
        -evaluate-sequence min -format '%[fx:mean]' info:
}

# diff_pixels A B [GEOMETRY]: number of pixels that differ by more than 2 % between two pictures
# of the same size, in the whole picture or in one region.
diff_pixels() {
    local region=${3:+[$3]}
    compare -metric AE -fuzz 2% "$1$region" "$2$region" null: 2>&1 | awk '{ print int($1) }'
}

# Floating-point comparison: check EXPRESSION (in awk), e.g. check "$a > 0.1".
check() { awk "BEGIN { exit !($1) }"; }

# Regions of the 700 x 500 start window (client coordinates, WIDTHxHEIGHT+X+Y), measured on
# the start view: the camera at (0, 3, 25) looking along -z, the upper face 10 units up.
REGION_UPPER_FACE=100x100+290+45
REGION_LOWER_LEFT=50x75+300+240
REGION_LOWER_RIGHT=50x75+350+240
# Everything above the overlay bar and below the upper face: it changes only with the camera.
REGION_STILL=700x310+0+155
REGION_SKY=700x60+0+0
# The bar's left part holds the frame-rate text, the part after it the status line.
REGION_FPS_TEXT=95x35+0+465
REGION_STATUS_TEXT=500x35+100+465

# sky_redness FILE: red minus blue of the sky above the horizon; about 0 in the grey fog, high in
# the sunset that the sky texture shows without fog.
sky_redness() { convert "$1[700x50+0+190]" -format '%[fx:mean.r - mean.b]' info:; }

# face_spread FILE: the spread of red across the middle of the lower left face; lit, it is
# shaded, with lighting off one flat colour.
face_spread() { convert "$1[20x20+318+262]" -format '%[fx:standard_deviation.r]' info:; }
