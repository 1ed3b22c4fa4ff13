// Taking the command line in, and what it asks for after the loop.
#include "app/command_line.h"

#include <cstdio>
#include <filesystem>

#include "app/frame_monitor.h"
#include "app/options.h"
#include "app/picture.h"
#include "app/report_file.h"
#include "app/run_record.h"
#include "app/validation.h"
#include "platform/process.h"
#include "platform/window.h"

namespace {

// The reference pictures of the validation are of the start window.
constexpr int validationWidth = 700;
constexpr int validationHeight = 500;
constexpr const char* referenceDirName = "reference";

// The frames or seconds a run was asked for, for the line that says it ended before them.
std::string askedLimit() {
    char text[64];
    if (options.frames > 0) {
        std::snprintf(text, sizeof text, "%lld frames", static_cast<long long>(options.frames));
    } else {
        std::snprintf(text, sizeof text, "%g seconds", options.seconds);
    }
    return text;
}

// The frame summary, the frames or seconds asked for, and the screenshot, after the message loop
// or a start-up that never reached it.
int finishFrames(int exitCode) {
    const FrameSummary summary = stopFrameMonitor();
    if (options.frames > 0 || options.seconds > 0.0) {
        runRecord.framesCounted = true;
        runRecord.frames = summary;
        std::printf("%s\n", formatSummary(summary).c_str());
        std::fflush(stdout);
        if (!summary.limitReached)
            exitCode = couldNotRun("the run ended after " + std::to_string(summary.frames) + " frames, before the " +
                                   askedLimit() + " asked for");
    }
    if (!options.screenshot.empty()) {
        if (lastFrame().empty()) {
            printLine("no frame was drawn, so no screenshot was written");
            exitCode = couldNotRun("no frame was drawn, so no screenshot was written");
        } else if (!savePng(lastFrame(), options.screenshot)) {
            printLine("cannot write the screenshot " + options.screenshot);
            exitCode = couldNotRun("cannot write the screenshot " + options.screenshot);
        }
    }
    return exitCode;
}

}  // namespace

void printLine(const std::string& line) { std::fprintf(stderr, "facedemo: %s\n", line.c_str()); }

bool applyCommandLine(int argc, const char* const* argv, DataLookup& lookup, int& exitCode) {
    const std::string program =
        argc > 0 && argv[0] && *argv[0] ? std::filesystem::path(argv[0]).filename().string() : "facedemo";
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
    // A windowed program on Windows has no console: it takes its parent's only to print.
    if (printsSomething(parsed)) platform::useParentConsole();
    for (const std::string& warning : parsed.warnings) printLine(warning);
    std::string error = parsed.error;
    std::error_code ignored;
    const std::filesystem::path workingDir = std::filesystem::current_path(ignored);
    if (error.empty() && !parsed.options.dataDir.empty() &&
        !std::filesystem::is_directory(parsed.options.dataDir, ignored))
        error = "option '--data-dir' has a bad value '" + parsed.options.dataDir + "' (not a directory)";
    if (!error.empty()) {
        printLine(error);
        std::fputs(usageText(program.c_str()).c_str(), stderr);
        exitCode = exitBadCommandLine;
        return false;
    }
    options = parsed.options;
    if (options.help || options.version) {
        if (options.help) std::fputs(usageText(program.c_str()).c_str(), stdout);
        if (options.version) std::printf("facedemo %s\n", FACEDEMO_VERSION);
        exitCode = 0;
        return false;
    }
    // Named from where the program was started, whatever directory the data is read from.
    if (!options.screenshot.empty())
        options.screenshot = std::filesystem::absolute(options.screenshot, ignored).string();
    if (!options.savePictures.empty())
        options.savePictures = std::filesystem::absolute(options.savePictures, ignored).string();
    if (!options.report.empty()) {
        options.report = std::filesystem::absolute(options.report, ignored).string();
        startRunClock();
    }
    for (int i = 1; i < argc; ++i) runRecord.arguments.push_back(argv[i] ? argv[i] : "");

    lookup = findDataDirectory(options.dataDir, workingDir.string(), platform::executableDirectory());
    if (std::filesystem::path(lookup.directory) != workingDir) {
        std::error_code failed;
        std::filesystem::current_path(lookup.directory, failed);
        if (failed) printLine("cannot enter the data directory " + lookup.directory + ": " + failed.message());
    }
    if (options.offscreen) platform::useOffscreenRendering();
    if (options.validate) {
        // The reference pictures are of the start window, drawn on the validation's own clock.
        options.width = validationWidth;
        options.height = validationHeight;
        options.fullScreen = false;
        useValidationClock();
    }
    return true;
}

std::string referenceDirectory(const DataLookup& lookup) {
    return (std::filesystem::path(lookup.directory) / referenceDirName).string();
}

void printGLInfo() {
    const GLDescription& gl = runRecord.gl;
    std::printf("GL_VENDOR: %s\nGL_RENDERER: %s\nGL_VERSION: %s\nMultitexturing: %s\n", gl.vendor.c_str(),
                gl.renderer.c_str(), gl.version.c_str(), gl.multitexturing ? "yes" : "no");
    std::fflush(stdout);
}

int finishRun(int exitCode) {
    if (!options.validate) exitCode = finishFrames(exitCode);
    runRecord.exitCode = exitCode;
    if (!options.report.empty()) {
        std::string error;
        if (!writeReport(runRecord, options.report, error)) {
            printLine("cannot write the report " + options.report + ": " + error);
            exitCode = exitCouldNotRun;
        }
    }
    return exitCode;
}
