// The bitmap loader: maps a .bmp file, normalises its header and colour table, converts the
// pixels into 24-bit rows and hands them out as packed RGB, bottom row first.
#include "assets/dib_image.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/dib_decode.h"
#include "platform/dib_conversion.h"
#include "platform/file_view.h"
#include "platform/message_box.h"

namespace {

constexpr std::uint16_t bitmapSignature = 0x4D42;  // "BM" read as a little-endian 16-bit value
constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t offBitsOffset = 10;
constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::size_t coreEntrySize = 3;
constexpr std::size_t infoEntrySize = 4;
constexpr std::size_t bitfieldsMasksSize = 12;
// The normalised block: the 40-byte header, then the colour table and one spare entry.
constexpr std::size_t normalisedBlockBase = 44;
constexpr std::size_t openFailureTextSize = 256;

const char* const errorCaption = "Error";
const char* const unknownFormatText = "Unknown DIB file format.";
const char* const conversionErrorText = "Image file conversion error.";
const char* const outOfMemoryText = "Out of memory.";

std::uint16_t read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void showError(const char* text) { platform::messageBox(platform::focusWindow(), text, errorCaption, platform::MB_OK); }

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
    std::uint32_t headerSize = read32(data + header);
    if (headerSize == coreHeaderSize) {
        if (!inside(size, header, coreHeaderSize)) return 0;
        return entriesForBitCount(read16(data + header + 10));
    }
    if (!inside(size, header, infoHeaderSize)) return 0;
    std::uint32_t used = read32(data + header + 32);
    if (used != 0) return static_cast<std::uint16_t>(used & 0xFFFF);
    return entriesForBitCount(read16(data + header + 14));
}

// Everything the decoder allocates on the way; released whatever the outcome.
struct Work {
    unsigned char* normalised = nullptr;
    unsigned char* section = nullptr;
    unsigned char* pixels = nullptr;
    ~Work() {
        std::free(section);
        std::free(normalised);
        std::free(pixels);
    }
};

}  // namespace

DibImage* DecodeDibImage(const unsigned char* data, std::size_t size) {
    Work work;
    if (!data) size = 0;

    // A "BM" file header gives the pixel position; a bare DIB starts with its bitmap header.
    std::size_t header = 0;
    std::size_t pixelOffset = 0;
    bool pixelOffsetKnown = false;
    if (size >= 2 && read16(data) == bitmapSignature) {
        if (!inside(size, 0, fileHeaderSize)) {
            showError(conversionErrorText);
            return nullptr;
        }
        header = fileHeaderSize;
        pixelOffset = read32(data + offBitsOffset);
        pixelOffsetKnown = true;
    }

    const std::uint16_t entries = paletteEntryCount(data, size, header);
    const std::size_t blockSize = normalisedBlockBase + infoEntrySize * entries;
    work.normalised = static_cast<unsigned char*>(std::calloc(1, blockSize));
    if (!work.normalised) {
        showError(outOfMemoryText);
        return nullptr;
    }

    if (!inside(size, header, 4)) {
        showError(conversionErrorText);
        return nullptr;
    }
    platform::BitmapInfoHeader info{};
    platform::RgbQuad* colours = reinterpret_cast<platform::RgbQuad*>(work.normalised + infoHeaderSize);
    std::uint32_t masks[3] = {0, 0, 0};
    std::size_t headerEnd = 0;
    const std::uint32_t headerSize = read32(data + header);
    if (headerSize == coreHeaderSize) {
        if (!inside(size, header, coreHeaderSize + coreEntrySize * entries)) {
            showError(conversionErrorText);
            return nullptr;
        }
        const unsigned char* core = data + header;
        info.biSize = infoHeaderSize;
        info.biWidth = read16(core + 4);
        info.biHeight = read16(core + 6);
        info.biPlanes = read16(core + 8);
        info.biBitCount = read16(core + 10);
        info.biClrUsed = entries;
        info.biClrImportant = entries;
        const unsigned char* table = core + coreHeaderSize;
        for (std::size_t i = 0; i < entries; ++i) {
            colours[i].rgbBlue = table[coreEntrySize * i];
            colours[i].rgbGreen = table[coreEntrySize * i + 1];
            colours[i].rgbRed = table[coreEntrySize * i + 2];
            colours[i].rgbReserved = 0;
        }
        headerEnd = header + coreHeaderSize;
        if (!pixelOffsetKnown) pixelOffset = headerEnd + coreEntrySize * entries;
    } else if (headerSize == infoHeaderSize) {
        if (!inside(size, header, infoHeaderSize)) {
            showError(conversionErrorText);
            return nullptr;
        }
        std::memcpy(&info, data + header, infoHeaderSize);
        headerEnd = header + infoHeaderSize;
        // Bitfield bitmaps keep their three masks between the header and the colour table.
        if (info.biCompression == platform::BI_BITFIELDS) {
            if (!inside(size, headerEnd, bitfieldsMasksSize)) {
                showError(conversionErrorText);
                return nullptr;
            }
            for (int i = 0; i < 3; ++i) masks[i] = read32(data + headerEnd + 4 * i);
            headerEnd += bitfieldsMasksSize;
        }
        if (!inside(size, headerEnd, infoEntrySize * entries)) {
            showError(conversionErrorText);
            return nullptr;
        }
        std::memcpy(colours, data + headerEnd, infoEntrySize * entries);
        if (!pixelOffsetKnown) pixelOffset = headerEnd + infoEntrySize * entries;
    } else {
        showError(unknownFormatText);
        return nullptr;
    }

    // Fill in what a header may leave 0, as the conversion expects it.
    if (info.biSizeImage == 0) {
        // Unsigned arithmetic: absurd headers wrap here harmlessly and are refused further on.
        std::uint64_t rows = info.biHeight < 0
                                 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(info.biHeight))
                                 : static_cast<std::uint64_t>(info.biHeight);
        std::uint64_t rowBytes =
            (static_cast<std::uint64_t>(static_cast<std::uint32_t>(info.biWidth)) * info.biBitCount + 7) / 8;
        info.biSizeImage = static_cast<std::uint32_t>(rowBytes * rows);
    }
    if (info.biClrUsed == 0) info.biClrUsed = entries;
    std::memcpy(work.normalised, &info, sizeof info);

    // The pixels must start after the headers and inside the file.
    if (pixelOffset < headerEnd || pixelOffset >= size) {
        showError(conversionErrorText);
        return nullptr;
    }

    platform::DibSource source;
    source.header = info;
    source.colours = colours;
    source.colourCount = entries;
    for (int i = 0; i < 3; ++i) source.masks[i] = masks[i];
    source.bits = data + pixelOffset;
    source.bitsLength = size - pixelOffset;

    // Absurd sizes and files shorter than their rows are refused before anything big is allocated.
    platform::DibTarget target;
    if (!platform::dibTargetLayout(source, target)) {
        showError(conversionErrorText);
        return nullptr;
    }
    work.section = static_cast<unsigned char*>(std::calloc(1, target.size));
    if (!work.section) {
        showError(outOfMemoryText);
        return nullptr;
    }
    if (platform::convertDibBits(source, target, work.section) == 0) {
        showError(conversionErrorText);
        return nullptr;
    }

    const std::size_t packedRow = static_cast<std::size_t>(target.width) * 3;
    work.pixels = static_cast<unsigned char*>(std::malloc(packedRow * target.height));
    if (!work.pixels) {
        showError(outOfMemoryText);
        return nullptr;
    }
    // Copy out with red and blue swapped, dropping each row's padding.
    const unsigned char* in = work.section;
    unsigned char* out = work.pixels;
    for (int y = 0; y < target.height; ++y) {
        const unsigned char* rowIn = in + static_cast<std::size_t>(y) * target.rowBytes;
        for (int x = 0; x < target.width; ++x, rowIn += 3, out += 3) {
            out[0] = rowIn[2];
            out[1] = rowIn[1];
            out[2] = rowIn[0];
        }
    }

    DibImage* image = static_cast<DibImage*>(std::malloc(sizeof(DibImage)));
    if (!image) {
        showError(outOfMemoryText);
        return nullptr;
    }
    image->width = target.width;
    image->height = target.height;
    image->pixels = work.pixels;
    work.pixels = nullptr;
    return image;
}

DibImage* LoadDibImage(const char* fileName) {
    platform::FileView view;
    if (!view.open(fileName)) {
        // snprintf cuts very long names short rather than overrunning the text buffer.
        char text[openFailureTextSize];
        std::snprintf(text, sizeof text, "Failed to open DIB file %s.\n", fileName ? fileName : "");
        showError(text);
        return nullptr;
    }
    return DecodeDibImage(view.data(), view.size());
}
