// What the command line adds around start-up and the message loop: taking the arguments in,
// finding the data, and reporting after the loop. Without arguments none of it shows.
#pragma once

#include <string>

#include "app/data_directory.h"

// Handles the command line before anything is shown. Help, version and bad values end the run
// here: false, with the exit code. Otherwise the options are set and the data directory
// becomes the working directory, so that the files are read by their own relative names.
bool applyCommandLine(int argc, const char* const* argv, DataLookup& lookup, int& exitCode);

// The folder of reference pictures inside the data directory.
std::string referenceDirectory(const DataLookup& lookup);

// One line on standard error, after the program's name.
void printLine(const std::string& line);
// The GL vendor, renderer, version and whether multitexturing is there (--info), as recorded.
void printGLInfo();
// After the run, whichever way it ended: the summary line, the screenshot and the report the
// command line asked for. Returns the exit code: the run's own, or exitCouldNotRun when the
// frames or seconds asked for were not all drawn or a picture or the report cannot be written.
int finishRun(int exitCode);
