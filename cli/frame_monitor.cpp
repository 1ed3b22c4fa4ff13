// Watching the frames through a frame stage listener.
#include "cli/frame_monitor.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/frame_stages.h"
#include "app/globals.h"
#include "app/hud.h"
#include "check/log.h"
#include "platform/clock.h"
#include "platform/messages.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Monitor {
    Options asked;
    Clock::time_point start;
    Clock::time_point lastPresent;
    std::vector<double> frameMs;  // one entry per frame presented
    bool lastFrameDrawing = false;
    bool quitPosted = false;
    bool watching = false;
    Picture capture;
    std::uint32_t fixedClockNow = 0;  // with a fixed frame time: what the millisecond clock reads
};

Monitor monitor;

std::uint32_t readFixedClock() { return monitor.fixedClockNow; }

bool hasLimit() { return monitor.asked.frames > 0 || monitor.asked.seconds > 0.0; }

// Whether the frame now being drawn is the last one the limits allow.
bool limitReached(Clock::time_point now) {
    const auto frames = static_cast<std::int64_t>(monitor.frameMs.size()) + 1;
    if (monitor.asked.frames > 0 && frames >= monitor.asked.frames) return true;
    const double seconds = std::chrono::duration<double>(now - monitor.start).count();
    return monitor.asked.seconds > 0.0 && seconds >= monitor.asked.seconds;
}

void onStage(FrameStage finished) {
    switch (finished) {
    case FrameStage::FrameRate:
        if (monitor.asked.fpsLog && newFrameRateFigure()) {
            printOutput(fpsText);
        }
        break;
    case FrameStage::Drawn:
        monitor.lastFrameDrawing = limitReached(Clock::now());
        if (!monitor.asked.screenshot.empty() && (monitor.lastFrameDrawing || !hasLimit()))
            monitor.capture = readBackFrame(appWindow.width, appWindow.height);
        break;
    case FrameStage::Present: {
        const Clock::time_point now = Clock::now();
        monitor.frameMs.push_back(std::chrono::duration<double, std::milli>(now - monitor.lastPresent).count());
        monitor.lastPresent = now;
        // With a fixed frame time the clock moves only here, so the next frame measures exactly it.
        monitor.fixedClockNow += static_cast<std::uint32_t>(monitor.asked.frameTimeMs);
        if (monitor.lastFrameDrawing && !monitor.quitPosted) {
            platform::postQuitMessage(0);
            monitor.quitPosted = true;
        }
        break;
    }
    default: break;
    }
}

}  // namespace

void startFrameMonitor(const Options& asked) {
    monitor = Monitor();
    monitor.asked = asked;
    monitor.start = monitor.lastPresent = Clock::now();
    // Asked nothing, it leaves the frame alone.
    monitor.watching = hasLimit() || asked.fpsLog || !asked.screenshot.empty() || asked.frameTimeMs > 0;
    if (monitor.watching) addFrameStageListener(onStage);
    if (asked.frameTimeMs > 0) {
        // The first frame measures one frame time from the last reading (the window's activation),
        // however long the start-up took.
        monitor.fixedClockNow = lastFrameTime + static_cast<std::uint32_t>(asked.frameTimeMs);
        platform::setClockSource(readFixedClock);
    }
}

FrameSummary stopFrameMonitor() {
    removeFrameStageListener(onStage);
    if (monitor.asked.frameTimeMs > 0) platform::setClockSource(nullptr);
    FrameSummary summary;
    summary.limitReached = monitor.quitPosted;
    summary.frames = static_cast<std::int64_t>(monitor.frameMs.size());
    summary.seconds = std::chrono::duration<double>(monitor.lastPresent - monitor.start).count();
    if (summary.seconds > 0.0) summary.framesPerSecond = static_cast<double>(summary.frames) / summary.seconds;
    std::vector<double> sorted = monitor.frameMs;
    std::sort(sorted.begin(), sorted.end());
    if (!sorted.empty()) {
        summary.worstMs = sorted.back();
        // The smallest frame time that at least 99% of the frames do not exceed.
        const auto rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(sorted.size())));
        summary.percentile99Ms = sorted[std::max<std::size_t>(rank, 1) - 1];
    }
    return summary;
}

const Picture& lastFrame() { return monitor.capture; }
