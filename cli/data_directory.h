// Finding the directory that holds the demo's data files, and saying which file could not be
// read and where it was looked for.
#pragma once

#include <string>
#include <vector>

struct DataLookup {
    std::string directory;              // where the files are read from
    std::vector<std::string> searched;  // every directory considered, in order
};

// With explicitDir set, that directory and no other. Otherwise the first of the working
// directory, the executable's directory and ../share/facedemo beside it that holds at least
// one of the data files; the working directory when none does.
DataLookup findDataDirectory(const std::string& explicitDir, const std::string& workingDir,
                             const std::string& executableDir);

// One line for each data file that cannot be read from the chosen directory: missing ones
// name every directory searched, present ones the reason they were refused.
std::vector<std::string> unreadableDataFiles(const DataLookup& lookup);
