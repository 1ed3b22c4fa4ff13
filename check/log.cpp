// Lines on standard output and standard error.
#include "check/log.h"

#include <cstdio>

void printLine(const std::string& line) { std::fprintf(stderr, "facedemo: %s\n", line.c_str()); }

void printOutput(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}
