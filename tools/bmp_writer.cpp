// The bitmap file writer: headers in every kind, colour tables and pixel rows, RLE8 streams.
#include "tools/bmp_writer.h"

#include <cstdio>

namespace bmp {

namespace {

constexpr int longestRun = 255;
constexpr int shortestAbsoluteRun = 3;  // 1 and 2 would read as escapes

void putFileHeader(Bytes& out, std::uint32_t fileSize, std::uint32_t pixelOffset) {
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put32(out, 0);
    put32(out, pixelOffset);
}

}  // namespace

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

Bytes encode(const BitmapFile& b) {
    Bytes header;
    put32(header, b.headerSize);
    if (b.headerSize == coreHeaderSize) {
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
        put32(header, b.sizeImage);
        put32(header, static_cast<std::uint32_t>(b.pixelsPerMetre));
        put32(header, static_cast<std::uint32_t>(b.pixelsPerMetre));
        put32(header, b.clrUsed);
        put32(header, b.clrImportant);
        while (header.size() < b.headerSize) header.push_back(0);
    }
    for (std::uint32_t m : b.masks) put32(header, m);
    header.insert(header.end(), b.palette.begin(), b.palette.end());

    Bytes out;
    if (b.fileHeader) {
        const auto headersEnd = static_cast<std::uint32_t>(fileHeaderSize + header.size());
        const std::uint32_t offset = b.offBits >= 0 ? static_cast<std::uint32_t>(b.offBits) : headersEnd;
        putFileHeader(out, headersEnd + static_cast<std::uint32_t>(b.bits.size()), offset);
    }
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), b.bits.begin(), b.bits.end());
    return out;
}

Bytes rows24(const Bytes& rgb, int width, int height) {
    Bytes out;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3);
    out.reserve(stride * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = &rgb[static_cast<std::size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x, p += 3) {
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        while (out.size() % 4 != 0) out.push_back(0);
    }
    return out;
}

Bytes packIndices(const Bytes& indices, int width, int height, int bitCount) {
    Bytes out;
    for (int y = 0; y < height; ++y) {
        const std::size_t rowStart = out.size();
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

Bytes palette(const std::vector<std::uint32_t>& colours, bool core) {
    Bytes out;
    for (std::uint32_t c : colours) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
        if (!core) out.push_back(0);
    }
    return out;
}

Bytes rle8Stream(const Bytes& indices, int width, int height) {
    Bytes out;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = &indices[static_cast<std::size_t>(y) * width];
        int x = 0;
        while (x < width) {
            int run = 1;
            while (x + run < width && run < longestRun && row[x + run] == row[x]) ++run;
            if (run >= shortestAbsoluteRun || width - x < shortestAbsoluteRun) {
                // Repeats (or the last one or two pixels of the row) go as encoded runs.
                out.push_back(static_cast<std::uint8_t>(run));
                out.push_back(row[x]);
                x += run;
                continue;
            }
            // Gather pixels until a repeat of three starts or the run is full.
            int length = 0;
            while (x + length < width && length < longestRun) {
                const int ahead = x + length;
                if (ahead + 2 < width && row[ahead] == row[ahead + 1] && row[ahead] == row[ahead + 2]) break;
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

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace bmp
