// Periodic gradient noise, fractal sums and cellular distances for the generated bitmaps.
#include "tools/image_noise.h"

#include <cmath>

namespace images {

namespace {

int wrap(int value, int period) {
    int r = value % period;
    return r < 0 ? r + period : r;
}

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

// The dot product of a hashed unit gradient at a lattice corner with the offset from it.
float gradientDot(int ix, int iy, float dx, float dy, std::uint32_t seed) {
    constexpr float twoPi = 6.28318530718f;
    float angle = hashUnit(ix, iy, seed) * twoPi;
    return std::cos(angle) * dx + std::sin(angle) * dy;
}

}  // namespace

std::uint32_t hashPoint(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(int x, int y, std::uint32_t seed) {
    return static_cast<float>(hashPoint(x, y, seed) >> 8) / static_cast<float>(1u << 24);
}

float periodicNoise(float x, float y, int periodX, int periodY, std::uint32_t seed) {
    float fx = std::floor(x);
    float fy = std::floor(y);
    int x0 = static_cast<int>(fx);
    int y0 = static_cast<int>(fy);
    float dx = x - fx;
    float dy = y - fy;
    int ax = wrap(x0, periodX), bx = wrap(x0 + 1, periodX);
    int ay = wrap(y0, periodY), by = wrap(y0 + 1, periodY);
    float n00 = gradientDot(ax, ay, dx, dy, seed);
    float n10 = gradientDot(bx, ay, dx - 1.0f, dy, seed);
    float n01 = gradientDot(ax, by, dx, dy - 1.0f, seed);
    float n11 = gradientDot(bx, by, dx - 1.0f, dy - 1.0f, seed);
    float u = fade(dx);
    float v = fade(dy);
    constexpr float toUnitRange = 1.41421356f;  // the corner sum peaks at about 1/sqrt(2)
    return lerp(lerp(n00, n10, u), lerp(n01, n11, u), v) * toUnitRange;
}

float periodicFbm(float x, float y, int periodX, int periodY, int octaves, float gain, std::uint32_t seed) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float norm = 0.0f;
    float scale = 1.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * periodicNoise(x * scale, y * scale, periodX * static_cast<int>(scale),
                                         periodY * static_cast<int>(scale), seed + static_cast<std::uint32_t>(o));
        norm += amplitude;
        amplitude *= gain;
        scale *= 2.0f;
    }
    return sum / norm;
}

CellDistances periodicCells(float x, float y, int period, std::uint32_t seed) {
    int cx = static_cast<int>(std::floor(x));
    int cy = static_cast<int>(std::floor(y));
    CellDistances result{1e9f, 1e9f, 0};
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            int gx = cx + i, gy = cy + j;
            int wx = wrap(gx, period), wy = wrap(gy, period);
            float px = gx + 0.15f + 0.7f * hashUnit(wx, wy, seed);
            float py = gy + 0.15f + 0.7f * hashUnit(wx, wy, seed + 101u);
            float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < result.nearest) {
                result.second = result.nearest;
                result.nearest = d;
                result.cellId = hashPoint(wx, wy, seed + 7u);
            } else if (d < result.second) {
                result.second = d;
            }
        }
    }
    return result;
}

}  // namespace images
