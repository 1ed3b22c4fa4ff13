// Builds small bitmap files in memory for the loader's tests: any header kind, colour table,
// masks and pixel bytes, with each field open to being made wrong on purpose.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace dibtest {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

struct Bitmap {
    bool fileHeader = true;         // "BM" + 14-byte file header first
    std::uint32_t headerSize = 40;  // 12 writes the core header; other sizes pad the 40 fields with zeros
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint32_t planes = 1;
    std::uint32_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    Bytes palette;                     // written as given: 3 bytes per entry (core) or 4 (info)
    std::vector<std::uint32_t> masks;  // written right after the 40-byte header
    Bytes bits;                        // pixel bytes
    std::int64_t offBits = -1;         // -1: right after the table
};

inline Bytes build(const Bitmap& b) {
    Bytes header;
    put32(header, b.headerSize);
    if (b.headerSize == 12) {
        put16(header, static_cast<std::uint32_t>(b.width));
        put16(header, static_cast<std::uint32_t>(b.height));
        put16(header, b.planes);
        put16(header, b.bitCount);
    } else {
        put32(header, static_cast<std::uint32_t>(b.width));
        put32(header, static_cast<std::uint32_t>(b.height));
        put16(header, b.planes);
        put16(header, b.bitCount);
        put32(header, b.compression);
        put32(header, 0);  // image size: left for the loader to compute
        put32(header, 2835);
        put32(header, 2835);
        put32(header, b.clrUsed);
        put32(header, 0);
        while (header.size() < b.headerSize) header.push_back(0);
    }
    for (std::uint32_t m : b.masks) put32(header, m);
    header.insert(header.end(), b.palette.begin(), b.palette.end());

    Bytes out;
    std::uint32_t fileHeaderSize = b.fileHeader ? 14 : 0;
    if (b.fileHeader) {
        std::uint32_t offset = b.offBits >= 0 ? static_cast<std::uint32_t>(b.offBits)
                                              : fileHeaderSize + static_cast<std::uint32_t>(header.size());
        out.push_back('B');
        out.push_back('M');
        put32(out, fileHeaderSize + static_cast<std::uint32_t>(header.size() + b.bits.size()));
        put32(out, 0);
        put32(out, offset);
    }
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), b.bits.begin(), b.bits.end());
    return out;
}

// Rows of 24-bit pixels given as red, green, blue triples (bottom row first), stored
// blue-green-red and padded to 4 bytes.
inline Bytes rows24(const Bytes& rgb, int width, int height) {
    Bytes out;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        while (out.size() % 4 != 0) out.push_back(0);
    }
    return out;
}

// Rows of palette indices packed at 1, 4 or 8 bits (most significant bits first), padded to 4 bytes.
inline Bytes packIndices(const Bytes& indices, int width, int height, int bitCount) {
    Bytes out;
    for (int y = 0; y < height; ++y) {
        std::size_t rowStart = out.size();
        std::uint32_t acc = 0;
        int filled = 0;
        for (int x = 0; x < width; ++x) {
            acc = (acc << bitCount) | indices[static_cast<std::size_t>(y) * width + x];
            filled += bitCount;
            if (filled == 8) {
                out.push_back(static_cast<std::uint8_t>(acc));
                acc = 0;
                filled = 0;
            }
        }
        if (filled) out.push_back(static_cast<std::uint8_t>(acc << (8 - filled)));
        while ((out.size() - rowStart) % 4 != 0) out.push_back(0);
    }
    return out;
}

// Colour-table entries from red, green, blue triples: 4-byte blue-green-red-0 (or 3-byte for core).
inline Bytes palette(std::initializer_list<std::uint32_t> rgbColours, bool core = false) {
    Bytes out;
    for (std::uint32_t c : rgbColours) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
        if (!core) out.push_back(0);
    }
    return out;
}

}  // namespace dibtest
