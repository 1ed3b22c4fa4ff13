// Where the start-up time goes: the real window and context, then each piece of the GL
// initialisation in its order (glyph lists, mesh files, morph tables, light, each image's
// decode and upload) and the first frame, on SDL's offscreen driver, with the page faults
// each piece took. One start-up per process, printed as one line.
//
//   bench_startup             one start-up in this process
//   bench_startup --cold N    N start-ups, each in a fresh process (so every buffer is new memory
//                             and every page of it faults in), then the median of each stage
//   --data DIR (after either) the data files from DIR instead of the build's generated ones
//                             (say, the small set of make_small_data)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Page faults so far, of this process or of its children that have ended.
long pageFaults(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Stage {
    std::string name;
    double ms = 0.0;
    long faults = 0;
};

struct Stages {
    std::vector<Stage> stages;
    Clock::time_point last = Clock::now();
    long lastFaults = pageFaults();
    void mark(const char* name) {
        const Clock::time_point now = Clock::now();
        const long faults = pageFaults();
        stages.push_back({name, msBetween(last, now), faults - lastFaults});
        last = now;
        lastFaults = faults;
    }
};

// "name 12.3 ms 456 faults | ..." for each stage.
std::string formatStages(const std::vector<Stage>& stages) {
    std::string line;
    char part[160];
    for (const Stage& stage : stages) {
        std::snprintf(part, sizeof part, "%s%s %.1f ms %ld faults", line.empty() ? "" : " | ", stage.name.c_str(),
                      stage.ms, stage.faults);
        line += part;
    }
    return line;
}

std::vector<Stage> parseStages(const std::string& line) {
    std::vector<Stage> stages;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t end = line.find(" | ", start);
        if (end == std::string::npos) end = line.size();
        const std::string part = line.substr(start, end - start);
        // The name may hold spaces; the four words after it do not.
        std::size_t cut = part.size();
        for (int words = 0; words < 4 && cut != std::string::npos && cut > 0; ++words) cut = part.rfind(' ', cut - 1);
        Stage stage;
        if (cut != std::string::npos) {
            stage.name = part.substr(0, cut);
            std::sscanf(part.c_str() + cut, "%lf ms %ld faults", &stage.ms, &stage.faults);
            stages.push_back(stage);
        }
        start = end + 3;
    }
    return stages;
}

template <typename T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs this program once per sample as a fresh process and prints each start-up, then the
// median of each stage; launch to exit is timed and counted from here.
int coldStarts(int runs, const std::string& dataDir) {
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return 1;
    const std::string command =
        "'" + std::string(self, static_cast<std::size_t>(length)) + "' --data '" + dataDir + "'";
    std::vector<std::vector<Stage>> samples;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point launch = Clock::now();
        const long childFaults = pageFaults(RUSAGE_CHILDREN);
        std::FILE* child = popen(command.c_str(), "r");
        if (!child) return 1;
        char line[2048] = "";
        const bool read = std::fgets(line, sizeof line, child) != nullptr;
        if (pclose(child) != 0 || !read) {
            std::fprintf(stderr, "bench_startup: start-up %d failed\n", run + 1);
            return 1;
        }
        std::vector<Stage> stages = parseStages(std::string(line, std::strcspn(line, "\n")));
        stages.push_back(
            {"launch to exit", msBetween(launch, Clock::now()), pageFaults(RUSAGE_CHILDREN) - childFaults});
        std::printf("%s\n", formatStages(stages).c_str());
        samples.push_back(std::move(stages));
    }
    std::vector<Stage> medians = samples.front();
    for (std::size_t i = 0; i < medians.size(); ++i) {
        std::vector<double> ms;
        std::vector<long> faults;
        for (const std::vector<Stage>& sample : samples) {
            if (i >= sample.size()) return 1;
            ms.push_back(sample[i].ms);
            faults.push_back(sample[i].faults);
        }
        medians[i].ms = median(ms);
        medians[i].faults = median(faults);
    }
    std::printf("median of %d cold starts: %s\n", runs, formatStages(medians).c_str());
    return 0;
}

constexpr const char* imageFiles[3] = {"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"};

}  // namespace

int main(int argc, char** argv) {
    int coldRuns = 0;
    std::string dataDir = FACEDEMO_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--cold") == 0 && i + 1 < argc) {
            coldRuns = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            dataDir = std::filesystem::absolute(argv[++i]).string();
        } else {
            std::fprintf(stderr, "usage: bench_startup [--cold RUNS] [--data DIRECTORY]\n");
            return 2;
        }
    }
    if (coldRuns > 0) return coldStarts(coldRuns, dataDir);
    const Clock::time_point begin = Clock::now();
    const long beginFaults = pageFaults();
    platform::useOffscreenRendering();
    std::filesystem::current_path(dataDir);
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

    std::vector<Stage> line = {{"total", msBetween(begin, Clock::now()), pageFaults() - beginFaults}};
    line.insert(line.end(), stages.stages.begin(), stages.stages.end());
    std::printf("%s\n", formatStages(line).c_str());
    appWindow.destroy();
    return 0;
}
