// Parsing the command line into Options: each option, its value and what makes a value bad.
#include "cli/options.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "check/report_file.h"

Options options;

namespace {

// WM_SIZE carries the client size in two 16-bit halves.
constexpr long largestSide = 65535;
// A second a frame: beyond it every step of the moves and of the morph would be a jump.
constexpr long largestFrameTimeMs = 1000;

struct KnownOption {
    const char* name;
    const char* value;  // null: takes no value
    const char* help;
};

constexpr KnownOption knownOptions[] = {
    {"--help", nullptr, "show this help and exit"},
    {"--version", nullptr, "show the version and exit"},
    {"--data-dir", "DIR", "read the meshes and images from DIR and nowhere else"},
    {"--size", "WxH", "start with a window whose client area is W x H pixels (default 700x500)"},
    {"--fullscreen", nullptr, "start in full screen (at the desktop's size unless --size is given)"},
    {"--frames", "N", "quit after N frames and print a summary of the frame times"},
    {"--seconds", "S", "quit after S seconds and print a summary of the frame times"},
    {"--frame-time", "MS", "advance the clock by MS milliseconds (1..1000) a frame, so runs go alike anywhere"},
    {"--fps-log", nullptr, "print the overlay's frame-rate figure each time it changes"},
    {"--screenshot", "FILE.png", "save the last frame drawn before quitting as a PNG picture"},
    {"--info", nullptr, "print the GL vendor, renderer, version and multitexturing, then run on"},
    {"--offscreen", nullptr, "render without a visible window (no display needed)"},
    {"--validate", nullptr, "draw a fixed set of frames, compare them with the reference pictures and exit"},
    {"--save-pictures", "DIR",
     "with --validate: write each check's picture, and where a failing one differs, into DIR"},
    {"--report", "FILE", "write a report of the run: JSON for FILE.json, JUnit XML for FILE.xml"},
};

const KnownOption* findOption(const std::string& name) {
    for (const KnownOption& known : knownOptions)
        if (name == known.name) return &known;
    return nullptr;
}

// A whole decimal number in [low, high], nothing before or after it.
bool parseInteger(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high) return false;
    value = v;
    return true;
}

bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    long long w = 0;
    long long h = 0;
    if (!parseInteger(text.substr(0, x), 1, largestSide, w) || !parseInteger(text.substr(x + 1), 1, largestSide, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool parseSeconds(const std::string& text, double& seconds) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v) || v <= 0.0) return false;
    seconds = v;
    return true;
}

// Stores a value option's value; false when it is bad.
bool apply(Options& o, const std::string& name, const std::string& value) {
    long long n = 0;
    if (name == "--data-dir") {
        o.dataDir = value;
        return !value.empty();
    }
    if (name == "--size") {
        o.sizeGiven = true;
        return parseSize(value, o.width, o.height);
    }
    if (name == "--frames") {
        if (!parseInteger(value, 1, INT64_MAX, n)) return false;
        o.frames = n;
        return true;
    }
    if (name == "--seconds") return parseSeconds(value, o.seconds);
    if (name == "--frame-time") {
        if (!parseInteger(value, 1, largestFrameTimeMs, n)) return false;
        o.frameTimeMs = static_cast<int>(n);
        return true;
    }
    if (name == "--save-pictures") {
        o.savePictures = value;
        return !value.empty();
    }
    if (name == "--screenshot") {
        o.screenshot = value;
        return !value.empty();
    }
    if (name == "--report") {
        o.report = value;
        return reportFormatOf(value) != ReportFormat::none;
    }
    return false;
}

void applyFlag(Options& o, const std::string& name) {
    if (name == "--help") o.help = true;
    if (name == "--version") o.version = true;
    if (name == "--fullscreen") o.fullScreen = true;
    if (name == "--fps-log") o.fpsLog = true;
    if (name == "--info") o.info = true;
    if (name == "--offscreen") o.offscreen = true;
    if (name == "--validate") o.validate = true;
}

}  // namespace

ParsedCommandLine parseCommandLine(int argc, const char* const* argv) {
    ParsedCommandLine result;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i] ? argv[i] : "";
        const std::size_t equals = argument.find('=');
        const bool inlineValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
        const std::string name = inlineValue ? argument.substr(0, equals) : argument;
        const KnownOption* known = findOption(name);
        if (!known) {
            result.warnings.push_back("ignoring an argument it does not know: '" + argument + "'");
            continue;
        }
        result.options.given = true;
        if (!known->value) {
            if (inlineValue) {
                result.error = "option '" + name + "' takes no value";
                return result;
            }
            applyFlag(result.options, name);
            continue;
        }
        std::string value;
        if (inlineValue) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            result.error = "option '" + name + "' needs a value " + known->value;
            return result;
        }
        if (!apply(result.options, name, value)) {
            result.error = "option '" + name + "' has a bad value '" + value + "' (expected " + known->value + ")";
            return result;
        }
    }
    return result;
}

bool printsSomething(const ParsedCommandLine& parsed) {
    const Options& o = parsed.options;
    // --size, --fullscreen and --data-dir alone only shape the demo; any other option prints its
    // result, its figures or, off screen, the message boxes.
    return !parsed.error.empty() || !parsed.warnings.empty() || o.help || o.version || o.info || o.fpsLog ||
           o.frames > 0 || o.seconds > 0.0 || o.validate || o.offscreen || !o.screenshot.empty() || !o.report.empty() ||
           !o.savePictures.empty();
}

std::string usageText(const char* programName) {
    std::ostringstream out;
    out << "Usage: " << (programName ? programName : "facedemo") << " [OPTION]...\n"
        << "A real-time 3D demonstration of morphing faces in fixed-function OpenGL.\n\n";
    for (const KnownOption& known : knownOptions) {
        std::string left = known.name;
        if (known.value) left += std::string(" ") + known.value;
        out << "  " << left;
        for (std::size_t pad = left.size(); pad < 24; ++pad) out << ' ';
        out << known.help << '\n';
    }
    out << "\nWithout --data-dir the data files are read from the first of the working directory,\n"
        << "the program's own directory and ../share/facedemo beside it that holds any of them.\n"
        << "\nExit status:\n"
        << "  0  what was asked is done (frames drawn, picture written, every check passed)\n"
        << "  1  a validation check failed\n"
        << "  2  a bad command line\n"
        << "  3  the program could not do what was asked: no window or GL context, data that could\n"
        << "     not be loaded, a missing reference picture, a picture or report that could not be\n"
        << "     written, or a window closed before the frames, seconds or checks asked for were done\n"
        << "Without any option the program ends with 0 on every path.\n";
    return out.str();
}
