// Cross-checks the bitmap loader against ImageMagick: the same files, the same pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/dib_image.h"
#include "platform/message_box.h"
#include "tests/temp_path.h"
#include "tools/bmp_writer.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string workDirectory() { return testTempPath("dib_imagemagick/"); }

bool haveConvert() { return std::system("convert -version >/dev/null 2>&1") == 0; }

bool shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int noBox(platform::Window*, const char*, const char*, unsigned) { return platform::IDOK; }

// ImageMagick's reading of the file: packed 8-bit RGB, top row first.
Bytes imageMagickPixels(const std::string& bmp) {
    std::string raw = workDirectory() + "dump.rgb";
    if (!shell("convert '" + bmp + "' -depth 8 rgb:'" + raw + "'")) return {};
    return readFile(raw);
}

// Our reading of the file, turned top row first to line up with ImageMagick's dump.
Bytes ourPixels(const std::string& bmp, int& width, int& height) {
    platform::setMessageBoxHandler(noBox);
    DibImage* image = loadDibImage(bmp.c_str());
    platform::setMessageBoxHandler(nullptr);
    if (!image) return {};
    width = image->width;
    height = image->height;
    std::size_t row = static_cast<std::size_t>(width) * 3;
    Bytes out;
    for (int y = height - 1; y >= 0; --y) out.insert(out.end(), image->pixels + y * row, image->pixels + (y + 1) * row);
    std::free(image->pixels);
    std::free(image);
    return out;
}

// A BITMAPV5HEADER keeps its colour masks exactly where a 40-byte header with BI_BITFIELDS
// keeps them; cutting the header there gives the same bitmap in a form the loader reads.
Bytes cutV5ToInfoHeader(const Bytes& v5) {
    constexpr std::size_t fileHeader = 14, infoHeader = 40, masks = 12;
    Bytes out(v5.begin(), v5.begin() + fileHeader + infoHeader + masks);
    std::uint32_t offBits = bmp::read32(&v5[10]);
    out[14] = infoHeader;
    out[15] = out[16] = out[17] = 0;
    std::uint32_t newOffset = fileHeader + infoHeader + masks;
    for (int i = 0; i < 4; ++i) out[10 + i] = (newOffset >> (8 * i)) & 0xFF;
    out.insert(out.end(), v5.begin() + offBits, v5.end());
    std::uint32_t size = static_cast<std::uint32_t>(out.size());
    for (int i = 0; i < 4; ++i) out[2 + i] = (size >> (8 * i)) & 0xFF;
    return out;
}

struct Variant {
    const char* name;
    const char* picture;  // ImageMagick's source picture
    const char* options;  // conversion options and output format prefix
    unsigned headerSize;  // what the written file must be, so the check covers what it claims
    unsigned bitCount;
    unsigned compression;
};

}  // namespace

TEST(DibImageMagick, SameFilesSamePixels) {
    if (!haveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    ASSERT_TRUE(shell("mkdir -p '" + workDirectory() + "'"));
    const char* plasma = "-seed 7 -size 37x23 plasma:";
    const char* gradient = "-size 37x23 gradient:";
    const Variant variants[] = {
        {"1-bit", plasma, "-colors 2 -type palette bmp3:", 40, 1, 0},
        {"4-bit", plasma, "-colors 16 -type palette -compress none bmp3:", 40, 4, 0},
        {"8-bit", plasma, "-type palette -compress none bmp3:", 40, 8, 0},
        {"8-bit grey gradient", gradient, "-type palette -compress none bmp3:", 40, 8, 0},
        {"RLE8", plasma, "-type palette -compress rle bmp3:", 40, 8, 1},
        {"RLE8 grey gradient", gradient, "-type palette -compress rle bmp3:", 40, 8, 1},
        {"24-bit", plasma, "bmp3:", 40, 24, 0},
        {"32-bit", plasma, "-alpha set -define bmp3:alpha=true bmp3:", 40, 32, 0},
        {"core header, 24-bit", plasma, "bmp2:", 12, 24, 0},
        {"core header, 8-bit", plasma, "-type palette bmp2:", 12, 8, 0},
        {"core header, 1-bit", plasma, "-colors 2 -type palette bmp2:", 12, 1, 0},
    };
    int index = 0;
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        std::string bmp = workDirectory() + "variant" + std::to_string(index++) + ".bmp";
        ASSERT_TRUE(shell(std::string("convert ") + v.picture + " " + v.options + "'" + bmp + "'")) << "convert ran";
        Bytes file = readFile(bmp);
        ASSERT_GE(file.size(), 30u) << "a bitmap was written";
        ASSERT_EQ(bmp::read32(&file[14]), v.headerSize) << "header kind as intended";
        if (v.headerSize == 40) {
            EXPECT_EQ(file[28], v.bitCount) << "bit count as intended";
            EXPECT_EQ(bmp::read32(&file[30]), v.compression) << "compression as intended";
        } else {
            EXPECT_EQ(file[24], v.bitCount) << "bit count as intended";
        }
        int width = 0, height = 0;
        Bytes ours = ourPixels(bmp, width, height);
        EXPECT_EQ(width, 37) << "width";
        EXPECT_EQ(height, 23) << "height";
        Bytes theirs = imageMagickPixels(bmp);
        ASSERT_EQ(theirs.size(), 37u * 23 * 3) << "ImageMagick's dump";
        EXPECT_EQ(ours, theirs) << "the same pixels as ImageMagick";
    }
}

// Bitfields: ImageMagick writes 16- and 32-bit masks into a BITMAPV5HEADER, which we cut to
// the 40-byte header with its three masks; ImageMagick reads the original.
TEST(DibImageMagick, BitfieldsAgainstV5Files) {
    if (!haveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    ASSERT_TRUE(shell("mkdir -p '" + workDirectory() + "'"));
    struct Case {
        const char* name;
        const char* options;
        unsigned bitCount;
        int tolerance;  // ImageMagick widens 5- and 6-bit channels its own way: off by one at most
    };
    const Case cases[] = {
        {"5-6-5", "-define bmp:subtype=RGB565 bmp:", 16, 1},
        {"5-5-5", "-define bmp:subtype=RGB555 bmp:", 16, 1},
        {"8-8-8-8", "-alpha set bmp:", 32, 0},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string v5 = workDirectory() + "v5_" + std::to_string(index) + ".bmp";
        std::string cut = workDirectory() + "cut_" + std::to_string(index++) + ".bmp";
        ASSERT_TRUE(shell(std::string("convert -seed 7 -size 37x23 plasma: ") + c.options + "'" + v5 + "'"));
        Bytes file = readFile(v5);
        ASSERT_GE(file.size(), 14u + 124) << "a V5 bitmap was written";
        ASSERT_EQ(bmp::read32(&file[30]), 3u) << "BI_BITFIELDS";
        ASSERT_EQ(file[28], c.bitCount) << "bit count";
        writeFile(cut, cutV5ToInfoHeader(file));
        int width = 0, height = 0;
        Bytes ours = ourPixels(cut, width, height);
        Bytes theirs = imageMagickPixels(v5);
        ASSERT_EQ(ours.size(), theirs.size()) << "both decoded";
        int worst = 0;
        for (std::size_t i = 0; i < ours.size(); ++i) worst = std::max(worst, std::abs(ours[i] - theirs[i]));
        EXPECT_LE(worst, c.tolerance) << "channels agree with ImageMagick";
    }
}

// The demo's own bitmaps, read by both.
TEST(DibImageMagick, GeneratedImages) {
    if (!haveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    ASSERT_TRUE(shell("mkdir -p '" + workDirectory() + "'"));
    for (const char* name : {"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"}) {
        SCOPED_TRACE(name);
        std::string path = std::string(FACEDEMO_DATA_DIR) + "/" + name;
        int width = 0, height = 0;
        Bytes ours = ourPixels(path, width, height);
        ASSERT_FALSE(ours.empty()) << "we decode it";
        EXPECT_EQ(ours, imageMagickPixels(path)) << "ImageMagick reads the same pixels";
    }
}
