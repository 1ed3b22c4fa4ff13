// The executable's directory from GetModuleFileNameA, the parent's console for a program built
// for the GUI subsystem, whose Ctrl+C and close end the run through its message loop, the thread
// priority, and the process's memory and GUI objects.
#include "platform/process.h"

#include <cstdint>
#include <cstdio>

#include "platform/backend.h"
#include "platform/win32/win32_internal.h"
#include "platform/window_registry.h"

#include <psapi.h>
#include <winternl.h>

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

namespace {

// Wine has no GetGuiResources: it fails with ERROR_CALL_NOT_IMPLEMENTED. There the figures come
// from what the process can see itself. GDI keeps its handles, in Wine as in Windows, in the
// table the process environment block points to (GdiSharedHandleTable, 0xF8 into a 64-bit
// block): 65536 entries of 24 bytes; an entry in use has a nonzero type, and its handle is the
// entry's index with the entry's "unique" word above it, whose 0x80 bit marks a stock object.
// An entry counts when GetObjectType accepts its handle as a live object.
struct GdiTableEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24, "the 64-bit layout of a GDI handle table entry");
constexpr std::uint16_t stockObjectFlag = 0x80;
constexpr unsigned gdiTableEntries = 0x10000;

long gdiObjectsInHandleTable() {
#ifdef _WIN64
    constexpr std::size_t tableOffset = 0xF8;
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0)
        return -1;
    const auto* environment = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const GdiTableEntry* const*>(environment + tableOffset);
    if (!table) return -1;
    long count = 0;
    for (unsigned index = 0; index < gdiTableEntries; ++index) {
        const GdiTableEntry& entry = table[index];
        if (entry.type == 0 || (entry.unique & stockObjectFlag) != 0) continue;
        const std::uintptr_t handle = index | (static_cast<std::uintptr_t>(entry.unique) << 16);
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) != 0) ++count;
    }
    return count;
#else
    return -1;
#endif
}

BOOL CALLBACK countOwnWindow(HWND window, LPARAM counter) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) ++*reinterpret_cast<long*>(counter);
    return TRUE;
}

BOOL CALLBACK countOwnWindowAndDescendants(HWND window, LPARAM counter) {
    countOwnWindow(window, counter);
    EnumChildWindows(window, countOwnWindow, counter);
    return TRUE;
}

// Where USER objects cannot be counted: the process's windows, top-level, child and message-only,
// which are the USER objects a program like this one makes.
long windowsOfProcess() {
    long count = 0;
    const auto counter = reinterpret_cast<LPARAM>(&count);
    EnumWindows(countOwnWindowAndDescendants, counter);
    for (HWND window = nullptr; (window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;)
        countOwnWindowAndDescendants(window, counter);
    return count;
}

// GetGuiResources' count, or -1 where the system does not keep it.
long guiResources(DWORD kind) {
    SetLastError(ERROR_SUCCESS);
    const DWORD count = GetGuiResources(GetCurrentProcess(), kind);
    if (count == 0 && GetLastError() != ERROR_SUCCESS) return -1;
    return static_cast<long>(count);
}

}  // namespace

ProcessFigures processFigures() {
    ProcessFigures figures;
    // PagefileUsage is the commit charge, the process's private memory (Wine: its resident
    // anonymous pages and swap; it leaves PrivateUsage zero).
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory))) {
        figures.residentBytes = static_cast<long long>(memory.WorkingSetSize);
        figures.privateBytes = static_cast<long long>(memory.PagefileUsage);
    }
    figures.gdiObjects = guiResources(GR_GDIOBJECTS);
    if (figures.gdiObjects < 0) figures.gdiObjects = gdiObjectsInHandleTable();
    figures.userObjects = guiResources(GR_USEROBJECTS);
    if (figures.userObjects < 0) figures.userObjects = windowsOfProcess();
    return figures;
}

}  // namespace platform
