// Matrix helpers for the scene tests: products formed by GL itself and element-wise comparison.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "scene/types.h"

// The modelview matrix as GL holds it now.
inline Matrix4 currentModelview() {
    Matrix4 m;
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

// The product that the GL calls in `steps` form on a freshly loaded identity.
template <typename Steps>
Matrix4 glProduct(Steps steps) {
    glLoadIdentity();
    steps();
    return currentModelview();
}

inline void expectMatrixNear(const Matrix4& actual, const Matrix4& expected, float tolerance, const std::string& what) {
    for (int k = 0; k < 16; ++k) {
        EXPECT_NEAR(actual[k], expected[k], tolerance) << what << ": element " << k;
    }
}

// Where the eye of a view matrix [R | t] stands in the world: -R^T t.
inline Vec3 eyePosition(const Matrix4& view) {
    Vec3 eye;
    eye.x = -(view[0] * view[12] + view[1] * view[13] + view[2] * view[14]);
    eye.y = -(view[4] * view[12] + view[5] * view[13] + view[6] * view[14]);
    eye.z = -(view[8] * view[12] + view[9] * view[13] + view[10] * view[14]);
    return eye;
}

// Transforms the column vector (x, y, z, w) by m; the result's first three components.
inline Vec3 transformed(const Matrix4& m, float x, float y, float z, float w) {
    return Vec3{m[0] * x + m[4] * y + m[8] * z + m[12] * w, m[1] * x + m[5] * y + m[9] * z + m[13] * w,
                m[2] * x + m[6] * y + m[10] * z + m[14] * w};
}

inline void expectVecNear(Vec3 actual, Vec3 expected, float tolerance, const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what << ": x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what << ": y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what << ": z";
}
