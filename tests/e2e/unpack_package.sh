#!/usr/bin/env bash
# Makes the Windows packages in the build tree, the zip and the installer (cpack -G "ZIP;NSIS"),
# and unzips the zip into OUT, as a user would: facedemo.exe and its data files side by side.
# The installer stays in the build tree for the test of the installed program.
#   bash unpack_package.sh BUILD_DIR OUT
set -euo pipefail
build=$(realpath "$1")
out=$2
rm -f "$build"/facedemo-*-win64.zip "$build"/facedemo-*-win64.exe
(cd "$build" && cpack -G "ZIP;NSIS" >/dev/null)
zip=("$build"/facedemo-*-win64.zip)
rm -rf "$out" "$out.unzip"
mkdir -p "$out.unzip"
(cd "$out.unzip" && cmake -E tar xf "${zip[0]}")
# The zip holds one folder named after the package.
mv "$out.unzip"/facedemo-*-win64 "$out"
rmdir "$out.unzip"
ls "$out"
