// The run's record, and the clock from the start of the run to its first frame.
#include "check/run_record.h"

#include <chrono>
#include <cstdio>

#include "app/frame_stages.h"

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

std::string checkFigures(const CheckResult& check) {
    if (!check.referenceFound())
        return "no " + std::to_string(check.width) + "x" + std::to_string(check.height) + " reference picture " +
               check.reference;
    const BlockComparison& c = check.comparison;
    char line[200];
    std::snprintf(line, sizeof line,
                  "%d of %d blocks differ by more than %.0f (limit %d); largest %.1f; text differs in %d of %d "
                  "cells (limit %d)",
                  c.differing, c.blocks, blockTolerance, c.limit, c.largest, c.textDiffering, c.textCells,
                  textCellsMayDiffer);
    std::string figures = line;
    if (!check.passed() && !c.where.empty()) figures += "; most of them in the " + c.where;
    return figures;
}

std::string formatSummary(const FrameSummary& s) {
    char line[160];
    std::snprintf(line, sizeof line, "frames: %lld  seconds: %.3f  fps: %.1f  worst: %.2f ms  p99: %.2f ms",
                  static_cast<long long>(s.frames), s.seconds, s.framesPerSecond, s.worstMs, s.percentile99Ms);
    return line;
}

void startRunClock() {
    runStart = Clock::now();
    runRecord.firstFrameMs = -1.0;
    addFrameStageListener(noteFirstFrame);
}
