// The data directory: where the meshes and images are looked for, and the explanation printed
// when one of them cannot be read.
#include "cli/data_directory.h"

#include <algorithm>
#include <filesystem>

#include "demo/data_files.h"

namespace {

namespace fs = std::filesystem;

// Where an installed program keeps its data, relative to the directory of the executable.
const char* const installedDataDir = "../share/facedemo";

bool holdsDataFile(const std::string& directory) {
    std::error_code error;
    for (const char* name : dataFileNames)
        if (fs::is_regular_file(fs::path(directory) / name, error)) return true;
    return false;
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
    return out;
}

}  // namespace

DataLookup findDataDirectory(const std::string& explicitDir, const std::string& workingDir,
                             const std::string& executableDir) {
    DataLookup lookup;
    if (!explicitDir.empty()) {
        lookup.directory = explicitDir;
        lookup.searched.push_back(explicitDir);
        return lookup;
    }
    std::vector<std::string> candidates{workingDir};
    if (!executableDir.empty()) {
        candidates.push_back(executableDir);
        candidates.push_back((fs::path(executableDir) / installedDataDir).lexically_normal().string());
    }
    for (const std::string& candidate : candidates) {
        if (std::find(lookup.searched.begin(), lookup.searched.end(), candidate) != lookup.searched.end()) continue;
        lookup.searched.push_back(candidate);
        if (lookup.directory.empty() && holdsDataFile(candidate)) lookup.directory = candidate;
    }
    if (lookup.directory.empty()) lookup.directory = workingDir;
    return lookup;
}

std::string unreadableDataFile(const DataLookup& lookup, const LoadFailure& failure) {
    if (failure.reason.empty()) return std::string();
    // The file where its reader looked for it: from the working directory, which is the data
    // directory once the program has entered it (a relative data directory then names it no more).
    std::error_code error;
    if (!fs::is_regular_file(failure.file, error))
        return "cannot read " + failure.file + ": not found in " + joined(lookup.searched);
    return "cannot read " + failure.file + " in " + lookup.directory + ": " + failure.reason;
}
