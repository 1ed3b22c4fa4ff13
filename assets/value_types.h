// Vectors and colours: the plain float records that mesh files are read into and that every
// layer above passes by value.
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

static_assert(sizeof(Vec3) == 12, "Vec3 is three packed floats");
static_assert(sizeof(Rgba) == 16, "Rgba is four packed floats");
