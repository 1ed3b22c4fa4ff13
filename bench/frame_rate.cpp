// The real program's frame rate and start-up, built for every platform, so that builds can be
// compared on the same driver (bench/wine_ratio.sh runs the Linux build and the Windows build
// under Wine on one X server).
//
//   frame_rate [SECONDS]   starts the program as it always starts (700 x 500), lets frames run for
//                          one second, counts them for SECONDS more (default 5) and quits; prints
//                          the wall-clock time of the first frame (milliseconds since the epoch,
//                          for the launching script to subtract its own start) and the frame rate
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "app/frame_stages.h"
#include "cli/run.h"
#include "platform/messages.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double warmUpSeconds = 1.0;
double countSeconds = 5.0;

double firstFrameEpochMs = 0.0;
Clock::time_point firstFrame;
Clock::time_point countStart;
long counted = 0;
double framesPerSecond = 0.0;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void onStage(FrameStage finished) {
    if (finished != FrameStage::Present) return;
    const Clock::time_point now = Clock::now();
    if (firstFrameEpochMs == 0.0) {
        firstFrameEpochMs =
            std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch()).count();
        firstFrame = now;
        return;
    }
    if (secondsBetween(firstFrame, now) < warmUpSeconds) return;
    if (counted++ == 0) {
        countStart = now;
        return;
    }
    const double elapsed = secondsBetween(countStart, now);
    if (elapsed < countSeconds) return;
    framesPerSecond = static_cast<double>(counted - 1) / elapsed;
    removeFrameStageListener(onStage);
    platform::postQuitMessage(0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) countSeconds = std::atof(argv[1]);
    addFrameStageListener(onStage);
    // The program itself is started without arguments, as a user starts it.
    const int exitCode = runApplication(1, argv);
    std::printf("first_frame_epoch_ms %.1f\nframes_per_second %.2f\n", firstFrameEpochMs, framesPerSecond);
    return exitCode;
}
