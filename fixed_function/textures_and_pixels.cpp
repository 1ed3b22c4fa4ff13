// Textures and pixel transfer. So far: glPixelStorei's unpack rules, which lay out the images the
// caller hands over, and reading the framebuffer back in the RGB rows GL 1.1 packs and ES 2.0 does
// not offer, with GL's pack alignment.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

void PixelStorei(GLenum pname, GLint param) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    UnpackRules& unpack = context->unpack;
    switch (pname) {
    case GL_PACK_ALIGNMENT:
    case GL_UNPACK_ALIGNMENT:
        if (param != 1 && param != 2 && param != 4 && param != 8) return setError(*context, GL_INVALID_VALUE);
        (pname == GL_PACK_ALIGNMENT ? context->packAlignment : unpack.alignment) = param;
        return;
    case GL_UNPACK_ROW_LENGTH:
    case GL_UNPACK_SKIP_ROWS:
    case GL_UNPACK_SKIP_PIXELS:
        if (param < 0) return setError(*context, GL_INVALID_VALUE);
        (pname == GL_UNPACK_ROW_LENGTH  ? unpack.rowLength
         : pname == GL_UNPACK_SKIP_ROWS ? unpack.skipRows
                                        : unpack.skipPixels) = param;
        return;
    case GL_UNPACK_LSB_FIRST: unpack.lsbFirst = param != 0; return;
    case GL_UNPACK_SWAP_BYTES: unpack.swapBytes = param != 0; return;
    default:
        // The pack rules other than the alignment go with glReadPixels' other formats, which the
        // layer does not offer.
        return setError(*context, GL_INVALID_ENUM);
    }
}

namespace {

// The largest span of caller memory an image may cover under the unpack rules: far more than
// any texture or bitmap the layer can hand ES, and small enough that no offset computed from it
// overflows.
constexpr std::uint64_t maxImageSpan = std::uint64_t(1) << 32;

// Where an image's rows lie in the caller's memory, in bytes (or, for a bitmap, in bits).
struct RowLayout {
    std::uint64_t first;   // where the first pixel of the first row starts
    std::uint64_t stride;  // from one row's start to the next's
};

// Lays out rows of `pixelUnits` units a pixel (bytes, or bits for a bitmap) under the unpack
// alignment, after the skipped rows and pixels; false when the image would span more than
// maxImageSpan. Each product is checked against the span before it is made, so none overflows.
bool layRows(const UnpackRules& unpack, GLsizei width, GLsizei height, std::uint64_t pixelUnits,
             std::uint64_t elementUnits, std::uint64_t unitsPerByte, RowLayout& layout) {
    const std::uint64_t limit = maxImageSpan * unitsPerByte;
    const std::uint64_t rowPixels = unpack.rowLength > 0 ? unpack.rowLength : width;
    const std::uint64_t rowUnits = rowPixels * pixelUnits;  // pixelUnits is at most 32
    const std::uint64_t alignUnits = std::uint64_t(unpack.alignment) * unitsPerByte;
    // Rows of elements no smaller than the alignment need no padding.
    layout.stride = elementUnits >= alignUnits ? rowUnits : (rowUnits + alignUnits - 1) / alignUnits * alignUnits;
    const std::uint64_t widthUnits = std::uint64_t(width) * pixelUnits;
    const std::uint64_t rows = std::uint64_t(unpack.skipRows) + std::uint64_t(height) - 1;
    if (layout.stride > limit || widthUnits > limit || (layout.stride > 0 && rows > limit / layout.stride))
        return false;
    layout.first = std::uint64_t(unpack.skipRows) * layout.stride + std::uint64_t(unpack.skipPixels) * pixelUnits;
    return layout.first + std::uint64_t(height - 1) * layout.stride + widthUnits <= limit;
}

}  // namespace

bool unpackImage(Context& context, GLsizei width, GLsizei height, int groupBytes, int elementBytes,
                 const void* pixels, std::vector<unsigned char>& image) {
    image.clear();
    if (width <= 0 || height <= 0) return true;
    RowLayout layout;
    if (!layRows(context.unpack, width, height, groupBytes, elementBytes, 1, layout)) {
        setError(context, GL_INVALID_VALUE);
        return false;
    }
    const std::size_t rowBytes = std::size_t(width) * groupBytes;
    image.resize(rowBytes * height);
    const auto* source = static_cast<const unsigned char*>(pixels);
    for (GLsizei row = 0; row < height; ++row)
        std::memcpy(&image[row * rowBytes], source + layout.first + row * layout.stride, rowBytes);
    if (context.unpack.swapBytes && elementBytes > 1)
        for (std::size_t k = 0; k + elementBytes <= image.size(); k += elementBytes)
            std::reverse(&image[k], &image[k] + elementBytes);
    return true;
}

bool unpackBitmap(Context& context, GLsizei width, GLsizei height, const void* bits,
                  std::vector<unsigned char>& image) {
    image.clear();
    if (width <= 0 || height <= 0) return true;
    RowLayout layout;  // in bits
    if (!layRows(context.unpack, width, height, 1, 1, 8, layout)) {
        setError(context, GL_INVALID_VALUE);
        return false;
    }
    image.resize(std::size_t(width) * height);
    const auto* source = static_cast<const unsigned char*>(bits);
    for (GLsizei row = 0; row < height; ++row)
        for (GLsizei column = 0; column < width; ++column) {
            const std::uint64_t bit = layout.first + row * layout.stride + column;
            const int shift = context.unpack.lsbFirst ? int(bit % 8) : 7 - int(bit % 8);
            image[std::size_t(row) * width + column] = (source[bit / 8] >> shift) & 1;
        }
    return true;
}

void ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if ((format != GL_RGB && format != GL_RGBA) || type != GL_UNSIGNED_BYTE) return setError(*context, GL_INVALID_ENUM);
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
    const std::size_t components = format == GL_RGB ? 3 : 4;
    const std::size_t alignment = static_cast<std::size_t>(context->packAlignment);
    const std::size_t rowBytes = (width * components + alignment - 1) / alignment * alignment;
    auto* out = static_cast<unsigned char*>(pixels);
    for (GLsizei row = 0; row < height; ++row)
        for (GLsizei column = 0; column < width; ++column)
            for (std::size_t k = 0; k < components; ++k)
                out[row * rowBytes + column * components + k] =
                    rgba[(static_cast<std::size_t>(row) * width + column) * 4 + k];
}

}  // namespace ff
