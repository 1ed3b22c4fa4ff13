// The expression morph: per-vertex steps built once, one step per 20 ms of frame time.
#include "demo/expression_morph.h"

#include "demo/globals.h"

std::uint32_t morphElapsed = 0;
int morphStep = 0;
MorphPhase morphPhase = MorphPhase::SmileIn;

namespace {

// (to - from) / morphSteps, each operation rounded to 32-bit floats.
Vec3 stepTowards(const Vec3& from, const Vec3& to) {
    const float steps = static_cast<float>(morphSteps);
    return Vec3{static_cast<float>(to.x - from.x) / steps, static_cast<float>(to.y - from.y) / steps,
                static_cast<float>(to.z - from.z) / steps};
}

MorphPhase nextPhase(MorphPhase phase) {
    switch (phase) {
    case MorphPhase::SmileIn: return MorphPhase::SmileOut;
    case MorphPhase::SmileOut: return MorphPhase::RageIn;
    case MorphPhase::RageIn: return MorphPhase::RageOut;
    case MorphPhase::RageOut: return MorphPhase::SmileIn;
    }
    return MorphPhase::SmileIn;
}

}  // namespace

bool buildMorphTables() {
    const std::uint32_t n = faceMesh.getCounts().first;
    // Reading an expression by the neutral face's index range must stay inside its array.
    if (smileMesh.vertices.size() < n || rageMesh.vertices.size() < n || closedMesh.vertices.size() < n) return false;
    smileDeltas.resize(n);
    rageDeltas.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        const Vec3& c = closedMesh.vertices[i].position;
        smileDeltas[i] = stepTowards(c, smileMesh.vertices[i].position);
        rageDeltas[i] = stepTowards(c, rageMesh.vertices[i].position);
    }
    return true;
}

void advanceMorph() {
    morphElapsed += frameDelta;
    if (morphElapsed < static_cast<std::uint32_t>(morphTickMs)) return;
    // The time beyond one tick is dropped: at most one step per frame.
    morphElapsed = 0;
    morphStep += 1;
    if (morphStep > morphSteps) {
        morphPhase = nextPhase(morphPhase);
        morphStep = 1;
    }
    switch (morphPhase) {
    case MorphPhase::SmileIn: faceMesh.displace(smileDeltas.data(), 1.0f); break;
    case MorphPhase::SmileOut: faceMesh.displace(smileDeltas.data(), -1.0f); break;
    case MorphPhase::RageIn: faceMesh.displace(rageDeltas.data(), 1.0f); break;
    case MorphPhase::RageOut: faceMesh.displace(rageDeltas.data(), -1.0f); break;
    }
}
