// Writes the smallest data set the demo starts with into a directory: the three face files as
// one triangle of three vertices each, and the three bitmaps, each in the header kind the demo
// reads it in, at 2 x 2. Start-up with it against start-up with the real data gives the data's
// own cost (bench/startup_ratio.sh).
#include <cstdio>
#include <string>

#include "tools/face_mesh.h"
#include "tools/image_bmp.h"
#include "tools/image_pictures.h"

namespace {

constexpr int imageSize = 2;

// One triangle facing the viewer; the same three vertices in every face file, as the morph
// between the expressions needs.
faces::FaceMesh triangle() {
    faces::FaceMesh mesh;
    mesh.positions = {{0.0, 0.0, 0.0}, {1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}};
    mesh.normals = {{0.0, 0.0, 1.0}, {0.0, 0.0, 1.0}, {0.0, 0.0, 1.0}};
    mesh.texCoords = {{0.0, 0.0}, {1.0, 0.0}, {0.0, 1.0}};
    mesh.triangles = {{0, 1, 2}};
    return mesh;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    for (const char* name : {"smile.sos", "rage.sos", "closed.sos"}) {
        if (!faces::writeSos(triangle(), directory + "/" + name)) {
            std::fprintf(stderr, "cannot write %s/%s\n", directory.c_str(), name);
            return 1;
        }
    }
    const struct {
        const char* name;
        bmp::Bytes bytes;
    } bitmaps[] = {
        {"rocks.bmp", images::encodeInfo24(images::paintRocks(imageSize))},
        {"sunsetclouds.bmp", images::encodeCore24(images::paintSunsetSky(imageSize, imageSize))},
        {"Lightmap.bmp", images::encodeRle8(images::paintLightmap(imageSize))},
    };
    for (const auto& image : bitmaps) {
        if (!bmp::writeFile(directory + "/" + image.name, image.bytes)) {
            std::fprintf(stderr, "cannot write %s/%s\n", directory.c_str(), image.name);
            return 1;
        }
    }
    return 0;
}
