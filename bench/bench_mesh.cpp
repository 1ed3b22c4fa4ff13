// Mesh file loading throughput and the morph's displacement pass, beside a plain memory pass
// over the same bytes: the ratio of the displacement to that pass says how near the
// displacement runs to memory speed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "scene/mesh.h"

namespace {

constexpr int loadVertexCount = 200000;
constexpr int loadFaceCount = 2 * loadVertexCount;
constexpr int displaceVertexCount = 1000000;

// A canonical .sos file of loadVertexCount vertices, written once per process.
class GeneratedFile {
public:
    GeneratedFile() {
        const std::string name = "bench_mesh_" + std::to_string(std::random_device{}()) + ".sos";
        path_ = (std::filesystem::temp_directory_path() / name).string();
        std::FILE* file = std::fopen(path_.c_str(), "w");
        if (!file) return;
        std::fprintf(file, "Vertices : %d\n", loadVertexCount);
        for (int i = 0; i < loadVertexCount; ++i) {
            const float a = i * 0.001f;
            std::fprintf(file, "%f %f %f\t%f %f %f\t", a, -a, 0.5f * a, 0.0f, 0.6f, 0.8f);
            std::fprintf(file, "%f %f\n", a / loadVertexCount, 1.0f - a / loadVertexCount);
        }
        std::fprintf(file, "\nFaces : %d\n", loadFaceCount);
        for (int i = 0; i < loadFaceCount; ++i) {
            std::fprintf(file, "%d %d %d\n", i % loadVertexCount, (i + 1) % loadVertexCount, (i + 7) % loadVertexCount);
        }
        std::fclose(file);
        size_ = static_cast<std::int64_t>(std::filesystem::file_size(path_));
    }
    ~GeneratedFile() { std::filesystem::remove(path_); }

    const char* path() const { return path_.c_str(); }
    std::int64_t size() const { return size_; }

private:
    std::string path_;
    std::int64_t size_ = 0;
};

void BM_LoadMeshFile(benchmark::State& state) {
    static GeneratedFile file;
    for (auto _ : state) {
        Mesh mesh;
        if (!mesh.load(file.path())) {
            state.SkipWithError("the generated file did not load");
            break;
        }
        benchmark::DoNotOptimize(mesh.vertices.data());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
    state.counters["vertices"] = loadVertexCount;
    state.counters["faces"] = loadFaceCount;
}
BENCHMARK(BM_LoadMeshFile)->Unit(benchmark::kMillisecond);

// The bytes one pass touches: every vertex record (its position read and written) and the table.
constexpr std::int64_t passBytes = std::int64_t(displaceVertexCount) * (sizeof(MeshVertex) + sizeof(Vec3));

void reportPerVertex(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * passBytes);
    // Inverted rate: the time per vertex.
    state.counters["per_vertex"] = benchmark::Counter(
        displaceVertexCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

struct DisplaceData {
    DisplaceData() : table(displaceVertexCount) {
        Mesh source;
        source.vertices.resize(displaceVertexCount);
        for (int i = 0; i < displaceVertexCount; ++i) {
            source.vertices[i].position = Vec3{float(i), 1.0f, -1.0f};
            table[i] = Vec3{0.001f, -0.002f, 0.003f};
        }
        copyMesh(source, mesh);
    }
    Mesh mesh;
    std::vector<Vec3> table;
};

DisplaceData& displaceData() {
    static DisplaceData data;
    return data;
}

void BM_Displace(benchmark::State& state) {
    DisplaceData& data = displaceData();
    float factor = 1.0f;
    for (auto _ : state) {
        data.mesh.displace(data.table.data(), factor);
        factor = -factor;
        benchmark::ClobberMemory();
    }
    reportPerVertex(state);
}
BENCHMARK(BM_Displace)->Unit(benchmark::kMicrosecond);

// Flips every bit of the given 64-bit words in place (applied twice, it changes nothing).
void flipWords(unsigned char* bytes, std::size_t wordCount) {
    for (std::size_t i = 0; i < wordCount; ++i) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i * sizeof word, sizeof word);
        word = ~word;
        std::memcpy(bytes + i * sizeof word, &word, sizeof word);
    }
}

// The same vertex array and table streamed with no structure, in 64-bit words: every word of
// the table read, every word of the vertex records read and written.
void BM_MemoryPass(benchmark::State& state) {
    DisplaceData& data = displaceData();
    auto* vertexBytes = reinterpret_cast<unsigned char*>(data.mesh.vertices.data());
    const std::size_t vertexWords = data.mesh.vertices.size() * sizeof(MeshVertex) / sizeof(std::uint64_t);
    const auto* tableBytes = reinterpret_cast<const unsigned char*>(data.table.data());
    const std::size_t tableWords = data.table.size() * sizeof(Vec3) / sizeof(std::uint64_t);
    bool flipped = false;
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < tableWords; ++i) {
            std::uint64_t word;
            std::memcpy(&word, tableBytes + i * sizeof word, sizeof word);
            sum += word;
        }
        flipWords(vertexBytes, vertexWords);
        flipped = !flipped;
        benchmark::DoNotOptimize(sum);
        benchmark::ClobberMemory();
    }
    // Leave the positions as the displacement pass expects to find them.
    if (flipped) flipWords(vertexBytes, vertexWords);
    reportPerVertex(state);
}
BENCHMARK(BM_MemoryPass)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
