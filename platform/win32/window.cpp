// Windows, display modes and WGL contexts: the window class, CreateWindowExA, ChangeDisplaySettings,
// the pixel format, wglCreateContext and SwapBuffers.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/win32/win32_internal.h"
#include "platform/window_registry.h"

namespace platform {

namespace {

constexpr const char* className = "OpenGL";
constexpr BYTE colourBits = 32;
constexpr BYTE depthBits = 16;

bool classRegistered = false;
// The window whose CreateWindowExA is running: the messages sent during creation come before
// the handle is known.
Window* windowBeingCreated = nullptr;
// The display of the last window destroyed: a display-mode switch destroys the window before
// it asks for the desktop's size and the new mode.
HMONITOR lastDisplay = nullptr;

std::string lastError;

// Keeps the system's error code for the call that just failed; returns false for the caller.
bool failed(const char* call) {
    lastError = std::string(call) + " failed (Windows error " + std::to_string(GetLastError()) + ")";
    return false;
}

using SwapIntervalProc = BOOL(WINAPI*)(int interval);

// The procedure stops its frames on WM_ACTIVATE with the minimised flag and restarts them on one
// without it. Windows sends those around a minimise and a restore, but not always in that form
// (Wine keeps a minimised window active when no other window takes over, and sends none), so the
// size message that minimises or restores the window brings that activation along when the
// system did not send it first.
void keepActivationInStep(Window* window, WPARAM sizeKind) {
    if (sizeKind != SIZE_MINIMIZED && sizeKind != SIZE_RESTORED && sizeKind != SIZE_MAXIMIZED) return;
    const bool minimised = sizeKind == SIZE_MINIMIZED;
    if (minimised == window->minimisedReported) return;
    window->minimisedReported = minimised;
    const WORD state = !minimised && GetActiveWindow() == window->handle ? WA_ACTIVE : WA_INACTIVE;
    windowProcedure()(window, WM_ACTIVATE, MAKEWPARAM(state, minimised ? 1 : 0), 0);
}

LRESULT CALLBACK classProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = windowFromHandle(handle);
    if (!window && windowBeingCreated) {
        if (!windowBeingCreated->handle) windowBeingCreated->handle = handle;
        if (windowBeingCreated->handle == handle) window = windowBeingCreated;
    }
    const WindowProc procedure = windowProcedure();
    if (!window || !procedure) return DefWindowProcA(handle, message, wParam, lParam);
    if (message == WM_ACTIVATE) window->minimisedReported = HIWORD(wParam) != 0;
    if (message == WM_SIZE) keepActivationInStep(window, wParam);
    return procedure(window, message, wParam, lParam);
}

// The display of the newest window, or of the last one destroyed, or the primary display.
HMONITOR currentDisplay() {
    if (!liveWindows().empty()) return MonitorFromWindow(liveWindows().back()->handle, MONITOR_DEFAULTTOPRIMARY);
    if (lastDisplay) return lastDisplay;
    return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

// The device name and rectangle of the current display; the primary display's when it has gone.
bool displayInfo(MONITORINFOEXA& info) {
    info = MONITORINFOEXA{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(currentDisplay(), &info)) return true;
    lastDisplay = nullptr;
    return GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info) != FALSE;
}

DWORD windowStyle(bool fullScreen) {
    return (fullScreen ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

DWORD windowExStyle(bool fullScreen) { return fullScreen ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE; }

// Frames run as fast as the machine allows, where the driver lets the program choose.
void switchOffSwapWait(HDC deviceContext, HGLRC context) {
    HDC previousDeviceContext = wglGetCurrentDC();
    HGLRC previousContext = wglGetCurrentContext();
    if (!wglMakeCurrent(deviceContext, context)) return;
    auto swapInterval = reinterpret_cast<SwapIntervalProc>(backendGLProcAddress("wglSwapIntervalEXT"));
    if (swapInterval) swapInterval(0);
    wglMakeCurrent(previousDeviceContext, previousContext);
}

}  // namespace

void backendUseOffscreenRendering() {}

Instance* moduleInstance() { return reinterpret_cast<Instance*>(GetModuleHandleA(nullptr)); }

Window* windowFromHandle(HWND handle) {
    if (!handle) return nullptr;
    for (Window* w : liveWindows()) {
        if (w->handle == handle) return w;
    }
    return nullptr;
}

bool registerWindowClass(Instance* instance, WindowProc windowProc) {
    // The class outlives an unregistration that failed because a window of it still exists.
    if (!classRegistered) {
        WNDCLASSA windowClass{};
        windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
        windowClass.lpfnWndProc = classProcedure;
        windowClass.hInstance = reinterpret_cast<HINSTANCE>(instance);
        windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        if (!RegisterClassA(&windowClass)) return failed("RegisterClassA");
        classRegistered = true;
    }
    setWindowProcedure(windowProc);
    return true;
}

void unregisterWindowClass(Instance* instance) {
    if (classRegistered && UnregisterClassA(className, reinterpret_cast<HINSTANCE>(instance))) classRegistered = false;
}

bool changeDisplayMode(int width, int height, int bitsPerPixel) {
    MONITORINFOEXA display;
    if (!displayInfo(display)) return false;
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    // ChangeDisplaySettingsA with the display named: the window's, not always the primary one.
    return ChangeDisplaySettingsExA(display.szDevice, &mode, nullptr, CDS_FULLSCREEN, nullptr) ==
           DISP_CHANGE_SUCCESSFUL;
}

void restoreDisplayMode() { ChangeDisplaySettingsA(nullptr, 0); }

bool desktopSize(int& width, int& height) {
    MONITORINFOEXA display;
    if (!displayInfo(display)) return false;
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    if (EnumDisplaySettingsA(display.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
        width = static_cast<int>(mode.dmPelsWidth);
        height = static_cast<int>(mode.dmPelsHeight);
    } else {
        width = display.rcMonitor.right - display.rcMonitor.left;
        height = display.rcMonitor.bottom - display.rcMonitor.top;
    }
    return true;
}

Window* createWindow(const char* title, int width, int height, bool fullScreen) {
    if (!classRegistered) return nullptr;
    const DWORD style = windowStyle(fullScreen);
    const DWORD exStyle = windowExStyle(fullScreen);
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    // A full-screen window covers its display; a window starts at the desktop's corner.
    POINT origin{0, 0};
    MONITORINFOEXA display;
    if (fullScreen && displayInfo(display)) origin = POINT{display.rcMonitor.left, display.rcMonitor.top};

    auto* window = new Window{};
    windowBeingCreated = window;
    HWND handle = CreateWindowExA(exStyle, className, title, style, origin.x, origin.y, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    windowBeingCreated = nullptr;
    if (!handle) {
        failed("CreateWindowExA");
        delete window;
        return nullptr;
    }
    window->handle = handle;
    addLiveWindow(window);
    return window;
}

Borders windowBorders(Window* window) {
    if (!window) return Borders{};
    RECT frame{0, 0, 0, 0};
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window->handle, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window->handle, GWL_EXSTYLE));
    if (!AdjustWindowRectEx(&frame, style, FALSE, exStyle)) return Borders{};
    return Borders{-frame.left, -frame.top, frame.right, frame.bottom};
}

void showWindow(Window* window) {
    if (!window) return;
    if (offscreenRendering()) {
        // Off screen the window is never shown; its frames are drawn all the same. Showing would
        // have activated it, so the procedure hears that as it would have.
        if (windowProcedure()) windowProcedure()(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
        return;
    }
    // Showing a top-level window activates it: WM_ACTIVATE arrives before ShowWindow returns.
    ShowWindow(window->handle, SW_SHOW);
    SetForegroundWindow(window->handle);
    SetFocus(window->handle);
}

// Windows changes the display mode before the window is made (changeDisplayMode).
Window* focusWindow() { return windowFromHandle(GetFocus()); }

bool displayModeTaken(Window*) { return true; }

void destroyWindow(Window* window) {
    if (!window) return;
    lastDisplay = MonitorFromWindow(window->handle, MONITOR_DEFAULTTOPRIMARY);
    removeLiveWindow(window);
    DestroyWindow(window->handle);
    delete window;
}

void clientSize(Window* window, int& width, int& height) {
    width = height = 0;
    RECT client{};
    if (!window || !GetClientRect(window->handle, &client)) return;
    width = client.right - client.left;
    height = client.bottom - client.top;
}

DeviceContext* getDC(Window* window) {
    if (!window) return nullptr;
    HDC handle = GetDC(window->handle);
    if (!handle) failed("GetDC");
    return deviceContextOf(handle);
}

void releaseDC(Window* window, DeviceContext* deviceContext) {
    if (window && deviceContext) ReleaseDC(window->handle, handleOf(deviceContext));
}

GLContext* createGLContext(DeviceContext* windowDeviceContext) {
    HDC deviceContext = handleOf(windowDeviceContext);
    if (!deviceContext) return nullptr;
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof(descriptor);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = colourBits;
    descriptor.cDepthBits = depthBits;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    // A window's pixel format is set once; another context on the same window shares it.
    if (GetPixelFormat(deviceContext) == 0) {
        const int format = ChoosePixelFormat(deviceContext, &descriptor);
        if (format == 0) {
            failed("ChoosePixelFormat");
            return nullptr;
        }
        if (!SetPixelFormat(deviceContext, format, &descriptor)) {
            failed("SetPixelFormat");
            return nullptr;
        }
    }
    HGLRC context = wglCreateContext(deviceContext);
    if (!context) {
        failed("wglCreateContext");
        return nullptr;
    }
    switchOffSwapWait(deviceContext, context);
    return reinterpret_cast<GLContext*>(context);
}

bool makeCurrent(DeviceContext* deviceContext, GLContext* context) {
    if (wglMakeCurrent(handleOf(deviceContext), reinterpret_cast<HGLRC>(context))) return true;
    return failed("wglMakeCurrent");
}

void deleteGLContext(GLContext* context) {
    if (context) wglDeleteContext(reinterpret_cast<HGLRC>(context));
}

void swapBuffers(DeviceContext* deviceContext) {
    if (deviceContext) SwapBuffers(handleOf(deviceContext));
}

void showCursor(bool show) { ShowCursor(show ? TRUE : FALSE); }

const char* windowSystemError() { return lastError.c_str(); }

}  // namespace platform
