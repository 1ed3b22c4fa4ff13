// The executable's directory from GetModuleFileNameA, the parent's console for a program built
// for the GUI subsystem, whose Ctrl+C and close end the run through its message loop, and the
// thread priority.
#include "platform/process.h"

#include <cstdio>

#include "platform/win32/win32_internal.h"
#include "platform/window_registry.h"

namespace platform {

std::string executableDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    const std::string file(path, length);
    const std::size_t separator = file.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : file.substr(0, separator);
}

const char* backendName() { return "win32"; }

const char* windowSystemName() { return offscreenRendering() ? "win32 (hidden window)" : "win32"; }

namespace {

DWORD mainThread = 0;
// How long a console's close or the end of a session waits for the run's own shutdown; Windows
// ends the process when the handler returns, and after about five seconds in any case.
constexpr DWORD closeWaitMs = 5000;

}  // namespace

// Runs on a thread of its own that the system starts. The quit message ends the message loop (or
// the validation) on the main thread, which then destroys the window and restores the display
// mode as after Escape; the default handler would end the process on the spot.
BOOL WINAPI endRunOnConsoleEvent(DWORD event) {
    PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) Sleep(closeWaitMs);
    return TRUE;
}

void endRunOnConsoleInterrupt() {
    mainThread = GetCurrentThreadId();
    SetConsoleCtrlHandler(endRunOnConsoleEvent, TRUE);
}

void useParentConsole() {
    // A stream already handed over (a pipe, a file, a console) stays as it is.
    auto unconnected = [](DWORD stream) {
        const HANDLE handle = GetStdHandle(stream);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN;
    };
    const bool output = unconnected(STD_OUTPUT_HANDLE);
    const bool error = unconnected(STD_ERROR_HANDLE);
    if ((!output && !error) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (output) std::freopen("CONOUT$", "w", stdout);
    if (error) std::freopen("CONOUT$", "w", stderr);
    endRunOnConsoleInterrupt();
}

void raiseThreadPriority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST); }

}  // namespace platform
