// The run's record written for machines: JSON, or JUnit XML for CI systems' test views.
#pragma once

#include <string>

#include "check/run_record.h"

// The JSON object: the program, the platform and driver, the arguments, each check, the frames,
// the time to the first frame, the exit code and, when the run could not finish, why.
std::string reportJson(const RunRecord& record);
// One test suite with one test case per check (a <failure> with the figures when it failed), and
// one test case for the run itself when it did no checks or could not finish.
std::string reportJUnit(const RunRecord& record);

// What a report file holds, from the file name's extension (any case).
enum class ReportFormat { none, json, junit };
ReportFormat reportFormatOf(const std::string& path);

// Writes the report in the format its name asks for; false (with the reason) when it cannot.
bool writeReport(const RunRecord& record, const std::string& path, std::string& error);
