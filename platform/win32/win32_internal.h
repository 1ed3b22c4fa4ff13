// What the win32 backend's files share. Included only inside platform/win32/, after any contract
// header: <windows.h> defines many of the contract's names (WM_SIZE, VK_F1, MB_YESNO, IDYES, ...)
// as macros, with the same values (contract_check.cpp proves it), so after it those names are
// spelled unqualified and mean Windows' own.
#pragma once

#include "platform/window.h"

// The build defines these so that the GL headers need no <windows.h> outside this backend;
// <windows.h> defines them itself.
#undef WINGDIAPI
#undef APIENTRY
#undef CALLBACK
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace platform {

struct Window {
    HWND handle = nullptr;
    bool minimisedReported = false;  // the procedure's last WM_ACTIVATE said minimised
};

// The layer's device context is the system's own handle.
inline HDC handleOf(DeviceContext* deviceContext) { return reinterpret_cast<HDC>(deviceContext); }
inline DeviceContext* deviceContextOf(HDC handle) { return reinterpret_cast<DeviceContext*>(handle); }
// The layer's window with this handle, or null (another window of the thread, or none).
Window* windowFromHandle(HWND handle);

// The console control handler that endRunOnConsoleInterrupt installs.
BOOL WINAPI endRunOnConsoleEvent(DWORD event);

}  // namespace platform
