// Bitmap glyphs of the desktop's sans-serif font (fontconfig, FreeType) compiled into glBitmap display lists.
#include "platform/font.h"

#include <map>
#include <vector>

#include "platform/freetype/glyph_raster.h"
#include "platform/glyphs/glyph_lists.h"

namespace platform {

namespace {

// Glyphs stay rendered for the life of the process: a display-mode switch only recompiles the lists.
std::map<unsigned, Glyph> glyphCache;
bool fontMissing = false;

// Renders every code of first .. first + count - 1 that is not cached yet. False when the font is missing.
bool renderGlyphs(unsigned first, unsigned count) {
    bool complete = true;
    for (unsigned i = 0; i < count; ++i) complete = complete && glyphCache.count(first + i) != 0;
    if (complete) return true;
    if (fontMissing) return false;
    std::vector<Glyph> rendered;
    if (!rasterGlyphs(first, count, rendered)) {
        fontMissing = true;
        return false;
    }
    for (unsigned i = 0; i < count; ++i) glyphCache.emplace(first + i, std::move(rendered[i]));
    return true;
}

}  // namespace

bool buildFontBitmaps(DeviceContext*, unsigned first, unsigned count, unsigned listBase) {
    if (!renderGlyphs(first, count)) return false;
    std::vector<Glyph> glyphs;
    glyphs.reserve(count);
    for (unsigned i = 0; i < count; ++i) glyphs.push_back(glyphCache[first + i]);
    compileGlyphLists(glyphs, listBase);
    return true;
}

}  // namespace platform
