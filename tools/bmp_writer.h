// The bitmap file writer: whole files in every header kind the loader reads, each field free to
// be set wrong on purpose. The image generator writes the demo's bitmaps with it; the tests and
// the benchmarks write their own, right and wrong.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/dib_layout.h"

namespace bmp {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, std::uint32_t value);
void put32(Bytes& out, std::uint32_t value);

// Everything a bitmap file says, each field free to be set wrong on purpose.
struct BitmapFile {
    bool fileHeader = true;         // "BM" and the 14-byte file header first
    std::uint32_t headerSize = 40;  // 12 writes the core header; other sizes pad the 40 fields with zeros
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint32_t planes = 1;
    std::uint32_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;         // 0 leaves it to the reader to compute
    std::int32_t pixelsPerMetre = 2835;  // 72 dots per inch
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
    std::vector<std::uint32_t> masks;  // written right after the 40-byte header
    Bytes palette;                     // written as given: 3 bytes per entry (core) or 4 (info)
    Bytes bits;                        // pixel bytes
    std::int64_t offBits = -1;         // -1: right after the colour table
};

// The whole file: file header (when asked), bitmap header, masks, colour table, pixels.
Bytes encode(const BitmapFile& file);

// Rows of packed red-green-blue pixels (bottom row first) stored blue-green-red, padded to 4 bytes.
Bytes rows24(const Bytes& rgb, int width, int height);
// Rows of palette indices packed at 1, 4 or 8 bits (most significant bits first), padded to 4 bytes.
Bytes packIndices(const Bytes& indices, int width, int height, int bitCount);
// Colour-table entries from 0xRRGGBB values: blue, green, red and (unless core) a zero byte.
Bytes palette(const std::vector<std::uint32_t>& colours, bool core = false);
// The BI_RLE8 stream of rows of indices: encoded runs for repeats, absolute runs otherwise, an
// end-of-line after every row and an end-of-bitmap at the end.
Bytes rle8Stream(const Bytes& indices, int width, int height);

bool writeFile(const std::string& path, const Bytes& bytes);

}  // namespace bmp
