// Finding the directory that holds the demo's data files, and saying which file could not be
// read and where it was looked for.
#pragma once

#include <string>
#include <vector>

#include "assets/load_failure.h"

struct DataLookup {
    std::string directory;              // where the files are read from
    std::vector<std::string> searched;  // every directory considered, in order
};

// With explicitDir set, that directory and no other. Otherwise the first of the working
// directory, the executable's directory and ../share/facedemo beside it that holds at least
// one of the data files; the working directory when none does.
DataLookup findDataDirectory(const std::string& explicitDir, const std::string& workingDir,
                             const std::string& executableDir);

// The line that says why a data file could not be loaded from the chosen directory, which the
// program has entered: a missing one names every directory searched, one that is there the
// reason its reader refused it. Empty when nothing was refused.
std::string unreadableDataFile(const DataLookup& lookup, const LoadFailure& failure);
