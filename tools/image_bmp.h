// The generated pictures as Windows bitmap files, each in the header kind the demo reads it in.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/bmp_writer.h"

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
bmp::Bytes encodeInfo24(const RgbPicture& picture);
// "BM" + 12-byte BITMAPCOREHEADER, 24 bits per pixel.
bmp::Bytes encodeCore24(const RgbPicture& picture);
// "BM" + 40-byte header, 8 bits per pixel, colour table, BI_RLE8 compressed.
bmp::Bytes encodeRle8(const IndexedPicture& picture);

}  // namespace images
