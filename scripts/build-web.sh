#!/usr/bin/env bash
# Installs what is missing, builds the demo for a web browser with emscripten (WebGL 1 through the
# fixed-function layer) and leaves the site in build-web/site/: index.html, index.js, index.wasm
# and index.data (the six data files and the validation's reference pictures). Serve it with any
# static server, for example:
#   (cd build-web/site && python3 -m http.server --bind 127.0.0.1 8000)   # http://127.0.0.1:8000/
# The meshes, images, icon and the overlay's glyphs are made here, by a native build of the
# generators: NATIVE_BUILD names that build tree (default build-native-tools).
#   scripts/build-web.sh [extra cmake arguments for the web build...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

scripts/install-packages.sh \
  build-essential cmake pkg-config emscripten \
  libsdl2-dev libgl-dev libglu1-mesa-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core \
  libstb-dev nlohmann-json3-dev

# Debian's emscripten finds its JavaScript modules (acorn, ...) only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

native=${NATIVE_BUILD:-build-native-tools}
if ! grep -qs make_glyph_table "$native/native-tools.cmake"; then
  cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFACEDEMO_TESTS=OFF -DFACEDEMO_BENCH=OFF >/dev/null
fi
cmake --build "$native" --target make_faces make_images make_icon make_glyph_table -j "$jobs"

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
  -DFACEDEMO_NATIVE_TOOLS="$root/$native/native-tools.cmake" "$@" >/dev/null
cmake --build build-web -j "$jobs"
ls -l build-web/site
