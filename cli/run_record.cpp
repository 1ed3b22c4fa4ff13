// The run's record, and the clock from the start of the run to its first frame.
#include "cli/run_record.h"

#include <chrono>
#include <cstdio>

#include "app/frame_stages.h"
#include "cli/options.h"

RunRecord runRecord;

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point runStart;

void noteFirstFrame(FrameStage finished) {
    if (finished != FrameStage::Present) return;
    runRecord.firstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - runStart).count();
    removeFrameStageListener(noteFirstFrame);
}

}  // namespace

std::string checkFigures(const CheckResult& c) {
    if (!c.referenceFound)
        return "no " + std::to_string(c.width) + "x" + std::to_string(c.height) + " reference picture " + c.reference;
    char line[200];
    std::snprintf(line, sizeof line,
                  "%d of %d blocks differ by more than %.0f (limit %d); largest %.1f; text differs in %d of %d "
                  "cells (limit %d)",
                  c.differing, c.blocks, c.tolerance, c.limit, c.largest, c.textDiffering, c.textCells, c.textLimit);
    std::string figures = line;
    if (!c.passed && !c.where.empty()) figures += "; most of them in the " + c.where;
    return figures;
}

int couldNotRun(const std::string& why) {
    if (runRecord.failure.empty()) runRecord.failure = why;
    return options.given ? exitCouldNotRun : exitDone;
}

void startRunClock() {
    runStart = Clock::now();
    runRecord.firstFrameMs = -1.0;
    addFrameStageListener(noteFirstFrame);
}
