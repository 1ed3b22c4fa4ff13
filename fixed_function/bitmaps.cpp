// The raster position and bitmaps: glRasterPos takes a point through the modelview, the
// projection and the viewport as a vertex would go, and keeps it with the colour (lit when
// lighting is on), its distance from the eye and the texture coordinates of that moment; glBitmap draws
// a bitmap's set bits there as fragments of the raster colour and moves the position on.
//
// ES draws a bitmap as one quad: the bits are a luminance texture, the viewport is the bitmap's
// rectangle, and a small program discards the fragments of clear bits. Textures are kept by
// content, so that text drawn from the same glyph lists frame after frame uploads nothing.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

namespace {

constexpr std::size_t maxBitmapTextures = 1024;    // past this many contents, the cache starts over
constexpr GLenum bitmapTextureUnit = GL_TEXTURE7;  // ES 2.0 offers at least 8; the lower ones are the
                                                   // layer's textures'
constexpr GLuint cornerAttribute = 0;
enum BitmapUniform { uDepth, uColor, uBits };

const char* const bitmapVertexSource =
    "attribute vec2 aCorner;\n"
    "uniform float uDepth;\n"
    "varying vec2 vBit;\n"
    "void main() {\n"
    "  vBit = aCorner * 0.5 + 0.5;\n"
    "  gl_Position = vec4(aCorner, uDepth, 1.0);\n"
    "}\n";
const char* const bitmapFragmentSource =
    "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
    "precision highp float;\n"
    "#else\n"
    "precision mediump float;\n"
    "#endif\n"
    "uniform sampler2D uBits;\n"
    "uniform vec4 uColor;\n"
    "varying vec2 vBit;\n"
    "void main() {\n"
    // Set bits are stored as 1 of 255, clear ones as 0.
    "  if (texture2D(uBits, vBit).r < 0.5 / 255.0) discard;\n"
    "  gl_FragColor = uColor;\n"
    "}\n";

// A bitmap as glBitmap hands it on: its bits unpacked (1 a set bit, rows bottom first), which a
// display list shares with every call of it.
struct BitmapCall {
    GLsizei width, height;
    GLfloat xorig, yorig, xmove, ymove;
    std::shared_ptr<const std::vector<unsigned char>> bits;  // empty: nothing to draw
};

GLuint compileShader(const Es2Api& es, GLenum type, const char* source) {
    const GLuint shader = es.CreateShader(type);
    es.ShaderSource(shader, 1, &source, nullptr);
    es.CompileShader(shader);
    GLint ok = GL_FALSE;
    es.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) es.DeleteShader(shader);
    return ok ? shader : 0;
}

// The bitmap program, quad and sizes, made the first time a bitmap is drawn; false on failure.
bool prepareBitmapObjects(Context& context) {
    BitmapObjects& objects = context.bitmapObjects;
    if (objects.program.name) return true;
    const Es2Api& es = context.es;
    const GLuint vertex = compileShader(es, GL_VERTEX_SHADER, bitmapVertexSource);
    const GLuint fragment = compileShader(es, GL_FRAGMENT_SHADER, bitmapFragmentSource);
    GLuint program = 0;
    if (vertex && fragment) {
        program = es.CreateProgram();
        es.AttachShader(program, vertex);
        es.AttachShader(program, fragment);
        es.BindAttribLocation(program, cornerAttribute, "aCorner");
        es.LinkProgram(program);
        GLint ok = GL_FALSE;
        es.GetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) es.DeleteProgram(program), program = 0;
    }
    if (vertex) es.DeleteShader(vertex);
    if (fragment) es.DeleteShader(fragment);
    if (!program) return false;
    objects.program.name = program;
    objects.program.uniforms = {es.GetUniformLocation(program, "uDepth"), es.GetUniformLocation(program, "uColor"),
                                es.GetUniformLocation(program, "uBits")};
    es.UseProgram(program);
    es.Uniform1i(objects.program.uniforms[uBits], bitmapTextureUnit - GL_TEXTURE0);
    const GLfloat corners[8] = {-1, -1, 1, -1, -1, 1, 1, 1};
    es.GenBuffers(1, &objects.quad);
    es.BindBuffer(GL_ARRAY_BUFFER, objects.quad);
    es.BufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    GLint textureSize = 0, viewportSize[2] = {0, 0};
    es.GetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
    es.GetIntegerv(GL_MAX_VIEWPORT_DIMS, viewportSize);
    objects.maxSize = std::max(1, std::min({textureSize, viewportSize[0], viewportSize[1]}));
    return true;
}

// The texture holding `key`'s bits (its last part, `width` x `height` bytes), uploaded the first
// time that content is drawn.
GLuint bitmapTexture(Context& context, const std::string& key, GLsizei width, GLsizei height) {
    BitmapObjects& objects = context.bitmapObjects;
    const auto found = objects.textures.find(key);
    if (found != objects.textures.end()) return found->second;
    const Es2Api& es = context.es;
    if (objects.textures.size() >= maxBitmapTextures) {
        for (const auto& entry : objects.textures) es.DeleteTextures(1, &entry.second);
        objects.textures.clear();
    }
    GLuint texture = 0;
    es.GenTextures(1, &texture);
    es.BindTexture(GL_TEXTURE_2D, texture);
    es.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    es.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    es.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    es.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    es.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    es.TexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, width, height, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                  key.data() + key.size() - std::size_t(width) * height);
    es.PixelStorei(GL_UNPACK_ALIGNMENT, 4);  // ES's initial value, which the rest of the layer sees
    objects.textures.emplace(key, texture);
    return texture;
}

// GL 1.1's fog factor for a fragment at `distance` from the eye, in [0, 1].
float fogFactor(const Context& context, float distance) {
    float f = 1;
    if (context.fogMode == GL_LINEAR) {
        const float range = context.fogEnd - context.fogStart;
        f = (context.fogEnd - distance) * (range != 0 ? 1 / range : 1);  // as the shaders have it
    } else if (context.fogMode == GL_EXP) {
        f = std::exp(-context.fogDensity * distance);
    } else {
        f = std::exp(-(context.fogDensity * distance) * (context.fogDensity * distance));
    }
    return std::clamp(f, 0.0f, 1.0f);
}

// Draws the set bits of the call at window (x, y) upwards, in tiles no larger than one texture
// and one viewport take.
void drawBits(Context& context, const BitmapCall& call, GLint x, GLint y) {
    if (!prepareBitmapObjects(context)) return;
    const Es2Api& es = context.es;
    BitmapObjects& objects = context.bitmapObjects;
    const RasterPosition& raster = context.raster;

    // The fragments' colour: the raster colour, fogged at the raster position's distance from the
    // eye, measured along the eye's axis as the layer measures it for every other fragment (the
    // OpenGL 1.1 standard allows |z| for both). The overlay's text, at depth 0 in eye coordinates,
    // is not fogged, as Mesa draws it.
    float color[4];
    std::copy(raster.color, raster.color + 4, color);
    if (context.fog) {
        const float f = fogFactor(context, raster.fogDistance);
        for (int k = 0; k < 3; ++k) color[k] = f * color[k] + (1 - f) * context.fogColor[k];
    }

    GLint activeTexture = GL_TEXTURE0;
    es.GetIntegerv(GL_ACTIVE_TEXTURE, &activeTexture);
    es.UseProgram(objects.program.name);
    es.Uniform1f(objects.program.uniforms[uDepth], raster.window[2] * 2 - 1);
    es.Uniform4fv(objects.program.uniforms[uColor], 1, color);
    es.BindBuffer(GL_ARRAY_BUFFER, objects.quad);
    es.VertexAttribPointer(cornerAttribute, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    es.EnableVertexAttribArray(cornerAttribute);
    for (GLuint attribute = 1; attribute < 4; ++attribute) es.DisableVertexAttribArray(attribute);
    es.ActiveTexture(bitmapTextureUnit);
    // A bitmap is no polygon: neither culled nor offset.
    const auto enabled = [&context](GLenum cap) {
        const auto found = context.esCapabilities.find(cap);
        return found != context.esCapabilities.end() && found->second;
    };
    const bool cull = enabled(GL_CULL_FACE), offset = enabled(GL_POLYGON_OFFSET_FILL);
    if (cull) es.Disable(GL_CULL_FACE);
    if (offset) es.Disable(GL_POLYGON_OFFSET_FILL);

    const std::vector<unsigned char>& bits = *call.bits;
    std::string key;
    for (GLsizei top = 0; top < call.height; top += objects.maxSize)
        for (GLsizei left = 0; left < call.width; left += objects.maxSize) {
            const GLsizei w = std::min(objects.maxSize, call.width - left);
            const GLsizei h = std::min(objects.maxSize, call.height - top);
            // The key: the tile's size, then its bits row by row.
            key.assign(reinterpret_cast<const char*>(&w), sizeof w);
            key.append(reinterpret_cast<const char*>(&h), sizeof h);
            for (GLsizei row = 0; row < h; ++row) {
                const unsigned char* from = &bits[std::size_t(top + row) * call.width + left];
                key.append(reinterpret_cast<const char*>(from), std::size_t(w));
            }
            es.BindTexture(GL_TEXTURE_2D, bitmapTexture(context, key, w, h));
            es.Viewport(x + left, y + top, w, h);
            es.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        }

    if (cull) es.Enable(GL_CULL_FACE);
    if (offset) es.Enable(GL_POLYGON_OFFSET_FILL);
    es.ActiveTexture(GLenum(activeTexture));
    es.Viewport(context.viewport[0], context.viewport[1], context.viewport[2], context.viewport[3]);
}

void runBitmap(const BitmapCall& call) {
    Context* context = outsideBeginEnd();
    if (!context || !context->raster.valid) return;  // an invalid raster position draws and moves nothing
    RasterPosition& raster = context->raster;
    if (call.bits && !call.bits->empty()) {
        // The fragments start at the pixel the origin falls in. A window coordinate that no int
        // holds is off every window.
        const double x = std::floor(double(raster.window[0]) - call.xorig);
        const double y = std::floor(double(raster.window[1]) - call.yorig);
        constexpr double farOff = 1 << 30;
        if (std::abs(x) < farOff && std::abs(y) < farOff) drawBits(*context, call, GLint(x), GLint(y));
    }
    raster.window[0] += call.xmove;
    raster.window[1] += call.ymove;
}

// m * v, column-major, in float as GL transforms vertices.
void transform(const Matrix& m, const float v[4], float out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row] * v[3];
}

float dot3(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void normalize3(float v[3]) {
    const float length = std::sqrt(dot3(v, v));
    if (length > 0)
        for (int k = 0; k < 3; ++k) v[k] /= length;
}

// GL 1.1's per-vertex lighting of the current colour and normal at eye position `eye`, the
// equations the generated vertex shaders compute, clamped as they clamp.
void lightColor(const Context& context, const float eye[4], float out[4]) {
    const Material& m = context.front;
    const bool tracked = context.colorMaterial && context.colorMaterialFace != GL_BACK;
    const GLenum mode = context.colorMaterialMode;
    const auto term = [&](const float* material, bool follows) {
        return tracked && follows ? context.color : material;
    };
    const float* ambient = term(m.ambient, mode == GL_AMBIENT || mode == GL_AMBIENT_AND_DIFFUSE);
    const float* diffuse = term(m.diffuse, mode == GL_DIFFUSE || mode == GL_AMBIENT_AND_DIFFUSE);
    const float* specular = term(m.specular, mode == GL_SPECULAR);
    const float* emission = term(m.emission, mode == GL_EMISSION);

    float normals[9], n[3];
    normalMatrix(context.modelview.back(), normals);
    for (int row = 0; row < 3; ++row)
        n[row] = normals[row] * context.normal[0] + normals[3 + row] * context.normal[1] +
                 normals[6 + row] * context.normal[2];
    if (context.normalize) normalize3(n);
    float toEye[3] = {0, 0, 1};
    if (context.localViewer) {
        std::copy(eye, eye + 3, toEye);
        normalize3(toEye);
        for (float& c : toEye) c = -c;
    }
    float c[3];
    for (int k = 0; k < 3; ++k) c[k] = emission[k] + ambient[k] * context.lightModelAmbient[k];
    for (const Light& light : context.lights) {
        if (!light.enabled) continue;
        float attenuation = 1, VP[3];
        if (light.position[3] != 0) {
            for (int k = 0; k < 3; ++k) VP[k] = light.position[k] / light.position[3] - eye[k];
            const float d = std::sqrt(dot3(VP, VP));
            for (float& v : VP) v /= d;
            const float* a = light.attenuation;
            if (a[0] != 1 || a[1] != 0 || a[2] != 0) attenuation = 1 / (a[0] + a[1] * d + a[2] * d * d);
        } else {
            std::copy(light.position, light.position + 3, VP);
            normalize3(VP);
        }
        if (light.spotCutoff != 180) {
            float direction[3];
            std::copy(light.spotDirection, light.spotDirection + 3, direction);
            normalize3(direction);
            const float spotCos = -dot3(VP, direction);
            const float cosCutoff = float(std::cos(light.spotCutoff * 3.14159265358979323846 / 180.0));
            attenuation *= spotCos >= cosCutoff ? std::pow(std::max(spotCos, 0.0f), light.spotExponent) : 0.0f;
        }
        float half[3] = {VP[0] + toEye[0], VP[1] + toEye[1], VP[2] + toEye[2]};
        normalize3(half);
        const float nDotVP = std::max(dot3(n, VP), 0.0f), nDotH = std::max(dot3(n, half), 0.0f);
        const float shine = nDotVP > 0 ? (m.shininess > 0 ? std::pow(nDotH, m.shininess) : 1.0f) : 0.0f;
        for (int k = 0; k < 3; ++k)
            c[k] += attenuation * (ambient[k] * light.ambient[k] + nDotVP * diffuse[k] * light.diffuse[k] +
                                   shine * specular[k] * light.specular[k]);
    }
    for (int k = 0; k < 3; ++k) out[k] = std::clamp(c[k], 0.0f, 1.0f);
    out[3] = std::clamp(diffuse[3], 0.0f, 1.0f);
}

}  // namespace

void RasterPos4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    if (listed([=] { RasterPos4f(x, y, z, w); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    RasterPosition& raster = context->raster;
    const float object[4] = {x, y, z, w};
    float eye[4], clip[4];
    transform(context->modelview.back(), object, eye);
    transform(context->projection.back(), eye, clip);
    // A position outside the clip volume is invalid; the rest of the raster state stays as it was.
    for (int k = 0; k < 3; ++k)
        if (!(clip[k] >= -clip[3] && clip[k] <= clip[3])) {
            raster.valid = false;
            return;
        }
    const float d = clip[3] == 0 ? 1.0f : 1.0f / clip[3];
    const GLint* viewport = context->viewport;
    const float halfWidth = float(viewport[2]) / 2, halfHeight = float(viewport[3]) / 2;
    raster.window[0] = clip[0] * d * halfWidth + (float(viewport[0]) + halfWidth);
    raster.window[1] = clip[1] * d * halfHeight + (float(viewport[1]) + halfHeight);
    raster.window[2] = clip[2] * d * 0.5f + 0.5f;  // the depth range is GL's initial [0, 1]
    raster.window[3] = clip[3];
    raster.valid = true;
    if (context->lighting) {
        lightColor(*context, eye, raster.color);
    } else {
        for (int k = 0; k < 4; ++k) raster.color[k] = std::clamp(context->color[k], 0.0f, 1.0f);
    }
    raster.distance = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    raster.fogDistance = std::abs(eye[2]);
    std::copy(context->texCoord, context->texCoord + 4, raster.texCoord);
}

void RasterPos2i(GLint x, GLint y) { RasterPos4f(GLfloat(x), GLfloat(y), 0, 1); }
void RasterPos2f(GLfloat x, GLfloat y) { RasterPos4f(x, y, 0, 1); }
void RasterPos3f(GLfloat x, GLfloat y, GLfloat z) { RasterPos4f(x, y, z, 1); }

void Bitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
            const GLubyte* bitmap) {
    Context* context = current();
    if (!context) return;
    // A list keeps the bits as the unpack rules of compile time lay them out.
    const bool compiling = context->compilingList && context->listDepth == 0;
    if (!compiling && context->insideBeginEnd) return setError(*context, GL_INVALID_OPERATION);
    if (width < 0 || height < 0) {
        if (listed([=] { Bitmap(width, height, xorig, yorig, xmove, ymove, nullptr); })) return;
        return setError(*context, GL_INVALID_VALUE);
    }
    // One byte a bit is held for the whole bitmap: more than fits any window is refused before
    // anything is read or held.
    constexpr std::uint64_t maxBits = std::uint64_t(1) << 28;
    if (bitmap && std::uint64_t(width) * std::uint64_t(height) > maxBits) return setError(*context, GL_OUT_OF_MEMORY);
    auto bits = std::make_shared<std::vector<unsigned char>>();
    // Without bits (a glyph with no pixels) the call only moves the raster position.
    if (bitmap && !unpackBitmap(*context, width, height, bitmap, *bits)) return;
    const BitmapCall call{width, height, xorig, yorig, xmove, ymove, std::move(bits)};
    if (listed([call] { runBitmap(call); })) return;
    runBitmap(call);
}

void deleteBitmapObjects(Context& context) {
    BitmapObjects& objects = context.bitmapObjects;
    const Es2Api& es = context.es;
    for (const auto& entry : objects.textures) es.DeleteTextures(1, &entry.second);
    objects.textures.clear();
    if (objects.quad) es.DeleteBuffers(1, &objects.quad);
    if (objects.program.name) es.DeleteProgram(objects.program.name);
    objects = BitmapObjects();
}

}  // namespace ff
