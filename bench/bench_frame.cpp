// The real start-up and frame on SDL's offscreen driver: frames per second, the time of each
// stage of the frame, and how the frame grows with the window's pixels and the faces' vertices.
//
//   bench_frame                  Google Benchmark runs (see bench/README.md)
//   bench_frame --frames=N       start-up, then N frames, then the mean frame rate (for
//                                callgrind and apitrace, which want a plain run)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/frame_stages.h"
#include "app/globals.h"
#include "demo/expression_morph.h"
#include "demo/globals.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int stageCount = static_cast<int>(FrameStage::Count);
const char* const stageNames[stageCount] = {"controls",    "clear",   "scene", "timing", "fps",
                                            "environment", "overlay", "morph", "present"};

double stageSeconds[stageCount] = {};
Clock::time_point stageStart;
bool finishEachStage = false;

void timeStage(FrameStage finished) {
    // With finishEachStage the driver's deferred work is charged to the stage that queued it.
    if (finishEachStage) glFinish();
    Clock::time_point now = Clock::now();
    stageSeconds[static_cast<int>(finished)] += std::chrono::duration<double>(now - stageStart).count();
    stageStart = now;
}

bool started = false;

// The program's own start-up, once per process; later sizes re-create the window as F1 does.
bool startDemo(int width, int height) {
    if (!started) {
        platform::useOffscreenRendering();
        std::filesystem::current_path(FACEDEMO_DATA_DIR);
        if (!initApplication() || !initGL()) return false;
        started = true;
    }
    if (appWindow.width != width || appWindow.height != height) {
        appWindow.destroy();
        if (!appWindow.create("OpenGL Window", width, height, 32, false) || !initGL()) return false;
    }
    return true;
}

// Splits every triangle into an n x n grid of smaller ones (n = 1 keeps the mesh), so the
// same face can be drawn with about (n + 1)(n + 2) times the vertices (corners are not shared).
void subdivide(const Mesh& source, Mesh& target, int n) {
    if (n <= 1) {
        target.vertices = source.vertices;
        target.triangles = source.triangles;
        return;
    }
    MeshArray<MeshVertex> vertices;
    MeshArray<MeshTriangle> triangles;
    for (const MeshTriangle& t : source.triangles) {
        const MeshVertex& a = source.vertices[t.indices[0]];
        const MeshVertex& b = source.vertices[t.indices[1]];
        const MeshVertex& c = source.vertices[t.indices[2]];
        const auto base = static_cast<std::uint32_t>(vertices.size());
        auto index = [&](int i, int j) { return base + static_cast<std::uint32_t>(i * (2 * n + 3 - i) / 2 + j); };
        for (int i = 0; i <= n; ++i) {
            for (int j = 0; j <= n - i; ++j) {
                float u = static_cast<float>(i) / n, v = static_cast<float>(j) / n, w = 1.0f - u - v;
                MeshVertex m;
                m.position = {w * a.position.x + u * b.position.x + v * c.position.x,
                              w * a.position.y + u * b.position.y + v * c.position.y,
                              w * a.position.z + u * b.position.z + v * c.position.z};
                m.normal = {w * a.normal.x + u * b.normal.x + v * c.normal.x,
                            w * a.normal.y + u * b.normal.y + v * c.normal.y,
                            w * a.normal.z + u * b.normal.z + v * c.normal.z};
                vertices.push_back(m);
            }
        }
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n - i; ++j) {
                triangles.push_back(MeshTriangle{{index(i, j), index(i + 1, j), index(i, j + 1)}});
                if (j < n - i - 1)
                    triangles.push_back(MeshTriangle{{index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)}});
            }
        }
    }
    target.vertices = std::move(vertices);
    target.triangles = std::move(triangles);
}

struct FaceData {
    Mesh smile, rage, closed;
};

// Replaces the three faces' geometry by the subdivided one and restarts the morph.
void useFaces(const FaceData& original, int n) {
    subdivide(original.smile, smileMesh, n);
    subdivide(original.rage, rageMesh, n);
    subdivide(original.closed, closedMesh, n);
    copyMesh(closedMesh, faceMesh);
    buildMorphTables();
    morphElapsed = 0;
    morphStep = 0;
    morphPhase = MorphPhase::SmileIn;
}

const FaceData& originalFaces() {
    static FaceData data;
    static bool saved = false;
    if (!saved) {
        data.smile.vertices = smileMesh.vertices;
        data.smile.triangles = smileMesh.triangles;
        data.rage.vertices = rageMesh.vertices;
        data.rage.triangles = rageMesh.triangles;
        data.closed.vertices = closedMesh.vertices;
        data.closed.triangles = closedMesh.triangles;
        saved = true;
    }
    return data;
}

void runFrames(benchmark::State& state, int width, int height, int subdivision, bool finish) {
    if (!startDemo(width, height)) {
        state.SkipWithError("start-up failed");
        return;
    }
    useFaces(originalFaces(), subdivision);
    std::memset(stageSeconds, 0, sizeof stageSeconds);
    finishEachStage = finish;
    addFrameStageListener(timeStage);
    for (int i = 0; i < 5; ++i) renderFrame();  // warm-up: first uploads, JIT of shaders
    std::memset(stageSeconds, 0, sizeof stageSeconds);
    for (auto _ : state) {
        stageStart = Clock::now();
        renderFrame();
    }
    glFinish();
    removeFrameStageListener(timeStage);
    double total = 0;
    for (double s : stageSeconds) total += s;
    for (int i = 0; i < stageCount; ++i) {
        state.counters[std::string("%") + stageNames[i]] = total > 0 ? 100.0 * stageSeconds[i] / total : 0.0;
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["vertices"] =
        static_cast<double>(faceMesh.vertices.size() + smileMesh.vertices.size() + rageMesh.vertices.size());
    state.counters["pixels"] = static_cast<double>(width) * height;
}

void BM_Frame(benchmark::State& state) {
    runFrames(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 1, false);
}
void BM_FrameFinishEachStage(benchmark::State& state) { runFrames(state, 700, 500, 1, true); }
void BM_FrameSubdividedFaces(benchmark::State& state) {
    runFrames(state, 700, 500, static_cast<int>(state.range(0)), false);
}

BENCHMARK(BM_Frame)
    ->Args({700, 500})
    ->Args({350, 250})
    ->Args({1400, 1000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FrameFinishEachStage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameSubdividedFaces)->Arg(1)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

int plainRun(int frames) {
    if (!startDemo(700, 500)) return 1;
    Clock::time_point begin = Clock::now();
    for (int i = 0; i < frames; ++i) renderFrame();
    glFinish();
    double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    std::printf("%d frames in %.3f s: %.1f frames per second\n", frames, seconds, frames / seconds);
    appWindow.destroy();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--frames=", 9) == 0) return plainRun(std::atoi(argv[i] + 9));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (started) appWindow.destroy();
    return 0;
}
