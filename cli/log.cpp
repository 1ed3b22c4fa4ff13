// Lines on standard error.
#include "cli/log.h"

#include <cstdio>

void printLine(const std::string& line) { std::fprintf(stderr, "facedemo: %s\n", line.c_str()); }
