// Loading the demo's bitmaps into textures on SDL's offscreen GL context: MB/s of the whole
// load (decode, upload, mipmap chain) and, measured in the same iterations, the shares of the
// pixel conversion and of the mipmap build.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/dib_conversion.h"
#include "assets/dib_file.h"
#include "assets/dib_image.h"
#include "assets/texture.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "tools/bmp_writer.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<unsigned char>;

constexpr int largeSide = 2048;

platform::LRESULT ignoreMessages(platform::Window* w, std::uint32_t m, platform::WPARAM wp, platform::LPARAM lp) {
    return platform::defWindowProc(w, m, wp, lp);
}

// One hidden window with a current GL context for the whole run.
bool makeContext() {
    static bool ready = false;
    if (ready) return true;
    platform::useOffscreenRendering();
    if (!platform::registerWindowClass(platform::moduleInstance(), ignoreMessages)) return false;
    platform::Window* window = platform::createWindow("bench", 64, 64, false);
    if (!window) return false;
    platform::GLContext* context = platform::createGLContext(platform::getDC(window));
    ready = context && platform::makeCurrent(platform::getDC(window), context);
    return ready;
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A 2048 x 2048 24-bit bitmap of smooth colour ramps, written once into the temp directory.
std::string largeFile() {
    static std::string path;
    if (!path.empty()) return path;
    path = "/tmp/bench_images_2048.bmp";
    bmp::Bytes rgb;
    rgb.reserve(static_cast<std::size_t>(largeSide) * largeSide * 3);
    for (int y = 0; y < largeSide; ++y)
        for (int x = 0; x < largeSide; ++x)
            rgb.insert(rgb.end(), {static_cast<unsigned char>(x ^ y), static_cast<unsigned char>(y),
                                   static_cast<unsigned char>(x)});
    bmp::BitmapFile file;
    file.width = file.height = largeSide;
    file.bits = bmp::rows24(rgb, largeSide, largeSide);
    bmp::writeFile(path, bmp::encode(file));
    return path;
}

// The file's bytes and the loader's own parse of them: the conversion's input.
struct Prepared {
    Bytes file;
    DibFile parsed;
};

bool prepare(const std::string& path, Prepared& p) {
    p.file = readFile(path);
    return parseDib(p.file.data(), p.file.size(), p.parsed) == DibError::none;
}

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void loadImage(benchmark::State& state, const std::string& path) {
    if (!makeContext()) {
        state.SkipWithError("no offscreen GL context");
        return;
    }
    Prepared prepared;
    if (!prepare(path, prepared)) {
        state.SkipWithError(("cannot read " + path).c_str());
        return;
    }
    Bytes picture(prepared.parsed.target.size);
    DibImage* image = loadDibImage(path.c_str());
    if (!image) {
        state.SkipWithError("decode failed");
        return;
    }
    // The demo's pictures and the large one have power-of-two sides: no scaling before the upload.
    const int width = image->width;
    const int height = image->height;

    double total = 0, conversion = 0, mipmaps = 0;
    for (auto _ : state) {
        // The whole load, as the demo does it: decode, upload, mipmap chain.
        Texture texture;
        Clock::time_point start = Clock::now();
        bool loaded = texture.load(path.c_str(), true, 3);
        glFinish();
        Clock::time_point loadedAt = Clock::now();
        if (!loaded) {
            state.SkipWithError("load failed");
            break;
        }
        glDeleteTextures(1, &texture.glName);

        // The same steps alone, on the same data, for their shares of the load.
        Clock::time_point convertStart = Clock::now();
        benchmark::DoNotOptimize(convertDibBits(prepared.parsed.source(), prepared.parsed.target, picture.data()));
        Clock::time_point convertEnd = Clock::now();

        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        Clock::time_point mipStart = Clock::now();
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
        glFinish();
        Clock::time_point mipEnd = Clock::now();
        glDeleteTextures(1, &name);

        double t = seconds(start, loadedAt);
        state.SetIterationTime(t);
        total += t;
        conversion += seconds(convertStart, convertEnd);
        mipmaps += seconds(mipStart, mipEnd);
    }
    std::free(image->pixels);
    std::free(image);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * prepared.file.size()));
    if (total > 0) {
        state.counters["conversion_share"] = conversion / total;
        state.counters["mipmap_share"] = mipmaps / total;
        // Output bytes as well: an RLE file is much smaller than the picture it codes.
        state.counters["decoded_MB_per_s"] = static_cast<double>(state.iterations()) * width * height * 3 / total / 1e6;
    }
    state.counters["file_bytes"] = static_cast<double>(prepared.file.size());
}

void BM_LoadRocks(benchmark::State& state) { loadImage(state, std::string(FACEDEMO_DATA_DIR) + "/rocks.bmp"); }
void BM_LoadSunsetClouds(benchmark::State& state) {
    loadImage(state, std::string(FACEDEMO_DATA_DIR) + "/sunsetclouds.bmp");
}
void BM_LoadLightmap(benchmark::State& state) { loadImage(state, std::string(FACEDEMO_DATA_DIR) + "/Lightmap.bmp"); }
void BM_Load2048(benchmark::State& state) { loadImage(state, largeFile()); }

BENCHMARK(BM_LoadRocks)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSunsetClouds)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLightmap)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load2048)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
