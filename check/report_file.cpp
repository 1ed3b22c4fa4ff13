// Reports in JSON (through nlohmann's JSON library) and in JUnit XML.
#include "check/report_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>

#include "platform/process.h"

namespace {

constexpr const char* programName = "facedemo";

const char* verdict(const CheckResult& c) {
    if (!c.referenceFound()) return "no reference";
    return c.passed() ? "pass" : "fail";
}

// The length of the well-formed UTF-8 sequence at text[i], or 0 when there is none.
std::size_t utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return length;
}

std::string xmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (static_cast<unsigned char>(ch) >= 0x80) {
            // Bytes that are not UTF-8 (a path in another encoding) would make the file unreadable.
            const std::size_t length = utf8Length(text, i);
            if (length == 0) {
                out += '?';
            } else {
                out.append(text, i, length);
                i += length - 1;
            }
            continue;
        }
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\n': out += "&#10;"; break;
        default:
            // Control characters other than tab and newline cannot appear in XML 1.0 at all.
            if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t') {
                out += '?';
            } else {
                out += ch;
            }
        }
    }
    return out;
}

}  // namespace

std::string reportJson(const RunRecord& record) {
    using json = nlohmann::ordered_json;
    json report;
    report["program"] = programName;
    report["version"] = FACEDEMO_VERSION;
    report["platform"] = {{"backend", platform::backendName()}, {"windowSystem", platform::windowSystemName()}};
    report["arguments"] = record.arguments;
    if (record.glKnown) {
        report["gl"] = {{"vendor", record.gl.vendor},
                        {"renderer", record.gl.renderer},
                        {"version", record.gl.version},
                        {"multitexturing", record.gl.multitexturing}};
    } else {
        report["gl"] = nullptr;
    }
    json checks = json::array();
    for (const CheckResult& c : record.checks) {
        json check = {{"name", c.name},
                      {"result", verdict(c)},
                      {"reference", c.reference},
                      {"blocks", c.comparison.blocks},
                      {"differingBlocks", c.comparison.differing},
                      {"blockLimit", c.comparison.limit},
                      {"tolerance", blockTolerance},
                      {"largestDifference", c.comparison.largest},
                      {"region", c.comparison.where.empty() ? json(nullptr) : json(c.comparison.where)},
                      {"textCells", c.comparison.textCells},
                      {"differingTextCells", c.comparison.textDiffering},
                      {"textCellLimit", textCellsMayDiffer}};
        if (!c.picture.empty()) check["picture"] = c.picture;
        if (!c.differencePicture.empty()) check["differencePicture"] = c.differencePicture;
        checks.push_back(check);
    }
    report["checks"] = checks;
    if (record.framesCounted) {
        report["frames"] = {{"frames", record.frames.frames},
                            {"seconds", record.frames.seconds},
                            {"framesPerSecond", record.frames.framesPerSecond},
                            {"worstMs", record.frames.worstMs},
                            {"percentile99Ms", record.frames.percentile99Ms}};
    }
    report["firstFrameMs"] = record.firstFrameMs >= 0.0 ? json(record.firstFrameMs) : json(nullptr);
    report["exitCode"] = record.exitCode;
    report["failure"] = record.failure.empty() ? json(nullptr) : json(record.failure);
    // Replace, not throw, on bytes that are not UTF-8 (a path or an argument in another encoding).
    return report.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string reportJUnit(const RunRecord& record) {
    int failures = 0;
    for (const CheckResult& c : record.checks)
        if (!c.passed()) ++failures;
    const bool runCase = record.checks.empty() || !record.failure.empty();
    if (runCase && !record.failure.empty()) ++failures;
    const std::size_t tests = record.checks.size() + (runCase ? 1 : 0);

    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuite name=\"" + std::string(programName) + "\" tests=\"" + std::to_string(tests) + "\" failures=\"" +
           std::to_string(failures) + "\" errors=\"0\" skipped=\"0\">\n";
    xml += "  <properties>\n";
    auto property = [&xml](const char* name, const std::string& value) {
        xml += "    <property name=\"" + std::string(name) + "\" value=\"" + xmlEscaped(value) + "\"/>\n";
    };
    property("version", FACEDEMO_VERSION);
    property("backend", platform::backendName());
    property("windowSystem", platform::windowSystemName());
    std::string arguments;
    for (const std::string& a : record.arguments) arguments += (arguments.empty() ? "" : " ") + a;
    property("arguments", arguments);
    if (record.glKnown) {
        property("GL_VENDOR", record.gl.vendor);
        property("GL_RENDERER", record.gl.renderer);
        property("GL_VERSION", record.gl.version);
        property("multitexturing", record.gl.multitexturing ? "yes" : "no");
    }
    property("exitCode", std::to_string(record.exitCode));
    xml += "  </properties>\n";
    for (const CheckResult& c : record.checks) {
        xml +=
            "  <testcase classname=\"" + std::string(programName) + ".validate\" name=\"" + xmlEscaped(c.name) + "\"";
        if (c.passed()) {
            xml += "/>\n";
            continue;
        }
        const std::string figures = xmlEscaped(checkFigures(c));
        xml += ">\n    <failure type=\"" + std::string(verdict(c)) + "\" message=\"" + figures + "\">" + figures;
        if (!c.differencePicture.empty()) xml += "&#10;difference picture: " + xmlEscaped(c.differencePicture);
        xml += "</failure>\n  </testcase>\n";
    }
    if (runCase) {
        xml += "  <testcase classname=\"" + std::string(programName) + "\" name=\"run\">\n";
        if (!record.failure.empty()) {
            const std::string why = xmlEscaped(record.failure);
            xml += "    <failure type=\"could not run\" message=\"" + why + "\">" + why + "</failure>\n";
        }
        if (record.framesCounted)
            xml += "    <system-out>" + xmlEscaped(formatSummary(record.frames)) + "</system-out>\n";
        xml += "  </testcase>\n";
    }
    xml += "</testsuite>\n";
    return xml;
}

ReportFormat reportFormatOf(const std::string& path) {
    auto endsWith = [&path](const char* suffix) {
        const std::size_t n = std::strlen(suffix);
        if (path.size() <= n) return false;
        for (std::size_t i = 0; i < n; ++i)
            if (std::tolower(static_cast<unsigned char>(path[path.size() - n + i])) != suffix[i]) return false;
        return true;
    };
    if (endsWith(".json")) return ReportFormat::json;
    if (endsWith(".xml")) return ReportFormat::junit;
    return ReportFormat::none;
}

bool writeReport(const RunRecord& record, const std::string& path, std::string& error) {
    const ReportFormat format = reportFormatOf(path);
    if (format == ReportFormat::none) {
        error = "a report is FILE.json or FILE.xml";
        return false;
    }
    const std::string text = format == ReportFormat::json ? reportJson(record) : reportJUnit(record);
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0) written = false;
    if (!written) error = errno != 0 ? std::strerror(errno) : "cannot write it";
    return written;
}
