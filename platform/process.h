// The running process: where its executable lives, the console it was started from, and the
// priority of its threads.
#pragma once

#include <string>

namespace platform {

// The directory that holds the program's executable, without a trailing separator; empty when
// the system cannot tell.
std::string executableDirectory();

// The layer's backend ("sdl", "win32") and the window system it drew on ("x11", "wayland",
// "offscreen", "win32"; "none" before any window was made), for reports.
const char* backendName();
const char* windowSystemName();

// Connects standard output and standard error to the console the program was started from,
// where the system does not already (a windowed program on Windows); harmless otherwise. Once
// attached, that console's Ctrl+C and close end the run as endRunOnConsoleInterrupt says.
void useParentConsole();

// Where the program runs in a console of the system's (Windows): Ctrl+C, Ctrl+Break or closing
// the console post the quit message to the calling thread, so that its message loop ends the
// run as Escape does, instead of the process ending on the spot. A signal elsewhere keeps its
// default action.
void endRunOnConsoleInterrupt();

// Raises the calling thread's priority; a refusal is ignored.
void raiseThreadPriority();

}  // namespace platform
