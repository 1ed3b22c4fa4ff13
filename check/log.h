// Lines for the user: what a run found on standard output, problems on standard error.
#pragma once

#include <string>

// A problem, on standard error after the program's name.
void printLine(const std::string& line);
// A result (a check's verdict, the frame summary, the driver's description), on standard output
// at once, so that a script reading it through a pipe sees each line when it is printed.
void printOutput(const std::string& line);
