// Where the running program lives, so that it can find the data installed beside it.
#pragma once

#include <string>

namespace platform {

// The directory that holds the program's executable, without a trailing separator; empty when
// the system cannot tell.
std::string executableDirectory();

}  // namespace platform
