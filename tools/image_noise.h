// Deterministic noise that wraps around: the same bytes on every run, opposite edges meeting.
#pragma once

#include <cstdint>

namespace images {

// A 32-bit integer hash of a lattice point and a seed; the only source of "randomness".
std::uint32_t hashPoint(int x, int y, std::uint32_t seed);

// A value in [0, 1) from the hash.
float hashUnit(int x, int y, std::uint32_t seed);

// Gradient noise in about [-1, 1] on a lattice that repeats every periodX x periodY cells.
float periodicNoise(float x, float y, int periodX, int periodY, std::uint32_t seed);

// Fractal sum of octaves of periodicNoise; each octave doubles the frequency and the period,
// so the sum still repeats every periodX x periodY units. Roughly [-1, 1].
float periodicFbm(float x, float y, int periodX, int periodY, int octaves, float gain, std::uint32_t seed);

// Distances to the nearest and second-nearest feature point of a cellular pattern that
// repeats every period x period cells (one jittered point per cell), and the nearest cell's id.
struct CellDistances {
    float nearest;
    float second;
    std::uint32_t cellId;
};
CellDistances periodicCells(float x, float y, int period, std::uint32_t seed);

}  // namespace images
