// One morph step (advanceMorph with a full 20 ms tick) per vertex, on the real face mesh and
// on a 1,000,000-vertex mesh, beside a plain loop that reads and writes the same bytes.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <vector>

#include "demo/expression_morph.h"
#include "demo/globals.h"

namespace {

constexpr std::size_t largeVertexCount = 1000000;

// Fills the three face meshes and the tables: from the generated files (real) or with a
// large synthetic face whose expressions move every vertex.
void prepareFaces(bool real) {
    for (Mesh* mesh : {&smileMesh, &rageMesh, &closedMesh, &faceMesh}) *mesh = Mesh();
    if (real) {
        std::filesystem::current_path(FACEDEMO_DATA_DIR);
        smileMesh.load("smile.sos");
        rageMesh.load("rage.sos");
        closedMesh.load("closed.sos");
    } else {
        for (Mesh* mesh : {&smileMesh, &rageMesh, &closedMesh}) mesh->vertices.resize(largeVertexCount);
        for (std::size_t i = 0; i < largeVertexCount; ++i) {
            const float f = static_cast<float>(i % 1000);
            closedMesh.vertices[i].position = Vec3{f, f * 0.5f, -f};
            smileMesh.vertices[i].position = Vec3{f - 36.0f, f * 0.5f + 1.0f, -f};
            rageMesh.vertices[i].position = Vec3{f + 36.0f, f * 0.5f - 1.0f, -f};
        }
    }
    copyMesh(closedMesh, faceMesh);
    buildMorphTables();
    morphElapsed = 0;
    morphStep = 0;
    morphPhase = MorphPhase::SmileIn;
}

void reportPerVertex(benchmark::State& state) {
    const auto vertices = static_cast<double>(faceMesh.vertexCount);
    state.counters["vertices"] = vertices;
    state.counters["per_vertex"] =
        benchmark::Counter(vertices, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    // Per vertex: the table entry read, the position read and written.
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(faceMesh.vertexCount) * 3 *
                            static_cast<std::int64_t>(sizeof(Vec3)));
}

void BM_AdvanceMorph(benchmark::State& state) {
    prepareFaces(state.range(0) == 0);
    frameDelta = morphTickMs;  // every call takes one step
    for (auto _ : state) {
        advanceMorph();
        benchmark::ClobberMemory();
    }
    reportPerVertex(state);
}

// The same bytes as one step, walked by hand over the raw records: positions every 12 floats.
void BM_PlainLoop(benchmark::State& state) {
    prepareFaces(state.range(0) == 0);
    float* records = &faceMesh.vertices[0].position.x;
    const float* table = &smileDeltas[0].x;
    const std::size_t count = faceMesh.vertexCount;
    constexpr std::size_t stride = sizeof(MeshVertex) / sizeof(float);
    float factor = 1.0f;
    for (auto _ : state) {
        for (std::size_t i = 0; i < count; ++i) {
            records[i * stride + 0] += factor * table[i * 3 + 0];
            records[i * stride + 1] += factor * table[i * 3 + 1];
            records[i * stride + 2] += factor * table[i * 3 + 2];
        }
        factor = -factor;
        benchmark::ClobberMemory();
    }
    reportPerVertex(state);
}

// Argument 0: the real face files; 1: the 1,000,000-vertex mesh.
BENCHMARK(BM_AdvanceMorph)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
