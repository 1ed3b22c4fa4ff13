// Bitmap file encoders for the generated pictures: uncompressed 24-bit and RLE8.
#include "tools/image_bmp.h"

#include <cstdio>

namespace images {

namespace {

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t biRle8 = 1;
constexpr std::int32_t pixelsPerMetre = 2835;  // 72 dots per inch
constexpr int longestRun = 255;
constexpr int shortestAbsoluteRun = 3;  // 1 and 2 would read as escapes

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putFileHeader(std::vector<std::uint8_t>& out, std::uint32_t fileSize, std::uint32_t pixelOffset) {
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put32(out, 0);
    put32(out, pixelOffset);
}

void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bitCount, std::uint32_t compression,
                   std::uint32_t imageSize, std::uint32_t colours) {
    put32(out, infoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bitCount));
    put32(out, compression);
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, colours);
    put32(out, colours);
}

// The 24-bit rows, blue-green-red, each padded to 4 bytes.
std::vector<std::uint8_t> rows24(const RgbPicture& picture) {
    std::vector<std::uint8_t> rows;
    std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) & ~std::size_t(3);
    rows.reserve(stride * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* p = &picture.rgb[static_cast<std::size_t>(y) * picture.width * 3];
        for (int x = 0; x < picture.width; ++x, p += 3) {
            rows.push_back(p[2]);
            rows.push_back(p[1]);
            rows.push_back(p[0]);
        }
        while (rows.size() % 4 != 0) rows.push_back(0);
    }
    return rows;
}

}  // namespace

std::vector<std::uint8_t> encodeInfo24(const RgbPicture& picture) {
    std::vector<std::uint8_t> rows = rows24(picture);
    std::uint32_t offset = fileHeaderSize + infoHeaderSize;
    std::vector<std::uint8_t> out;
    putFileHeader(out, offset + static_cast<std::uint32_t>(rows.size()), offset);
    putInfoHeader(out, picture.width, picture.height, 24, 0, static_cast<std::uint32_t>(rows.size()), 0);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

std::vector<std::uint8_t> encodeCore24(const RgbPicture& picture) {
    std::vector<std::uint8_t> rows = rows24(picture);
    std::uint32_t offset = fileHeaderSize + coreHeaderSize;
    std::vector<std::uint8_t> out;
    putFileHeader(out, offset + static_cast<std::uint32_t>(rows.size()), offset);
    put32(out, coreHeaderSize);
    put16(out, static_cast<std::uint32_t>(picture.width));
    put16(out, static_cast<std::uint32_t>(picture.height));
    put16(out, 1);
    put16(out, 24);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

std::vector<std::uint8_t> rle8Stream(const IndexedPicture& picture) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = &picture.indices[static_cast<std::size_t>(y) * picture.width];
        int x = 0;
        while (x < picture.width) {
            int run = 1;
            while (x + run < picture.width && run < longestRun && row[x + run] == row[x]) ++run;
            if (run >= shortestAbsoluteRun || picture.width - x < shortestAbsoluteRun) {
                // Repeats (or the last one or two pixels of the row) go as encoded runs.
                out.push_back(static_cast<std::uint8_t>(run));
                out.push_back(row[x]);
                x += run;
                continue;
            }
            // Gather pixels until a repeat of three starts or the run is full.
            int length = 0;
            while (x + length < picture.width && length < longestRun) {
                int ahead = x + length;
                if (ahead + 2 < picture.width && row[ahead] == row[ahead + 1] && row[ahead] == row[ahead + 2]) break;
                ++length;
            }
            if (length < shortestAbsoluteRun) {
                // Too short for an absolute run: single-pixel encoded runs instead.
                for (int i = 0; i < length; ++i) {
                    out.push_back(1);
                    out.push_back(row[x + i]);
                }
                x += length;
                continue;
            }
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(length));
            out.insert(out.end(), row + x, row + x + length);
            if (length % 2 != 0) out.push_back(0);  // absolute runs end on a 16-bit boundary
            x += length;
        }
        out.push_back(0);
        out.push_back(0);  // end of line
    }
    out.push_back(0);
    out.push_back(1);  // end of bitmap
    return out;
}

std::vector<std::uint8_t> encodeRle8(const IndexedPicture& picture) {
    std::vector<std::uint8_t> stream = rle8Stream(picture);
    std::uint32_t colours = static_cast<std::uint32_t>(picture.paletteRgb.size() / 3);
    std::uint32_t offset = fileHeaderSize + infoHeaderSize + 4 * colours;
    std::vector<std::uint8_t> out;
    putFileHeader(out, offset + static_cast<std::uint32_t>(stream.size()), offset);
    putInfoHeader(out, picture.width, picture.height, 8, biRle8, static_cast<std::uint32_t>(stream.size()), colours);
    for (std::uint32_t i = 0; i < colours; ++i) {
        out.push_back(picture.paletteRgb[3 * i + 2]);
        out.push_back(picture.paletteRgb[3 * i + 1]);
        out.push_back(picture.paletteRgb[3 * i]);
        out.push_back(0);
    }
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace images
