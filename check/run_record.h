// What a run asked for by the command line found: the driver, each check, the frames, how far it
// got and why it stopped. The summary lines, the report file and the exit code are made from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/picture_compare.h"

// The exit codes a script can rely on. Without any option the program ends with exitDone on
// every path.
constexpr int exitDone = 0;            // what was asked is done
constexpr int exitCheckFailed = 1;     // a validation check failed
constexpr int exitBadCommandLine = 2;  // the command line could not be understood
constexpr int exitCouldNotRun = 3;     // what was asked could not be done

// One validation check: its picture's comparison with the reference picture, and the files.
struct CheckResult {
    std::string name;
    int width = 0;  // the picture's size
    int height = 0;
    BlockComparison comparison;
    std::string reference;          // the reference picture's file
    std::string picture;            // the files written with --save-pictures; empty when none
    std::string differencePicture;  //

    // A reference picture of the drawn picture's size was found.
    bool referenceFound() const { return comparison.sameSize; }
    bool passed() const { return comparison.passed(); }
};

// The check's figures as its line says them, after its name and verdict.
std::string checkFigures(const CheckResult& check);

struct GLDescription {
    std::string vendor;
    std::string renderer;
    std::string version;
    bool multitexturing = false;
};

// The frames a run drew, for the summary line and the report.
struct FrameSummary {
    std::int64_t frames = 0;
    double seconds = 0.0;
    double framesPerSecond = 0.0;
    double worstMs = 0.0;
    double percentile99Ms = 0.0;
    bool limitReached = false;  // the frames or seconds asked for were all drawn
};

// "frames: 500  seconds: 4.213  fps: 118.7  worst: 14.21 ms  p99: 11.30 ms"
std::string formatSummary(const FrameSummary& summary);

struct RunRecord {
    std::vector<std::string> arguments;  // as given, without the program's name
    bool glKnown = false;
    GLDescription gl;
    std::vector<CheckResult> checks;
    bool framesCounted = false;
    FrameSummary frames;
    double firstFrameMs = -1.0;  // from the start of the run to the first frame presented; < 0: none
    std::string failure;         // why the run could not do what was asked; empty when it could
    int exitCode = exitDone;
};

extern RunRecord runRecord;

// Starts timing the run from now, and notes the first frame presented.
void startRunClock();
