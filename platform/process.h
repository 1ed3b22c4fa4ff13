// The running process: where its executable lives, and the console it was started from.
#pragma once

#include <string>

namespace platform {

// The directory that holds the program's executable, without a trailing separator; empty when
// the system cannot tell.
std::string executableDirectory();

// Connects standard output and standard error to the console the program was started from,
// where the system does not already (a windowed program on Windows); harmless otherwise.
void useParentConsole();

}  // namespace platform
