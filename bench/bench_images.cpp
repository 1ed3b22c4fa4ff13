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
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/dib_image.h"
#include "assets/texture.h"
#include "platform/dib_conversion.h"
#include "platform/messages.h"
#include "platform/window.h"

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
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (!platform::registerWindowClass(ignoreMessages)) return false;
    platform::Window* window = platform::createWindow("bench", 64, 64, false);
    if (!window) return false;
    platform::GLContext* context = platform::createGLContext(window);
    ready = context && platform::makeCurrent(window, context);
    return ready;
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// A 2048 x 2048 24-bit bitmap of smooth colour ramps, written once into the temp directory.
std::string largeFile() {
    static std::string path;
    if (!path.empty()) return path;
    path = "/tmp/bench_images_2048.bmp";
    Bytes file = {'B', 'M'};
    std::uint32_t pixelBytes = largeSide * largeSide * 3;
    put32(file, 54 + pixelBytes);
    put32(file, 0);
    put32(file, 54);
    for (std::uint32_t v : {40u, static_cast<std::uint32_t>(largeSide), static_cast<std::uint32_t>(largeSide)})
        put32(file, v);
    file.insert(file.end(), {1, 0, 24, 0});
    for (int i = 0; i < 6; ++i) put32(file, 0);
    for (int y = 0; y < largeSide; ++y)
        for (int x = 0; x < largeSide; ++x)
            file.insert(file.end(), {static_cast<unsigned char>(x), static_cast<unsigned char>(y),
                                     static_cast<unsigned char>(x ^ y)});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
    return path;
}

std::uint32_t read32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// The conversion's input for a "BM" file with a 12- or 40-byte header, as the loader builds it.
struct Prepared {
    Bytes file;
    std::vector<platform::RgbQuad> colours;
    platform::DibSource source;
    platform::DibTarget target;
};

bool prepare(const std::string& path, Prepared& p) {
    p.file = readFile(path);
    if (p.file.size() < 26 || p.file[0] != 'B' || p.file[1] != 'M') return false;
    platform::BitmapInfoHeader& h = p.source.header;
    std::size_t table = 14;
    bool core = read32(p.file, 14) == 12;
    if (core) {
        h = {40,
             p.file[18] | (p.file[19] << 8),
             p.file[20] | (p.file[21] << 8),
             1,
             static_cast<std::uint16_t>(p.file[24]),
             platform::BI_RGB,
             0,
             0,
             0,
             0,
             0};
        table += 12;
    } else {
        std::memcpy(&h, &p.file[14], sizeof h);
        table += 40;
    }
    std::size_t entries = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? 1u << h.biBitCount : 0);
    for (std::size_t i = 0; i < entries; ++i) {
        const unsigned char* e = &p.file[table + i * (core ? 3 : 4)];
        p.colours.push_back({e[0], e[1], e[2], 0});
    }
    p.source.colours = p.colours.data();
    p.source.colourCount = p.colours.size();
    std::uint32_t offset = read32(p.file, 10);
    p.source.bits = p.file.data() + offset;
    p.source.bitsLength = p.file.size() - offset;
    return platform::dibTargetLayout(p.source, p.target);
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
    Bytes section(prepared.target.size);
    DibImage* image = LoadDibImage(path.c_str());
    if (!image) {
        state.SkipWithError("decode failed");
        return;
    }
    int side = image->width;  // the demo's pictures and the large one are square powers of two

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
        std::fill(section.begin(), section.end(), 0);
        benchmark::DoNotOptimize(platform::convertDibBits(prepared.source, prepared.target, section.data()));
        Clock::time_point convertEnd = Clock::now();

        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        Clock::time_point mipStart = Clock::now();
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, side, side, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
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
        state.counters["decoded_MB_per_s"] = static_cast<double>(state.iterations()) * side * side * 3 / total / 1e6;
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
