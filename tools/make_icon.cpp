// Writes the program's icon: the smiling face of the demo, seen from the front, lit from the
// upper left, on a transparent background, as PNG pictures of the sizes given.
//   make_icon OUTPUT_PREFIX SIZE...   writes OUTPUT_PREFIX<SIZE>.png for each size
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "tools/face_expressions.h"
#include "tools/face_grid.h"
#include "tools/face_mesh.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

constexpr int supersampling = 4;  // samples per pixel along each side, averaged
constexpr double margin = 0.04;   // of the icon's side, left clear on every edge
const faces::Point skin{0.78, 0.54, 0.51};
const faces::Point towardsLight = faces::normalised({-0.45, 0.55, 0.7});
constexpr double ambient = 0.28;

struct Sample {
    double depth = -std::numeric_limits<double>::infinity();
    faces::Point colour;
    bool covered = false;
};

// Renders the mesh seen along -z (orthographic) into side x side samples, nearest surface kept.
std::vector<Sample> rasterise(const faces::FaceMesh& mesh, int side) {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const faces::Point& p : mesh.positions) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double scale = side * (1.0 - 2.0 * margin) / std::max(maxX - minX, maxY - minY);
    const double offsetX = side / 2.0 - scale * (minX + maxX) / 2.0;
    const double offsetY = side / 2.0 - scale * (minY + maxY) / 2.0;
    auto toScreen = [&](faces::Point p) { return faces::Point{offsetX + scale * p.x, offsetY + scale * p.y, p.z}; };

    std::vector<Sample> samples(static_cast<std::size_t>(side) * side);
    for (const auto& t : mesh.triangles) {
        const faces::Point a = toScreen(mesh.positions[t[0]]);
        const faces::Point b = toScreen(mesh.positions[t[1]]);
        const faces::Point c = toScreen(mesh.positions[t[2]]);
        const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (std::fabs(area) < 1e-12) continue;
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
        const int x1 = std::min(side - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
        const int y1 = std::min(side - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                // Barycentric weights of the sample's centre; all of one sign inside.
                const double wa = ((b.x - px) * (c.y - py) - (c.x - px) * (b.y - py)) / area;
                const double wb = ((c.x - px) * (a.y - py) - (a.x - px) * (c.y - py)) / area;
                const double wc = 1.0 - wa - wb;
                if (wa < 0 || wb < 0 || wc < 0) continue;
                Sample& s = samples[static_cast<std::size_t>(y) * side + x];
                const double depth = wa * a.z + wb * b.z + wc * c.z;
                if (depth <= s.depth) continue;
                const faces::Point n =
                    faces::normalised(wa * mesh.normals[t[0]] + wb * mesh.normals[t[1]] + wc * mesh.normals[t[2]]);
                const double light = ambient + (1.0 - ambient) * std::max(0.0, faces::dot(n, towardsLight));
                s = Sample{depth, skin * light, true};
            }
        }
    }
    return samples;
}

// Averages supersampling x supersampling samples into each pixel, top row first, with alpha.
std::vector<unsigned char> downsample(const std::vector<Sample>& samples, int size) {
    const int side = size * supersampling;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            faces::Point sum;
            int covered = 0;
            for (int sy = 0; sy < supersampling; ++sy)
                for (int sx = 0; sx < supersampling; ++sx) {
                    const Sample& s =
                        samples[static_cast<std::size_t>(y * supersampling + sy) * side + x * supersampling + sx];
                    if (!s.covered) continue;
                    sum += s.colour;
                    ++covered;
                }
            // Sample rows run upwards; the picture's rows downwards.
            unsigned char* out = &rgba[(static_cast<std::size_t>(size - 1 - y) * size + x) * 4];
            if (covered == 0) continue;
            const faces::Point c = sum * (1.0 / covered);
            out[0] = static_cast<unsigned char>(std::lround(std::clamp(c.x, 0.0, 1.0) * 255));
            out[1] = static_cast<unsigned char>(std::lround(std::clamp(c.y, 0.0, 1.0) * 255));
            out[2] = static_cast<unsigned char>(std::lround(std::clamp(c.z, 0.0, 1.0) * 255));
            out[3] = static_cast<unsigned char>(covered * 255 / (supersampling * supersampling));
        }
    }
    return rgba;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_PREFIX SIZE...\n", argv[0]);
        return 2;
    }
    faces::FaceMesh face = faces::warped(faces::buildNeutralHead(), faces::smileWarp);
    faces::computeNormals(face);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "make_icon: bad size %s\n", argv[i]);
            return 2;
        }
        const std::vector<unsigned char> rgba = downsample(rasterise(face, size * supersampling), size);
        const std::string path = std::string(argv[1]) + std::to_string(size) + ".png";
        if (!stbi_write_png(path.c_str(), size, size, 4, rgba.data(), size * 4)) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
