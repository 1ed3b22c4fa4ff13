// The contract's table (tests/platform_contract.cpp), linked here against this build's backend,
// names exactly the functions that the headers of platform/ declare: a function added to a header
// and not to the table, or left in the table after it left the headers, is named here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/platform_contract.h"

namespace {

namespace fs = std::filesystem;

// The functions a header declares without defining them, at namespace scope or as members of a
// class there (as Class::member). Declarations may span lines; inline functions, aliases and
// defaulted or deleted members are not the backends' to supply.
std::set<std::string> declaredFunctions(const std::string& header) {
    static const std::regex access(R"(\b(public|private|protected)\s*:)");
    static const std::regex padding(R"(^\s+|\s+$)");
    static const std::regex classHead(R"((?:class|struct)\s+(\w+)[^(]*)");
    static const std::regex declaration(
        R"((?:[\w:<>,*&\s]*[\s*&])?(~?\w+)\s*\([^;]*\)\s*(?:const\s*)?(?:noexcept\s*)?)");
    // The code alone, on one line: no comments, no preprocessor lines.
    std::string text;
    std::istringstream lines(header);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t code = line.find_first_not_of(" \t");
        if (code == std::string::npos || line[code] == '#') continue;
        text += line.substr(0, line.find("//")) + ' ';
    }
    text = std::regex_replace(text, access, " ");
    std::set<std::string> found;
    std::vector<std::string> scopes;  // "" for a namespace, the name for a class, "{" for any other block
    std::string statement;
    for (const char c : text) {
        if (c != ';' && c != '{' && c != '}') {
            statement += c;
            continue;
        }
        const std::string words = std::regex_replace(statement, padding, "");
        statement.clear();
        const bool declarable = std::find(scopes.begin(), scopes.end(), "{") == scopes.end();
        std::smatch match;
        if (c == '}') {
            if (!scopes.empty()) scopes.pop_back();
        } else if (c == '{') {
            if (words.rfind("namespace", 0) == 0) {
                scopes.push_back("");
            } else if (std::regex_match(words, match, classHead)) {
                scopes.push_back(match[1]);
            } else {
                scopes.push_back("{");
            }
        } else if (declarable && words.rfind("using", 0) != 0 && std::regex_match(words, match, declaration)) {
            const std::string owner = scopes.empty() ? std::string() : scopes.back();
            found.insert(owner.empty() ? match[1].str() : owner + "::" + match[1].str());
        }
    }
    return found;
}

TEST(PlatformContract, TheTableNamesEveryFunctionTheHeadersDeclare) {
    std::set<std::string> declared;
    for (const auto& entry : fs::directory_iterator(fs::path(FACEDEMO_SOURCE_DIR) / "platform")) {
        if (entry.path().extension() != ".h") continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        for (const std::string& name : declaredFunctions(text.str())) declared.insert(name);
    }
    std::set<std::string> listed;
    for (std::size_t i = 0; i < contractFunctionCount; ++i)
        EXPECT_TRUE(listed.insert(contractFunctions[i].name).second) << contractFunctions[i].name << " listed twice";
    for (const std::string& name : declared)
        EXPECT_EQ(listed.count(name), 1u) << name << " is declared in platform/ but not in the contract's table";
    for (const std::string& name : listed)
        EXPECT_EQ(declared.count(name), 1u) << name << " is in the contract's table but declared nowhere";

    // The forms a declaration takes that a line-by-line reading would miss or mistake.
    const std::set<std::string> planted = declaredFunctions(R"(
        namespace platform {
        // void commented(int a);
        using Procedure = int (*)(int a);
        constexpr int inlined(int v) { return v + f(v); }
        LRESULT wrapped(Window* window,
                        LPARAM lParam);
        class View {
        public:
            View(const View&) = delete;
            ~View();
            bool open(const char* path);
            int size() const { return size_; }
        };
        }  // namespace platform
    )");
    EXPECT_EQ(planted, (std::set<std::string>{"wrapped", "View::~View", "View::open"}));
}

}  // namespace
