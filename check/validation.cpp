// The validation checks: start view, each toggle, the status line and a close view of the faces.
#include "check/validation.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <thread>
#include <vector>

#include "app/application.h"
#include "app/frame_stages.h"
#include "app/globals.h"
#include "app/hud.h"
#include "check/log.h"
#include "check/picture.h"
#include "check/picture_compare.h"
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
// A key message's lParam as the window system packs it for a single press: a repeat count of
// one, and for the release the key's previous state (down) and the transition bits.
constexpr platform::LPARAM keyPressParam = 1;
constexpr platform::LPARAM keyReleaseParam = 0xC0000001;

std::uint32_t clockNow = 0;
std::uint32_t readClock() { return clockNow; }

void (*drawFrame)() = nullptr;
bool captureThisFrame = false;
Picture captured;

void captureBeforePresent(FrameStage finished) {
    if (finished == FrameStage::Drawn && captureThisFrame) captured = readBackFrame(appWindow.width, appWindow.height);
}

// The pictures are of the start window; the overlay's bar lies along its bottom, and its text
// starts a few rows below the bar's top.
constexpr int barTop = startHeight - hudBarHeight;
constexpr int barRowsAboveText = 7;
constexpr int textTop = barTop + barRowsAboveText;
// Down to the window's bottom edge and half a block past it: the edge cuts the last row of blocks
// short, and a block belongs to the region that holds the centre it would have whole.
constexpr int textRegionHeight = startHeight - textTop + compareBlockSide / 2;

// Where the pictures differ, named for the report. In the start view and its toggles the camera
// looks level, so the horizon is the middle row; the close view looks up a little. In fog the
// ground is left out: its one large quad may be fogged per vertex (llvmpipe's fog distance is
// taken at the corners, some behind the eye, and the whole ground is nearly fog-grey) or per
// fragment (the near ground shows clearly), and both are right. Without fog it is compared.
// The overlay's text is compared by where it stands (each platform draws it in its own system
// font); the bar above it block by block.
// The regions of a view: the faces' boxes, the horizon's row, and whether the ground is fogged.
std::vector<PictureRegion> viewRegions(PictureRegion upperFace, PictureRegion lowerFaces, int horizon, bool fogged) {
    return {
        {"overlay text", 0, textTop, startWidth, textRegionHeight, RegionRule::text},
        {"overlay bar", 0, barTop, startWidth, barRowsAboveText},
        upperFace,
        lowerFaces,
        {"sky", 0, 0, startWidth, horizon},
        {fogged ? "ground" : "ground (rocks and lightmap)", 0, horizon, startWidth, barTop - horizon,
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

const Check validationChecks[] = {
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
bool handleMessages() {
    for (int tries = 0; tries < inactiveRetries; ++tries) {
        int quitCode = 0;
        if (!dispatchWaitingMessages(quitCode)) return false;
        if (appWindow.active) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// One frame on the fixed clock; its picture is kept when asked.
bool frame(bool keep) {
    if (!handleMessages()) return false;
    clockNow += frameStepMs;
    captureThisFrame = keep;
    drawFrame();
    captureThisFrame = false;
    return true;
}

// A key goes down or up as a user's does: a message to the window, handled by the window
// procedure when the next frame takes the waiting messages.
void sendKey(unsigned key, bool down) {
    platform::postMessage(appWindow.windowHandle, down ? platform::WM_KEYDOWN : platform::WM_KEYUP, key,
                          down ? keyPressParam : keyReleaseParam);
}

// Draws the frames of one check and returns its picture (empty when the run was stopped).
Picture drawCheck(const Check& check) {
    captured = Picture();
    for (const HeldKey& held : check.moves) {
        sendKey(held.key, true);
        bool drawn = true;
        for (int i = 0; i < held.frames && drawn; ++i) drawn = frame(false);
        sendKey(held.key, false);
        if (!drawn) return captured;
    }
    // A toggle key is held over one frame, which acts on it; a press and release between two
    // frames would not be seen. Then it is pressed again for the next check.
    if (check.toggle) sendKey(check.toggle, true);
    const bool drawn = frame(true);
    if (check.toggle) {
        sendKey(check.toggle, false);
        sendKey(check.toggle, true);
        if (drawn) frame(false);
        sendKey(check.toggle, false);
    }
    return captured;
}

void printResult(const CheckResult& r) {
    char verdict[32];
    std::snprintf(verdict, sizeof verdict, "%-14s %s  ", r.name.c_str(), r.passed() ? "PASS" : "FAIL");
    printOutput(verdict + checkFigures(r));
}

// Writes a picture into the save directory; its path, or empty (and a line on standard error)
// when it cannot be written.
std::string savePicture(const Picture& picture, const std::string& saveDir, const std::string& name,
                        std::vector<std::string>& unwritten) {
    const std::string path = (std::filesystem::path(saveDir) / name).string() + ".png";
    if (savePng(picture, path)) return path;
    printLine("cannot write " + path);
    unwritten.push_back(path);
    return std::string();
}

// The first reason the validation could not do all it was asked; empty when there is none.
std::string failureOf(const std::vector<CheckResult>& checks, bool stopped, const std::vector<std::string>& unwritten) {
    const std::size_t checkCount = std::size(validationChecks);
    if (stopped) {
        printLine("the validation was stopped before all its pictures were drawn");
        return "the validation was stopped after " + std::to_string(checks.size()) + " of " +
               std::to_string(checkCount) + " checks";
    }
    for (const CheckResult& r : checks)
        if (!r.referenceFound()) return "no reference picture " + r.reference;
    if (!unwritten.empty()) return "cannot write " + unwritten.front();
    return std::string();
}

}  // namespace

void useValidationClock() {
    clockNow = 0;
    platform::setClockSource(readClock);
}

bool ValidationResult::allPassed() const {
    for (const CheckResult& r : checks)
        if (!r.passed()) return false;
    return true;
}

ValidationResult runValidation(const std::string& referenceDir, const std::string& saveDir, void (*frameDrawer)()) {
    drawFrame = frameDrawer;
    addFrameStageListener(captureBeforePresent);

    if (!saveDir.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(saveDir, ignored);
    }
    ValidationResult result;
    std::vector<std::string> unwritten;
    bool stopped = false;
    for (int i = 0; i < settlingFrames && !stopped; ++i) stopped = !frame(false);
    for (const Check& check : validationChecks) {
        if (stopped) break;
        const Picture picture = drawCheck(check);
        if (picture.empty()) {
            stopped = true;
            break;
        }
        CheckResult r;
        r.name = check.name;
        r.width = picture.width;
        r.height = picture.height;
        r.reference = (std::filesystem::path(referenceDir) / check.name).string() + ".png";
        Picture reference;
        loadPng(r.reference, reference);
        r.comparison = compareBlocks(reference, picture, check.regions);
        if (!saveDir.empty()) {
            r.picture = savePicture(picture, saveDir, check.name, unwritten);
            if (!r.passed() && r.referenceFound())
                r.differencePicture = savePicture(differencePicture(reference, r.comparison, check.regions), saveDir,
                                                  std::string(check.name) + "-diff", unwritten);
        }
        printResult(r);
        result.checks.push_back(r);
    }
    removeFrameStageListener(captureBeforePresent);
    result.failure = failureOf(result.checks, stopped, unwritten);
    return result;
}
