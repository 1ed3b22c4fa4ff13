// The bitmap loader: header kinds, colour tables, RLE, bitfields, refused sizes and file errors.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "assets/dib_conversion.h"
#include "assets/dib_file.h"
#include "assets/dib_image.h"
#include "assets/load_failure.h"
#include "platform/message_box.h"
#include "tests/temp_path.h"
#include "tools/bmp_writer.h"

using Bitmap = bmp::BitmapFile;
using bmp::Bytes;

namespace {

const char* const unknownFormat = "Unknown DIB file format.";
const char* const conversionError = "Image file conversion error.";

struct Box {
    std::string text;
    std::string caption;
    unsigned type;
};
std::vector<Box> boxes;

int recordBox(platform::Window*, const char* text, const char* caption, unsigned type) {
    boxes.push_back({text, caption, type});
    return platform::IDOK;
}

// One case of the table: the file's bytes and either the decoded picture or the message.
struct Case {
    const char* name;
    Bytes file;
    int width = 0;
    int height = 0;
    Bytes rgb;                      // expected red-green-blue bytes, bottom row first
    const char* message = nullptr;  // expected error text instead of a picture
};

struct Decoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    Bytes rgb;
    std::vector<Box> boxes;
};

std::string tempPath(const std::string& name) { return testTempPath("dib_" + name); }

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Loads the bytes through a real file, as the application does.
Decoded load(const Bytes& file, const std::string& name = "case.bmp") {
    std::string path = tempPath(name);
    writeFile(path, file);
    // With DIB_CORPUS_DIR set, every case is also kept as a seed for the fuzzer.
    if (const char* corpus = std::getenv("DIB_CORPUS_DIR")) {
        static int counter = 0;
        writeFile(std::string(corpus) + "/seed_" + std::to_string(counter++) + ".bmp", file);
    }
    boxes.clear();
    platform::setMessageBoxHandler(recordBox);
    DibImage* image = loadDibImage(path.c_str());
    platform::setMessageBoxHandler(nullptr);
    Decoded d;
    d.boxes = boxes;
    if (image) {
        d.ok = true;
        d.width = image->width;
        d.height = image->height;
        d.rgb.assign(image->pixels, image->pixels + static_cast<std::size_t>(image->width) * image->height * 3);
        std::free(image->pixels);
        std::free(image);
    }
    return d;
}

void check(const Case& c) {
    SCOPED_TRACE(c.name);
    Decoded d = load(c.file);
    if (c.message) {
        EXPECT_FALSE(d.ok) << "refused";
        ASSERT_EQ(d.boxes.size(), 1u) << "exactly one message box";
        EXPECT_EQ(d.boxes[0].text, c.message) << "the message";
        EXPECT_EQ(d.boxes[0].caption, "Error") << "the caption";
        EXPECT_EQ(d.boxes[0].type, platform::MB_OK) << "a single OK button";
        EXPECT_EQ(loadFailure.reason, c.message) << "the loader keeps the same reason";
        EXPECT_EQ(loadFailure.file, tempPath("case.bmp")) << "with the file's name";
        return;
    }
    ASSERT_TRUE(d.ok) << (d.boxes.empty() ? "" : d.boxes[0].text);
    EXPECT_TRUE(d.boxes.empty()) << "no message box on success";
    EXPECT_TRUE(loadFailure.reason.empty()) << "no reason kept on success";
    EXPECT_EQ(d.width, c.width) << "width";
    EXPECT_EQ(d.height, c.height) << "height";
    EXPECT_EQ(d.rgb, c.rgb) << "pixels, red-green-blue, bottom row first";

    // The loader hands malloc's memory to the conversion uncleared: the conversion alone must
    // write every byte, black for whatever an RLE stream skips, whatever the buffer held.
    DibFile parsed;
    ASSERT_EQ(parseDib(c.file.data(), c.file.size(), parsed), DibError::none);
    Bytes stale(parsed.target.size, 0xA5);
    ASSERT_EQ(convertDibBits(parsed.source(), parsed.target, stale.data()), c.height) << "every row converted";
    EXPECT_EQ(stale, c.rgb) << "a buffer full of stale bytes is wholly overwritten";
}

// The same picture decoded from two files must come out identical.
void checkSame(const char* name, const Bytes& file, const Bytes& twin) {
    SCOPED_TRACE(name);
    Decoded a = load(file);
    Decoded b = load(twin);
    ASSERT_TRUE(a.ok && b.ok) << "both decode";
    EXPECT_EQ(a.width, b.width) << "width";
    EXPECT_EQ(a.height, b.height) << "height";
    EXPECT_EQ(a.rgb, b.rgb) << "pixels";
}

// A test picture: every pixel different, red-green-blue, bottom row first.
Bytes pattern(int width, int height) {
    Bytes rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            rgb.push_back(static_cast<std::uint8_t>(10 + 40 * x));
            rgb.push_back(static_cast<std::uint8_t>(7 + 60 * y));
            rgb.push_back(static_cast<std::uint8_t>(200 - 13 * x - 5 * y));
        }
    return rgb;
}

Bitmap rgb24(int width, int height, const Bytes& rgb) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.bits = bmp::rows24(rgb, width, height);
    return b;
}

// Rows reversed: the same picture stored top row first.
Bytes topDownRows(const Bytes& rows, int height) {
    std::size_t stride = rows.size() / height;
    Bytes out;
    for (int y = height - 1; y >= 0; --y)
        out.insert(out.end(), rows.begin() + y * stride, rows.begin() + (y + 1) * stride);
    return out;
}

Bytes withHeaderSize(Bytes file, std::uint32_t size) {
    file[14] = size & 0xFF;
    file[15] = (size >> 8) & 0xFF;
    return file;
}

Bitmap indexed(int width, int height, int bitCount, const Bytes& indices, const Bytes& table) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.bitCount = bitCount;
    b.palette = table;
    b.clrUsed = static_cast<std::uint32_t>(table.size() / 4);
    b.bits = bmp::packIndices(indices, width, height, bitCount);
    return b;
}

Bitmap rle(int width, int height, int bitCount, const Bytes& stream, const Bytes& table) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.bitCount = bitCount;
    b.compression = bitCount == 8 ? BI_RLE8 : BI_RLE4;
    b.palette = table;
    b.clrUsed = static_cast<std::uint32_t>(table.size() / 4);
    b.bits = stream;
    return b;
}

Bitmap fields(int width, int height, int bitCount, std::vector<std::uint32_t> masks, const Bytes& bits) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.bitCount = bitCount;
    b.compression = BI_BITFIELDS;
    b.masks = std::move(masks);
    b.bits = bits;
    return b;
}

const Bytes fourColours = bmp::palette({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
// red, green, blue, white, black as expected output bytes
const Bytes R = {255, 0, 0}, G = {0, 255, 0}, B = {0, 0, 255}, W = {255, 255, 255}, K = {0, 0, 0};

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

}  // namespace

TEST(DibImage, HeaderKindsAndRowLayout) {
    std::vector<Case> cases;
    // Every row padding: widths 1 to 5, two rows each.
    const char* widthNames[] = {"24-bit width 1", "24-bit width 2", "24-bit width 3", "24-bit width 4",
                                "24-bit width 5"};
    for (int w = 1; w <= 5; ++w) {
        Bytes rgb = pattern(w, 2);
        cases.push_back({widthNames[w - 1], bmp::encode(rgb24(w, 2, rgb)), w, 2, rgb});
    }
    // The file bytes 00 00 FF at the bottom-left come out as FF 00 00 at the start.
    Bytes redCorner = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,   // bottom row: red, green, padding
                       0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0};  // top row: blue, white, padding
    Bitmap two = rgb24(2, 2, pattern(2, 2));
    two.bits = redCorner;
    cases.push_back({"2x2 with a red bottom-left pixel", bmp::encode(two), 2, 2, cat({R, G, B, W})});
    // Header sizes that are neither the core nor the info header.
    for (std::uint32_t size : {16u, 52u, 56u, 64u, 66u, 108u, 124u}) {
        Bitmap b = rgb24(2, 2, pattern(2, 2));
        b.headerSize = size;
        cases.push_back({"unknown header size", bmp::encode(b), 0, 0, {}, unknownFormat});
    }
    cases.push_back({"header size 0", withHeaderSize(bmp::encode(two), 0), 0, 0, {}, unknownFormat});
    // The core header: 16-bit sizes and 3-byte colour entries.
    Bitmap core = indexed(3, 2, 4, {0, 1, 2, 3, 2, 1}, {});
    core.headerSize = 12;
    core.palette = bmp::palette({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, true);
    cases.push_back({"core header, 4-bit, 3-byte entries", bmp::encode(core), 3, 2, cat({R, G, B, W, B, G})});
    Bitmap shortCore = core;
    shortCore.palette.resize(3 * 10);  // the file ends inside the 16-entry table
    shortCore.bits.clear();
    cases.push_back({"core header with a short table", bmp::encode(shortCore), 0, 0, {}, conversionError});
    Bitmap core24 = rgb24(3, 2, pattern(3, 2));
    core24.headerSize = 12;
    cases.push_back({"core header, 24-bit", bmp::encode(core24), 3, 2, pattern(3, 2)});
    for (const Case& c : cases) check(c);

    // Top-down rows decode to the same bottom-first result.
    for (int w : {1, 3, 4}) {
        Bitmap up = rgb24(w, 3, pattern(w, 3));
        Bitmap down = up;
        down.height = -3;
        down.bits = topDownRows(up.bits, 3);
        checkSame("top-down equals bottom-up", bmp::encode(down), bmp::encode(up));
    }
    Bitmap up32 = fields(2, 2, 32, {0xFF0000, 0xFF00, 0xFF}, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0});
    Bitmap down32 = up32;
    down32.height = -2;
    down32.bits = topDownRows(up32.bits, 2);
    checkSame("top-down bitfields", bmp::encode(down32), bmp::encode(up32));

    // A bare DIB (no "BM") finds its pixels right after the colour table.
    Bitmap bare = rgb24(3, 2, pattern(3, 2));
    Bitmap bareInfo = bare;
    bareInfo.fileHeader = false;
    checkSame("bare DIB, info header", bmp::encode(bareInfo), bmp::encode(bare));
    Bitmap bareCore = core;
    bareCore.fileHeader = false;
    checkSame("bare DIB, core header with table", bmp::encode(bareCore), bmp::encode(core));
    Bitmap bareIndexed = indexed(5, 1, 8, {0, 1, 2, 3, 0}, fourColours);
    Bitmap bareIndexedNoBm = bareIndexed;
    bareIndexedNoBm.fileHeader = false;
    checkSame("bare DIB, 8-bit with a 4-entry table", bmp::encode(bareIndexedNoBm), bmp::encode(bareIndexed));
    Bitmap gapped = bare;
    gapped.offBits = 14 + 40 + 6;  // pixels after a gap, found through bfOffBits
    gapped.bits.insert(gapped.bits.begin(), 6, 0xEE);
    checkSame("pixel offset past a gap", bmp::encode(gapped), bmp::encode(bare));
}

TEST(DibImage, ColourTables) {
    std::vector<Case> cases;
    // 1-bit: the first pixel is the most significant bit; 10 pixels cross a byte.
    Bytes bits1 = {0, 1, 1, 0, 1, 0, 0, 0, 1, 1};
    Bytes yellowBlue = bmp::palette({0x0000FF, 0xFFFF00});
    Bytes y = {255, 255, 0}, b = B;
    cases.push_back({"1-bit, width 10", bmp::encode(indexed(10, 1, 1, bits1, yellowBlue)), 10, 1,
                     cat({b, y, y, b, y, b, b, b, y, y})});
    // 4-bit odd widths: the last index sits in a high nibble.
    cases.push_back({"4-bit, width 3", bmp::encode(indexed(3, 2, 4, {3, 0, 1, 2, 2, 3}, fourColours)), 3, 2,
                     cat({W, R, G, B, B, W})});
    cases.push_back(
        {"4-bit, width 5", bmp::encode(indexed(5, 1, 4, {0, 1, 2, 3, 1}, fourColours)), 5, 1, cat({R, G, B, W, G})});
    // biClrUsed 0 on an 8-bit bitmap means 256 entries: index 200 reaches far into the table.
    Bytes full;
    for (int i = 0; i < 256; ++i) {
        full.push_back(static_cast<std::uint8_t>(i));  // blue
        full.push_back(static_cast<std::uint8_t>(255 - i));
        full.push_back(static_cast<std::uint8_t>(i / 2));
        full.push_back(0);
    }
    Bitmap all = indexed(2, 1, 8, {200, 7}, full);
    all.clrUsed = 0;
    all.fileHeader = false;  // the pixels must be looked for after 256 entries
    cases.push_back({"8-bit, biClrUsed 0", bmp::encode(all), 2, 1, {100, 55, 200, 3, 248, 7}});
    // biClrUsed 16: only 16 entries; index 20 is beyond the table and comes out black.
    Bytes sixteen = fourColours;
    for (int i = 4; i < 16; ++i) sixteen.insert(sixteen.end(), {9, 9, 9, 0});
    Bitmap partial = indexed(3, 1, 8, {1, 20, 3}, sixteen);
    partial.fileHeader = false;
    cases.push_back({"8-bit, biClrUsed 16, index beyond it", bmp::encode(partial), 3, 1, cat({G, K, W})});
    cases.push_back(
        {"index beyond a 4-entry table", bmp::encode(indexed(2, 1, 4, {15, 2}, fourColours)), 2, 1, cat({K, B})});
    Bitmap tooMany = indexed(2, 1, 8, {0, 1}, fourColours);
    tooMany.clrUsed = 1000;  // the table would run past the end of the file
    cases.push_back({"biClrUsed larger than the file holds", bmp::encode(tooMany), 0, 0, {}, conversionError});
    Bitmap noTable = indexed(2, 1, 8, {0, 1}, {});
    noTable.clrUsed = 0x10000;  // its low 16 bits say no entries: every index is beyond the table
    cases.push_back({"biClrUsed 65536", bmp::encode(noTable), 2, 1, cat({K, K})});
    // 16, 24 and 32-bit pixels ignore a colour table that is present.
    Bitmap tabled = rgb24(2, 1, pattern(2, 1));
    tabled.palette = fourColours;
    tabled.clrUsed = 4;
    cases.push_back({"24-bit with a colour table", bmp::encode(tabled), 2, 1, pattern(2, 1)});
    for (const Case& c : cases) check(c);
}

TEST(DibImage, RunLengthEncoding) {
    std::vector<Case> cases;
    // RLE8 against its uncompressed twin: encoded runs, an odd absolute run with its padding,
    // an even absolute run, end of line and end of bitmap.
    Bytes indices8 = {1, 1, 1, 2, 3, 0, 0,  //
                      0, 1, 2, 3, 3, 3, 3,  //
                      2, 2, 2, 2, 2, 2, 2};
    Bytes stream8 = {3, 1, 0, 3, 2, 3, 0, 0, 2, 0, 0, 0,  // row 0: run, absolute of 3 (+pad), run
                     0, 4, 0, 1, 2, 3, 3, 3, 0, 0,        // row 1: absolute of 4, run
                     7, 2, 0, 1};                         // row 2: run, end of bitmap
    checkSame("RLE8 equals its uncompressed twin", bmp::encode(rle(7, 3, 8, stream8, fourColours)),
              bmp::encode(indexed(7, 3, 8, indices8, fourColours)));
    // RLE4: encoded runs alternate the two nibbles; absolute runs pad to 16 bits.
    Bytes indices4 = {0, 1, 0, 1, 0,  //
                      3, 2, 1, 3, 3};
    Bytes stream4 = {5, 0x01, 0,    0,                     // row 0: five pixels alternating 0 and 1
                     0, 3,    0x32, 0x10, 2, 0x33, 0, 1};  // row 1: absolute of 3 (2 bytes), run, end
    checkSame("RLE4 equals its uncompressed twin", bmp::encode(rle(5, 2, 4, stream4, fourColours)),
              bmp::encode(indexed(5, 2, 4, indices4, fourColours)));
    Bytes stream4odd = {0, 5, 0x01, 0x23, 0x10, 0, 0, 0, 0, 5, 0x32, 0x13, 0x30, 0, 0, 1};  // 3 bytes + pad
    checkSame("RLE4 absolute runs of 5", bmp::encode(rle(5, 2, 4, stream4odd, fourColours)),
              bmp::encode(indexed(5, 2, 4, {0, 1, 2, 3, 1, 3, 2, 1, 3, 3}, fourColours)));

    // Skipped pixels are black: a delta, an early end of line, an early end of bitmap.
    cases.push_back({"delta skips pixels and rows",
                     bmp::encode(rle(4, 3, 8, {1, 0, 0, 2, 2, 1, 1, 3, 0, 1}, fourColours)), 4, 3,
                     cat({R, K, K, K, K, K, K, W, K, K, K, K})});
    cases.push_back({"early end of line", bmp::encode(rle(3, 2, 8, {1, 1, 0, 0, 2, 2, 0, 0}, fourColours)), 3, 2,
                     cat({G, K, K, B, B, K})});
    cases.push_back(
        {"early end of bitmap", bmp::encode(rle(3, 2, 8, {2, 3, 0, 1}, fourColours)), 3, 2, cat({W, W, K, K, K, K})});
    // Past the row's end: cut there, the next row untouched until an end of line.
    cases.push_back({"run past the row", bmp::encode(rle(3, 2, 8, {5, 1, 1, 2, 0, 0, 1, 3, 0, 1}, fourColours)), 3, 2,
                     cat({G, G, G, W, K, K})});
    cases.push_back({"absolute run past the row",
                     bmp::encode(rle(2, 2, 8, {0, 3, 2, 1, 0, 0, 0, 0, 2, 3, 0, 1}, fourColours)), 2, 2,
                     cat({B, G, W, W})});
    cases.push_back({"delta past the row", bmp::encode(rle(3, 2, 8, {0, 2, 9, 0, 1, 2, 0, 0, 1, 1, 0, 1}, fourColours)),
                     3, 2, cat({K, K, K, G, K, K})});
    // Past the last row: the rest is dropped and the picture stands.
    cases.push_back({"delta past the last row", bmp::encode(rle(2, 2, 8, {2, 3, 0, 2, 0, 9, 2, 1, 0, 1}, fourColours)),
                     2, 2, cat({W, W, K, K})});
    cases.push_back({"runs past the last row, no end of bitmap",
                     bmp::encode(rle(1, 2, 8, {1, 0, 0, 0, 1, 1, 0, 0, 1, 2, 0, 0, 1, 3}, fourColours)), 1, 2,
                     cat({R, G})});
    // Cut off: the stream ends before its end of bitmap.
    cases.push_back(
        {"cut off mid-run", bmp::encode(rle(3, 2, 8, {3, 1, 0, 0, 3}, fourColours)), 0, 0, {}, conversionError});
    cases.push_back(
        {"cut off mid-delta", bmp::encode(rle(3, 2, 8, {3, 1, 0, 2, 1}, fourColours)), 0, 0, {}, conversionError});
    cases.push_back({"cut off mid-absolute run",
                     bmp::encode(rle(6, 1, 8, {0, 5, 1, 2, 3}, fourColours)),
                     0,
                     0,
                     {},
                     conversionError});
    cases.push_back(
        {"no end of bitmap", bmp::encode(rle(3, 2, 8, {3, 1, 0, 0}, fourColours)), 0, 0, {}, conversionError});
    Bitmap negative = rle(3, 2, 8, {3, 1, 0, 1}, fourColours);
    negative.height = -2;
    cases.push_back({"RLE with a negative height", bmp::encode(negative), 0, 0, {}, conversionError});
    Bitmap rle8at4 = rle(3, 2, 8, {3, 1, 0, 1}, fourColours);
    rle8at4.bitCount = 4;
    cases.push_back({"RLE8 at 4 bits", bmp::encode(rle8at4), 0, 0, {}, conversionError});
    Bitmap rle4at8 = rle(3, 2, 4, {3, 1, 0, 1}, fourColours);
    rle4at8.bitCount = 8;
    cases.push_back({"RLE4 at 8 bits", bmp::encode(rle4at8), 0, 0, {}, conversionError});
    for (const Case& c : cases) check(c);
}

TEST(DibImage, SixteenAndThirtyTwoBits) {
    std::vector<Case> cases;
    Bitmap plain16;
    plain16.width = 3;
    plain16.bitCount = 16;
    plain16.bits = {0xFF, 0x7F, 0x00, 0x7C, 0x10, 0x42, 0, 0};  // white, red, 5-5-5 (16, 16, 16)
    cases.push_back({"16-bit BI_RGB is 5-5-5", bmp::encode(plain16), 3, 1, {255, 255, 255, 255, 0, 0, 132, 132, 132}});
    cases.push_back(
        {"5-6-5 bitfields",
         bmp::encode(fields(4, 1, 16, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84})),
         4,
         1,
         {255, 0, 0, 0, 255, 0, 0, 0, 255, 132, 130, 132}});
    cases.push_back({"4-4-4 masks in 16 bits",
                     bmp::encode(fields(2, 1, 16, {0x0F00, 0x00F0, 0x000F}, {0x08, 0x0F, 0xF0, 0xF0})),
                     2,
                     1,
                     {255, 0, 136, 0, 255, 0}});
    cases.push_back({"10-bit channels in 32 bits",
                     bmp::encode(fields(1, 1, 32, {0x3FF00000, 0x000FFC00, 0x000003FF}, {0x00, 0x00, 0xF0, 0x3F})),
                     1,
                     1,
                     {255, 0, 0}});
    cases.push_back({"10-bit middle values",
                     bmp::encode(fields(1, 1, 32, {0x3FF00000, 0x000FFC00, 0x000003FF}, {0xFF, 0x13, 0x00, 0x20})),
                     1,
                     1,
                     {128, 1, 255}});
    Bitmap plain32;
    plain32.width = 2;
    plain32.bitCount = 32;
    plain32.bits = {1, 2, 3, 99, 4, 5, 6, 99};
    cases.push_back({"32-bit BI_RGB: blue, green, red, unused", bmp::encode(plain32), 2, 1, {3, 2, 1, 6, 5, 4}});
    cases.push_back({"32-bit bitfields, red in the low byte",
                     bmp::encode(fields(2, 1, 32, {0x000000FF, 0x0000FF00, 0x00FF0000}, {1, 2, 3, 99, 4, 5, 6, 99})),
                     2,
                     1,
                     {1, 2, 3, 4, 5, 6}});
    Bytes anyPixels = {0, 0, 0, 0};
    cases.push_back(
        {"zero mask", bmp::encode(fields(1, 1, 32, {0xFF0000, 0, 0xFF}, anyPixels)), 0, 0, {}, conversionError});
    cases.push_back({"overlapping masks",
                     bmp::encode(fields(1, 1, 32, {0xFF0000, 0x01FF00, 0xFF}, anyPixels)),
                     0,
                     0,
                     {},
                     conversionError});
    cases.push_back({"mask outside a 16-bit pixel",
                     bmp::encode(fields(1, 1, 16, {0xF8000, 0x07E0, 0x001F}, anyPixels)),
                     0,
                     0,
                     {},
                     conversionError});
    cases.push_back({"bitfields at 24 bits",
                     bmp::encode(fields(1, 1, 24, {0xFF0000, 0xFF00, 0xFF}, anyPixels)),
                     0,
                     0,
                     {},
                     conversionError});
    cases.push_back({"bitfields at 8 bits",
                     bmp::encode(fields(1, 1, 8, {0xE0, 0x1C, 0x03}, anyPixels)),
                     0,
                     0,
                     {},
                     conversionError});
    Bitmap masksCut = fields(1, 1, 32, {0xFF0000, 0xFF00}, {});
    masksCut.fileHeader = false;
    cases.push_back({"file ends inside the masks", bmp::encode(masksCut), 0, 0, {}, conversionError});
    Bitmap bareFields = fields(1, 1, 16, {0xF800, 0x07E0, 0x001F}, {0x1F, 0x00});
    bareFields.fileHeader = false;  // the pixels follow the masks
    cases.push_back({"bare DIB with bitfields", bmp::encode(bareFields), 1, 1, {0, 0, 255}});
    for (const Case& c : cases) check(c);
}

TEST(DibImage, RefusedSizes) {
    std::vector<Case> cases;
    auto refused = [&](const char* name, Bitmap b) {
        cases.push_back({name, bmp::encode(b), 0, 0, {}, conversionError});
    };
    Bitmap ok = rgb24(2, 2, pattern(2, 2));
    Bitmap b = ok;
    b.width = 0;
    refused("width 0", b);
    b = ok;
    b.width = -2;
    refused("negative width", b);
    b = ok;
    b.height = 0;
    refused("height 0", b);
    b = ok;
    b.height = INT_MIN;
    refused("height INT_MIN", b);
    b = ok;
    b.width = 24000;
    b.height = 30000;
    b.bits.resize(16);  // a 70-byte file
    refused("24000 x 30000 in 70 bytes", b);
    b = ok;
    b.width = INT_MAX;
    b.height = 1;
    refused("a row over 32 bits", b);
    b = ok;
    b.width = 0x6A000001;
    b.bitCount = 7947;  // the image size the loader fills in overflows on the way
    refused("huge width with an absurd bit count", b);
    Bitmap hugeRle = rle(65535, 65535, 8, {0, 1}, fourColours);
    refused("65535 x 65535 RLE8 of two bytes", hugeRle);
    // A run-length picture may claim at most largestRunLengthPixels: one more is refused before
    // anything is allocated for it, the largest one allowed decodes (all black: it ends at once).
    refused("4097 x 4096 RLE8 of two bytes", rle(4097, 4096, 8, {0, 1}, fourColours));
    refused("4096 x 4097 RLE4 of two bytes", rle(4096, 4097, 4, {0, 1}, fourColours));
    static_assert(largestRunLengthPixels == 4096u * 4096u, "the cases around the limit below");
    Decoded largest = load(bmp::encode(rle(4096, 4096, 8, {0, 1}, fourColours)));
    EXPECT_TRUE(largest.ok && largest.boxes.empty()) << "4096 x 4096 RLE8 is within the limit";
    EXPECT_EQ(largest.rgb, Bytes(4096u * 4096u * 3, 0)) << "all black";
    for (std::uint32_t bits : {0u, 2u, 3u, 12u, 64u}) {
        b = ok;
        b.bitCount = bits;
        refused("unsupported bit count", b);
    }
    for (std::uint32_t planes : {0u, 2u}) {
        b = ok;
        b.planes = planes;
        refused("planes other than 1", b);
    }
    for (std::uint32_t compression : {4u, 5u, 6u, 0xFFFFFFFFu}) {
        b = ok;
        b.compression = compression;
        refused("unknown compression", b);
    }
    b = ok;
    b.bits.resize(b.bits.size() - 5);
    refused("pixel rows cut short", b);
    b = ok;
    b.bits.resize(b.bits.size() - 2);  // only the last row's padding is missing: still whole
    cases.push_back({"last row without its padding", bmp::encode(b), 2, 2, pattern(2, 2)});
    b = ok;
    b.offBits = 20;
    refused("pixel offset inside the headers", b);
    b = ok;
    b.offBits = 14 + 40 + static_cast<std::int64_t>(ok.bits.size());
    refused("pixel offset at the end of the file", b);
    b = ok;
    b.offBits = 0x7FFFFFFF;
    refused("pixel offset far past the end", b);
    Bytes shortHeader = bmp::encode(ok);
    shortHeader.resize(30);
    cases.push_back({"file ends inside the info header", shortHeader, 0, 0, {}, conversionError});
    cases.push_back(
        {"only a file header", Bytes(shortHeader.begin(), shortHeader.begin() + 14), 0, 0, {}, conversionError});
    cases.push_back({"\"BM\" and nothing else", Bytes{'B', 'M'}, 0, 0, {}, conversionError});
    cases.push_back({"one byte", Bytes{0x28}, 0, 0, {}, conversionError});
    for (const Case& c : cases) check(c);

    // The refusals above come from the size checks, which allocate nothing: the layout of a
    // 24000 x 30000 bitmap with 16 bytes of pixels is refused outright.
    DibSource source;
    source.header = {40, 24000, 30000, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    unsigned char sixteen[16] = {};
    source.bits = sixteen;
    source.bitsLength = sizeof sixteen;
    DibTarget target;
    EXPECT_FALSE(dibTargetLayout(source, target)) << "huge bitmap over a tiny file";
    source.header.biWidth = 4;
    source.header.biHeight = 1;
    ASSERT_TRUE(dibTargetLayout(source, target)) << "4 x 1 fits the same 16 bytes";
    EXPECT_EQ(target.rowBytes, 12u) << "target row of 4 pixels";
    source.header.biWidth = 5;
    ASSERT_TRUE(dibTargetLayout(source, target)) << "5 x 1 fits";
    EXPECT_EQ(target.rowBytes, 15u) << "target rows of 5 pixels are packed: 15 bytes, no padding";
    unsigned char small[16];
    DibTarget wrong = target;
    wrong.size = 8;
    EXPECT_EQ(convertDibBits(source, wrong, small), 0) << "a target of the wrong size is refused";
}

TEST(DibImage, FileErrors) {
    std::string missing = tempPath("does_not_exist.bmp");
    std::remove(missing.c_str());
    boxes.clear();
    platform::setMessageBoxHandler(recordBox);
    EXPECT_EQ(loadDibImage(missing.c_str()), nullptr) << "missing file";
    ASSERT_EQ(boxes.size(), 1u) << "one box for a missing file";
    EXPECT_EQ(boxes[0].text, "Failed to open DIB file " + missing + ".\n") << "open failure names the file";
    EXPECT_EQ(boxes[0].caption, "Error") << "caption";
    EXPECT_EQ(loadFailure.file, missing) << "the loader keeps the file";
    EXPECT_EQ(loadFailure.reason, "cannot be opened") << "and why";

    std::string empty = tempPath("empty.bmp");
    writeFile(empty, {});
    boxes.clear();
    EXPECT_EQ(loadDibImage(empty.c_str()), nullptr) << "empty file";
    ASSERT_EQ(boxes.size(), 1u) << "one box for an empty file";
    EXPECT_EQ(boxes[0].text, "Failed to open DIB file " + empty + ".\n") << "an empty file cannot be mapped";
    EXPECT_EQ(loadFailure.reason, "cannot be opened") << "the reason agrees with the box";

    std::string directory = ::testing::TempDir();
    boxes.clear();
    EXPECT_EQ(loadDibImage(directory.c_str()), nullptr) << "a directory is not a bitmap";
    ASSERT_EQ(boxes.size(), 1u) << "one box for a directory";

    std::string longName = tempPath(std::string(400, 'x') + "/" + std::string(300, 'y') + ".bmp");
    boxes.clear();
    EXPECT_EQ(loadDibImage(longName.c_str()), nullptr) << "very long missing name";
    ASSERT_EQ(boxes.size(), 1u) << "one box for a long name";
    EXPECT_EQ(boxes[0].text.size(), 255u) << "text cut to the 256-byte buffer";
    EXPECT_EQ(boxes[0].text, ("Failed to open DIB file " + longName).substr(0, 255)) << "cut, not garbled";

    boxes.clear();
    EXPECT_EQ(decodeDibImage(nullptr, 0), nullptr) << "no bytes at all";
    EXPECT_EQ(boxes.size(), 1u) << "one box for no bytes";
    platform::setMessageBoxHandler(nullptr);
}

// The generated bitmaps the demo loads: their header kinds decode and their content holds.
TEST(DibImage, GeneratedImages) {
    std::string dir = FACEDEMO_DATA_DIR;
    auto loadData = [&](const char* name) {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return load(bytes, name);
    };
    auto lum = [](const Decoded& d, int x, int y) {
        const std::uint8_t* p = &d.rgb[(static_cast<std::size_t>(y) * d.width + x) * 3];
        return (p[0] + p[1] + p[2]) / 3.0;
    };

    Decoded rocks = loadData("rocks.bmp");
    ASSERT_TRUE(rocks.ok) << "rocks.bmp decodes";
    EXPECT_EQ(rocks.width, 512) << "rocks width";
    EXPECT_EQ(rocks.height, 512) << "rocks height";
    // Opposite edges meet: neighbouring rows across the wrap differ no more than inside.
    const int r = rocks.width;
    double across = 0, inside = 0;
    for (int i = 0; i < r; ++i) {
        across += std::abs(lum(rocks, 0, i) - lum(rocks, r - 1, i)) + std::abs(lum(rocks, i, 0) - lum(rocks, i, r - 1));
        inside += std::abs(lum(rocks, r / 2 - 1, i) - lum(rocks, r / 2, i)) +
                  std::abs(lum(rocks, i, r / 2 - 1) - lum(rocks, i, r / 2));
    }
    EXPECT_LT(across, inside * 1.5) << "the rock texture tiles without a seam";

    // The sky goes once around the horizon in its width and from pole to pole in its height:
    // power-of-two sides, twice as wide as high, so that a texel covers as much sky either way.
    Decoded sky = loadData("sunsetclouds.bmp");
    ASSERT_TRUE(sky.ok) << "sunsetclouds.bmp decodes";
    EXPECT_EQ(sky.width, 2048) << "sky width: texels around";
    EXPECT_EQ(sky.height, 1024) << "sky height: texels from pole to pole";
    std::ifstream skyFile(dir + "/sunsetclouds.bmp", std::ios::binary);
    unsigned char skyHeaders[18] = {};
    skyFile.read(reinterpret_cast<char*>(skyHeaders), sizeof skyHeaders);
    EXPECT_EQ(bmp::read32(&skyHeaders[14]), bmp::coreHeaderSize) << "the sky keeps the 12-byte core header";
    const int w = sky.width, h = sky.height;
    const std::uint8_t* zenith = &sky.rgb[0];
    const std::uint8_t* horizon = &sky.rgb[static_cast<std::size_t>(h / 2 - h / 128) * w * 3];  // just above
    EXPECT_GT(zenith[2], zenith[0]) << "the zenith (bottom rows) is blue";
    EXPECT_GT(horizon[0], 200) << "the horizon (middle rows) glows red-orange";
    EXPECT_GT(lum(sky, 10, h / 2), lum(sky, 10, h - h / 40)) << "below the horizon (top rows) is darker";
    double seam = 0;
    for (int y = 0; y < h; ++y) seam += std::abs(lum(sky, 0, y) - lum(sky, w - 1, y));
    EXPECT_LT(seam / h, 4.0) << "left and right edges meet around the horizon";

    Decoded lightmap = loadData("Lightmap.bmp");
    ASSERT_TRUE(lightmap.ok) << "Lightmap.bmp decodes";
    int c = lightmap.width / 2;
    EXPECT_GT(lum(lightmap, c, c), 240) << "bright in the centre";
    EXPECT_LT(lum(lightmap, 0, 0), lum(lightmap, c, c) / 2) << "dark at the corners";
    EXPECT_EQ(lightmap.rgb[0], lightmap.rgb[1]) << "grey";
}
