# The program installed like any other and started from another directory with --frames and
# --screenshot: it finds its data beside itself, exits 0 with the summary line and leaves a
# picture of the scene.
# Linux: `cmake --install` into a temporary prefix; moved elsewhere, the tree still validates. The
# Debian package that cpack makes carries the computed dependencies and every installed file,
# and Debian's checkers pass it: lintian, AppStream's validator and desktop-file-validate.
# Windows, under Wine: the installer that cpack makes, run silently into the test's prefix, puts
# the program into Program Files\facedemo with a Start-menu shortcut that starts it there and an
# entry in the list of installed programs; the program carries its icon and version; the
# uninstaller, run silently from that entry, removes it all. A second silent install into a
# folder given with /D= lands there.
# shellcheck disable=SC2016  # conditions are evaluated by wait_for
source "$(dirname "$0")/lib.sh"

build=${FACEDEMO_BUILD_DIR:?FACEDEMO_BUILD_DIR names the build tree}
start_xvfb
version=$(run_program --version 2>/dev/null | tr -d '\r' | cut -d' ' -f2)
[ -n "$version" ] || fail "the program printed no version"

# --- Windows: the installer -------------------------------------------------------------------

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\facedemo'
start_menu='ProgramData/Microsoft/Windows/Start Menu/Programs/Face Demo'

# unix_path WINDOWS_PATH: the path in the test's Wine prefix, for a path on drive C.
unix_path() { local p=${1#C:\\}; echo "$WINEPREFIX/drive_c/${p//\\//}"; }

# uninstall_entry NAME: a value of the uninstaller's entry in the registry, which the list of
# installed programs reads.
uninstall_entry() {
    wine reg query "HKLM\\$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name && $2 ~ /^REG_/ { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print; found = 1 } END { exit !found }'
}

# lnk_fields FILE: prints a shortcut's target and working directory, one a line, read from the
# Shell Link format: a 76-byte header whose flags say which parts follow; the target's item list;
# the link information, whose local base path is the target; then counted strings (UTF-16 when
# the flags say Unicode): the name, the relative path and the working directory, each present
# when its flag is set.
lnk_fields() {
    local -a b
    mapfile -t b < <(od -An -v -tu1 -w1 "$1" | tr -d ' ')
    u16() { echo $((b[$1] | b[$1 + 1] << 8)); }
    u32() { echo $((b[$1] | b[$1 + 1] << 8 | b[$1 + 2] << 16 | b[$1 + 3] << 24)); }
    chr() { printf '%b' "\\x$(printf %02x "$1")"; }
    [ "${#b[@]}" -gt 76 ] && [ "$(u32 0)" -eq 76 ] || return 1
    local flags pos=76 target='' workdir='' flag count width i text
    flags=$(u32 20)
    if ((flags & 0x1)); then pos=$((pos + 2 + $(u16 76))); fi
    if ((flags & 0x2)); then
        i=$((pos + $(u32 $((pos + 16)))))
        while ((b[i] != 0)); do target+=$(chr "${b[i]}"); i=$((i + 1)); done
        pos=$((pos + $(u32 "$pos")))
    fi
    width=$(((flags & 0x80) ? 2 : 1))
    for flag in 0x4 0x8 0x10; do
        ((flags & flag)) || continue
        count=$(u16 "$pos")
        text=''
        for ((i = pos + 2; i < pos + 2 + width * count; i += width)); do
            if ((b[i] != 0)); then text+=$(chr "${b[i]}"); fi
        done
        if ((flag == 0x10)); then workdir=$text; fi
        pos=$((pos + 2 + width * count))
    done
    printf '%s\n%s\n' "$target" "$workdir"
}

# install_windows [/D=FOLDER]: runs the installer silently and waits for it.
install_windows() {
    local installer=("$build"/facedemo-*-win64.exe)
    [ -f "${installer[0]}" ] || fail "no installer facedemo-*-win64.exe in $build"
    program_runner
    wine "${installer[0]}" /S "$@" >"$E2E_TMP/install.log" 2>&1 || fail "the installer ended with $?: $(tail -3 "$E2E_TMP/install.log")"
}

# uninstall_windows FOLDER: runs the uninstaller that the registry names, silently, and waits
# until it has removed the folder and the Start-menu entry (it copies itself elsewhere and
# returns at once).
uninstall_windows() {
    local folder=$1 command dir menu=$WINEPREFIX/drive_c/$start_menu
    command=$(uninstall_entry UninstallString) || fail "no uninstaller registered"
    [ "$command" = "\"$folder\\Uninstall.exe\"" ] || fail "the registered uninstaller is $command"
    dir=$(unix_path "$folder")
    wine "$dir/Uninstall.exe" /S >"$E2E_TMP/uninstall.log" 2>&1 || fail "the uninstaller ended with $?"
    wait_for '[ ! -e "$dir" ] && [ ! -e "$menu" ]' 60 ||
        fail "still there after uninstalling: $(find "$dir" "$menu" 2>/dev/null | head -5)"
    ! uninstall_entry UninstallString >/dev/null || fail "the uninstaller is still registered"
}

if [[ $E2E_BIN == *.exe ]]; then
    folder='C:\Program Files\facedemo'
    install_windows
    installed=$(unix_path "$folder")
    for file in facedemo.exe LICENSE.txt {smile,rage,closed}.sos {rocks,sunsetclouds,Lightmap}.bmp \
        reference/{start,close-view}.png Uninstall.exe; do
        [ -s "$installed/$file" ] || fail "not installed: $folder\\$file"
    done
    program=$installed/facedemo.exe

    shortcut="$WINEPREFIX/drive_c/$start_menu/Face Demo.lnk"
    [ -s "$shortcut" ] || fail "no Start-menu shortcut: $(find "$WINEPREFIX/drive_c/ProgramData" -name '*.lnk')"
    mapfile -t link < <(lnk_fields "$shortcut")
    [ "${link[0]:-}" = "$folder\\facedemo.exe" ] || fail "the shortcut points at '${link[0]:-}'"
    [ "${link[1]:-}" = "$folder" ] || fail "the shortcut starts in '${link[1]:-}'"

    [ "$(uninstall_entry DisplayName)" = "Face Demo" ] || fail "the installed programs list no Face Demo"
    [ "$(uninstall_entry DisplayVersion)" = "$version" ] || fail "registered version: $(uninstall_entry DisplayVersion)"
    [ "$(uninstall_entry DisplayIcon)" = "$folder\\facedemo.exe" ] || fail "registered icon: $(uninstall_entry DisplayIcon)"
    log "installed into $folder, shortcut and uninstaller registered"
else
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
fi

# --- both: the installed program, started elsewhere --------------------------------------------

# On a fixed frame time the last of 60 frames shows the frame-rate text (after half a second of
# frames), however fast the machine draws them.
frames=60
[[ $E2E_BIN == *.exe ]] && frames=10
elsewhere=$E2E_TMP/elsewhere
mkdir -p "$elsewhere"
program_runner
(cd "$elsewhere" && "${RUNNER[@]}" "$program" --frames "$frames" --frame-time 20 --screenshot shot.png) >"$E2E_TMP/run.out" 2>"$E2E_TMP/run.err"
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

# --- Windows: resources, uninstalling, a chosen folder -----------------------------------------

if [[ $E2E_BIN == *.exe ]]; then
    # The icon resource holds the tools' face in each size the shell shows; the version resource
    # names the product and its version.
    wrestool -l "$program" >"$E2E_TMP/resources" || fail "wrestool cannot read $program"
    for type in icon group_icon version; do
        grep -q "\[type=$type " "$E2E_TMP/resources" || fail "no $type resource: $(cat "$E2E_TMP/resources")"
    done
    wrestool -x --type=group_icon "$program" -o "$E2E_TMP/program.ico" || fail "cannot extract the icon"
    sizes=$(icotool -l "$E2E_TMP/program.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\1 --bit-depth=32.*/\1/p' | sort -n | xargs)
    [ "$sizes" = "16 32 48 256" ] || fail "icon sizes: '$sizes'; $(icotool -l "$E2E_TMP/program.ico")"
    mkdir -p "$E2E_TMP/icons"
    icotool -x -o "$E2E_TMP/icons" "$E2E_TMP/program.ico" || fail "cannot read the icon's images"
    for picture in "$E2E_TMP"/icons/*.png; do
        # A face on a clear background: opaque in the middle, transparent in the corners, in the
        # face's colour around the middle.
        read -r centre corner covered <<<"$(convert "$picture" -alpha extract \
            -format '%[fx:p{w/2,h/2}] %[fx:p{0,0}] %[fx:mean]' info:)"
        expect "$centre == 1 && $corner == 0 && $covered > 0.3 && $covered < 0.9" \
            "the icon image $(basename "$picture") is no face on a clear background"
        side=$(identify -format '%w' "$picture")
        expect "$(skin "$picture" "$((side / 2))x$((side / 2))+$((side / 4))+$((side / 4))") > 0.5" \
            "the icon image $(basename "$picture") is not in the face's colour"
    done
    wrestool -x --raw --type=version "$program" | strings -el >"$E2E_TMP/version"
    value() { awk -v name="$1" 'found { print; exit } $0 == name { found = 1 }' "$E2E_TMP/version"; }
    [ "$(value ProductName)" = "Face Demo" ] || fail "product name: '$(value ProductName)'"
    [ "$(value ProductVersion)" = "$version" ] || fail "product version: '$(value ProductVersion)'"
    [ "$(value FileVersion)" = "$version" ] || fail "file version: '$(value FileVersion)'"
    [ -n "$(value FileDescription)" ] || fail "no file description"
    log "resources: icon of $sizes pixels, $(value ProductName) $(value ProductVersion)"

    uninstall_windows "$folder"

    # Wine quotes an argument with spaces, and NSIS takes /D= unquoted: a folder without spaces.
    folder='C:\Demos\facedemo'
    install_windows "/D=$folder"
    [ -s "$(unix_path "$folder")/facedemo.exe" ] || fail "/D= did not install into $folder"
    [ "$(lnk_fields "$shortcut" | head -1)" = "$folder\\facedemo.exe" ] || fail "the shortcut does not follow /D="
    uninstall_windows "$folder"
    log "silent install into a chosen folder and silent uninstall"
    pass
fi

# --- Linux: the relocated tree, the Debian package ---------------------------------------------

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
