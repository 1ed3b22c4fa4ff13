// Textures and pixel transfer. So far: reading the framebuffer back, in the RGB rows and single
// channels GL 1.1 packs and ES 2.0 does not offer, with GL's pack alignment.
#include <vector>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

void PixelStorei(GLenum pname, GLint param) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    // The unpack rules come with the layer's textures and bitmaps.
    if (pname != GL_PACK_ALIGNMENT) return setError(*context, GL_INVALID_ENUM);
    if (param != 1 && param != 2 && param != 4 && param != 8) return setError(*context, GL_INVALID_VALUE);
    context->packAlignment = param;
}

void ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    // One channel alone (GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA), RGB or RGBA.
    const bool oneChannel = format == GL_RED || format == GL_GREEN || format == GL_BLUE || format == GL_ALPHA;
    if ((format != GL_RGB && format != GL_RGBA && !oneChannel) || type != GL_UNSIGNED_BYTE)
        return setError(*context, GL_INVALID_ENUM);
    if (width < 0 || height < 0) return setError(*context, GL_INVALID_VALUE);
    if (width == 0 || height == 0 || !pixels) return;
    // ES always offers RGBA bytes, whose rows need no padding. A request larger than any
    // framebuffer is refused before its copy is made.
    constexpr std::size_t maxPixels = std::size_t(1) << 28;
    if (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > maxPixels)
        return setError(*context, GL_OUT_OF_MEMORY);
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    context->es.PixelStorei(GL_PACK_ALIGNMENT, 4);
    context->es.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const std::size_t components = oneChannel ? 1 : format == GL_RGB ? 3 : 4;
    const std::size_t first = oneChannel ? format - GL_RED : 0;  // GL_RED to GL_ALPHA follow each other
    const std::size_t alignment = static_cast<std::size_t>(context->packAlignment);
    const std::size_t rowBytes = (width * components + alignment - 1) / alignment * alignment;
    auto* out = static_cast<unsigned char*>(pixels);
    for (GLsizei row = 0; row < height; ++row)
        for (GLsizei column = 0; column < width; ++column)
            for (std::size_t k = 0; k < components; ++k)
                out[row * rowBytes + column * components + k] =
                    rgba[(static_cast<std::size_t>(row) * width + column) * 4 + first + k];
}

}  // namespace ff
