// What a run asked for by the command line found: the driver, each check, the frames, how far it
// got and why it stopped. The summary lines, the report file and the exit code are made from it.
#pragma once

#include <string>
#include <vector>

#include "cli/frame_monitor.h"

// The exit codes a script can rely on. Without any option the program ends with exitDone on
// every path.
constexpr int exitDone = 0;            // what was asked is done
constexpr int exitCheckFailed = 1;     // a validation check failed
constexpr int exitBadCommandLine = 2;  // the command line could not be understood
constexpr int exitCouldNotRun = 3;     // what was asked could not be done

// One validation check's figures.
struct CheckResult {
    std::string name;
    int width = 0;  // the picture's size
    int height = 0;
    bool referenceFound = false;
    bool passed = false;
    int blocks = 0;
    int differing = 0;  // blocks over the tolerance
    int limit = 0;      // how many may be
    double tolerance = 0.0;
    double largest = 0.0;
    int textCells = 0;
    int textDiffering = 0;
    int textLimit = 0;
    std::string where;              // the region with most of the differences; empty when none
    std::string reference;          // the reference picture's file
    std::string picture;            // the files written with --save-pictures; empty when none
    std::string differencePicture;  //
};

// The check's figures as its line says them, after its name and verdict.
std::string checkFigures(const CheckResult& check);

struct GLDescription {
    std::string vendor;
    std::string renderer;
    std::string version;
    bool multitexturing = false;
};

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

// Keeps the first reason the run could not do what was asked, and returns the exit code for it:
// exitCouldNotRun when an option asked for something, exitDone for the plain demo.
int couldNotRun(const std::string& why);

// Starts timing the run from now, and notes the first frame presented.
void startRunClock();
