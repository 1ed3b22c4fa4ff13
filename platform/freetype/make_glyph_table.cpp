// Build-time tool: renders the glyphs of the desktop's sans-serif font, as the Linux build does at
// run time, into a C++ source with the glyph table the browser build compiles in, so that the
// overlay's text looks the same there.
//   make_glyph_table OUTPUT.cpp FIRST COUNT
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/freetype/glyph_raster.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp FIRST COUNT\n", argv[0]);
        return 2;
    }
    const unsigned first = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10));
    const unsigned count = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
    std::vector<platform::Glyph> glyphs;
    if (count == 0 || !platform::rasterGlyphs(first, count, glyphs)) {
        std::fprintf(stderr, "%s: no sans-serif font could be found and rendered\n", argv[0]);
        return 1;
    }

    std::string text =
        "// Made by make_glyph_table from the desktop's sans-serif font: the overlay's glyphs, as the\n"
        "// Linux build renders them. Do not edit.\n"
        "#include \"platform/web/glyph_table.h\"\n\nnamespace platform {\n\n";
    text += "const GlyphRecord glyphTable[] = {\n";
    std::size_t offset = 0;
    for (unsigned i = 0; i < count; ++i) {
        const platform::Glyph& g = glyphs[i];
        text += "    {" + std::to_string(first + i) + ", " + std::to_string(g.width) + ", " + std::to_string(g.rows) +
                ", " + std::to_string(g.left) + ", " + std::to_string(g.top) + ", " + std::to_string(g.advance) +
                ", " + std::to_string(offset) + "},\n";
        offset += g.bits.size();
    }
    text += "};\nconst unsigned glyphTableCount = " + std::to_string(count) + ";\n\n";
    // One byte more than the bits, so that the array is never empty.
    text += "const unsigned char glyphTableBits[] = {";
    std::size_t column = 0;
    for (const platform::Glyph& g : glyphs) {
        for (unsigned char byte : g.bits) {
            text += (column++ % 16 == 0 ? "\n    " : " ") + std::to_string(byte) + ",";
        }
    }
    text += "\n    0};\n\n}  // namespace platform\n";

    std::ofstream out(argv[1], std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
