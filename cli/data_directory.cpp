// The data directory: where the meshes and images are looked for, and the explanation printed
// when one of them cannot be read.
#include "cli/data_directory.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "assets/dib_file.h"
#include "assets/dib_image.h"
#include "demo/data_files.h"
#include "scene/mesh.h"

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

// Why a file that exists cannot be used, or an empty string when it can.
std::string refusal(const fs::path& path) {
    if (path.extension() == ".sos") {
        Mesh scratch;
        return scratch.load(path.string().c_str()) ? std::string() : "not a mesh file it can read";
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return "cannot be opened";
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DibFile file;
    DibImage* image = nullptr;
    DibError error = parseDib(bytes.data(), bytes.size(), file);
    if (error == DibError::none) error = convertDib(file, image);
    if (image) {
        std::free(image->pixels);
        std::free(image);
    }
    return error == DibError::none ? std::string() : dibErrorText(error);
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

std::vector<std::string> unreadableDataFiles(const DataLookup& lookup) {
    std::vector<std::string> lines;
    for (const char* name : dataFileNames) {
        const fs::path path = fs::path(lookup.directory) / name;
        std::error_code error;
        if (!fs::is_regular_file(path, error)) {
            lines.push_back(std::string("cannot read ") + name + ": not found in " + joined(lookup.searched));
            continue;
        }
        const std::string why = refusal(path);
        if (!why.empty()) lines.push_back(std::string("cannot read ") + name + " in " + lookup.directory + ": " + why);
    }
    return lines;
}
