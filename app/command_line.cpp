// Taking the command line in, and what it asks for after the loop.
#include "app/command_line.h"

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>

#include "app/frame_monitor.h"
#include "app/options.h"
#include "app/picture.h"
#include "app/validation.h"
#include "demo/globals.h"
#include "platform/process.h"
#include "platform/window.h"

namespace {

// The reference pictures of the validation are of the start window.
constexpr int validationWidth = 700;
constexpr int validationHeight = 500;
constexpr const char* referenceDirName = "reference";

constexpr int badCommandLineExitCode = 2;
constexpr int screenshotFailedExitCode = 1;

}  // namespace

void printLine(const std::string& line) { std::fprintf(stderr, "facedemo: %s\n", line.c_str()); }

bool applyCommandLine(int argc, const char* const* argv, DataLookup& lookup, int& exitCode) {
    const std::string program =
        argc > 0 && argv[0] && *argv[0] ? std::filesystem::path(argv[0]).filename().string() : "facedemo";
    platform::useParentConsole();
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
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
        exitCode = badCommandLineExitCode;
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
    auto text = [](GLenum name) {
        const auto* value = reinterpret_cast<const char*>(glGetString(name));
        return value ? value : "(unknown)";
    };
    std::printf("GL_VENDOR: %s\nGL_RENDERER: %s\nGL_VERSION: %s\nMultitexturing: %s\n", text(GL_VENDOR),
                text(GL_RENDERER), text(GL_VERSION), multitextureSupported ? "yes" : "no");
    std::fflush(stdout);
}

int finishRun(int exitCode) {
    const FrameSummary summary = stopFrameMonitor();
    if (options.frames > 0 || options.seconds > 0.0) {
        std::printf("%s\n", formatSummary(summary).c_str());
        std::fflush(stdout);
    }
    if (!options.screenshot.empty()) {
        if (lastFrame().empty()) {
            printLine("no frame was drawn, so no screenshot was written");
            return screenshotFailedExitCode;
        }
        if (!savePng(lastFrame(), options.screenshot)) {
            printLine("cannot write the screenshot " + options.screenshot);
            return screenshotFailedExitCode;
        }
    }
    return exitCode;
}
