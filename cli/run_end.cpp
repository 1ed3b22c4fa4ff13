// What the command line asks for once the run has ended: the frame summary, the screenshot and
// the report, and the exit code they decide.
#include "cli/run_end.h"

#include <cstdio>
#include <string>

#include "check/log.h"
#include "check/picture.h"
#include "check/report_file.h"
#include "check/run_record.h"
#include "cli/frame_monitor.h"
#include "cli/options.h"

namespace {

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
        printOutput(formatSummary(summary));
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

int couldNotRun(const std::string& why) {
    if (runRecord.failure.empty()) runRecord.failure = why;
    return options.given ? exitCouldNotRun : exitDone;
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
