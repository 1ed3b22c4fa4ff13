# The program installed like any other: `cmake --install` into a temporary prefix, started from
# another directory with --frames and --screenshot, finds its data beside itself, exits 0 with
# the summary line and leaves a picture of the scene; moved elsewhere, the tree still validates. The
# Debian package that cpack makes carries the computed dependencies and every installed file.
# shellcheck disable=SC2016  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

build=${FACEDEMO_BUILD_DIR:?FACEDEMO_BUILD_DIR names the build tree}
prefix=$E2E_TMP/prefix
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 || fail "cmake --install failed: $(tail -3 "$E2E_TMP/install.log")"
for file in bin/facedemo share/applications/facedemo.desktop share/man/man6/facedemo.6.gz \
    share/icons/hicolor/128x128/apps/facedemo.png share/facedemo/{smile,rage,closed}.sos \
    share/facedemo/{rocks,sunsetclouds,Lightmap}.bmp share/facedemo/reference/{start,close-view}.png; do
    [ -s "$prefix/$file" ] || fail "not installed: $file"
done
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/128x128/apps/facedemo.png")" = 128x128 ] ||
    fail "the 128 x 128 icon has another size"

start_xvfb
elsewhere=$E2E_TMP/elsewhere
mkdir -p "$elsewhere"
(cd "$elsewhere" && "$prefix/bin/facedemo" --frames 60 --screenshot shot.png) >"$E2E_TMP/run.out" 2>"$E2E_TMP/run.err"
code=$?
[ "$code" -eq 0 ] || fail "the installed program ended with $code: $(cat "$E2E_TMP/run.err")"
grep -Eq '^frames: 60  seconds: [0-9.]+  fps: [0-9.]+  worst: [0-9.]+ ms  p99: [0-9.]+ ms$' "$E2E_TMP/run.out" ||
    fail "no summary line: $(cat "$E2E_TMP/run.out")"
SHOT=$elsewhere/shot.png
[ "$(image_size "$SHOT")" = 700x500 ] || fail "the screenshot is $(image_size "$SHOT"), not 700x500"
expect "$(mean "$SHOT" "$REGION_SKY") > 0.2" "the screenshot shows no lit sky: $SHOT"
expect "$(skin "$SHOT" "$REGION_UPPER_FACE") > 0.1" "the screenshot shows no face: $SHOT"
expect "$(text_pixels "$SHOT" "$REGION_FPS_TEXT") > 0.015" "the screenshot shows no frame-rate text: $SHOT"
log "installed program: $(cat "$E2E_TMP/run.out")"

# A relocated tree still finds its data and reference pictures (relative to the program), here
# without any display: its validation passes.
mv "$prefix" "$E2E_TMP/moved"
(cd "$elsewhere" && env -u DISPLAY "$E2E_TMP/moved/bin/facedemo" --offscreen --validate --save-pictures pictures) \
    >"$E2E_TMP/moved.out" 2>&1 || fail "the moved tree did not validate: $(cat "$E2E_TMP/moved.out")"
[ "$(grep -c ' PASS ' "$E2E_TMP/moved.out")" -eq 7 ] || fail "the moved tree: $(cat "$E2E_TMP/moved.out")"
[ "$(image_size "$elsewhere/pictures/close-view.png")" = 700x500 ] || fail "no pictures saved where the program was started"

# The package: control fields and file list.
(cd "$E2E_TMP" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$E2E_TMP/package") >"$E2E_TMP/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/package/facedemo_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no facedemo_*.deb made"
dpkg-deb -f "$deb" Package Version Architecture Section Depends >"$E2E_TMP/control"
grep -qx 'Package: facedemo' "$E2E_TMP/control" || fail "package name: $(cat "$E2E_TMP/control")"
grep -qx "Version: $("$E2E_BIN" --version | cut -d' ' -f2)" "$E2E_TMP/control" || fail "package version"
grep -qx 'Section: games' "$E2E_TMP/control" || fail "section"
for dependency in libsdl2-2.0-0 libfreetype6 libfontconfig1 libglu1-mesa libgl1 libegl1 libc6; do
    grep -q "^Depends:.*\b$dependency\b" "$E2E_TMP/control" || fail "no dependency on $dependency: $(cat "$E2E_TMP/control")"
done
dpkg-deb -c "$deb" | awk '{ print $NF }' >"$E2E_TMP/files"
for file in ./usr/bin/facedemo ./usr/share/applications/facedemo.desktop ./usr/share/man/man6/facedemo.6.gz \
    ./usr/share/icons/hicolor/48x48/apps/facedemo.png ./usr/share/facedemo/{smile,rage,closed}.sos \
    ./usr/share/facedemo/{rocks,sunsetclouds,Lightmap}.bmp ./usr/share/facedemo/reference/wireframe.png; do
    grep -qx "$file" "$E2E_TMP/files" || fail "the package lacks $file"
done
log "package $(basename "$deb"): $(grep Depends "$E2E_TMP/control")"
pass
