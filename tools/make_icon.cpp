// Writes the program's icon: the smiling face of the demo, seen from the front, lit from the
// upper left, on a transparent background, as PNG pictures of the sizes given (the desktop's
// icon theme) or as one Windows icon file holding every size (the executable's icon resource).
//   make_icon OUTPUT_PREFIX SIZE...   writes OUTPUT_PREFIX<SIZE>.png for each size
//   make_icon FILE.ico SIZE...        writes FILE.ico with one image per size, at most 256
#include <algorithm>
#include <cmath>
#include <cstdint>
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

// Appends an unsigned value in little-endian order, the byte order of the icon file's fields.
void putLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void appendBytes(void* context, void* data, int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + length);
}

// One image of a Windows icon file. Below 256 pixels a 32-bit device-independent bitmap, which
// every version of Windows reads: an information header whose height counts the colour rows and
// the transparency mask's rows together, the colour rows bottom up in blue-green-red-alpha, then
// the one-bit mask (1 where the picture is transparent), each row padded to four bytes. At 256
// pixels a PNG, as Windows reads it since Vista, a tenth of the size.
std::vector<unsigned char> iconImage(const std::vector<unsigned char>& rgba, int size) {
    std::vector<unsigned char> image;
    if (size >= 256) {
        if (!stbi_write_png_to_func(appendBytes, &image, size, size, 4, rgba.data(), size * 4)) image.clear();
        return image;
    }
    const int maskRowBytes = (size + 31) / 32 * 4;
    constexpr std::uint32_t headerBytes = 40;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(size) * size * 4 + maskRowBytes * size;
    putLittleEndian(image, headerBytes, 4);
    putLittleEndian(image, size, 4);
    putLittleEndian(image, 2 * size, 4);
    putLittleEndian(image, 1, 2);   // planes
    putLittleEndian(image, 32, 2);  // bits per pixel
    putLittleEndian(image, 0, 4);   // uncompressed
    putLittleEndian(image, pixelBytes, 4);
    for (int field = 0; field < 4; ++field) putLittleEndian(image, 0, 4);  // resolution, colour table: none
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const unsigned char* p = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            image.insert(image.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<unsigned char> row(maskRowBytes, 0);
        for (int x = 0; x < size; ++x) {
            if (rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
        }
        image.insert(image.end(), row.begin(), row.end());
    }
    return image;
}

// The icon file: its header, one directory entry per image (a side of 256 written as 0), then
// the images in the same order.
std::vector<unsigned char> iconFile(const std::vector<int>& sizes,
                                    const std::vector<std::vector<unsigned char>>& images) {
    constexpr std::uint32_t headerBytes = 6, entryBytes = 16;
    std::vector<unsigned char> file;
    putLittleEndian(file, 0, 2);  // reserved
    putLittleEndian(file, 1, 2);  // an icon, not a cursor
    putLittleEndian(file, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = headerBytes + entryBytes * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<unsigned char>(sizes[i] % 256));
        file.push_back(static_cast<unsigned char>(sizes[i] % 256));
        putLittleEndian(file, 0, 2);   // no palette, reserved
        putLittleEndian(file, 1, 2);   // planes
        putLittleEndian(file, 32, 2);  // bits per pixel
        putLittleEndian(file, static_cast<std::uint32_t>(images[i].size()), 4);
        putLittleEndian(file, offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
    return file;
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_PREFIX SIZE...\n       %s FILE.ico SIZE...\n", argv[0], argv[0]);
        return 2;
    }
    const std::string output = argv[1];
    const bool iconFileWanted = endsWith(output, ".ico");
    // An icon file's directory holds a side of at most 256 pixels.
    const int largest = iconFileWanted ? 256 : 1024;
    faces::FaceMesh face = faces::warped(faces::buildNeutralHead(), faces::smileWarp);
    faces::computeNormals(face);
    std::vector<int> sizes;
    std::vector<std::vector<unsigned char>> images;
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || size > largest) {
            std::fprintf(stderr, "make_icon: bad size %s\n", argv[i]);
            return 2;
        }
        const std::vector<unsigned char> rgba = downsample(rasterise(face, size * supersampling), size);
        if (iconFileWanted) {
            sizes.push_back(size);
            images.push_back(iconImage(rgba, size));
            if (images.back().empty()) {
                std::fprintf(stderr, "make_icon: cannot encode the %d pixel image\n", size);
                return 1;
            }
            continue;
        }
        const std::string path = output + std::to_string(size) + ".png";
        if (!stbi_write_png(path.c_str(), size, size, 4, rgba.data(), size * 4)) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (iconFileWanted && !writeFile(output, iconFile(sizes, images))) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
