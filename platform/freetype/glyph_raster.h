// The desktop's default sans-serif font (fontconfig) rendered by FreeType as one-bit glyphs, for
// the font at run time and for the browser's glyph table made at build time.
#pragma once

#include <vector>

#include "platform/glyphs/glyph_lists.h"

namespace platform {

// The glyphs of the codes first .. first + count - 1, in order; a code the font cannot render
// gets an empty glyph, which draws nothing and does not move. False when no font could be found
// or opened.
bool rasterGlyphs(unsigned first, unsigned count, std::vector<Glyph>& glyphs);

}  // namespace platform
