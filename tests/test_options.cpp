// The command line: each option in both forms, the defaults, bad and missing values, and
// arguments the program does not know.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/report_file.h"
#include "cli/options.h"

namespace {

ParsedCommandLine parse(std::vector<const char*> args) {
    args.insert(args.begin(), "facedemo");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, OptionsAndTheirValues) {
    ParsedCommandLine none = parse({});
    EXPECT_TRUE(none.error.empty() && none.warnings.empty()) << "no arguments: nothing to say";
    EXPECT_EQ(none.options.width, 700) << "the start window's width";
    EXPECT_EQ(none.options.height, 500) << "the start window's height";
    EXPECT_FALSE(none.options.fullScreen || none.options.offscreen || none.options.fpsLog || none.options.info)
        << "no flag set by default";
    EXPECT_EQ(none.options.frames, 0) << "no frame limit";
    EXPECT_EQ(none.options.seconds, 0.0) << "no time limit";
    EXPECT_EQ(none.options.frameTimeMs, 0) << "the system's clock";
    EXPECT_TRUE(none.options.dataDir.empty() && none.options.screenshot.empty()) << "no paths";
    EXPECT_FALSE(none.options.given) << "the plain demo";
    EXPECT_FALSE(printsSomething(none)) << "a windowed program started plainly takes no console";
    EXPECT_FALSE(printsSomething(parse({"--size", "640x480", "--fullscreen"}))) << "options that only shape the demo";
    EXPECT_TRUE(parse({"--size", "640x480"}).options.given) << "an option given: its failures are reported";
    EXPECT_FALSE(parse({"stray"}).options.given) << "an unknown argument is not an option given";
    EXPECT_TRUE(printsSomething(parse({"stray"}))) << "but its warning is printed";

    ParsedCommandLine all =
        parse({"--size", "640x480", "--frames=120", "--seconds", "2.5", "--frame-time=20", "--data-dir=/srv/data",
               "--screenshot", "out.png", "--fullscreen", "--fps-log", "--info", "--offscreen", "--validate",
               "--save-pictures=pictures", "--report", "run.JSON"});
    ASSERT_TRUE(all.error.empty()) << all.error;
    EXPECT_EQ(all.options.width, 640) << "--size width";
    EXPECT_EQ(all.options.height, 480) << "--size height";
    EXPECT_TRUE(all.options.sizeGiven) << "--size remembered as given";
    EXPECT_EQ(all.options.frames, 120) << "--frames=N";
    EXPECT_EQ(all.options.seconds, 2.5) << "--seconds S with a fraction";
    EXPECT_EQ(all.options.frameTimeMs, 20) << "--frame-time=MS";
    EXPECT_EQ(parse({"--frame-time", "1"}).options.frameTimeMs, 1) << "the shortest frame time";
    EXPECT_EQ(parse({"--frame-time", "1000"}).options.frameTimeMs, 1000) << "the longest frame time";
    EXPECT_FALSE(printsSomething(parse({"--frame-time", "20"}))) << "a frame time only shapes the demo";
    EXPECT_EQ(all.options.dataDir, "/srv/data") << "--data-dir=DIR";
    EXPECT_EQ(all.options.screenshot, "out.png") << "--screenshot FILE";
    EXPECT_EQ(all.options.savePictures, "pictures") << "--save-pictures=DIR";
    EXPECT_EQ(all.options.report, "run.JSON") << "--report FILE";
    EXPECT_EQ(reportFormatOf(all.options.report), ReportFormat::json) << "the extension in any case";
    EXPECT_EQ(reportFormatOf("results/junit.xml"), ReportFormat::junit);
    EXPECT_TRUE(printsSomething(all));
    EXPECT_TRUE(all.options.fullScreen && all.options.fpsLog && all.options.info && all.options.offscreen &&
                all.options.validate)
        << "every flag";
    EXPECT_TRUE(parse({"--help"}).options.help) << "--help";
    EXPECT_TRUE(parse({"--version"}).options.version) << "--version";
    EXPECT_EQ(parse({"--size", "1X2"}).options.height, 2) << "a capital X separates too";
    EXPECT_EQ(parse({"--size", "65535x65535"}).options.width, 65535) << "the largest size a size message holds";

    const std::string usage = usageText("facedemo");
    for (const char* option : {"--help", "--version", "--data-dir DIR", "--size WxH", "--fullscreen", "--frames N",
                               "--seconds S", "--frame-time MS", "--fps-log", "--screenshot FILE.png", "--info",
                               "--offscreen", "--validate", "--save-pictures DIR", "--report FILE"})
        EXPECT_NE(usage.find(std::string("  ") + option + " "), std::string::npos) << "usage lists " << option;
}

TEST(CommandLine, BadValuesAndUnknownArguments) {
    const struct {
        std::vector<const char*> args;
        const char* named;
    } bad[] = {
        {{"--size", "0x0"}, "--size"},
        {{"--size", "640"}, "--size"},
        {{"--size", "x480"}, "--size"},
        {{"--size", "-640x480"}, "--size"},
        {{"--size", "640x480x2"}, "--size"},
        {{"--size", "65536x10"}, "--size"},
        {{"--size", " 640x480"}, "--size"},
        {{"--frames", "-3"}, "--frames"},
        {{"--frames", "abc"}, "--frames"},
        {{"--frames", "0"}, "--frames"},
        {{"--frames", "12x"}, "--frames"},
        {{"--frames", ""}, "--frames"},
        {{"--frames=99999999999999999999"}, "--frames"},
        {{"--seconds", "0"}, "--seconds"},
        {{"--seconds", "-1"}, "--seconds"},
        {{"--seconds", "nan"}, "--seconds"},
        {{"--seconds", "inf"}, "--seconds"},
        {{"--frame-time", "0"}, "--frame-time"},
        {{"--frame-time", "1001"}, "--frame-time"},
        {{"--frame-time", "abc"}, "--frame-time"},
        {{"--frame-time", "2.5"}, "--frame-time"},
        {{"--frame-time"}, "--frame-time"},
        {{"--frames"}, "--frames"},
        {{"--size"}, "--size"},
        {{"--screenshot"}, "--screenshot"},
        {{"--screenshot="}, "--screenshot"},
        {{"--data-dir"}, "--data-dir"},
        {{"--help=yes"}, "--help"},
        {{"--offscreen=1"}, "--offscreen"},
        {{"--save-pictures"}, "--save-pictures"},
        {{"--report", "run.txt"}, "--report"},
        {{"--report", ".json"}, "--report"},
        {{"--report=report.json.gz"}, "--report"},
    };
    for (const auto& c : bad) {
        const ParsedCommandLine parsed = parse(c.args);
        std::string shown;
        for (const char* a : c.args) shown += std::string(a) + " ";
        EXPECT_NE(parsed.error.find(std::string("'") + c.named + "'"), std::string::npos)
            << shown << "-> names the option: " << parsed.error;
    }
    EXPECT_NE(parse({"--frames", "abc"}).error.find("'abc'"), std::string::npos) << "the bad value is quoted";
    EXPECT_NE(parse({"--frames"}).error.find("needs a value"), std::string::npos) << "a missing value says so";

    // Arguments it does not know are named once each and change nothing else.
    ParsedCommandLine unknown = parse({"-psn_0_1234", "--frames", "5", "--bogus=1", "stray"});
    EXPECT_TRUE(unknown.error.empty()) << unknown.error;
    EXPECT_EQ(unknown.options.frames, 5) << "known options still apply";
    ASSERT_EQ(unknown.warnings.size(), 3u) << "one warning per unknown argument";
    EXPECT_NE(unknown.warnings[0].find("'-psn_0_1234'"), std::string::npos) << unknown.warnings[0];
    EXPECT_NE(unknown.warnings[1].find("'--bogus=1'"), std::string::npos) << unknown.warnings[1];
    EXPECT_NE(unknown.warnings[2].find("'stray'"), std::string::npos) << unknown.warnings[2];
}

}  // namespace
