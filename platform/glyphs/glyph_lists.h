// Bitmap glyphs and the GL display lists that draw them, shared by the backends whose font comes
// as bitmaps (FreeType at run time, the browser's table made at build time). Included only inside
// platform/.
#pragma once

#include <vector>

namespace platform {

// One glyph, its rows bottom row first, each row (width + 7) / 8 bytes, most significant bit first.
struct Glyph {
    int width = 0;
    int rows = 0;
    int left = 0;     // from the pen position to the bitmap's left edge
    int top = 0;      // from the baseline up to the bitmap's top row
    int advance = 0;  // pen movement in whole pixels
    std::vector<unsigned char> bits;
};

// Compiles one display list per glyph, listBase + i for glyphs[i]: each draws its glyph at the
// raster position and advances it by the glyph's width. Needs a current GL context.
void compileGlyphLists(const std::vector<Glyph>& glyphs, unsigned listBase);

}  // namespace platform
