// Bitmap glyphs of the desktop's default sans-serif font in GL display lists.
#pragma once

#include "platform/window.h"

namespace platform {

// Fills count consecutive display lists starting at listBase with the glyphs of the character
// codes first .. first + count - 1: each list draws its glyph at the raster position and
// advances it by the glyph's width. False when no font could be found or rendered; the lists
// stay empty then. Needs a current GL context, that of deviceContext.
bool buildFontBitmaps(DeviceContext* deviceContext, unsigned first, unsigned count, unsigned listBase);

}  // namespace platform
