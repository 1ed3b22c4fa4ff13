// Taking the command line in before anything is shown. Without arguments none of it shows.
#pragma once

#include <string>

#include "cli/data_directory.h"

// Handles the command line before anything is shown. Help, version and bad values end the run
// here: false, with the exit code. Otherwise the options are set and the data directory
// becomes the working directory, so that the files are read by their own relative names.
bool applyCommandLine(int argc, const char* const* argv, DataLookup& lookup, int& exitCode);

// The folder of reference pictures inside the data directory.
std::string referenceDirectory(const DataLookup& lookup);
