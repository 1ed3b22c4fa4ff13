// Parsing a bitmap file: the file header, the 12- or 40-byte bitmap header, masks, colour table
// and the position of the pixels, each checked against the file's length before it is read.
#include "assets/dib_file.h"

#include <algorithm>
#include <cstring>

#include "assets/dib_layout.h"

namespace {

constexpr std::uint16_t bitmapSignature = 0x4D42;  // "BM" read as a little-endian 16-bit value
constexpr std::size_t offBitsOffset = 10;
constexpr std::size_t coreEntrySize = 3;
constexpr std::size_t infoEntrySize = 4;
constexpr std::size_t bitfieldsMasksSize = 12;

// Whether [offset, offset + count) lies inside a buffer of size bytes.
bool inside(std::size_t size, std::size_t offset, std::size_t count) {
    return offset <= size && count <= size - offset;
}

std::uint16_t entriesForBitCount(unsigned bitCount) {
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

// The number of colour-table entries the header announces; 0 when the fields are not there.
std::uint16_t paletteEntryCount(const unsigned char* data, std::size_t size, std::size_t header) {
    if (!inside(size, header, 4)) return 0;
    const std::uint32_t headerSize = bmp::read32(data + header);
    if (headerSize == bmp::coreHeaderSize) {
        if (!inside(size, header, bmp::coreHeaderSize)) return 0;
        return entriesForBitCount(bmp::read16(data + header + 10));
    }
    if (!inside(size, header, bmp::infoHeaderSize)) return 0;
    const std::uint32_t used = bmp::read32(data + header + 32);
    if (used != 0) return static_cast<std::uint16_t>(used & 0xFFFF);
    return entriesForBitCount(bmp::read16(data + header + 14));
}

// The bytes a row of width pixels at bitCount bits fills, times the rows: what a header may
// leave 0. Unsigned arithmetic: absurd headers wrap here harmlessly and are refused later.
std::uint32_t imageSize(const BitmapInfoHeader& info) {
    const std::uint64_t rows = info.biHeight < 0
                                   ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(info.biHeight))
                                   : static_cast<std::uint64_t>(info.biHeight);
    const std::uint64_t rowBytes =
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(info.biWidth)) * info.biBitCount + 7) / 8;
    return static_cast<std::uint32_t>(rowBytes * rows);
}

bool runLength(const BitmapInfoHeader& info) { return info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4; }

}  // namespace

DibSource DibFile::source() const {
    DibSource s;
    s.header = header;
    s.colours = colours;
    s.colourCount = std::min<std::size_t>(entries, tableCapacity);
    for (int i = 0; i < 3; ++i) s.masks[i] = masks[i];
    s.bits = bits;
    s.bitsLength = bitsLength;
    return s;
}

DibError parseDib(const unsigned char* data, std::size_t size, DibFile& file) {
    file = DibFile();
    if (!data) size = 0;

    // A "BM" file header gives the pixel position; a bare DIB starts with its bitmap header.
    std::size_t header = 0;
    std::size_t pixelOffset = 0;
    bool pixelOffsetKnown = false;
    if (size >= 2 && bmp::read16(data) == bitmapSignature) {
        if (!inside(size, 0, bmp::fileHeaderSize)) return DibError::conversionError;
        header = bmp::fileHeaderSize;
        pixelOffset = bmp::read32(data + offBitsOffset);
        pixelOffsetKnown = true;
    }

    const std::uint16_t entries = paletteEntryCount(data, size, header);
    const std::size_t kept = std::min<std::size_t>(entries, DibFile::tableCapacity);
    if (!inside(size, header, 4)) return DibError::conversionError;
    BitmapInfoHeader& info = file.header;
    std::size_t headerEnd = 0;
    const std::uint32_t headerSize = bmp::read32(data + header);
    if (headerSize == bmp::coreHeaderSize) {
        if (!inside(size, header, bmp::coreHeaderSize + coreEntrySize * entries)) return DibError::conversionError;
        const unsigned char* core = data + header;
        info.biSize = bmp::infoHeaderSize;
        info.biWidth = bmp::read16(core + 4);
        info.biHeight = bmp::read16(core + 6);
        info.biPlanes = bmp::read16(core + 8);
        info.biBitCount = bmp::read16(core + 10);
        info.biClrUsed = entries;
        info.biClrImportant = entries;
        const unsigned char* table = core + bmp::coreHeaderSize;
        for (std::size_t i = 0; i < kept; ++i) {
            file.colours[i].rgbBlue = table[coreEntrySize * i];
            file.colours[i].rgbGreen = table[coreEntrySize * i + 1];
            file.colours[i].rgbRed = table[coreEntrySize * i + 2];
            file.colours[i].rgbReserved = 0;
        }
        headerEnd = header + bmp::coreHeaderSize;
        if (!pixelOffsetKnown) pixelOffset = headerEnd + coreEntrySize * entries;
    } else if (headerSize == bmp::infoHeaderSize) {
        if (!inside(size, header, bmp::infoHeaderSize)) return DibError::conversionError;
        std::memcpy(&info, data + header, bmp::infoHeaderSize);
        headerEnd = header + bmp::infoHeaderSize;
        // Bitfield bitmaps keep their three masks between the header and the colour table.
        if (info.biCompression == BI_BITFIELDS) {
            if (!inside(size, headerEnd, bitfieldsMasksSize)) return DibError::conversionError;
            for (int i = 0; i < 3; ++i) file.masks[i] = bmp::read32(data + headerEnd + 4 * i);
            headerEnd += bitfieldsMasksSize;
        }
        if (!inside(size, headerEnd, infoEntrySize * entries)) return DibError::conversionError;
        std::memcpy(file.colours, data + headerEnd, infoEntrySize * kept);
        if (!pixelOffsetKnown) pixelOffset = headerEnd + infoEntrySize * entries;
    } else {
        return DibError::unknownFormat;
    }
    file.entries = entries;
    if (info.biSizeImage == 0) info.biSizeImage = imageSize(info);
    if (info.biClrUsed == 0) info.biClrUsed = entries;

    // The pixels must start after the headers and inside the file.
    if (pixelOffset < headerEnd || pixelOffset >= size) return DibError::conversionError;
    file.bits = data + pixelOffset;
    file.bitsLength = size - pixelOffset;

    // Absurd sizes and files shorter than their rows are refused before anything is allocated.
    if (!dibTargetLayout(file.source(), file.target)) return DibError::conversionError;
    if (runLength(info) &&
        static_cast<std::uint64_t>(file.target.width) * static_cast<std::uint64_t>(file.target.height) >
            largestRunLengthPixels)
        return DibError::conversionError;
    return DibError::none;
}
