// Value types shared by every part of the demo: vectors, colours and 4x4 matrices.
#pragma once

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

// Sixteen floats in OpenGL's column-major order: element k is row k % 4, column k / 4.
// A new matrix is the identity.
struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& operator[](int k) { return m[k]; }
    float operator[](int k) const { return m[k]; }
    float* data() { return m; }
    const float* data() const { return m; }
};

static_assert(sizeof(Vec3) == 12, "Vec3 is three packed floats");
static_assert(sizeof(Rgba) == 16, "Rgba is four packed floats");
static_assert(sizeof(Matrix4) == 64, "Matrix4 is what glLoadMatrixf takes");
