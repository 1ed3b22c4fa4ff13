// Start-up, then the validation or the message loop, and the end of the run.
#include "cli/run.h"

#include <string>
#include <vector>

#include "app/application.h"
#include "app/globals.h"
#include "app/key_input.h"
#include "check/gl_description.h"
#include "check/log.h"
#include "check/run_record.h"
#include "check/validation.h"
#include "cli/command_line.h"
#include "cli/data_directory.h"
#include "cli/frame_monitor.h"
#include "cli/options.h"
#include "cli/run_end.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/window.h"

namespace {

// Start-up, then the validation or the message loop, and the window's end. Returns the exit code
// of what was asked, before the command line's chores after the run.
int startAndRun(const DataLookup& lookup) {
    // The command line may ask for another size, or full screen (at the desktop's size unless a
    // size was given); without it this is the 700 x 500 window.
    int width = options.width;
    int height = options.height;
    if (options.fullScreen && !options.sizeGiven) platform::desktopSize(width, height);
    if (!initApplication(width, height, options.fullScreen)) {
        appWindow.destroy();
        const std::string why = platform::windowSystemError();
        return couldNotRun("no window or GL context could be made" + (why.empty() ? "" : ": " + why));
    }
    platform::raiseThreadPriority();
    const bool initialised = initGL();
    if (options.info || !options.report.empty()) recordGLDescription();
    if (!initialised) {
        const std::string unreadable = unreadableDataFile(lookup, loadFailure);
        if (!unreadable.empty()) printLine(unreadable);
        platform::messageBox(appWindow.windowHandle, "Failed to initialize!", "ERROR", platform::MB_OK);
        appWindow.destroy();
        return couldNotRun(unreadable.empty() ? "the initialisation failed"
                                              : "the initialisation failed: " + unreadable);
    }
    if (options.info) printGLInfo();
    if (options.validate) {
        const ValidationResult validation =
            runValidation(referenceDirectory(lookup), options.savePictures, renderFrame);
        appWindow.destroy();
        runRecord.checks = validation.checks;
        if (!validation.failure.empty()) return couldNotRun(validation.failure);
        return validation.allPassed() ? exitDone : exitCheckFailed;
    }
    startFrameMonitor(options);
    const int quitCode = runMessageLoop();
    appWindow.destroy();
    if (displaySwitchFailure) return couldNotRun(displaySwitchFailure);
    return quitCode;
}

}  // namespace

int runApplication(int argc, const char* const* argv) {
    DataLookup lookup;
    int exitCode = exitDone;
    if (!applyCommandLine(argc, argv, lookup, exitCode)) return exitCode;
    return finishRun(startAndRun(lookup));
}
