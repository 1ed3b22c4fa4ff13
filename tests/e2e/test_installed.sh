# The program installed like any other and started from another directory with --frames and
# --screenshot: it finds its data beside itself, exits 0 with the summary line and leaves a
# picture of the scene.
# Linux: `cmake --install` into a temporary prefix; moved elsewhere, the tree still validates. The
# Debian package that cpack makes carries the computed dependencies and every installed file,
# and Debian's checkers pass it: lintian, AppStream's validator and desktop-file-validate.
# shellcheck disable=SC2016  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

build=${FACEDEMO_BUILD_DIR:?FACEDEMO_BUILD_DIR names the build tree}
start_xvfb
version=$(run_program --version 2>/dev/null | tr -d '\r' | cut -d' ' -f2)
[ -n "$version" ] || fail "the program printed no version"

prefix=$E2E_TMP/prefix
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 || fail "cmake --install failed: $(tail -3 "$E2E_TMP/install.log")"
for file in bin/facedemo share/applications/facedemo.desktop share/man/man6/facedemo.6.gz \
    share/icons/hicolor/128x128/apps/facedemo.png share/facedemo/{smile,rage,closed}.sos \
    share/facedemo/{rocks,sunsetclouds,Lightmap}.bmp share/facedemo/reference/{start,close-view}.png \
    share/doc/facedemo/{copyright,changelog.gz}; do
    [ -s "$prefix/$file" ] || fail "not installed: $file"
done
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/128x128/apps/facedemo.png")" = 128x128 ] ||
    fail "the 128 x 128 icon has another size"
program=$prefix/bin/facedemo

# --- the installed program, started elsewhere --------------------------------------------

frames=60
elsewhere=$E2E_TMP/elsewhere
mkdir -p "$elsewhere"
program_runner
(cd "$elsewhere" && "${RUNNER[@]}" "$program" --frames "$frames" --screenshot shot.png) >"$E2E_TMP/run.out" 2>"$E2E_TMP/run.err"
code=$?
[ "$code" -eq 0 ] || fail "the installed program ended with $code: $(cat "$E2E_TMP/run.err")"
tr -d '\r' <"$E2E_TMP/run.out" | grep -Eq "^frames: $frames  seconds: [0-9.]+  fps: [0-9.]+  worst: [0-9.]+ ms  p99: [0-9.]+ ms$" ||
    fail "no summary line: $(cat "$E2E_TMP/run.out")"
SHOT=$elsewhere/shot.png
[ -s "$SHOT" ] || fail "no screenshot where the program was started"
[ "$(image_size "$SHOT")" = 700x500 ] || fail "the screenshot is $(image_size "$SHOT"), not 700x500"
expect "$(mean "$SHOT" "$REGION_SKY") > 0.2" "the screenshot shows no lit sky: $SHOT"
expect "$(skin "$SHOT" "$REGION_UPPER_FACE") > 0.1" "the screenshot shows no face: $SHOT"
log "installed program: $(tr -d '\r' <"$E2E_TMP/run.out")"

# --- the relocated tree, the Debian package ---------------------------------------------

expect "$(text_pixels "$SHOT" "$REGION_FPS_TEXT") > 0.015" "the screenshot shows no frame-rate text: $SHOT"

# A relocated tree still finds its data and reference pictures (relative to the program), here
# without any display: its validation passes.
mv "$prefix" "$E2E_TMP/moved"
(cd "$elsewhere" && env -u DISPLAY "$E2E_TMP/moved/bin/facedemo" --offscreen --validate --save-pictures pictures) \
    >"$E2E_TMP/moved.out" 2>&1 || fail "the moved tree did not validate: $(cat "$E2E_TMP/moved.out")"
[ "$(grep -c ' PASS ' "$E2E_TMP/moved.out")" -eq 7 ] || fail "the moved tree: $(cat "$E2E_TMP/moved.out")"
[ "$(image_size "$elsewhere/pictures/close-view.png")" = 700x500 ] || fail "no pictures saved where the program was started"
prefix=$E2E_TMP/moved

# The package: control fields and file list.
(cd "$E2E_TMP" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$E2E_TMP/package") >"$E2E_TMP/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/package/facedemo_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no facedemo_*.deb made"
dpkg-deb -f "$deb" Package Version Architecture Section Depends >"$E2E_TMP/control"
grep -qx 'Package: facedemo' "$E2E_TMP/control" || fail "package name: $(cat "$E2E_TMP/control")"
grep -qx "Version: $version" "$E2E_TMP/control" || fail "package version"
grep -qx 'Section: graphics' "$E2E_TMP/control" || fail "section"
for dependency in libsdl2-2.0-0 libfreetype6 libfontconfig1 libglu1-mesa libgl1 libegl1 libc6; do
    grep -q "^Depends:.*\b$dependency\b" "$E2E_TMP/control" || fail "no dependency on $dependency: $(cat "$E2E_TMP/control")"
done
metainfo=$(cd "$prefix" && ls share/metainfo/*.metainfo.xml 2>/dev/null)
[ -n "$metainfo" ] || fail "no AppStream metainfo installed"
dpkg-deb -c "$deb" | awk '{ print $NF }' >"$E2E_TMP/files"
for file in ./usr/bin/facedemo ./usr/share/applications/facedemo.desktop ./usr/share/man/man6/facedemo.6.gz \
    ./usr/share/icons/hicolor/48x48/apps/facedemo.png ./usr/share/facedemo/{smile,rage,closed}.sos \
    ./usr/share/facedemo/{rocks,sunsetclouds,Lightmap}.bmp ./usr/share/facedemo/reference/wireframe.png \
    ./usr/share/doc/facedemo/{copyright,changelog.gz} "./usr/$metainfo"; do
    grep -qx "$file" "$E2E_TMP/files" || fail "the package lacks $file"
done
log "package $(basename "$deb"): $(grep Depends "$E2E_TMP/control")"

# Debian's checker: no error and no warning; informational tags are shown.
lintian --display-info --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
    fail "lintian: $(grep -v 'root privileges' "$E2E_TMP/lintian.log")"
log "lintian: $(grep -c '^I: ' "$E2E_TMP/lintian.log") informational tags: $(awk '/^I: / { printf "%s ", $3 }' "$E2E_TMP/lintian.log")"

# The copyright file holds LICENSE's terms, and the changelog's first entry is this version.
# The licence's own paragraph is the one that starts with its name.
awk 'on { sub(/^ /, ""); sub(/^\.$/, ""); print } prev == "" && $0 == "License: Expat" { on = 1 } { prev = $0 }' \
    "$prefix/share/doc/facedemo/copyright" >"$E2E_TMP/licence"
tail -n +5 "$(dirname "$0")/../../LICENSE" | diff - "$E2E_TMP/licence" >/dev/null ||
    fail "the copyright file's licence differs from LICENSE: $(tail -n +5 "$(dirname "$0")/../../LICENSE" | diff - "$E2E_TMP/licence")"
zcat "$prefix/share/doc/facedemo/changelog.gz" | head -1 | grep -q "^facedemo ($version) " || fail "the changelog's first entry"

# The software centres' data: AppStream's validator passes the metainfo and, with the installed
# tree, finds the desktop entry it launches; the release is this version; the screenshot is one of
# the program's own pictures, at its size.
appstreamcli validate --no-net "$prefix/$metainfo" >"$E2E_TMP/appstream.log" 2>&1 ||
    fail "appstreamcli validate: $(cat "$E2E_TMP/appstream.log")"
appstreamcli validate-tree --no-net "$prefix" >>"$E2E_TMP/appstream.log" 2>&1 ||
    fail "appstreamcli validate-tree: $(cat "$E2E_TMP/appstream.log")"
grep -q "<id>$(basename "$metainfo" .metainfo.xml)</id>" "$prefix/$metainfo" || fail "the metainfo's id is not its file name"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"/>" "$prefix/$metainfo" || fail "no release $version in the metainfo"
grep -q '<launchable type="desktop-id">facedemo.desktop</launchable>' "$prefix/$metainfo" || fail "no launchable"
screenshot=$(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">.*/\([^/<]*\)</image>.*|\3 \1x\2|p' "$prefix/$metainfo")
read -r picture picture_size <<<"$screenshot"
[ -s "$prefix/share/facedemo/reference/$picture" ] || fail "the screenshot '$picture' is none of the program's pictures"
[ "$(image_size "$prefix/share/facedemo/reference/$picture")" = "$picture_size" ] || fail "the screenshot is not $picture_size"
desktop-file-validate "$prefix/share/applications/facedemo.desktop" >"$E2E_TMP/desktop.log" 2>&1 ||
    fail "desktop-file-validate: $(cat "$E2E_TMP/desktop.log")"
log "appstreamcli: $(tail -1 "$E2E_TMP/appstream.log"); desktop-file-validate: passed"
pass
