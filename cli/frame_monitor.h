// What the command line hangs on the frame loop: the frame times for the summary, the overlay's
// frame-rate figure on standard output, the screenshot read back before a frame is presented,
// and the quit after a number of frames or seconds.
#pragma once

#include <cstdint>
#include <string>

#include "check/picture.h"
#include "check/run_record.h"
#include "cli/options.h"

// Starts watching the frames for what these options ask; watches nothing when they ask nothing.
void startFrameMonitor(const Options& asked);
// Stops watching and returns the summary of the frames drawn since the start.
FrameSummary stopFrameMonitor();
// The last frame read back (empty when no screenshot was asked for or no frame was drawn).
const Picture& lastFrame();
