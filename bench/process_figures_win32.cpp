// The process's memory and GUI objects on Windows: GetProcessMemoryInfo and GetGuiResources, and
// under Wine, which does not keep the GUI counts, what the process can see of its own windows and
// GDI handles.
#include "bench/process_figures.h"

#include <cstddef>
#include <cstdint>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <psapi.h>
#include <winternl.h>

namespace bench {

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

}  // namespace bench
