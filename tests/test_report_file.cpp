// The run's report: what each format holds of a run that checked, and of one that could not run,
// and text that would break a report (markup, bytes that are not UTF-8) kept out of its syntax.
#include <gtest/gtest.h>

#include <string>

#include "check/report_file.h"
#include "tests/temp_path.h"

namespace {

CheckResult failedCheck() {
    CheckResult c;
    c.name = "fog-off";
    c.width = 700;
    c.height = 500;
    c.comparison.sameSize = true;
    c.comparison.blocks = 5196;
    c.comparison.differing = 198;
    c.comparison.limit = 51;
    c.comparison.largest = 54.1;
    c.comparison.textCells = 20;
    c.comparison.where = "ground (rocks and lightmap)";
    c.differencePicture = "/tmp/out/fog-off-diff.png";
    return c;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(ReportFile, EachFormatHoldsTheChecksAndWhyARunStopped) {
    RunRecord record;
    record.arguments = {"--validate", "--report", "r.xml"};
    CheckResult passed = failedCheck();
    passed.name = "start";
    passed.comparison.differing = 0;
    passed.differencePicture.clear();
    record.checks = {passed, failedCheck()};
    record.exitCode = exitCheckFailed;

    const std::string xml = reportJUnit(record);
    EXPECT_NE(xml.find("tests=\"2\" failures=\"1\""), std::string::npos) << xml;
    EXPECT_EQ(count(xml, "<testcase "), 2u) << "one test case per check, none for the run that finished";
    EXPECT_EQ(count(xml, "<failure "), 1u);
    EXPECT_NE(xml.find("198 of 5196 blocks differ by more than 24 (limit 51); largest 54.1"), std::string::npos)
        << "the failure carries the figures";
    EXPECT_NE(xml.find("difference picture: /tmp/out/fog-off-diff.png"), std::string::npos);

    const std::string json = reportJson(record);
    EXPECT_NE(json.find("\"differingBlocks\": 198"), std::string::npos) << json;
    EXPECT_NE(json.find("\"region\": \"ground (rocks and lightmap)\""), std::string::npos);
    EXPECT_NE(json.find("\"failure\": null"), std::string::npos);
    EXPECT_NE(json.find("\"gl\": null"), std::string::npos) << "no driver was recorded";

    // A run that stopped: one failed test case says why, after the checks it did.
    record.failure = "no reference picture <data>/reference/close-view.png & more";
    record.exitCode = exitCouldNotRun;
    const std::string stopped = reportJUnit(record);
    EXPECT_EQ(count(stopped, "<testcase "), 3u);
    EXPECT_EQ(count(stopped, "<failure "), 2u);
    EXPECT_NE(stopped.find("no reference picture &lt;data&gt;/reference/close-view.png &amp; more"), std::string::npos)
        << "markup in a reason escaped";
    EXPECT_EQ(stopped.find("<data>"), std::string::npos);
    EXPECT_NE(reportJson(record).find("\"exitCode\": 3"), std::string::npos);

    // An argument in another encoding, and a control character, keep both files well formed.
    record.arguments = {std::string("--data-dir=/d\xE9j\xE0"), std::string("caf\xC3\xA9"), std::string("a\x01z")};
    const std::string odd = reportJUnit(record);
    EXPECT_NE(odd.find("--data-dir=/d?j? caf\xC3\xA9 a?z"), std::string::npos) << "only the broken bytes replaced";
    const std::string oddJson = reportJson(record);
    EXPECT_NE(oddJson.find("caf\xC3\xA9"), std::string::npos) << "good UTF-8 kept";
    EXPECT_NE(oddJson.find("\\u0001"), std::string::npos) << "a control character escaped";

    // Written by its name's extension; a file that cannot be made is a failure with its reason.
    const std::string path = testTempPath("report.JSON");
    std::string error;
    EXPECT_TRUE(writeReport(record, path, error)) << error;
    EXPECT_FALSE(writeReport(record, testTempPath("no-such-directory") + "/report.xml", error));
    EXPECT_FALSE(error.empty()) << "the reason is given";
    EXPECT_FALSE(writeReport(record, testTempPath("report.txt"), error)) << "neither JSON nor XML";
}

}  // namespace
