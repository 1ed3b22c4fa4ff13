// A process the backend knows nothing about: no executable's directory, no console to join, the
// thread's priority left as it is.
#include "platform/process.h"

namespace platform {

std::string executableDirectory() { return std::string(); }

const char* backendName() { return "null"; }

const char* windowSystemName() { return "none"; }

void useParentConsole() {}

void endRunOnConsoleInterrupt() {}

void raiseThreadPriority() {}

}  // namespace platform
