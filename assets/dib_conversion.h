// Conversion of device-independent bitmap rows (any bit depth, colour table and compression)
// straight into the loader's picture: packed 24-bit red-green-blue rows, bottom row first.
#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/dib_layout.h"

// Everything the conversion reads: the normalised header, its colour table, the three
// BI_BITFIELDS masks (red, green, blue; ignored for other compressions) and the pixel bytes.
struct DibSource {
    BitmapInfoHeader header{};
    const RgbQuad* colours = nullptr;
    std::size_t colourCount = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    const unsigned char* bits = nullptr;
    std::size_t bitsLength = 0;  // bytes readable from bits
};

// The 24-bit target: |height| rows of rowBytes (width * 3, no padding), bottom row first.
struct DibTarget {
    int width = 0;
    int height = 0;  // always positive: the number of rows
    std::size_t rowBytes = 0;
    std::size_t size = 0;
};

// Checks, without allocating anything, that the source is one the conversion accepts and
// that its target fits 32-bit sizes; fills the target's layout. Refused: width or height 0,
// negative width, height INT_MIN, a target over INT32_MAX bytes, bit counts other than
// 1/4/8/16/24/32, planes other than 1, unknown compressions, RLE with a negative height or
// the wrong depth, bitfields that are not 16 or 32 bits or whose masks are zero, overlap or
// reach past the pixel, and uncompressed rows longer than the pixel bytes available.
bool dibTargetLayout(const DibSource& source, DibTarget& target);

// Converts every row of the source into target (target.size bytes), writing every byte of it:
// the buffer need not be cleared first. Colour indices beyond the table give black, pixels an
// RLE stream skips are black, RLE runs past the end of a row are cut there and anything past
// the last row is dropped; an RLE stream that runs out before its end-of-bitmap mark or last
// row is refused (the target is then only partly written).
// Returns the number of rows converted, 0 on failure. Never reads or writes out of bounds.
int convertDibBits(const DibSource& source, const DibTarget& target, unsigned char* bits);
