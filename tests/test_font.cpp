// The bitmap font lists: what one glyph list really draws and how far it moves the raster position.
#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include "platform/font.h"
#include "tests/gl_test_context.h"

namespace {

constexpr unsigned firstCode = 32;
constexpr unsigned codeCount = 96;
constexpr int surfaceSize = 64;

struct LitPixels {
    int count = 0;
    int minX = surfaceSize, maxX = -1, minY = surfaceSize, maxY = -1;
    std::vector<int> rowMinX = std::vector<int>(surfaceSize, surfaceSize);
    std::vector<int> rowMaxX = std::vector<int>(surfaceSize, -1);
};

LitPixels readLitPixels() {
    std::vector<GLubyte> pixels(surfaceSize * surfaceSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, surfaceSize, surfaceSize, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    LitPixels lit;
    for (int y = 0; y < surfaceSize; ++y) {
        for (int x = 0; x < surfaceSize; ++x) {
            if (pixels[(y * surfaceSize + x) * 3] < 128) continue;
            ++lit.count;
            lit.minX = std::min(lit.minX, x);
            lit.maxX = std::max(lit.maxX, x);
            lit.minY = std::min(lit.minY, y);
            lit.maxY = std::max(lit.maxY, y);
            lit.rowMinX[y] = std::min(lit.rowMinX[y], x);
            lit.rowMaxX[y] = std::max(lit.rowMaxX[y], x);
        }
    }
    return lit;
}

// Draws one code's list at (x, y) on a cleared surface, in window coordinates; returns the raster x afterwards.
float drawGlyph(GLuint listBase, char code, int x, int y) {
    glClear(GL_COLOR_BUFFER_BIT);
    glRasterPos2i(x, y);
    glCallList(listBase + static_cast<unsigned char>(code) - firstCode);
    GLfloat raster[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    EXPECT_FLOAT_EQ(raster[1], static_cast<float>(y)) << "a glyph moves the raster position along the line only";
    return raster[0];
}

TEST_F(GlTest, FontListsDrawGlyphsAtTheRasterPositionAndAdvance) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, surfaceSize, 0, surfaceSize, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glColor3f(1, 1, 1);

    const GLuint listBase = glGenLists(codeCount);
    ASSERT_NE(listBase, 0u);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    ASSERT_TRUE(platform::buildFontBitmaps(platform::getDC(offscreenWindow()), firstCode, codeCount, listBase))
        << "the system's sans-serif font";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "building the lists is error-free";
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8) << "the caller's unpack alignment is restored";
    int built = 0;
    for (unsigned i = 0; i < codeCount; ++i) built += glIsList(listBase + i) ? 1 : 0;
    EXPECT_EQ(built, static_cast<int>(codeCount)) << "one list per code 32..127";

    const int penX = 10;
    const int baseline = 20;
    float after = drawGlyph(listBase, 'A', penX, baseline);
    LitPixels lit = readLitPixels();
    EXPECT_GT(lit.count, 15) << "'A' lights pixels";
    EXPECT_GT(after, static_cast<float>(penX)) << "'A' advances the raster position";
    EXPECT_LT(after, static_cast<float>(penX + 16)) << "by about one glyph's width at 16 pixels";
    EXPECT_GE(lit.minX, penX - 1) << "the glyph starts at the pen";
    EXPECT_LE(lit.maxX, static_cast<int>(after)) << "and ends before the next pen position";
    EXPECT_GE(lit.minY, baseline) << "a capital sits on the baseline, nothing below it";
    EXPECT_LE(lit.minY, baseline + 1) << "and touches it";
    EXPECT_GE(lit.maxY - lit.minY, 8) << "a capital about two thirds of 16 pixels tall";
    EXPECT_GT(lit.rowMaxX[lit.minY] - lit.rowMinX[lit.minY], lit.rowMaxX[lit.maxY] - lit.rowMinX[lit.maxY])
        << "'A' is wide at the foot and narrow at the apex: rows are not upside down";

    drawGlyph(listBase, 'I', penX, baseline);
    lit = readLitPixels();
    ASSERT_GT(lit.count, 0) << "'I' lights pixels";
    int straightRows = 0;
    for (int y = lit.minY; y <= lit.maxY; ++y)
        straightRows += lit.rowMinX[y] == lit.rowMinX[lit.minY] && lit.rowMaxX[y] == lit.rowMaxX[lit.minY] ? 1 : 0;
    EXPECT_EQ(straightRows, lit.maxY - lit.minY + 1)
        << "'I' is one unbroken vertical bar: the rows are read at the right stride";

    drawGlyph(listBase, 'g', penX, baseline);
    lit = readLitPixels();
    EXPECT_LT(lit.minY, baseline) << "the descender of 'g' hangs below the baseline";

    after = drawGlyph(listBase, ' ', penX, baseline);
    EXPECT_EQ(readLitPixels().count, 0) << "a space draws nothing";
    EXPECT_GT(after, static_cast<float>(penX)) << "but advances";

    // A second build (as after a display-mode switch) fills new lists the same way.
    const GLuint secondBase = glGenLists(codeCount);
    ASSERT_TRUE(platform::buildFontBitmaps(platform::getDC(offscreenWindow()), firstCode, codeCount, secondBase));
    const float firstAdvance = drawGlyph(listBase, 'W', penX, baseline);
    const int firstCount = readLitPixels().count;
    EXPECT_FLOAT_EQ(drawGlyph(secondBase, 'W', penX, baseline), firstAdvance) << "rebuilt glyphs advance alike";
    EXPECT_EQ(readLitPixels().count, firstCount) << "and draw alike";

    glDeleteLists(listBase, codeCount);
    glDeleteLists(secondBase, codeCount);
}

}  // namespace
