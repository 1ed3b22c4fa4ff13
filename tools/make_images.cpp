// Writes the demo's three bitmaps into the directory given as the first argument.
#include <cstdio>
#include <string>

#include "tools/image_bmp.h"
#include "tools/image_pictures.h"

namespace {

// The rock texture repeats twenty times along the ground's side; the sky is stretched once
// around a sphere and sampled without filtering, so it needs about as many texels around as
// the screen has pixels across a full turn of the view (2048 keeps a texel under two pixels of
// a 700-pixel-wide window), and half as many from pole to pole.
constexpr int rocksSize = 512;
constexpr int skyWidth = 2048;
constexpr int skyHeight = 1024;
constexpr int lightmapSize = 256;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    std::string directory = argv[1];
    struct Output {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    // Rocks: "BM" + 40-byte header; sky: the 12-byte core header; lightmap: paletted RLE8.
    const Output outputs[] = {
        {"rocks.bmp", images::encodeInfo24(images::paintRocks(rocksSize))},
        {"sunsetclouds.bmp", images::encodeCore24(images::paintSunsetSky(skyWidth, skyHeight))},
        {"Lightmap.bmp", images::encodeRle8(images::paintLightmap(lightmapSize))},
    };
    for (const Output& output : outputs) {
        if (!bmp::writeFile(directory + "/" + output.name, output.bytes)) {
            std::fprintf(stderr, "cannot write %s/%s\n", directory.c_str(), output.name);
            return 1;
        }
    }
    return 0;
}
