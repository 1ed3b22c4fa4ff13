// The validation checks: start view, each toggle, the status line and a close view of the faces.
#include "cli/validation.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "app/frame_stages.h"
#include "app/globals.h"
#include "cli/picture.h"
#include "cli/picture_compare.h"
#include "cli/run_record.h"
#include "platform/clock.h"
#include "platform/messages.h"

namespace {

// Each frame is 20 ms: one morph step a frame, and a frame rate that reads 50.0.
constexpr std::uint32_t frameStepMs = 20;
// Frames before the first picture: the overlay has shown its first figure and the first
// frames' lighting of the axes (GL's initial normal) is gone.
constexpr int settlingFrames = 40;
// The close view: the Up key held for 8 world units nearer the faces, then the view tilted up
// by 8 degrees so that the upper face stays in the picture.
constexpr int approachFrames = 40;
constexpr int tiltFrames = 5;
// How often (10 ms apart) the window may be found inactive before the run gives up.
constexpr int inactiveRetries = 500;
// A test seam: the fog density drawn with, to prove that a wrong fog fails.
const char* const fogDensitySeam = "FACEDEMO_TEST_FOG_DENSITY";

std::uint32_t clockNow = 0;
std::uint32_t readClock() { return clockNow; }

void (*drawFrame)() = nullptr;
bool captureThisFrame = false;
Picture captured;

void captureBeforePresent(FrameStage finished) {
    if (finished == FrameStage::Morph && captureThisFrame) captured = readBackFrame(appWindow.width, appWindow.height);
}

// Where the pictures differ, named for the report. In the start view and its toggles the camera
// looks level, so the horizon is the middle row; the close view looks up a little. In fog the
// ground is left out: its one large quad may be fogged per vertex (llvmpipe's fog distance is
// taken at the corners, some behind the eye, and the whole ground is nearly fog-grey) or per
// fragment (the near ground shows clearly), and both are right. Without fog it is compared.
// The overlay's text is compared by where it stands (each platform draws it in its own system
// font); the bar above it block by block.
constexpr int barTop = 465;  // the overlay bar's first row; its text starts a few rows lower

// The regions of a view: the faces' boxes, the horizon's row, and whether the ground is fogged.
std::vector<PictureRegion> viewRegions(PictureRegion upperFace, PictureRegion lowerFaces, int horizon, bool fogged) {
    return {
        {"overlay text", 0, barTop + 7, 700, 32, RegionRule::text},
        {"overlay bar", 0, barTop, 700, 7},
        upperFace,
        lowerFaces,
        {"sky", 0, 0, 700, horizon},
        {fogged ? "ground" : "ground (rocks and lightmap)", 0, horizon, 700, barTop - horizon,
         fogged ? RegionRule::skipped : RegionRule::blocks},
    };
}

const PictureRegion startUpperFace{"upper face", 315, 60, 70, 85};
const PictureRegion startLowerFaces{"lower faces", 300, 240, 100, 80};
const std::vector<PictureRegion> startViewRegions = viewRegions(startUpperFace, startLowerFaces, 250, false);
const std::vector<PictureRegion> fogViewRegions = viewRegions(startUpperFace, startLowerFaces, 250, true);
const std::vector<PictureRegion> closeViewRegions =
    viewRegions({"upper face", 305, 45, 90, 115}, {"lower faces", 280, 300, 140, 110}, 325, true);

// A key held for some frames on the way to a check's picture.
struct HeldKey {
    unsigned key;
    int frames;
};

struct Check {
    const char* name;
    unsigned toggle;             // pressed once before the picture and once after it; 0 for none
    std::vector<HeldKey> moves;  // held one after the other before the picture
    const std::vector<PictureRegion>& regions;
};

const Check checks[] = {
    {"start", 0, {}, fogViewRegions},
    {"lighting-off", 'L', {}, fogViewRegions},
    {"fog-off", 'F', {}, startViewRegions},
    {"texturing-off", 'T', {}, fogViewRegions},
    {"wireframe", 'W', {}, fogViewRegions},
    {"status-line", 'I', {}, fogViewRegions},
    {"close-view", 0, {{platform::VK_UP, approachFrames}, {'Z', tiltFrames}}, closeViewRegions},
};

// Handles what the window system has queued; false when the run must stop (a quit request,
// or a window that stays minimised).
bool pumpMessages() {
    for (int tries = 0; tries < inactiveRetries; ++tries) {
        platform::Message message;
        while (platform::peekMessage(message)) {
            if (message.message == platform::WM_QUIT) return false;
            platform::translateMessage(message);
            platform::dispatchMessage(message);
        }
        if (appWindow.active) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// One frame on the fixed clock; its picture is kept when asked.
bool frame(bool keep) {
    if (!pumpMessages()) return false;
    clockNow += frameStepMs;
    captureThisFrame = keep;
    drawFrame();
    captureThisFrame = false;
    return true;
}

bool press(unsigned key) {
    keyState[key] = 1;
    return frame(false);
}

// Draws the frames of one check and returns its picture (empty when the run was stopped).
Picture drawCheck(const Check& check) {
    captured = Picture();
    for (const HeldKey& held : check.moves) {
        keyState[held.key] = 1;
        for (int i = 0; i < held.frames; ++i)
            if (!frame(false)) return captured;
        keyState[held.key] = 0;
    }
    if (check.toggle) keyState[check.toggle] = 1;
    if (frame(true) && check.toggle) press(check.toggle);
    return captured;
}

CheckResult resultOf(const Check& check, const BlockComparison& c, const std::string& referencePath) {
    CheckResult r;
    r.name = check.name;
    r.width = appWindow.width;
    r.height = appWindow.height;
    r.referenceFound = c.sameSize;
    r.passed = c.passed();
    r.blocks = c.blocks;
    r.differing = c.differing;
    r.limit = c.limit;
    r.tolerance = blockTolerance;
    r.largest = c.largest;
    r.textCells = c.textCells;
    r.textDiffering = c.textDiffering;
    r.textLimit = textCellsMayDiffer;
    r.where = c.where;
    r.reference = referencePath;
    return r;
}

void printResult(const CheckResult& r) {
    std::printf("%-14s %s  %s\n", r.name.c_str(), r.passed ? "PASS" : "FAIL", checkFigures(r).c_str());
}

// Writes a picture into the save directory; its path, or empty (and a line on standard error)
// when it cannot be written.
std::string savePicture(const Picture& picture, const std::string& saveDir, const std::string& name,
                        std::vector<std::string>& unwritten) {
    const std::string path = (std::filesystem::path(saveDir) / name).string() + ".png";
    if (savePng(picture, path)) return path;
    std::fprintf(stderr, "facedemo: cannot write %s\n", path.c_str());
    unwritten.push_back(path);
    return std::string();
}

}  // namespace

void useValidationClock() {
    clockNow = 0;
    platform::setClockSource(readClock);
}

int runValidation(const std::string& referenceDir, const std::string& saveDir, void (*frameDrawer)()) {
    drawFrame = frameDrawer;
    if (const char* density = std::getenv(fogDensitySeam)) glFogf(GL_FOG_DENSITY, std::strtof(density, nullptr));
    addFrameStageListener(captureBeforePresent);

    if (!saveDir.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(saveDir, ignored);
    }
    std::vector<std::string> unwritten;
    bool stopped = false;
    for (int i = 0; i < settlingFrames && !stopped; ++i) stopped = !frame(false);
    for (const Check& check : checks) {
        if (stopped) break;
        const Picture picture = drawCheck(check);
        if (picture.empty()) {
            stopped = true;
            break;
        }
        const std::string referencePath = (std::filesystem::path(referenceDir) / check.name).string() + ".png";
        Picture reference;
        loadPng(referencePath, reference);
        const BlockComparison comparison = compareBlocks(reference, picture, check.regions);
        CheckResult result = resultOf(check, comparison, referencePath);
        if (!saveDir.empty()) {
            result.picture = savePicture(picture, saveDir, check.name, unwritten);
            if (!result.passed && result.referenceFound)
                result.differencePicture = savePicture(differencePicture(reference, comparison, check.regions), saveDir,
                                                       std::string(check.name) + "-diff", unwritten);
        }
        printResult(result);
        runRecord.checks.push_back(result);
    }
    std::fflush(stdout);
    removeFrameStageListener(captureBeforePresent);

    const std::size_t checkCount = sizeof checks / sizeof checks[0];
    if (stopped) {
        std::fprintf(stderr, "facedemo: the validation was stopped before all its pictures were drawn\n");
        return couldNotRun("the validation was stopped after " + std::to_string(runRecord.checks.size()) + " of " +
                           std::to_string(checkCount) + " checks");
    }
    for (const CheckResult& r : runRecord.checks)
        if (!r.referenceFound) return couldNotRun("no reference picture " + r.reference);
    if (!unwritten.empty()) return couldNotRun("cannot write " + unwritten.front());
    for (const CheckResult& r : runRecord.checks)
        if (!r.passed) return exitCheckFailed;
    return exitDone;
}
