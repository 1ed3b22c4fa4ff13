// Bitmap glyphs of the stock system font in GL display lists, through wglUseFontBitmapsA.
#include "platform/font.h"
#include "platform/win32/win32_internal.h"

namespace platform {

bool buildFontBitmaps(unsigned first, unsigned count, unsigned listBase) {
    // The glyphs come from the font selected into the device context of the current GL context.
    HDC deviceContext = wglGetCurrentDC();
    if (!deviceContext) return false;
    SelectObject(deviceContext, GetStockObject(SYSTEM_FONT));
    return wglUseFontBitmapsA(deviceContext, first, count, listBase) != FALSE;
}

}  // namespace platform
