// Where the start-up time goes: the real window and context, then each piece of the GL
// initialisation in its order (glyph lists, mesh files, morph tables, light, each image's
// decode and upload) and the first frame, on SDL's offscreen driver. One start-up per
// process, printed as one line of milliseconds; bench/startup.sh takes medians over runs.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/globals.h"
#include "app/hud.h"
#include "assets/dib_image.h"
#include "demo/expression_morph.h"
#include "demo/globals.h"
#include "platform/font.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Stages {
    std::vector<std::pair<std::string, double>> times;
    Clock::time_point last = Clock::now();
    void mark(const char* name) {
        Clock::time_point now = Clock::now();
        times.emplace_back(name, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
};

constexpr const char* imageFiles[3] = {"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"};

}  // namespace

int main() {
    Clock::time_point begin = Clock::now();
    platform::useOffscreenRendering();
    std::filesystem::current_path(FACEDEMO_DATA_DIR);
    Stages stages;

    if (!initApplication()) return 1;
    stages.mark("window+context");

    GLuint lists = glGenLists(overlayGlyphs.count);
    platform::buildFontBitmaps(appWindow.deviceContext, overlayGlyphs.first, overlayGlyphs.count, lists);
    glDeleteLists(lists, overlayGlyphs.count);
    stages.mark("fonts");

    if (!smileMesh.load("smile.sos") || !rageMesh.load("rage.sos") || !closedMesh.load("closed.sos")) return 1;
    stages.mark("mesh files");
    copyMesh(closedMesh, faceMesh);
    buildMorphTables();
    stages.mark("morph tables");

    for (const char* file : imageFiles) {
        DibImage* image = loadDibImage(file);
        if (!image) return 1;
        std::free(image->pixels);
        std::free(image);
    }
    stages.mark("image decode");

    // The program's own initialisation, now with warm caches for what was timed above: the
    // difference to the pieces is the state set-up, the light and the texture uploads.
    firstInit = true;
    smileMesh = Mesh();
    rageMesh = Mesh();
    closedMesh = Mesh();
    faceMesh = Mesh();
    if (!initGL()) return 1;
    stages.mark("initGL (warm)");

    renderFrame();
    glFinish();
    stages.mark("first frame");

    std::printf("total %.1f", std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
    for (const auto& [name, ms] : stages.times) std::printf(" | %s %.1f", name.c_str(), ms);
    std::printf("\n");
    appWindow.destroy();
    return 0;
}
