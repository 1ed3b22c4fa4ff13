// GLU on the layer: gluPerspective, built in double as GLU builds it and handed to the current
// matrix as glMultMatrixd would be; gluScaleImage and gluBuild2DMipmaps, which scale with GLU's box
// filters, in the same float steps, so that their images come out as GLU's do byte for byte; and
// the quadrics' sphere, made of the same immediate-mode calls as GLU makes (primitives, vertex
// order, normals and texture coordinates, computed in the same precision), so that the pictures
// are GLU's.
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

// GLU 1.3's code, which MinGW's older glu.h does not name.
#ifndef GLU_INVALID_OPERATION
#define GLU_INVALID_OPERATION 100904
#endif

namespace ff {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr GLint maxDivisions = 239;  // slices and stacks past this are taken as this, as GLU takes them

// What a GLUquadric handed out by the layer points to.
struct Quadric {
    GLenum drawStyle = GLU_FILL;
    GLenum normals = GLU_SMOOTH;
    GLenum orientation = GLU_OUTSIDE;
    bool textureCoords = false;
};

Quadric* quadricOf(GLUquadric* quadric) { return reinterpret_cast<Quadric*>(quadric); }

// The sines and cosines a sphere is made of, each stored in float from an angle stored in float,
// as GLU keeps them.
struct SphereTables {
    // Around the axis: each slice's angle, and the angle half a slice before it (flat normals),
    // slices + 1 entries with the last the first again.
    std::vector<float> sliceSin, sliceCos, faceSliceSin, faceSliceCos;
    // From the +z pole down: each ring's radius and height (the poles' radius exactly 0), its
    // normal's sine and cosine (negated inside), and those half a stack before it (flat normals).
    std::vector<float> ringRadius, ringZ, normalSin, normalCos, faceSin, faceCos;
};

SphereTables sphereTables(double radius, GLint slices, GLint stacks, bool inside) {
    SphereTables t;
    // The angle is rounded to float, its sine taken in double.
    const auto angleSin = [](double angle) { return float(std::sin(double(float(angle)))); };
    const auto angleCos = [](double angle) { return float(std::cos(double(float(angle)))); };
    for (GLint i = 0; i < slices; ++i) {
        t.sliceSin.push_back(angleSin(2 * pi * i / slices));
        t.sliceCos.push_back(angleCos(2 * pi * i / slices));
        t.faceSliceSin.push_back(angleSin(2 * pi * (i - 0.5) / slices));
        t.faceSliceCos.push_back(angleCos(2 * pi * (i - 0.5) / slices));
    }
    for (std::vector<float>* v : {&t.sliceSin, &t.sliceCos, &t.faceSliceSin, &t.faceSliceCos}) v->push_back(v->front());
    const float sign = inside ? -1.0f : 1.0f;
    for (GLint j = 0; j <= stacks; ++j) {
        const double angle = float(pi * j / stacks), faceAngle = float(pi * (j - 0.5) / stacks);
        t.ringRadius.push_back(float(radius * std::sin(angle)));
        t.ringZ.push_back(float(radius * std::cos(angle)));
        t.normalSin.push_back(sign * float(std::sin(angle)));
        t.normalCos.push_back(sign * float(std::cos(angle)));
        t.faceSin.push_back(sign * float(std::sin(faceAngle)));
        t.faceCos.push_back(sign * float(std::cos(faceAngle)));
    }
    t.ringRadius.front() = t.ringRadius.back() = 0;  // the poles come to a point
    return t;
}

// The calls one sphere makes, on its tables.
struct SphereDrawer {
    const SphereTables& t;
    GLint slices, stacks;
    bool textured;

    // The vertex of slice i on ring j, with its texture coordinate when the quadric has them.
    void vertex(GLint i, GLint j) const {
        if (textured) TexCoord2f(1 - float(i) / float(slices), 1 - float(j) / float(stacks));
        Vertex3f(t.ringRadius[j] * t.sliceSin[i], t.ringRadius[j] * t.sliceCos[i], t.ringZ[j]);
    }
    // The normal at slice i of ring j (smooth).
    void normal(GLint i, GLint j) const {
        Normal3f(t.sliceSin[i] * t.normalSin[j], t.sliceCos[i] * t.normalSin[j], t.normalCos[j]);
    }
    // The normal of the face around slice i's start, at ring j's face angle (flat).
    void faceNormal(GLint i, GLint j) const {
        Normal3f(t.faceSliceSin[i] * t.faceSin[j], t.faceSliceCos[i] * t.faceSin[j], t.faceCos[j]);
    }
};

void fillSphere(const Quadric& q, const SphereDrawer& d, double radius) {
    const SphereTables& t = d.t;
    const GLint slices = d.slices, stacks = d.stacks;
    const bool outside = q.orientation == GLU_OUTSIDE, smooth = q.normals == GLU_SMOOTH, flat = q.normals == GLU_FLAT;
    GLint first = 0, last = stacks;
    // Without texture coordinates the caps are fans around the poles (with them, the pole would
    // need a coordinate per slice).
    if (!q.textureCoords) {
        first = 1, last = stacks - 1;
        // The cap at +z, the fan turning so that it faces out (or in).
        if (smooth) d.normal(0, 0);
        Begin(GL_TRIANGLE_FAN);
        Vertex3f(0, 0, float(radius));
        for (GLint k = 0; k <= slices; ++k) {
            const GLint i = outside ? slices - k : k;
            if (smooth) d.normal(i, 1);
            // Flat, facing out, GLU gives the face normal from the second vertex on.
            if (flat && (!outside || i != slices)) d.faceNormal(outside ? i + 1 : i, 1);
            d.vertex(i, 1);
        }
        End();
        // The cap at -z. Its pole's smooth normal takes the slice table at the stack count, as
        // GLU does; past the slices, where GLU reads what it never set, the slice angle's own.
        if (smooth) {
            float sine = 0, cosine = 1;
            if (stacks <= slices) {
                sine = t.sliceSin[stacks], cosine = t.sliceCos[stacks];
            } else {
                const double angle = float(2 * pi * stacks / slices);
                sine = float(std::sin(angle)), cosine = float(std::cos(angle));
            }
            Normal3f(sine * t.normalSin[stacks], cosine * t.normalSin[stacks], t.normalCos[stacks]);
        }
        Begin(GL_TRIANGLE_FAN);
        Vertex3f(0, 0, float(-radius));
        for (GLint k = 0; k <= slices; ++k) {
            const GLint i = outside ? k : slices - k;
            if (smooth) d.normal(i, stacks - 1);
            if (flat && (outside || i != slices)) d.faceNormal(outside ? i : i + 1, stacks);
            d.vertex(i, stacks - 1);
        }
        End();
    }
    for (GLint j = first; j < last; ++j) {
        // Each quad strip runs round one stack, the lower ring first when facing out.
        const GLint a = outside ? j + 1 : j, b = outside ? j : j + 1;
        Begin(GL_QUAD_STRIP);
        for (GLint i = 0; i <= slices; ++i) {
            if (smooth) d.normal(i, a);
            d.vertex(i, a);
            if (smooth) d.normal(i, b);
            if (flat) d.faceNormal(i, j + 1);
            d.vertex(i, b);
        }
        End();
    }
}

void pointSphere(const Quadric& q, const SphereDrawer& d) {
    // GLU gives points the smooth normals in the flat mode as well.
    const bool normals = q.normals != GLU_NONE;
    Begin(GL_POINTS);
    for (GLint j = 0; j <= d.stacks; ++j)
        for (GLint i = 0; i < d.slices; ++i) {
            if (normals) d.normal(i, j);
            d.vertex(i, j);
        }
    End();
}

// GLU_LINE and GLU_SILHOUETTE alike: the rings between the poles, then the meridians.
void lineSphere(const Quadric& q, const SphereDrawer& d) {
    const SphereTables& t = d.t;
    const bool smooth = q.normals == GLU_SMOOTH, flat = q.normals == GLU_FLAT;
    for (GLint j = 1; j < d.stacks; ++j) {
        Begin(GL_LINE_STRIP);
        for (GLint i = 0; i <= d.slices; ++i) {
            if (smooth) d.normal(i, j);
            if (flat) Normal3f(t.faceSliceSin[i] * t.normalSin[j], t.faceSliceCos[i] * t.normalSin[j], t.normalCos[j]);
            d.vertex(i, j);
        }
        End();
    }
    for (GLint i = 0; i < d.slices; ++i) {
        Begin(GL_LINE_STRIP);
        for (GLint j = 0; j <= d.stacks; ++j) {
            if (smooth) d.normal(i, j);
            if (flat) Normal3f(t.sliceSin[i] * t.faceSin[j], t.sliceCos[i] * t.faceSin[j], t.faceCos[j]);
            d.vertex(i, j);
        }
        End();
    }
}

}  // namespace

void Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2 * pi / 180;
    const double depth = zFar - zNear;
    const double sine = std::sin(radians);
    // GLU leaves the matrix alone where the projection would divide by zero.
    if (depth == 0 || sine == 0 || aspect == 0) return;
    const double cotangent = std::cos(radians) / sine;
    GLdouble m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / depth;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / depth;
    MultMatrixd(m);
}

namespace {

using Image = std::vector<unsigned char>;  // packed rows of `components` bytes a pixel

// The caller's image read under the unpack rules, as GLU reads it; false when the rules place it
// beyond what memory can address. GLU reports no GL error of its own, so none is left behind.
bool readImage(Context& context, GLsizei width, GLsizei height, int components, const void* data, Image& image) {
    const GLenum before = context.error;
    if (unpackImage(context, width, height, components, 1, data, image)) return true;
    context.error = before;
    return false;
}

// The power of two GLU rounds a side to: the one below, or the one above when the side is at
// least one and a half times the one below.
GLsizei nearestPowerOfTwo(GLsizei side) {
    GLsizei power = 1;
    while (side > 3) side >>= 1, power <<= 1;
    return side == 3 ? power * 4 : side == 2 ? power * 2 : power;
}

// Halves an image with GLU's box filter: the rounded mean of each 2 x 2 block, or the truncated
// mean of each pair where the image is one pixel wide or high.
Image halve(const Image& in, int width, int height, int components) {
    const int w = std::max(1, width / 2), h = std::max(1, height / 2);
    Image out(std::size_t(w) * h * components);
    const auto at = [&](int x, int y, int k) { return int(in[(std::size_t(y) * width + x) * components + k]); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < components; ++k) {
                int value;
                if (width == 1)
                    value = (at(0, 2 * y, k) + at(0, 2 * y + 1, k)) / 2;
                else if (height == 1)
                    value = (at(2 * x, 0, k) + at(2 * x + 1, 0, k)) / 2;
                else
                    value = (at(2 * x, 2 * y, k) + at(2 * x + 1, 2 * y, k) + at(2 * x, 2 * y + 1, k) +
                             at(2 * x + 1, 2 * y + 1, k) + 2) /
                            4;
                out[(std::size_t(y) * w + x) * components + k] = static_cast<unsigned char>(value);
            }
    return out;
}

// One output pixel's footprint along an axis, as GLU steps it: from `low` to `high` input pixels,
// each split into a whole part and a fraction.
struct Span {
    int lowInt = 0, highInt = 0;
    float lowFraction = 0, highFraction = 0;
};

// Scales bytes with the box filter gluBuild2DMipmaps uses for a side that is not a power of two:
// each output pixel is the area-weighted mean of the input pixels its box covers, truncated.
// The terms are summed in GLU's order, in float, for the same bytes.
Image scaleForMipmaps(const Image& in, int widthIn, int heightIn, int widthOut, int heightOut, int components) {
    Image out(std::size_t(widthOut) * heightOut * components);
    const float convY = float(heightIn) / heightOut, convX = float(widthIn) / widthOut;
    const int convYInt = int(std::floor(convY)), convXInt = int(std::floor(convX));
    const float convYFraction = convY - convYInt, convXFraction = convX - convXInt;
    const float area = convX * convY;
    // A pixel's component; indices past the edge (reached only with a weight of 0) are clamped.
    const auto at = [&](int x, int y, int k) {
        x = std::min(x, widthIn - 1), y = std::min(y, heightIn - 1);
        return float(in[(std::size_t(y) * widthIn + x) * components + k]);
    };
    const auto advance = [](Span& s, int whole, float fraction) {
        s.lowInt = s.highInt, s.lowFraction = s.highFraction;
        s.highInt += whole, s.highFraction += fraction;
        if (s.highFraction > 1) s.highFraction -= 1.0f, ++s.highInt;
    };
    Span sy{0, convYInt, 0, convYFraction};
    for (int i = 0; i < heightOut; ++i) {
        sy.highInt = std::min(sy.highInt, heightIn - 1);
        Span sx{0, convXInt, 0, convXFraction};
        for (int j = 0; j < widthOut; ++j) {
            for (int k = 0; k < components; ++k) {
                float total = 0;
                // A run of pixels along one row, its ends weighted by their fractions.
                const auto row = [&](int y, float weight) {
                    total += at(sx.lowInt, y, k) * (weight * (1 - sx.lowFraction));
                    for (int x = sx.lowInt + 1; x < sx.highInt; ++x) total += at(x, y, k) * weight;
                    total += at(sx.highInt, y, k) * (weight * sx.highFraction);
                };
                if (sy.highInt > sy.lowInt && sx.highInt > sx.lowInt) {
                    row(sy.lowInt, 1 - sy.lowFraction);
                    row(sy.highInt, sy.highFraction);
                    for (int y = sy.lowInt + 1; y < sy.highInt; ++y)
                        total += at(sx.lowInt, y, k) * (1 - sx.lowFraction) + at(sx.highInt, y, k) * sx.highFraction;
                } else if (sy.highInt > sy.lowInt) {
                    const float xPercent = sx.highFraction - sx.lowFraction;
                    total += at(sx.lowInt, sy.lowInt, k) * ((1 - sy.lowFraction) * xPercent);
                    for (int y = sy.lowInt + 1; y < sy.highInt; ++y) total += at(sx.lowInt, y, k) * xPercent;
                    total += at(sx.lowInt, sy.highInt, k) * (xPercent * sy.highFraction);
                } else if (sx.highInt > sx.lowInt) {
                    const float yPercent = sy.highFraction - sy.lowFraction;
                    total += at(sx.lowInt, sy.lowInt, k) * ((1 - sx.lowFraction) * yPercent);
                    for (int x = sx.lowInt + 1; x < sx.highInt; ++x) total += at(x, sy.lowInt, k) * yPercent;
                    total += at(sx.highInt, sy.lowInt, k) * (yPercent * sx.highFraction);
                } else {
                    total += at(sx.lowInt, sy.lowInt, k) *
                             ((sy.highFraction - sy.lowFraction) * (sx.highFraction - sx.lowFraction));
                }
                // The pixels wholly inside the box.
                for (int y = sy.lowInt + 1; y < sy.highInt; ++y)
                    for (int x = sx.lowInt + 1; x < sx.highInt; ++x) total += at(x, y, k);
                out[(std::size_t(i) * widthOut + j) * components + k] = static_cast<unsigned char>(total / area);
            }
            advance(sx, convXInt, convXFraction);
        }
        advance(sy, convYInt, convYFraction);
    }
    return out;
}

// Scales with the box filter of gluScaleImage, which works on 16-bit components (each byte b as
// b * 257, back as the high byte): halving by the rounded mean of 2 x 2 blocks, any other size by
// the area-weighted mean of the box each output pixel covers, which wraps around the image's
// edges when enlarging. In float as GLU computes it.
Image scaleImage(const Image& in, int widthIn, int heightIn, int widthOut, int heightOut, int components) {
    Image out(std::size_t(widthOut) * heightOut * components);
    const auto at = [&](int x, int y, int k) {
        return unsigned(in[(std::size_t(y) * widthIn + x) * components + k]) * 257;
    };
    if (widthIn == widthOut * 2 && heightIn == heightOut * 2) {
        for (int y = 0; y < heightOut; ++y)
            for (int x = 0; x < widthOut; ++x)
                for (int k = 0; k < components; ++k) {
                    const unsigned sum = at(2 * x, 2 * y, k) + at(2 * x + 1, 2 * y, k) + at(2 * x, 2 * y + 1, k) +
                                         at(2 * x + 1, 2 * y + 1, k);
                    out[(std::size_t(y) * widthOut + x) * components + k] =
                        static_cast<unsigned char>((sum + 2) / 4 >> 8);
                }
        return out;
    }
    const float convY = float(heightIn) / heightOut, convX = float(widthIn) / widthOut;
    const float halfConvX = convX / 2, halfConvY = convY / 2;
    for (int i = 0; i < heightOut; ++i) {
        const float centreY = float(convY * (i + 0.5));
        const float lowY = heightIn > heightOut ? centreY - halfConvY : float(centreY - 0.5);
        const float highY = heightIn > heightOut ? centreY + halfConvY : float(centreY + 0.5);
        for (int j = 0; j < widthOut; ++j) {
            const float centreX = float(convX * (j + 0.5));
            const float lowX = widthIn > widthOut ? centreX - halfConvX : float(centreX - 0.5);
            const float highX = widthIn > widthOut ? centreX + halfConvX : float(centreX + 0.5);
            float totals[4] = {0, 0, 0, 0};
            float area = 0;
            float y = lowY;
            for (int yInt = int(std::floor(y)); y < highY; y = float(++yInt)) {
                const int row = ((yInt % heightIn) + heightIn) % heightIn;
                const float yPercent = highY < float(yInt + 1) ? highY - y : float(yInt + 1) - y;
                float x = lowX;
                for (int xInt = int(std::floor(x)); x < highX; x = float(++xInt)) {
                    const int column = ((xInt % widthIn) + widthIn) % widthIn;
                    const float xPercent = highX < float(xInt + 1) ? highX - x : float(xInt + 1) - x;
                    const float percent = xPercent * yPercent;
                    area += percent;
                    for (int k = 0; k < components; ++k) totals[k] += float(at(column, row, k)) * percent;
                }
            }
            for (int k = 0; k < components; ++k) {
                const unsigned value = static_cast<unsigned>((double(totals[k]) + 0.5) / double(area));
                out[(std::size_t(i) * widthOut + j) * components + k] =
                    static_cast<unsigned char>(std::min(value, 65535u) >> 8);
            }
        }
    }
    return out;
}

}  // namespace

GLint ScaleImage(GLenum format, GLsizei widthin, GLsizei heightin, GLenum typein, const void* datain, GLsizei widthout,
                 GLsizei heightout, GLenum typeout, void* dataout) {
    if (widthin == 0 || heightin == 0 || widthout == 0 || heightout == 0) return 0;
    if (widthin < 0 || heightin < 0 || widthout < 0 || heightout < 0) return GLU_INVALID_VALUE;
    const int components = formatComponents(format);
    if (!components || typein != GL_UNSIGNED_BYTE || typeout != GL_UNSIGNED_BYTE) return GLU_INVALID_ENUM;
    if (!datain || !dataout) return GLU_INVALID_VALUE;
    Context* context = outsideBeginEnd();
    if (!context) return GLU_INVALID_OPERATION;
    Image out;
    try {
        Image in;
        if (!readImage(*context, widthin, heightin, components, datain, in)) return GLU_INVALID_VALUE;
        out = scaleImage(in, widthin, heightin, widthout, heightout, components);
    } catch (const std::bad_alloc&) {
        return GLU_OUT_OF_MEMORY;
    }
    // The rows go out under the pack alignment.
    const std::size_t rowBytes = std::size_t(widthout) * components;
    const std::size_t alignment = std::size_t(context->packAlignment);
    const std::size_t stride = (rowBytes + alignment - 1) / alignment * alignment;
    for (GLsizei row = 0; row < heightout; ++row)
        std::copy_n(&out[row * rowBytes], rowBytes, static_cast<unsigned char*>(dataout) + row * stride);
    return 0;
}

GLint Build2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format, GLenum type,
                     const void* data) {
    const int components = formatComponents(format);
    if (!components || type != GL_UNSIGNED_BYTE) return GLU_INVALID_ENUM;
    if (width < 1 || height < 1 || !data) return GLU_INVALID_VALUE;
    Context* context = outsideBeginEnd();
    if (!context) return GLU_INVALID_OPERATION;
    // Level 0 is the image scaled to powers of two (within the driver's size); each level after
    // it halves the one before down to 1 x 1. The target and internal format are glTexImage2D's
    // to judge, with GL's error.
    int levelWidth = std::min(nearestPowerOfTwo(width), context->maxTextureSize);
    int levelHeight = std::min(nearestPowerOfTwo(height), context->maxTextureSize);
    auto image = std::make_shared<Image>();
    try {
        if (!readImage(*context, width, height, components, data, *image)) return GLU_INVALID_VALUE;
        if (levelWidth != width || levelHeight != height)
            *image = scaleForMipmaps(*image, width, height, levelWidth, levelHeight, components);
        for (GLint level = 0;; ++level) {
            texImagePacked(target, level, internalFormat, levelWidth, levelHeight, 0, format, type, image);
            if (levelWidth == 1 && levelHeight == 1) break;
            image = std::make_shared<Image>(halve(*image, levelWidth, levelHeight, components));
            levelWidth = std::max(1, levelWidth / 2), levelHeight = std::max(1, levelHeight / 2);
        }
    } catch (const std::bad_alloc&) {
        return GLU_OUT_OF_MEMORY;
    }
    return 0;
}

GLUquadric* NewQuadric() { return reinterpret_cast<GLUquadric*>(new (std::nothrow) Quadric); }

void DeleteQuadric(GLUquadric* quadric) { delete quadricOf(quadric); }

void QuadricDrawStyle(GLUquadric* quadric, GLenum drawStyle) {
    if (quadric &&
        (drawStyle == GLU_FILL || drawStyle == GLU_LINE || drawStyle == GLU_SILHOUETTE || drawStyle == GLU_POINT))
        quadricOf(quadric)->drawStyle = drawStyle;
}

void QuadricNormals(GLUquadric* quadric, GLenum normals) {
    if (quadric && (normals == GLU_SMOOTH || normals == GLU_FLAT || normals == GLU_NONE))
        quadricOf(quadric)->normals = normals;
}

void QuadricTexture(GLUquadric* quadric, GLboolean textureCoords) {
    if (quadric) quadricOf(quadric)->textureCoords = textureCoords != GL_FALSE;
}

void QuadricOrientation(GLUquadric* quadric, GLenum orientation) {
    if (quadric && (orientation == GLU_OUTSIDE || orientation == GLU_INSIDE))
        quadricOf(quadric)->orientation = orientation;
}

void Sphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks) {
    if (!quadric) return;
    const Quadric& q = *quadricOf(quadric);
    slices = std::min(slices, maxDivisions);
    stacks = std::min(stacks, maxDivisions);
    if (slices < 2 || stacks < 1 || !(radius >= 0)) return;
    const SphereTables tables = sphereTables(radius, slices, stacks, q.orientation == GLU_INSIDE);
    const SphereDrawer drawer{tables, slices, stacks, q.textureCoords};
    if (q.drawStyle == GLU_FILL)
        fillSphere(q, drawer, radius);
    else if (q.drawStyle == GLU_POINT)
        pointSphere(q, drawer);
    else
        lineSphere(q, drawer);
}

}  // namespace ff
