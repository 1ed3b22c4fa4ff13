// The modelview, projection and texture stacks and every call that transforms them, in float as GL's
// own implementations compute them, so that matrices read back agree with the driver's.
#include <algorithm>
#include <array>
#include <cmath>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

namespace {

constexpr double degreesToRadians = 3.14159265358979323846 / 180.0;

// Multiplies the selected stack's top by m on the right, as every transform call does.
void multiplyTop(const Matrix& m) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    Matrix& top = currentStack(*context).back();
    top = multiply(top, m);
}

Matrix fromDoubles(const GLdouble* m) {
    Matrix result;
    for (int i = 0; i < 16; ++i) result[i] = static_cast<float>(m[i]);
    return result;
}

// The rotation by angle degrees about (x, y, z); a rotation about a coordinate axis is built
// from sine and cosine alone, so that quarter turns leave exact zeros and ones.
Matrix rotation(float angle, float x, float y, float z) {
    Matrix m = identityMatrix;
    const float radians = static_cast<float>(angle * degreesToRadians);
    const float s = std::sin(radians);
    const float c = std::cos(radians);
    auto at = [&m](int row, int column) -> float& { return m[column * 4 + row]; };
    if (x == 0 && y == 0 && z != 0) {
        at(0, 0) = c, at(1, 1) = c;
        at(0, 1) = z < 0 ? s : -s, at(1, 0) = z < 0 ? -s : s;
    } else if (x == 0 && z == 0 && y != 0) {
        at(0, 0) = c, at(2, 2) = c;
        at(0, 2) = y < 0 ? -s : s, at(2, 0) = y < 0 ? s : -s;
    } else if (y == 0 && z == 0 && x != 0) {
        at(1, 1) = c, at(2, 2) = c;
        at(1, 2) = x < 0 ? s : -s, at(2, 1) = x < 0 ? -s : s;
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f) return identityMatrix;  // no axis: GL's implementations leave it be
        x /= length, y /= length, z /= length;
        const float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s, oneMinusC = 1.0f - c;
        at(0, 0) = oneMinusC * xx + c, at(0, 1) = oneMinusC * xy - zs, at(0, 2) = oneMinusC * zx + ys;
        at(1, 0) = oneMinusC * xy + zs, at(1, 1) = oneMinusC * yy + c, at(1, 2) = oneMinusC * yz - xs;
        at(2, 0) = oneMinusC * zx - ys, at(2, 1) = oneMinusC * yz + xs, at(2, 2) = oneMinusC * zz + c;
    }
    return m;
}

}  // namespace

std::vector<Matrix>& currentStack(Context& context) {
    if (context.matrixMode == GL_TEXTURE) return context.units[context.activeUnit].matrix;
    return context.matrixMode == GL_PROJECTION ? context.projection : context.modelview;
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix p;
    for (int row = 0; row < 4; ++row) {
        const float a0 = a[row], a1 = a[4 + row], a2 = a[8 + row], a3 = a[12 + row];
        for (int column = 0; column < 4; ++column) {
            const float* bc = &b[column * 4];
            p[column * 4 + row] = a0 * bc[0] + a1 * bc[1] + a2 * bc[2] + a3 * bc[3];
        }
    }
    return p;
}

void MatrixMode(GLenum mode) {
    if (listed([=] { MatrixMode(mode); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        setError(*context, GL_INVALID_ENUM);
        return;
    }
    context->matrixMode = mode;
}

void LoadIdentity() {
    if (listed([=] { LoadIdentity(); })) return;
    Context* context = outsideBeginEnd();
    if (context) currentStack(*context).back() = identityMatrix;
}

void PushMatrix() {
    if (listed([=] { PushMatrix(); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    std::vector<Matrix>& stack = currentStack(*context);
    const std::size_t depth = context->matrixMode == GL_PROJECTION ? maxProjectionDepth
                              : context->matrixMode == GL_TEXTURE  ? maxTextureDepth
                                                                   : maxModelviewDepth;
    if (stack.size() >= depth) {
        setError(*context, GL_STACK_OVERFLOW);
        return;
    }
    stack.push_back(stack.back());
}

void PopMatrix() {
    if (listed([=] { PopMatrix(); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    std::vector<Matrix>& stack = currentStack(*context);
    if (stack.size() <= 1) {
        setError(*context, GL_STACK_UNDERFLOW);
        return;
    }
    stack.pop_back();
}

void LoadMatrixf(const GLfloat* m) {
    if (m) {
        std::array<GLfloat, 16> copy;
        std::copy(m, m + 16, copy.begin());
        if (listed([=] { LoadMatrixf(copy.data()); })) return;
    }
    Context* context = outsideBeginEnd();
    if (!context || !m) return;
    std::copy(m, m + 16, currentStack(*context).back().begin());
}

void LoadMatrixd(const GLdouble* m) {
    if (m) {
        std::array<GLdouble, 16> copy;
        std::copy(m, m + 16, copy.begin());
        if (listed([=] { LoadMatrixd(copy.data()); })) return;
    }
    Context* context = outsideBeginEnd();
    if (!context || !m) return;
    currentStack(*context).back() = fromDoubles(m);
}

void MultMatrixf(const GLfloat* m) {
    if (m) {
        std::array<GLfloat, 16> copy;
        std::copy(m, m + 16, copy.begin());
        if (listed([=] { MultMatrixf(copy.data()); })) return;
    }
    if (!m) return;
    Matrix right;
    std::copy(m, m + 16, right.begin());
    multiplyTop(right);
}

void MultMatrixd(const GLdouble* m) {
    if (m) {
        std::array<GLdouble, 16> copy;
        std::copy(m, m + 16, copy.begin());
        if (listed([=] { MultMatrixd(copy.data()); })) return;
    }
    if (m) multiplyTop(fromDoubles(m));
}

void Translatef(GLfloat x, GLfloat y, GLfloat z) {
    if (listed([=] { Translatef(x, y, z); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    Matrix& m = currentStack(*context).back();
    for (int row = 0; row < 4; ++row) m[12 + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
}

void Translated(GLdouble x, GLdouble y, GLdouble z) { Translatef(float(x), float(y), float(z)); }

void Scalef(GLfloat x, GLfloat y, GLfloat z) {
    if (listed([=] { Scalef(x, y, z); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    Matrix& m = currentStack(*context).back();
    for (int row = 0; row < 4; ++row) m[row] *= x, m[4 + row] *= y, m[8 + row] *= z;
}

void Scaled(GLdouble x, GLdouble y, GLdouble z) { Scalef(float(x), float(y), float(z)); }

void Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    if (listed([=] { Rotatef(angle, x, y, z); })) return;
    if (angle != 0)
        multiplyTop(rotation(angle, x, y, z));
    else
        outsideBeginEnd();  // still GL_INVALID_OPERATION between Begin and End
}

void Rotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    Rotatef(float(angle), float(x), float(y), float(z));
}

void Ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
    if (listed([=] { Ortho(left, right, bottom, top, zNear, zFar); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (left == right || bottom == top || zNear == zFar) {
        setError(*context, GL_INVALID_VALUE);
        return;
    }
    const float l = float(left), r = float(right), b = float(bottom), t = float(top), n = float(zNear), f = float(zFar);
    Matrix m = identityMatrix;
    m[0] = 2.0f / (r - l);
    m[12] = -(r + l) / (r - l);
    m[5] = 2.0f / (t - b);
    m[13] = -(t + b) / (t - b);
    m[10] = -2.0f / (f - n);
    m[14] = -(f + n) / (f - n);
    multiplyTop(m);
}

void Frustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
    if (listed([=] { Frustum(left, right, bottom, top, zNear, zFar); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (zNear <= 0 || zFar <= 0 || zNear == zFar || left == right || bottom == top) {
        setError(*context, GL_INVALID_VALUE);
        return;
    }
    const float l = float(left), r = float(right), b = float(bottom), t = float(top), n = float(zNear), f = float(zFar);
    Matrix m = {};
    m[0] = (2.0f * n) / (r - l);
    m[5] = (2.0f * n) / (t - b);
    m[8] = (r + l) / (r - l);
    m[9] = (t + b) / (t - b);
    m[10] = -(f + n) / (f - n);
    m[11] = -1.0f;
    m[14] = -(2.0f * f * n) / (f - n);
    multiplyTop(m);
}

}  // namespace ff
