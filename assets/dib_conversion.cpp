// Our counterpart of GDI's SetDIBits, writing the loader's picture directly: every bit depth,
// colour table and compression of a device-independent bitmap into packed red-green-blue rows.
#include "assets/dib_conversion.h"

#include <climits>
#include <cstring>

namespace {

constexpr std::uint64_t maxTargetBytes = INT32_MAX;  // every size stays a signed 32-bit value
constexpr int bytesPerTargetPixel = 3;
constexpr std::uint32_t rgb555Masks[3] = {0x7C00, 0x03E0, 0x001F};
constexpr std::uint32_t rleEscape = 0;
constexpr std::uint32_t rleEndOfLine = 0;
constexpr std::uint32_t rleEndOfBitmap = 1;
constexpr std::uint32_t rleDelta = 2;

bool supportedBitCount(unsigned bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

int rowCount(const BitmapInfoHeader& header) { return header.biHeight < 0 ? -header.biHeight : header.biHeight; }

// Bytes between the starts of two stored rows: rows are padded to 4 bytes.
std::uint64_t sourceStride(const BitmapInfoHeader& header) {
    return (static_cast<std::uint64_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
}

// Bytes of a stored row that hold pixels (the padding after them is not needed).
std::uint64_t sourceRowUsed(const BitmapInfoHeader& header) {
    return (static_cast<std::uint64_t>(header.biWidth) * header.biBitCount + 7) / 8;
}

// Masks must be non-zero, disjoint and inside the pixel's bits.
bool validMasks(const std::uint32_t masks[3], unsigned bitCount) {
    std::uint32_t pixelBits = bitCount == 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    for (int i = 0; i < 3; ++i) {
        if (masks[i] == 0 || (masks[i] & ~pixelBits) != 0) return false;
        for (int j = i + 1; j < 3; ++j)
            if ((masks[i] & masks[j]) != 0) return false;
    }
    return true;
}

// Extracts one channel by its mask and scales it to 0..255 (rounded).
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t maximum = 1;

    explicit Channel(std::uint32_t m) : mask(m) {
        while (shift < 31 && ((mask >> shift) & 1) == 0) ++shift;
        maximum = mask >> shift;
        if (maximum == 0) maximum = 1;
    }
    unsigned char operator()(std::uint32_t pixel) const {
        std::uint64_t value = (pixel & mask) >> shift;
        return static_cast<unsigned char>((value * 255 + maximum / 2) / maximum);
    }
};

class Writer {
public:
    Writer(const DibSource& source, const DibTarget& target, unsigned char* bits)
        : source_(source), target_(target), bits_(bits) {}

    unsigned char* row(int y) const { return bits_ + static_cast<std::size_t>(y) * target_.rowBytes; }

    // A palette index; indices beyond the table give black.
    void index(unsigned char* out, unsigned i) const {
        if (i < source_.colourCount) {
            const RgbQuad& c = source_.colours[i];
            out[0] = c.rgbRed;
            out[1] = c.rgbGreen;
            out[2] = c.rgbBlue;
        } else {
            out[0] = out[1] = out[2] = 0;
        }
    }

private:
    const DibSource& source_;
    const DibTarget& target_;
    unsigned char* bits_;
};

// One stored row into one target row: red, green, blue per pixel.
void convertRow(const DibSource& source, const Writer& writer, const unsigned char* in, unsigned char* out, int width) {
    const BitmapInfoHeader& h = source.header;
    switch (h.biBitCount) {
    case 1:
        for (int x = 0; x < width; ++x, out += 3) writer.index(out, (in[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    case 4:
        for (int x = 0; x < width; ++x, out += 3) writer.index(out, (in[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
        break;
    case 8:
        for (int x = 0; x < width; ++x, out += 3) writer.index(out, in[x]);
        break;
    case 24:
        // Stored blue, green, red.
        for (int x = 0; x < width; ++x, out += 3, in += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        break;
    case 16:
    case 32: {
        if (h.biBitCount == 32 && h.biCompression == BI_RGB) {
            // Stored blue, green, red and an unused byte.
            for (int x = 0; x < width; ++x, out += 3, in += 4) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            break;
        }
        const std::uint32_t* masks = h.biCompression == BI_BITFIELDS ? source.masks : rgb555Masks;
        Channel red(masks[0]), green(masks[1]), blue(masks[2]);
        for (int x = 0; x < width; ++x, out += 3) {
            std::uint32_t pixel;
            if (h.biBitCount == 16) {
                pixel = in[0] | (in[1] << 8);
                in += 2;
            } else {
                pixel = in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
                in += 4;
            }
            out[0] = red(pixel);
            out[1] = green(pixel);
            out[2] = blue(pixel);
        }
        break;
    }
    default: break;
    }
}

int convertUncompressed(const DibSource& source, const DibTarget& target, unsigned char* bits) {
    Writer writer(source, target, bits);
    std::size_t stride = static_cast<std::size_t>(sourceStride(source.header));
    bool topDown = source.header.biHeight < 0;
    for (int r = 0; r < target.height; ++r) {
        int y = topDown ? target.height - 1 - r : r;
        convertRow(source, writer, source.bits + static_cast<std::size_t>(r) * stride, writer.row(y), target.width);
    }
    return target.height;
}

// The pixels an RLE stream leaves behind it are black. Its position only moves forward in the
// target's order (along a row, then up to later rows), so one mark of how far the target is
// written lets each skip be blacked out once, as the stream passes it, and nothing be written
// twice.
class RunLengthTarget {
public:
    RunLengthTarget(const DibTarget& target, unsigned char* bits) : target_(target), bits_(bits) {}

    // Blacks out every pixel from the mark up to pixel (x, y), which is the next to be written
    // (y == height: the end of the picture); the mark moves there.
    void skipTo(int x, int y) {
        const std::size_t to =
            y >= target_.height ? total() : static_cast<std::size_t>(y) * target_.width + static_cast<std::size_t>(x);
        if (to > written_) {
            std::memset(bits_ + written_ * bytesPerTargetPixel, 0, (to - written_) * bytesPerTargetPixel);
            written_ = to;
        }
    }
    // Count pixels from (x, y) on were written.
    void wrote(int x, int y, unsigned count) {
        written_ = static_cast<std::size_t>(y) * target_.width + static_cast<std::size_t>(x) + count;
    }
    void finish() { skipTo(0, target_.height); }

private:
    std::size_t total() const { return static_cast<std::size_t>(target_.width) * target_.height; }

    const DibTarget& target_;
    unsigned char* bits_;
    std::size_t written_ = 0;  // pixels from the start of the bottom row
};

// Decodes a BI_RLE8 or BI_RLE4 stream; the pixels it does not reach are black.
int convertRunLength(const DibSource& source, const DibTarget& target, unsigned char* bits) {
    Writer writer(source, target, bits);
    RunLengthTarget written(target, bits);
    const bool fourBit = source.header.biCompression == BI_RLE4;
    const unsigned char* in = source.bits;
    const std::size_t length = in ? source.bitsLength : 0;
    const int width = target.width;
    std::size_t pos = 0;
    int x = 0;
    int y = 0;
    auto advance = [&](unsigned count) { x = count >= static_cast<unsigned>(width - x) ? width : x + count; };

    while (y < target.height) {
        if (length - pos < 2) return 0;  // the stream ends before its end-of-bitmap mark
        unsigned count = in[pos];
        unsigned value = in[pos + 1];
        pos += 2;
        if (count != rleEscape) {
            // An encoded run: one index repeated (RLE4: two alternating indices), cut at the row's end.
            written.skipTo(x, y);
            unsigned char* out = writer.row(y) + static_cast<std::size_t>(x) * bytesPerTargetPixel;
            unsigned n = count < static_cast<unsigned>(width - x) ? count : static_cast<unsigned>(width - x);
            for (unsigned i = 0; i < n; ++i, out += 3) {
                unsigned index = fourBit ? ((i & 1) ? value & 0xF : value >> 4) : value;
                writer.index(out, index);
            }
            written.wrote(x, y, n);
            advance(count);
        } else if (value == rleEndOfLine) {
            x = 0;
            ++y;
        } else if (value == rleEndOfBitmap) {
            break;
        } else if (value == rleDelta) {
            if (length - pos < 2) return 0;
            unsigned dx = in[pos];
            unsigned dy = in[pos + 1];
            pos += 2;
            advance(dx);
            y = dy >= static_cast<unsigned>(target.height - y) ? target.height : y + static_cast<int>(dy);
        } else {
            // An absolute run of `value` indices, padded to a 16-bit boundary.
            std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            if (length - pos < bytes) return 0;
            written.skipTo(x, y);
            unsigned char* out = writer.row(y) + static_cast<std::size_t>(x) * bytesPerTargetPixel;
            unsigned n = value < static_cast<unsigned>(width - x) ? value : static_cast<unsigned>(width - x);
            for (unsigned i = 0; i < n; ++i, out += 3) {
                unsigned index = fourBit ? ((i & 1) ? in[pos + i / 2] & 0xF : in[pos + i / 2] >> 4) : in[pos + i];
                writer.index(out, index);
            }
            written.wrote(x, y, n);
            advance(value);
            std::size_t padded = (bytes + 1) & ~static_cast<std::size_t>(1);
            pos += padded <= length - pos ? padded : length - pos;
        }
    }
    written.finish();
    return target.height;
}

}  // namespace

bool dibTargetLayout(const DibSource& source, DibTarget& target) {
    const BitmapInfoHeader& h = source.header;
    if (h.biPlanes != 1 || !supportedBitCount(h.biBitCount) || h.biCompression > BI_BITFIELDS) return false;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT_MIN) return false;
    switch (h.biCompression) {
    case BI_RLE8:
        if (h.biBitCount != 8 || h.biHeight < 0) return false;
        break;
    case BI_RLE4:
        if (h.biBitCount != 4 || h.biHeight < 0) return false;
        break;
    case BI_BITFIELDS:
        if ((h.biBitCount != 16 && h.biBitCount != 32) || !validMasks(source.masks, h.biBitCount)) return false;
        break;
    default: break;
    }

    const int rows = rowCount(h);
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(h.biWidth) * bytesPerTargetPixel;
    const std::uint64_t size = rowBytes * static_cast<std::uint64_t>(rows);
    // The limit holds for the rows padded to 4 bytes, as a 24-bit DIB section would hold them,
    // so that the same files are refused whichever layout the rows are written in.
    const std::uint64_t paddedSize = ((rowBytes + 3) & ~3ull) * static_cast<std::uint64_t>(rows);
    if (paddedSize > maxTargetBytes) return false;

    if (h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS) {
        // Uncompressed rows must all be there; the last row's padding may be missing.
        std::uint64_t needed = sourceStride(h) * static_cast<std::uint64_t>(rows - 1) + sourceRowUsed(h);
        if (!source.bits || needed > source.bitsLength) return false;
    }

    target.width = h.biWidth;
    target.height = rows;
    target.rowBytes = static_cast<std::size_t>(rowBytes);
    target.size = static_cast<std::size_t>(size);
    return true;
}

int convertDibBits(const DibSource& source, const DibTarget& target, unsigned char* bits) {
    DibTarget expected;
    if (!bits || !dibTargetLayout(source, expected) || expected.size != target.size ||
        expected.rowBytes != target.rowBytes || expected.width != target.width || expected.height != target.height)
        return 0;
    if (source.header.biCompression == BI_RLE8 || source.header.biCompression == BI_RLE4)
        return convertRunLength(source, target, bits);
    return convertUncompressed(source, target, bits);
}
