// The overlay's glyphs for the browser, rendered at build time by make_glyph_table from the font
// the Linux build uses. Included only inside platform/.
#pragma once

namespace platform {

struct GlyphRecord {
    unsigned code;
    int width;
    int rows;
    int left;
    int top;
    int advance;
    unsigned bitsOffset;  // into glyphTableBits: rows bottom first, (width + 7) / 8 bytes each
};

extern const GlyphRecord glyphTable[];
extern const unsigned glyphTableCount;
extern const unsigned char glyphTableBits[];

}  // namespace platform
