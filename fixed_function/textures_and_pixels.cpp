// Textures and pixel transfer: texture objects and their images, converted from GL 1.1's formats
// to those ES 2.0 takes; the two texture units; glPixelStorei's unpack rules, which lay out the
// images the caller hands over; and reading the framebuffer back in the RGB rows and single
// channels GL 1.1 packs and ES 2.0 does not offer, with GL's pack alignment.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
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

bool unpackImage(Context& context, GLsizei width, GLsizei height, int groupBytes, int elementBytes, const void* pixels,
                 std::vector<unsigned char>& image) {
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

namespace ff {

int formatComponents(GLenum format) {
    switch (format) {
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_LUMINANCE: return 1;
    case GL_LUMINANCE_ALPHA: return 2;
    case GL_RGB: return 3;
    case GL_RGBA: return 4;
    default: return 0;
    }
}

namespace {

// The base format of one of GL 1.1's internal formats (the sized ones keep eight bits a
// component here); 0 for a value GL 1.1 does not have.
GLenum baseFormat(GLint internalFormat) {
    switch (internalFormat) {
    case GL_ALPHA:
    case GL_ALPHA4:
    case GL_ALPHA8:
    case GL_ALPHA12:
    case GL_ALPHA16: return GL_ALPHA;
    case 1:
    case GL_LUMINANCE:
    case GL_LUMINANCE4:
    case GL_LUMINANCE8:
    case GL_LUMINANCE12:
    case GL_LUMINANCE16: return GL_LUMINANCE;
    case 2:
    case GL_LUMINANCE_ALPHA:
    case GL_LUMINANCE4_ALPHA4:
    case GL_LUMINANCE6_ALPHA2:
    case GL_LUMINANCE8_ALPHA8:
    case GL_LUMINANCE12_ALPHA4:
    case GL_LUMINANCE12_ALPHA12:
    case GL_LUMINANCE16_ALPHA16: return GL_LUMINANCE_ALPHA;
    case GL_INTENSITY:
    case GL_INTENSITY4:
    case GL_INTENSITY8:
    case GL_INTENSITY12:
    case GL_INTENSITY16: return GL_INTENSITY;
    case 3:
    case GL_RGB:
    case GL_R3_G3_B2:
    case GL_RGB4:
    case GL_RGB5:
    case GL_RGB8:
    case GL_RGB10:
    case GL_RGB12:
    case GL_RGB16: return GL_RGB;
    case 4:
    case GL_RGBA:
    case GL_RGBA2:
    case GL_RGBA4:
    case GL_RGB5_A1:
    case GL_RGBA8:
    case GL_RGB10_A2:
    case GL_RGBA12:
    case GL_RGBA16: return GL_RGBA;
    default: return 0;
    }
}

// The ES format that holds a base format so that sampling it gives what GL 1.1's texture
// environments take from it: alpha textures as luminance 1 with their alpha (GL_MODULATE then
// leaves the colour alone), intensity in all four components.
GLenum esFormat(GLenum base) {
    switch (base) {
    case GL_ALPHA: return GL_LUMINANCE_ALPHA;
    case GL_INTENSITY: return GL_RGBA;
    default: return base;
    }
}

int esComponents(GLenum format) {
    return format == GL_RGBA ? 4 : format == GL_RGB ? 3 : format == GL_LUMINANCE ? 1 : 2;
}

// Converts packed pixels of `format` to the ES layout of `base`, through RGBA as GL 1.1 converts
// them (luminance and intensity are taken from red).
void convert(const std::vector<unsigned char>& in, GLenum format, GLenum base, std::vector<unsigned char>& out) {
    const int inSize = formatComponents(format);
    const int outSize = esComponents(esFormat(base));
    const std::size_t pixels = in.size() / inSize;
    out.resize(pixels * outSize);
    for (std::size_t i = 0; i < pixels; ++i) {
        const unsigned char* p = &in[i * inSize];
        unsigned char c[4] = {0, 0, 0, 255};  // red, green, blue, alpha
        switch (format) {
        case GL_RED: c[0] = p[0]; break;
        case GL_GREEN: c[1] = p[0]; break;
        case GL_BLUE: c[2] = p[0]; break;
        case GL_ALPHA: c[3] = p[0]; break;
        case GL_LUMINANCE: c[0] = c[1] = c[2] = p[0]; break;
        case GL_LUMINANCE_ALPHA: c[0] = c[1] = c[2] = p[0], c[3] = p[1]; break;
        default: std::copy(p, p + inSize, c);
        }
        unsigned char* o = &out[i * outSize];
        switch (base) {
        case GL_ALPHA: o[0] = 255, o[1] = c[3]; break;
        case GL_LUMINANCE: o[0] = c[0]; break;
        case GL_LUMINANCE_ALPHA: o[0] = c[0], o[1] = c[3]; break;
        case GL_INTENSITY: o[0] = o[1] = o[2] = o[3] = c[0]; break;
        default: std::copy(c, c + outSize, o);
        }
    }
}

int log2Floor(GLint value) {
    int k = 0;
    while (value > 1) value >>= 1, ++k;
    return k;
}

bool powerOfTwo(GLsizei side) { return side >= 0 && (side & (side - 1)) == 0; }

// GL's error for a glTexImage2D call the layer cannot take; GL_NO_ERROR for one it can.
GLenum imageError(const Context& context, GLenum target, GLint level, GLint internalFormat, GLsizei width,
                  GLsizei height, GLint border, GLenum format, GLenum type) {
    if (target != GL_TEXTURE_2D) return GL_INVALID_ENUM;  // no 1D or proxy textures
    if (!formatComponents(format) || type != GL_UNSIGNED_BYTE) return GL_INVALID_ENUM;
    if (level < 0 || level > log2Floor(context.maxTextureSize)) return GL_INVALID_VALUE;
    if (!baseFormat(internalFormat)) return GL_INVALID_VALUE;
    // Sides of 2^n (or 0) within the driver's size for the level, and no border.
    if (border != 0 || !powerOfTwo(width) || !powerOfTwo(height) || width > (context.maxTextureSize >> level) ||
        height > (context.maxTextureSize >> level))
        return GL_INVALID_VALUE;
    return GL_NO_ERROR;
}

// The ES texture of an object, made the first time it is needed, bound to ES's active unit.
void bindEs(Context& context, TextureObject& texture) {
    if (!texture.es) context.es.GenTextures(1, &texture.es);
    context.es.BindTexture(GL_TEXTURE_2D, texture.es);
}

}  // namespace

void texImagePacked(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                    GLenum format, GLenum type, std::shared_ptr<const std::vector<unsigned char>> image) {
    if (listed([=] { texImagePacked(target, level, internalFormat, width, height, border, format, type, image); }))
        return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (const GLenum error = imageError(*context, target, level, internalFormat, width, height, border, format, type))
        return setError(*context, error);
    const GLenum base = baseFormat(internalFormat);
    const GLenum es = esFormat(base);
    std::vector<unsigned char> converted;
    try {
        if (image) convert(*image, format, base, converted);
    } catch (const std::bad_alloc&) {
        return setError(*context, GL_OUT_OF_MEMORY);
    }
    TextureObject& texture = boundTexture(*context, context->activeUnit);
    bindEs(*context, texture);
    context->es.TexImage2D(GL_TEXTURE_2D, level, es, width, height, 0, es, GL_UNSIGNED_BYTE,
                           image ? converted.data() : nullptr);
    if (texture.levels.size() <= std::size_t(level)) texture.levels.resize(level + 1);
    texture.levels[level] = {width, height, internalFormat};
    if (level == 0) texture.baseFormat = base;
}

namespace {

bool complete(const TextureObject& texture) {
    if (texture.levels.empty() || texture.levels[0].width <= 0 || texture.levels[0].height <= 0) return false;
    const TextureLevel& first = texture.levels[0];
    const GLenum filter = texture.parameters.minFilter;
    if (filter == GL_NEAREST || filter == GL_LINEAR) return true;
    // A mipmap filter needs every level down to 1 x 1, each half the one before, in one format.
    GLsizei width = first.width, height = first.height;
    for (std::size_t k = 1; width > 1 || height > 1; ++k) {
        width = std::max(1, width / 2), height = std::max(1, height / 2);
        if (k >= texture.levels.size()) return false;
        const TextureLevel& level = texture.levels[k];
        if (level.width != width || level.height != height || level.internalFormat != first.internalFormat)
            return false;
    }
    return true;
}

// The value a parameter call gives, when the parameter takes it; 0 when it does not.
GLenum parameterValue(GLenum pname, GLint param) {
    const GLenum value = GLenum(param);
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER:
        switch (value) {
        case GL_NEAREST_MIPMAP_NEAREST:
        case GL_NEAREST_MIPMAP_LINEAR:
        case GL_LINEAR_MIPMAP_NEAREST:
        case GL_LINEAR_MIPMAP_LINEAR: return value;
        }
        [[fallthrough]];
    case GL_TEXTURE_MAG_FILTER: return value == GL_NEAREST || value == GL_LINEAR ? value : 0;
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T: return value == GL_REPEAT || value == GL_CLAMP ? value : 0;
    default: return 0;
    }
}

GLenum* parameterField(TextureParameters& parameters, GLenum pname) {
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER: return &parameters.minFilter;
    case GL_TEXTURE_MAG_FILTER: return &parameters.magFilter;
    case GL_TEXTURE_WRAP_S: return &parameters.wrapS;
    case GL_TEXTURE_WRAP_T: return &parameters.wrapT;
    default: return nullptr;
    }
}

// The unit a GL_TEXTUREi_ARB names; -1 for none the layer has.
int unitOf(GLenum texture) {
    return texture >= GL_TEXTURE0_ARB && texture < GL_TEXTURE0_ARB + textureUnits ? int(texture - GL_TEXTURE0_ARB) : -1;
}

}  // namespace

TextureObject& boundTexture(Context& context, int unit) {
    TextureObject& texture = context.textures[context.units[unit].binding];
    texture.bound = true;
    return texture;
}

const TextureObject* sampledTexture(const Context& context, int unit) {
    const TextureUnit& u = context.units[unit];
    if (!u.enabled) return nullptr;
    const auto found = context.textures.find(u.binding);
    return found != context.textures.end() && complete(found->second) ? &found->second : nullptr;
}

void sendTextureParameters(Context& context, TextureObject& texture) {
    bindEs(context, texture);
    const TextureParameters& p = texture.parameters;
    // GL_CLAMP has no border here to blend with: the layer clamps to the edge texels.
    const auto wrap = [](GLenum mode) { return GLint(mode == GL_CLAMP ? GL_CLAMP_TO_EDGE : mode); };
    context.es.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(p.minFilter));
    context.es.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLint(p.magFilter));
    context.es.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap(p.wrapS));
    context.es.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap(p.wrapT));
}

void bindSampledTextures(Context& context) {
    for (int unit = 0; unit < textureUnits; ++unit) {
        if (!sampledTexture(context, unit)) continue;
        context.es.ActiveTexture(GL_TEXTURE0 + unit);
        bindEs(context, context.textures[context.units[unit].binding]);
    }
    context.es.ActiveTexture(GL_TEXTURE0);
}

void deleteTextures(Context& context) {
    for (auto& entry : context.textures)
        if (entry.second.es) context.es.DeleteTextures(1, &entry.second.es);
    context.textures.clear();
}

void GenTextures(GLsizei n, GLuint* textures) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (n < 0) return setError(*context, GL_INVALID_VALUE);
    if (!textures) return;
    // Names past the highest in use; when those run out, the lowest unused ones. Each is kept
    // from later calls, but is a texture only once bound.
    if (std::uint64_t(context->textures.size()) + std::uint64_t(n) > 0xffffffffu)
        return setError(*context, GL_OUT_OF_MEMORY);
    GLuint next = context->textures.rbegin()->first;
    for (GLsizei k = 0; k < n; ++k) {
        if (next == 0xffffffffu) next = 0;
        while (context->textures.count(++next)) {
        }
        context->textures[next];
        textures[k] = next;
    }
}

void DeleteTextures(GLsizei n, const GLuint* textures) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (n < 0) return setError(*context, GL_INVALID_VALUE);
    if (!textures) return;
    for (GLsizei k = 0; k < n; ++k) {
        const GLuint name = textures[k];
        const auto found = context->textures.find(name);
        if (name == 0 || found == context->textures.end()) continue;  // the default texture stays
        // A bound texture deleted leaves its units bound to the default texture.
        for (TextureUnit& unit : context->units)
            if (unit.binding == name) unit.binding = 0;
        if (found->second.es) context->es.DeleteTextures(1, &found->second.es);
        context->textures.erase(found);
    }
}

void BindTexture(GLenum target, GLuint texture) {
    if (listed([=] { BindTexture(target, texture); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (target != GL_TEXTURE_2D) return setError(*context, GL_INVALID_ENUM);
    context->units[context->activeUnit].binding = texture;
    boundTexture(*context, context->activeUnit);
}

GLboolean IsTexture(GLuint texture) {
    Context* context = outsideBeginEnd();
    if (!context || texture == 0) return GL_FALSE;
    const auto found = context->textures.find(texture);
    return found != context->textures.end() && found->second.bound ? GL_TRUE : GL_FALSE;
}

void TexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const GLvoid* pixels) {
    Context* context = current();
    if (!context) return;
    // A list being compiled keeps the image as read now, under the unpack rules of now; a call
    // that runs now is checked before anything is read.
    const bool compiling = context->compilingList && context->listDepth == 0;
    const GLenum error = imageError(*context, target, level, internalformat, width, height, border, format, type);
    if (!compiling) {
        if (!outsideBeginEnd()) return;
        if (error) return setError(*context, error);
    }
    std::shared_ptr<std::vector<unsigned char>> image;
    if (pixels && !error) {
        image = std::make_shared<std::vector<unsigned char>>();
        try {
            if (!unpackImage(*context, width, height, formatComponents(format), 1, pixels, *image)) return;
        } catch (const std::bad_alloc&) {
            return setError(*context, GL_OUT_OF_MEMORY);
        }
    }
    texImagePacked(target, level, internalformat, width, height, border, format, type, image);
}

void TexParameteri(GLenum target, GLenum pname, GLint param) {
    if (listed([=] { TexParameteri(target, pname, param); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (target != GL_TEXTURE_2D) return setError(*context, GL_INVALID_ENUM);
    TextureObject& texture = boundTexture(*context, context->activeUnit);
    GLenum* field = parameterField(texture.parameters, pname);
    const GLenum value = parameterValue(pname, param);
    if (!field || !value) return setError(*context, GL_INVALID_ENUM);
    *field = value;
    sendTextureParameters(*context, texture);
}

void TexParameterf(GLenum target, GLenum pname, GLfloat param) { TexParameteri(target, pname, GLint(param)); }

void GetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (target != GL_TEXTURE_2D) return setError(*context, GL_INVALID_ENUM);
    GLenum* field = parameterField(boundTexture(*context, context->activeUnit).parameters, pname);
    if (!field) return setError(*context, GL_INVALID_ENUM);
    if (params) *params = GLint(*field);
}

void TexEnvi(GLenum target, GLenum pname, GLint param) {
    if (listed([=] { TexEnvi(target, pname, param); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    // GL_BLEND and the environment colour are not offered.
    const GLenum mode = GLenum(param);
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE ||
        (mode != GL_MODULATE && mode != GL_REPLACE && mode != GL_DECAL))
        return setError(*context, GL_INVALID_ENUM);
    context->units[context->activeUnit].envMode = mode;
}

void TexEnvf(GLenum target, GLenum pname, GLfloat param) { TexEnvi(target, pname, GLint(param)); }

void GetTexEnviv(GLenum target, GLenum pname, GLint* params) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) return setError(*context, GL_INVALID_ENUM);
    if (params) *params = GLint(context->units[context->activeUnit].envMode);
}

void ActiveTextureARB(GLenum texture) {
    if (listed([=] { ActiveTextureARB(texture); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    const int unit = unitOf(texture);
    if (unit < 0) return setError(*context, GL_INVALID_ENUM);
    context->activeUnit = unit;
}

void MultiTexCoord2fARB(GLenum target, GLfloat s, GLfloat t) {
    if (listed([=] { MultiTexCoord2fARB(target, s, t); })) return;
    Context* context = current();  // a current value, set between glBegin and glEnd too
    if (!context) return;
    const int unit = unitOf(target);
    if (unit < 0) return setError(*context, GL_INVALID_ENUM);
    float* coordinate = unit == 0 ? context->texCoord : context->texCoord1;
    coordinate[0] = s, coordinate[1] = t, coordinate[2] = 0, coordinate[3] = 1;
}

void MultiTexCoord2fvARB(GLenum target, const GLfloat* v) {
    if (v) MultiTexCoord2fARB(target, v[0], v[1]);
}

}  // namespace ff
