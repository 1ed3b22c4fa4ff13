// The upper face's endless morph: neutral, smile, neutral, rage, neutral, ...
#pragma once

#include <cstdint>

enum class MorphPhase { SmileIn = 0, SmileOut = 1, RageIn = 2, RageOut = 3 };

constexpr int morphSteps = 50;   // displacement steps in one phase
constexpr int morphTickMs = 20;  // milliseconds of frame time per step

extern std::uint32_t morphElapsed;
extern int morphStep;
extern MorphPhase morphPhase;

// Fills the per-vertex steps towards the smile and the rage from the three face meshes.
// False when either expression has fewer vertices than the morphing face.
bool buildMorphTables();
// Takes one step once 20 ms of frame time have gathered.
void advanceMorph();
