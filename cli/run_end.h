// The end of a run asked for by the command line.
#pragma once

#include <string>

// Keeps the first reason the run could not do what was asked, and returns the exit code for it:
// exitCouldNotRun when an option asked for something, exitDone for the plain demo.
int couldNotRun(const std::string& why);

// After the run, whichever way it ended: the summary line, the screenshot and the report the
// command line asked for. Returns the exit code: the run's own, or exitCouldNotRun when the
// frames or seconds asked for were not all drawn or a picture or the report cannot be written.
int finishRun(int exitCode);
