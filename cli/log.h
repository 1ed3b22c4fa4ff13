// Lines for the user on standard error, after the program's name.
#pragma once

#include <string>

void printLine(const std::string& line);
