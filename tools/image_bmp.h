// Writing pictures as Windows bitmap files in the header kinds the demo reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace images {

// A picture in packed red-green-blue bytes, bottom row first (as bitmaps store rows).
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    RgbPicture(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0) {}
    std::uint8_t* at(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// A picture of palette indices, bottom row first, with its colour table (red, green, blue).
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::vector<std::uint8_t> paletteRgb;  // 3 bytes per entry

    IndexedPicture(int w, int h) : width(w), height(h), indices(static_cast<std::size_t>(w) * h, 0) {}
};

// "BM" + 40-byte BITMAPINFOHEADER, 24 bits per pixel, uncompressed.
std::vector<std::uint8_t> encodeInfo24(const RgbPicture& picture);
// "BM" + 12-byte BITMAPCOREHEADER, 24 bits per pixel.
std::vector<std::uint8_t> encodeCore24(const RgbPicture& picture);
// "BM" + 40-byte header, 8 bits per pixel, colour table, BI_RLE8 compressed.
std::vector<std::uint8_t> encodeRle8(const IndexedPicture& picture);

// The RLE8 stream of the rows: encoded runs for repeats, absolute runs otherwise,
// an end-of-line after every row and an end-of-bitmap at the end.
std::vector<std::uint8_t> rle8Stream(const IndexedPicture& picture);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace images
