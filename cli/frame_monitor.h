// What the command line hangs on the frame loop: the frame times for the summary, the overlay's
// frame-rate figure on standard output, the screenshot read back before a frame is presented,
// and the quit after a number of frames or seconds.
#pragma once

#include <cstdint>
#include <string>

#include "cli/options.h"
#include "cli/picture.h"

struct FrameSummary {
    std::int64_t frames = 0;
    double seconds = 0.0;
    double framesPerSecond = 0.0;
    double worstMs = 0.0;
    double percentile99Ms = 0.0;
    bool limitReached = false;  // the frames or seconds asked for were all drawn
};

// Starts watching the frames for what these options ask; watches nothing when they ask nothing.
void startFrameMonitor(const Options& asked);
// Stops watching and returns the summary of the frames drawn since the start.
FrameSummary stopFrameMonitor();
// The last frame read back (empty when no screenshot was asked for or no frame was drawn).
const Picture& lastFrame();

// "frames: 500  seconds: 4.213  fps: 118.7  worst: 14.21 ms  p99: 11.30 ms"
std::string formatSummary(const FrameSummary& summary);
