// Value types shared by every part of the demo: vectors and colours (from the assets layer, whose
// mesh records are made of them) and 4x4 matrices.
#pragma once

#include "assets/value_types.h"

// Sixteen floats in OpenGL's column-major order: element k is row k % 4, column k / 4.
// A new matrix is the identity.
struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& operator[](int k) { return m[k]; }
    float operator[](int k) const { return m[k]; }
    float* data() { return m; }
    const float* data() const { return m; }
};

static_assert(sizeof(Matrix4) == 64, "Matrix4 is what glLoadMatrixf takes");
