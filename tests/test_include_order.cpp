// The folders depend on each other one way only: cli -> check -> app -> demo -> scene -> assets ->
// platform -> fixed_function; and inside a folder no two files call into each other. Reads every #include line of
// the tree and names each one that points up that order, and each pair of files that include
// each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/temp_path.h"

namespace {

namespace fs = std::filesystem;

// Lower folders may be included from higher ones, never the other way round.
const std::map<std::string, int> layerRank = {
    {"fixed_function", 0}, {"platform", 1}, {"assets", 2}, {"scene", 3},
    {"demo", 4},           {"app", 5},      {"check", 6},  {"cli", 7},
};
// The generator stands apart: its own files (the bitmap writer among them) and the bitmap layout.
const std::string toolsFolder = "tools";
const std::string toolsMayInclude = "assets/dib_layout.h";

// "path:line: #include ... (from folder to folder)" for every include that breaks the order.
std::vector<std::string> upwardIncludes(const fs::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*"(([A-Za-z_]+)/[^"]*)\")");
    std::vector<std::string> found;
    for (const std::string folder :
         {"cli", "check", "app", "demo", "scene", "assets", "platform", "fixed_function", "tools"}) {
        if (!fs::is_directory(root / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
            std::ifstream in(entry.path());
            std::string text;
            for (int line = 1; std::getline(in, text); ++line) {
                std::smatch match;
                if (!std::regex_search(text, match, include)) continue;
                const std::string target = match[2];
                bool allowed = target == folder;
                if (folder == toolsFolder) {
                    allowed = allowed || match[1] == toolsMayInclude;
                } else if (layerRank.count(target)) {
                    allowed = layerRank.at(target) <= layerRank.at(folder);
                }
                // Includes of folders outside the order (tests, bench) are never allowed in the code.
                if (!allowed &&
                    (layerRank.count(target) || target == toolsFolder || target == "tests" || target == "bench"))
                    found.push_back(fs::relative(entry.path(), root).generic_string() + ":" + std::to_string(line) +
                                    ": " + text + " (from " + folder + " up to " + target + ")");
            }
        }
    }
    return found;
}

// "a <-> b" for every two units of one folder (a unit: its .h and .cpp) that include each other:
// each calls into the other, where one should hand the other what it needs.
std::vector<std::string> mutualIncludes(const fs::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*"([A-Za-z_]+/[^"]*)\.h")");
    std::map<std::string, std::vector<std::string>> includes;  // unit -> units it includes
    for (const std::string folder : {"cli", "check", "app", "demo", "scene", "assets", "platform", "fixed_function"}) {
        if (!fs::is_directory(root / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
            fs::path unit = fs::relative(entry.path(), root);
            unit.replace_extension();
            std::ifstream in(entry.path());
            std::string text;
            while (std::getline(in, text)) {
                std::smatch match;
                if (std::regex_search(text, match, include) && match[1] != unit.generic_string())
                    includes[unit.generic_string()].push_back(match[1]);
            }
        }
    }
    std::vector<std::string> found;
    for (const auto& [unit, targets] : includes)
        for (const std::string& target : targets) {
            const auto back = includes.find(target);
            if (unit < target && back != includes.end() &&
                std::find(back->second.begin(), back->second.end(), unit) != back->second.end())
                found.push_back(unit + " <-> " + target);
        }
    return found;
}

TEST(IncludeOrder, NoIncludePointsUp) {
    const std::vector<std::string> found = upwardIncludes(FACEDEMO_SOURCE_DIR);
    for (const std::string& f : found) ADD_FAILURE() << f;
    for (const std::string& f : mutualIncludes(FACEDEMO_SOURCE_DIR)) ADD_FAILURE() << "include each other: " << f;

    // The check itself finds what it is for: a small tree with one include of each kind.
    const fs::path tree = testTempPath("include_tree");
    fs::remove_all(tree);
    for (const char* folder : {"app", "demo", "assets", "tools"}) fs::create_directories(tree / folder);
    std::ofstream(tree / "app" / "a.cpp") << "#include \"demo/d.h\"\n#include \"platform/p.h\"\n";
    std::ofstream(tree / "demo" / "d.h") << "#pragma once\n#include <vector>\n\n  #  include \"app/a.h\"\n";
    std::ofstream(tree / "assets" / "b.cpp") << "#include \"tests/helper.h\"\n";
    std::ofstream(tree / "tools" / "t.cpp") << "#include \"assets/dib_layout.h\"\n#include \"assets/texture.h\"\n";
    // The fixed-function layer lies below the platform layer: the platform may use it, never the reverse.
    fs::create_directories(tree / "platform");
    fs::create_directories(tree / "fixed_function");
    std::ofstream(tree / "platform" / "p.cpp") << "#include \"fixed_function/fixed_function.h\"\n";
    std::ofstream(tree / "fixed_function" / "f.cpp") << "#include \"platform/window.h\"\n";
    const std::vector<std::string> planted = upwardIncludes(tree);
    ASSERT_EQ(planted.size(), 4u) << "four planted includes point up";
    EXPECT_NE(planted[0].find("demo/d.h:4:"), std::string::npos) << "file and line named: " << planted[0];
    EXPECT_NE(planted[0].find("from demo up to app"), std::string::npos) << planted[0];
    EXPECT_NE(planted[1].find("assets/b.cpp:1:"), std::string::npos) << "code may not include tests: " << planted[1];
    EXPECT_NE(planted[2].find("fixed_function/f.cpp:1:"), std::string::npos) << planted[2];
    EXPECT_NE(planted[2].find("from fixed_function up to platform"), std::string::npos) << planted[2];
    EXPECT_NE(planted[3].find("tools/t.cpp:2:"), std::string::npos) << "tools use only the layout: " << planted[3];

    // Two files of one folder that include each other; a header included by its own source is fine.
    std::ofstream(tree / "app" / "a.h") << "#pragma once\n";
    std::ofstream(tree / "app" / "b.cpp") << "#include \"app/b.h\"\n#include \"app/a.h\"\n";
    std::ofstream(tree / "app" / "a.cpp") << "#include \"app/a.h\"\n#include \"app/b.h\"\n";
    std::ofstream(tree / "app" / "c.cpp") << "#include \"app/a.h\"\n";
    const std::vector<std::string> mutual = mutualIncludes(tree);
    ASSERT_EQ(mutual.size(), 1u) << "one planted pair";
    EXPECT_EQ(mutual[0], "app/a <-> app/b");
    fs::remove_all(tree);
}

}  // namespace
