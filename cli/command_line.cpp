// Taking the command line in: the options, the console, the data directory and the validation's clock.
#include "cli/command_line.h"

#include <cstdio>
#include <filesystem>

#include "check/log.h"
#include "check/run_record.h"
#include "check/validation.h"
#include "cli/options.h"
#include "platform/process.h"
#include "platform/window.h"

namespace {

constexpr const char* referenceDirName = "reference";

}  // namespace

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
    // Named from where the program was started, whatever directory the data is read from (the
    // run enters the data directory, so a relative name would be looked up in the wrong place).
    if (!options.dataDir.empty()) options.dataDir = std::filesystem::absolute(options.dataDir, ignored).string();
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
        options.width = startWidth;
        options.height = startHeight;
        options.fullScreen = false;
        useValidationClock();
    }
    return true;
}

std::string referenceDirectory(const DataLookup& lookup) {
    return (std::filesystem::path(lookup.directory) / referenceDirName).string();
}
