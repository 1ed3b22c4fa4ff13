// GLU on the layer: gluPerspective, built in double as GLU builds it and handed to the current
// matrix as glMultMatrixd would be, and the quadrics' sphere, made of the same immediate-mode
// calls as GLU makes (primitives, vertex order, normals and texture coordinates, computed in
// the same precision), so that the pictures are GLU's.
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

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
