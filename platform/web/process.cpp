// The process in a browser: the data lies in the in-memory file system's root, which is the
// working directory; there is no console to join and no thread priority to raise.
#include "platform/process.h"

namespace platform {

std::string executableDirectory() { return "/"; }

const char* backendName() { return "web"; }

const char* windowSystemName() { return "browser"; }

void useParentConsole() {}

void endRunOnConsoleInterrupt() {}

void raiseThreadPriority() {}

}  // namespace platform
