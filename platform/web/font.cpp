// The overlay's glyphs in a browser: the table made at build time from the Linux build's font,
// compiled into glBitmap display lists.
#include "platform/font.h"

#include "platform/glyphs/glyph_lists.h"
#include "platform/web/glyph_table.h"

namespace platform {

bool buildFontBitmaps(DeviceContext*, unsigned first, unsigned count, unsigned listBase) {
    std::vector<Glyph> glyphs(count);
    for (unsigned i = 0; i < glyphTableCount; ++i) {
        const GlyphRecord& record = glyphTable[i];
        if (record.code < first || record.code - first >= count) continue;
        Glyph& glyph = glyphs[record.code - first];
        glyph.width = record.width;
        glyph.rows = record.rows;
        glyph.left = record.left;
        glyph.top = record.top;
        glyph.advance = record.advance;
        const unsigned size = static_cast<unsigned>((record.width + 7) / 8 * record.rows);
        glyph.bits.assign(glyphTableBits + record.bitsOffset, glyphTableBits + record.bitsOffset + size);
    }
    // A code the table does not hold keeps an empty glyph, as one the font cannot render.
    compileGlyphLists(glyphs, listBase);
    return true;
}

}  // namespace platform
