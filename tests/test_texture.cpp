// Textures on a real GL context: sizes, filters, mipmap chains, failed loads and odd-sized pictures.
#include <GL/gl.h>

#include <fstream>
#include <string>
#include <vector>

#include "assets/dib_image.h"
#include "assets/texture.h"
#include "platform/message_box.h"
#include "tests/gl_test_context.h"
#include "tests/temp_path.h"
#include "tools/bmp_writer.h"

using bmp::Bytes;

namespace {

int noBox(platform::Window*, const char*, const char*, unsigned) { return platform::IDOK; }

// Writes a 24-bit bitmap of the given red-green-blue pixels (bottom row first) and returns its path.
std::string writeBitmap(const std::string& name, int width, int height, const Bytes& rgb) {
    bmp::BitmapFile b;
    b.width = width;
    b.height = height;
    b.bits = bmp::rows24(rgb, width, height);
    Bytes file = bmp::encode(b);
    std::string path = testTempPath("texture_" + name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return path;
}

Bytes solid(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    Bytes rgb;
    for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), {r, g, b});
    return rgb;
}

GLint levelParameter(int level, GLenum name) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

GLint textureParameter(GLenum name) {
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

// Level 0 of the bound texture, tightly packed RGB, bottom row first.
Bytes readBack(int width, int height) {
    Bytes texels(static_cast<std::size_t>(width) * height * 3, 0xCD);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

}  // namespace

TEST_F(GlTest, TextureSizesFiltersAndMipmaps) {
    struct Case {
        const char* name;
        int width, height;
        bool mipmapped;
        int expectWidth, expectHeight;
    };
    const Case cases[] = {
        {"256 x 256, mipmapped", 256, 256, true, 256, 256},
        {"300 x 3, plain", 300, 3, false, 256, 2},
        {"1 x 1, plain", 1, 1, false, 1, 1},
        {"1 x 1, mipmapped", 1, 1, true, 1, 1},
        {"5 x 17, mipmapped", 5, 17, true, 4, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = writeBitmap("size.bmp", c.width, c.height, solid(c.width, c.height, 10, 200, 30));
        Texture texture;
        ASSERT_TRUE(texture.load(path.c_str(), c.mipmapped, 3)) << "loads";
        EXPECT_EQ(texture.width, c.expectWidth) << "width: the largest power of two not above the picture's";
        EXPECT_EQ(texture.height, c.expectHeight) << "height: the largest power of two not above the picture's";
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), texture.glName) << "left bound";
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), c.expectWidth) << "level 0 width in GL";
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), c.expectHeight) << "level 0 height in GL";
        EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), c.mipmapped ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST)
            << "minification filter";
        EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST) << "magnification filter";
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), GL_REPEAT) << "wrap left at GL's repeat";
        if (c.mipmapped) {
            // The chain halves each side (never below 1) down to 1 x 1.
            int level = 0, w = c.expectWidth, h = c.expectHeight;
            while (w > 1 || h > 1) {
                ++level;
                w = w > 1 ? w / 2 : 1;
                h = h > 1 ? h / 2 : 1;
                EXPECT_EQ(levelParameter(level, GL_TEXTURE_WIDTH), w) << "mipmap level " << level << " width";
                EXPECT_EQ(levelParameter(level, GL_TEXTURE_HEIGHT), h) << "mipmap level " << level << " height";
            }
            Bytes last(3);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, last.data());
            glPixelStorei(GL_PACK_ALIGNMENT, 4);
            EXPECT_EQ(last, (Bytes{10, 200, 30})) << "the 1 x 1 level keeps the colour";
        } else {
            EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 0) << "no mipmap levels";
        }
    }
}

TEST_F(GlTest, TextureMissingFileMakesNoName) {
    GLuint before = 0;
    glGenTextures(1, &before);
    platform::setMessageBoxHandler(noBox);
    Texture texture;
    texture.width = 7;
    std::string missing = testTempPath("texture_missing.bmp");
    std::remove(missing.c_str());
    EXPECT_FALSE(texture.load(missing.c_str(), true, 3)) << "a missing file fails";
    platform::setMessageBoxHandler(nullptr);
    EXPECT_EQ(texture.glName, 0u) << "no name taken";
    EXPECT_EQ(texture.width, 7) << "fields left as they were";
    GLuint after = 0;
    glGenTextures(1, &after);
    EXPECT_EQ(after, before + 1) << "glGenTextures was not called in between";
    EXPECT_FALSE(glIsTexture(before + 2)) << "no texture object beyond the ones made here";
}

TEST_F(GlTest, TexturePixelsArriveUnsheared) {
    // 6 x 3, red on the left half and blue on the right: scaled to 4 x 2 every row reads
    // red, red, blue, blue. Handed over unscaled, rows of 4 would drift through the buffer.
    Bytes halves;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            Bytes pixel = x < 3 ? Bytes{255, 0, 0} : Bytes{0, 0, 255};
            halves.insert(halves.end(), pixel.begin(), pixel.end());
        }
    std::string path = writeBitmap("halves.bmp", 6, 3, halves);
    Texture texture;
    ASSERT_TRUE(texture.load(path.c_str(), false, 1));
    EXPECT_EQ(texture.width, 4) << "6 rounds down to 4";
    EXPECT_EQ(texture.height, 2) << "3 rounds down to 2";
    Bytes row = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
    Bytes twoRows = row;
    twoRows.insert(twoRows.end(), row.begin(), row.end());
    EXPECT_EQ(readBack(4, 2), twoRows) << "scaled, not sheared";
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "unpack alignment restored";
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "pack alignment restored";

    // 2 x 2: rows of 6 bytes, which GL's default alignment of 4 would misread.
    Bytes four = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    std::string narrow = writeBitmap("narrow.bmp", 2, 2, four);
    Texture small;
    ASSERT_TRUE(small.load(narrow.c_str(), true, 3));
    EXPECT_EQ(readBack(2, 2), four) << "narrow rows arrive intact, bottom row first";
}

TEST_F(GlTest, TextureHoldsTheDecodedPicture) {
    std::string path = std::string(FACEDEMO_DATA_DIR) + "/rocks.bmp";
    DibImage* image = loadDibImage(path.c_str());
    ASSERT_NE(image, nullptr) << "rocks.bmp decodes";
    const int width = image->width, height = image->height;
    Bytes decoded(image->pixels, image->pixels + static_cast<std::size_t>(width) * height * 3);
    std::free(image->pixels);
    std::free(image);

    Texture texture;
    ASSERT_TRUE(texture.load(path.c_str(), true, 3));
    ASSERT_EQ(texture.width, width) << "a power-of-two picture keeps its width";
    ASSERT_EQ(texture.height, height) << "and its height";
    EXPECT_EQ(readBack(width, height), decoded) << "level 0 is the picture, bottom row at t = 0";
    GLuint first = texture.glName;
    ASSERT_TRUE(texture.load(path.c_str(), false, 1)) << "loading again";
    EXPECT_NE(texture.glName, first) << "a new name each load, as after a new GL context";
}
