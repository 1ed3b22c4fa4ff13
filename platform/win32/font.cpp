// Bitmap glyphs of the stock system font in GL display lists, through wglUseFontBitmapsA.
#include "platform/font.h"
#include "platform/win32/win32_internal.h"

#include <GL/gl.h>

namespace platform {

namespace {

// A glyph without pixels, the space, is a glBitmap without a bitmap, which Mesa cannot compile into
// a display list (it raises GL_OUT_OF_MEMORY and records nothing): through Wine's
// wglUseFontBitmapsA the space's list is left without its advance. Such lists are made again here
// as one clear pixel and the advance, and the error that the failed step raised is taken.
void repairBlankGlyphs(HDC deviceContext, unsigned first, unsigned count, unsigned listBase) {
    static const GLubyte clearPixel[4] = {0, 0, 0, 0};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    bool repaired = false;
    for (unsigned i = 0; i < count; ++i) {
        GLYPHMETRICS metrics{};
        // 0: a glyph without a single pixel; GDI_ERROR: a font GDI cannot describe this way.
        if (GetGlyphOutlineA(deviceContext, first + i, GGO_BITMAP, &metrics, 0, nullptr, &identity) != 0) continue;
        glNewList(listBase + i, GL_COMPILE);
        glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(metrics.gmCellIncX), static_cast<GLfloat>(metrics.gmCellIncY),
                 clearPixel);
        glEndList();
        repaired = true;
    }
    if (repaired) glGetError();
}

}  // namespace

bool buildFontBitmaps(DeviceContext* windowDeviceContext, unsigned first, unsigned count, unsigned listBase) {
    HDC deviceContext = handleOf(windowDeviceContext);
    if (!deviceContext) return false;
    SelectObject(deviceContext, GetStockObject(SYSTEM_FONT));
    if (!wglUseFontBitmapsA(deviceContext, first, count, listBase)) return false;
    repairBlankGlyphs(deviceContext, first, count, listBase);
    return true;
}

}  // namespace platform
