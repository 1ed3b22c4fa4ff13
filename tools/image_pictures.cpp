// Painting the demo's bitmaps from deterministic periodic noise.
#include "tools/image_pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/image_noise.h"

namespace images {

namespace {

constexpr float pi = 3.14159265358979f;

struct Colour {
    float r, g, b;
};

Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

float smoothstep(float edge0, float edge1, float v) {
    float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

void store(std::uint8_t* p, Colour c) {
    p[0] = static_cast<std::uint8_t>(std::lround(clamp01(c.r) * 255.0f));
    p[1] = static_cast<std::uint8_t>(std::lround(clamp01(c.g) * 255.0f));
    p[2] = static_cast<std::uint8_t>(std::lround(clamp01(c.b) * 255.0f));
}

// Rocks
constexpr int rocksPerSide = 8;
constexpr int grainPeriod = 16;
constexpr int grainOctaves = 4;
constexpr std::uint32_t rockSeed = 1971;
constexpr float crackWidth = 0.06f;
constexpr float bevelWidth = 0.35f;
constexpr float reliefScale = 256.0f;
const Colour rockGrey{0.50f, 0.49f, 0.47f};
const Colour rockBrown{0.52f, 0.43f, 0.33f};
const Colour crackColour{0.12f, 0.10f, 0.09f};

// Sky
constexpr int cloudPeriodAcross = 6;
constexpr int cloudPeriodUp = 20;
constexpr std::uint32_t cloudSeed = 2024;
constexpr float sunAzimuth = 0.3f;  // fraction of the way around the horizon
const Colour zenith{0.10f, 0.09f, 0.30f};
const Colour highSky{0.35f, 0.22f, 0.50f};
const Colour lowSky{0.93f, 0.50f, 0.36f};
const Colour horizon{1.00f, 0.78f, 0.38f};
const Colour sunGlow{1.00f, 0.93f, 0.70f};
const Colour groundSide{0.16f, 0.10f, 0.12f};
const Colour cloudLit{1.00f, 0.66f, 0.52f};
const Colour cloudDark{0.62f, 0.42f, 0.60f};

// Lightmap
constexpr float lightmapFloor = 0.28f;
constexpr float lightmapSpread = 0.5f;

}  // namespace

RgbPicture paintRocks(int size) {
    RgbPicture picture(size, size);
    std::vector<float> height(static_cast<std::size_t>(size) * size);
    std::vector<Colour> albedo(height.size());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = (x + 0.5f) / size;
            float v = (y + 0.5f) / size;
            float grain =
                periodicFbm(u * grainPeriod, v * grainPeriod, grainPeriod, grainPeriod, grainOctaves, 0.55f, rockSeed);
            // Warp the cell lookup a little so the rocks are not plain polygons.
            float wu = u * rocksPerSide + 0.25f * grain;
            float wv = v * rocksPerSide + 0.25f * periodicFbm(u * 8, v * 8, 8, 8, 2, 0.5f, rockSeed + 50);
            CellDistances cell = periodicCells(wu, wv, rocksPerSide, rockSeed);
            float edge = cell.second - cell.nearest;
            float bevel = smoothstep(0.0f, bevelWidth, edge);
            float crack = smoothstep(0.0f, crackWidth, edge);
            float tone = static_cast<float>(cell.cellId & 0xFF) / 255.0f;
            float shade = 0.75f + 0.35f * static_cast<float>((cell.cellId >> 8) & 0xFF) / 255.0f;
            Colour base = mix(rockGrey, rockBrown, tone);
            base = {base.r * shade, base.g * shade, base.b * shade};
            float speckle = 1.0f + 0.22f * grain;
            base = {base.r * speckle, base.g * speckle, base.b * speckle};
            std::size_t i = static_cast<std::size_t>(y) * size + x;
            albedo[i] = mix(crackColour, base, crack);
            height[i] = bevel + 0.15f * grain;
        }
    }
    // Light from the upper left, with the height differences wrapping around the edges.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            auto h = [&](int px, int py) {
                return height[static_cast<std::size_t>((py + size) % size) * size + (px + size) % size];
            };
            // Slopes per 1/256 of the side, so that the relief looks the same at any size.
            const float perUnit = static_cast<float>(size) / reliefScale;
            float dx = (h(x + 1, y) - h(x - 1, y)) * perUnit;
            float dy = (h(x, y + 1) - h(x, y - 1)) * perUnit;
            float light = clamp01(0.85f + 2.2f * (dy - dx));
            Colour c = albedo[static_cast<std::size_t>(y) * size + x];
            store(picture.at(x, y), {c.r * light, c.g * light, c.b * light});
        }
    }
    return picture;
}

RgbPicture paintSunsetSky(int width, int height) {
    RgbPicture picture(width, height);
    for (int y = 0; y < height; ++y) {
        float t = (y + 0.5f) / height;
        float elevation = 90.0f - 180.0f * t;  // degrees above the horizon
        for (int x = 0; x < width; ++x) {
            float s = (x + 0.5f) / width;
            Colour c;
            if (elevation >= 0.0f) {
                float e = elevation / 90.0f;
                if (e < 0.12f)
                    c = mix(horizon, lowSky, e / 0.12f);
                else if (e < 0.45f)
                    c = mix(lowSky, highSky, (e - 0.12f) / 0.33f);
                else
                    c = mix(highSky, zenith, (e - 0.45f) / 0.55f);
            } else {
                c = mix(mix(horizon, groundSide, 0.55f), groundSide, smoothstep(0.0f, 20.0f, -elevation));
            }

            // The sun's glow: strongest just above the horizon in one direction.
            float around = std::fabs(s - sunAzimuth);
            around = std::min(around, 1.0f - around) * 2.0f * pi;  // radians around the horizon
            float glow = std::exp(-around * around * 2.5f) * std::exp(-std::fabs(elevation - 3.0f) / 10.0f);
            c = mix(c, sunGlow, clamp01(glow));

            // Clouds in a band above the horizon, streaked sideways and lit from below.
            float density = periodicFbm(s * cloudPeriodAcross, t * cloudPeriodUp, cloudPeriodAcross, cloudPeriodUp, 5,
                                        0.5f, cloudSeed);
            float band = smoothstep(2.0f, 8.0f, elevation) * (1.0f - smoothstep(35.0f, 60.0f, elevation));
            float cover = smoothstep(-0.15f, 0.2f, density) * band;
            Colour cloud = mix(cloudLit, cloudDark, smoothstep(5.0f, 40.0f, elevation));
            cloud = mix(cloud, sunGlow, 0.5f * clamp01(glow * 3.0f));
            float thickness = 0.75f + 0.5f * clamp01(density + 0.3f);  // thick parts catch more light
            cloud = {cloud.r * thickness, cloud.g * thickness, cloud.b * thickness};
            c = mix(c, cloud, cover * 0.9f);
            store(picture.at(x, y), c);
        }
    }
    return picture;
}

IndexedPicture paintLightmap(int size) {
    IndexedPicture picture(size, size);
    picture.paletteRgb.resize(256 * 3);
    for (int i = 0; i < 256; ++i)
        for (int k = 0; k < 3; ++k) picture.paletteRgb[3 * i + k] = static_cast<std::uint8_t>(i);
    float centre = size / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float dx = (x + 0.5f - centre) / centre;
            float dy = (y + 0.5f - centre) / centre;
            float d2 = (dx * dx + dy * dy) / (lightmapSpread * lightmapSpread);
            float level = lightmapFloor + (1.0f - lightmapFloor) * std::exp(-d2);
            picture.indices[static_cast<std::size_t>(y) * size + x] =
                static_cast<std::uint8_t>(std::lround(clamp01(level) * 255.0f));
        }
    }
    return picture;
}

}  // namespace images
