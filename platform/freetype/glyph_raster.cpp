// One-bit glyphs of the desktop's sans-serif font, found by fontconfig and rendered by FreeType.
#include "platform/freetype/glyph_raster.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace platform {

namespace {

constexpr const char* fontFamily = "sans-serif";
constexpr FT_UInt glyphPixelHeight = 16;

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
        unsigned char* target = &glyph.bits[static_cast<std::size_t>(glyph.rows - 1 - row) * rowBytes];
        std::copy(source, source + rowBytes, target);
    }
    return glyph;
}

}  // namespace

bool rasterGlyphs(unsigned first, unsigned count, std::vector<Glyph>& glyphs) {
    int faceIndex = 0;
    const std::string path = findFontFile(faceIndex);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (path.empty() || FT_Init_FreeType(&library) != 0) return false;
    if (FT_New_Face(library, path.c_str(), faceIndex, &face) != 0 ||
        FT_Set_Pixel_Sizes(face, 0, glyphPixelHeight) != 0) {
        if (face) FT_Done_Face(face);
        FT_Done_FreeType(library);
        return false;
    }
    glyphs.assign(count, Glyph{});
    for (unsigned i = 0; i < count; ++i) {
        if (FT_Load_Char(face, first + i, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0)
            glyphs[i] = convertGlyph(face->glyph);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return true;
}

}  // namespace platform
