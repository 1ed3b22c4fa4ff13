#!/usr/bin/env bash
# Installs what is missing, cross-builds the Windows program with MinGW-w64 into build-windows/
# and leaves its packages there: facedemo-<version>-win64.zip (facedemo.exe and its six data
# files, to run from anywhere) and the installer facedemo-<version>-win64.exe (made by NSIS).
# The asset generators run here, so they come from a native build of tools/: NATIVE_BUILD names
# that build tree (default build-native-tools; scripts/test.sh passes its own build/).
#   scripts/build-windows.sh [extra cmake arguments for the Windows build...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

scripts/install-packages.sh \
  build-essential cmake pkg-config g++-mingw-w64-x86-64-posix googletest \
  libsdl2-dev libgl-dev libglu1-mesa-dev libfreetype-dev libfontconfig-dev libgtest-dev libstb-dev nlohmann-json3-dev \
  wine wine64 xvfb xauth xdotool imagemagick x11-utils openbox jq libxml2-utils \
  nsis icoutils

native=${NATIVE_BUILD:-build-native-tools}
if [ ! -f "$native/native-tools.cmake" ]; then
  cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFACEDEMO_TESTS=OFF -DFACEDEMO_BENCH=OFF >/dev/null
fi
cmake --build "$native" --target make_faces make_images make_icon -j "$jobs"

cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFACEDEMO_NATIVE_TOOLS="$root/$native/native-tools.cmake" -DFACEDEMO_BENCH=OFF "$@" >/dev/null
cmake --build build-windows -j "$jobs"
(cd build-windows && cpack -G "ZIP;NSIS" >/dev/null)
ls build-windows/facedemo-*-win64.zip build-windows/facedemo-*-win64.exe
