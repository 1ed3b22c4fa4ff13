// The command line: what a user may ask of a run beyond the demo itself. Started without
// arguments the program is the plain demo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/application.h"

struct Options {
    bool help = false;
    bool version = false;
    std::string dataDir;     // empty: look in the usual places
    int width = startWidth;  // the start window's client size
    int height = startHeight;
    bool sizeGiven = false;
    bool fullScreen = false;
    std::int64_t frames = 0;  // 0: no limit
    double seconds = 0.0;     // 0: no limit
    int frameTimeMs = 0;      // each frame advances the clock by this much; 0: the system's clock
    bool fpsLog = false;
    std::string screenshot;  // PNG file written with the last frame drawn
    bool info = false;
    bool offscreen = false;
    bool validate = false;
    std::string savePictures;  // with validate: where each check's picture is written
    std::string report;        // a report of the run: JSON (.json) or JUnit XML (.xml)
    bool given = false;        // at least one known option was given
};

// The options of this run; the defaults until runApplication has parsed the command line.
extern Options options;

struct ParsedCommandLine {
    Options options;
    std::string error;                  // set: a known option with a missing or bad value
    std::vector<std::string> warnings;  // arguments that were not understood, each named
};

// GNU style: "--name value" or "--name=value". Unknown arguments are warned about and ignored.
ParsedCommandLine parseCommandLine(int argc, const char* const* argv);

// Whether the run may print anything: the options that print, warnings and errors. A program
// without a console of its own (on Windows) takes its parent's only then.
bool printsSomething(const ParsedCommandLine& parsed);

// Every option with one line each, and the exit status.
std::string usageText(const char* programName);
