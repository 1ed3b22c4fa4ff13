// Bitmap glyphs of the desktop's sans-serif font (fontconfig, FreeType) compiled into glBitmap display lists.
#include "platform/font.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace platform {

namespace {

constexpr const char* fontFamily = "sans-serif";
constexpr FT_UInt glyphPixelHeight = 16;

// One rendered glyph, its rows already bottom row first, each row (width + 7) / 8 bytes.
struct Glyph {
    int width = 0;
    int rows = 0;
    int left = 0;     // from the pen position to the bitmap's left edge
    int top = 0;      // from the baseline up to the bitmap's top row
    int advance = 0;  // pen movement in whole pixels
    std::vector<GLubyte> bits;
};

// Glyphs stay rendered for the life of the process: a display-mode switch only recompiles the lists.
std::map<unsigned, Glyph> glyphCache;
bool fontMissing = false;

// The file and face index that fontconfig chooses for the default sans-serif font, or an empty path.
std::string findFontFile(int& faceIndex) {
    std::string path;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return path;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(fontFamily));
    if (pattern) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        FcChar8* file = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
            path = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex) != FcResultMatch) faceIndex = 0;
        }
        if (match) FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return path;
}

// Copies FreeType's one-bit bitmap, top row first, into GL's order, bottom row first.
Glyph convertGlyph(const FT_GlyphSlot slot) {
    const FT_Bitmap& bitmap = slot->bitmap;
    Glyph glyph;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || !bitmap.buffer || glyph.width == 0 || glyph.rows == 0) {
        glyph.width = glyph.rows = 0;
        return glyph;
    }
    const int rowBytes = (glyph.width + 7) / 8;
    glyph.bits.resize(static_cast<std::size_t>(rowBytes) * glyph.rows);
    for (int row = 0; row < glyph.rows; ++row) {
        // A negative pitch means FreeType stored the rows bottom up already.
        const int sourceRow = bitmap.pitch >= 0 ? row : glyph.rows - 1 - row;
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(sourceRow) * std::abs(bitmap.pitch);
        GLubyte* target = &glyph.bits[static_cast<std::size_t>(glyph.rows - 1 - row) * rowBytes];
        std::copy(source, source + rowBytes, target);
    }
    return glyph;
}

// Renders every code of first .. first + count - 1 that is not cached yet. False when the font is missing.
bool renderGlyphs(unsigned first, unsigned count) {
    bool complete = true;
    for (unsigned i = 0; i < count; ++i) complete = complete && glyphCache.count(first + i) != 0;
    if (complete) return true;
    if (fontMissing) return false;

    int faceIndex = 0;
    const std::string path = findFontFile(faceIndex);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (path.empty() || FT_Init_FreeType(&library) != 0) {
        fontMissing = true;
        return false;
    }
    if (FT_New_Face(library, path.c_str(), faceIndex, &face) != 0 ||
        FT_Set_Pixel_Sizes(face, 0, glyphPixelHeight) != 0) {
        if (face) FT_Done_Face(face);
        FT_Done_FreeType(library);
        fontMissing = true;
        return false;
    }
    for (unsigned i = 0; i < count; ++i) {
        const unsigned code = first + i;
        if (glyphCache.count(code)) continue;
        // A code the font cannot render keeps an empty glyph: its list draws nothing and does not move.
        Glyph glyph;
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) glyph = convertGlyph(face->glyph);
        glyphCache.emplace(code, std::move(glyph));
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return true;
}

}  // namespace

bool buildFontBitmaps(DeviceContext*, unsigned first, unsigned count, unsigned listBase) {
    if (!renderGlyphs(first, count)) return false;

    // glBitmap unpacks its rows when the list is compiled: tightly packed, most significant bit first.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (unsigned i = 0; i < count; ++i) {
        const Glyph& glyph = glyphCache[first + i];
        glNewList(listBase + i, GL_COMPILE);
        glBitmap(glyph.width, glyph.rows, static_cast<GLfloat>(-glyph.left),
                 static_cast<GLfloat>(glyph.rows - glyph.top), static_cast<GLfloat>(glyph.advance), 0.0f,
                 glyph.bits.empty() ? nullptr : glyph.bits.data());
        glEndList();
    }
    glPopClientAttrib();
    return true;
}

}  // namespace platform
