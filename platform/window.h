// Windows, display modes and GL contexts: the layer's counterpart of window classes,
// CreateWindowEx, ChangeDisplaySettings, WGL and SwapBuffers. No SDL type leaks out.
#pragma once

#include <cstdint>

namespace platform {

struct Instance;       // the module that registers the window class
struct Window;         // a top-level window with a GL-capable surface
struct DeviceContext;  // what a window is drawn through: its GL contexts and the buffer swap
struct GLContext;      // an OpenGL compatibility context (on the fixed-function layer, ES 2.0 with the layer's)

using LRESULT = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using WindowProc = LRESULT (*)(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

// Called before the first registerWindowClass: windows are then drawn off screen and never
// appear on a display, and message boxes write their text to standard error instead.
void useOffscreenRendering();

// The running program's module (GetModuleHandle); never null.
Instance* moduleInstance();

// "Registers the window class" of the instance: starts the video subsystem and remembers the
// procedure that dispatchMessage hands every message of the layer's windows to. False when video
// cannot start, or, unless rendering is off screen, when no display shows windows.
bool registerWindowClass(Instance* instance, WindowProc procedure);
void unregisterWindowClass(Instance* instance);

// "The window's display" below is the display of the newest window or, when there is none, of the
// last one destroyed (a display-mode switch destroys the window first), or else the first display.

// Asks the window's display for a full-screen mode of exactly this size; true when it offers it.
// The next createWindow with fullScreen set uses it, on that display; restoreDisplayMode forgets it.
bool changeDisplayMode(int width, int height, int bitsPerPixel);
void restoreDisplayMode();
// The size of the desktop of the window's display; works before any window exists.
bool desktopSize(int& width, int& height);

struct Borders {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Creates the window with a client area of width x height, an RGB 8-8-8 colour buffer, a 16-bit
// depth buffer and double buffering: at (0, 0), or in full screen over the window's display. Not
// yet shown. Null on failure.
Window* createWindow(const char* title, int width, int height, bool fullScreen);
// The frame around the client area (zero where there is none); a window manager's frame is known
// once the window is shown.
Borders windowBorders(Window* window);
// Shows, raises and focuses the window. As on Windows, showing a window activates it: the
// window procedure receives WM_ACTIVATE before this returns.
void showWindow(Window* window);
// The layer's window that has the keyboard focus, or null (GetFocus).
Window* focusWindow();
// Whether a window made for full screen got its display mode when it was shown (where the system
// changes the mode only then); true for a window in windowed mode.
bool displayModeTaken(Window* window);
void destroyWindow(Window* window);
void clientSize(Window* window, int& width, int& height);

// The window's own device context (GetDC), for as long as the window lives; null on failure.
DeviceContext* getDC(Window* window);
void releaseDC(Window* window, DeviceContext* deviceContext);

// A GL context for the window, made current, in GL's initial state; null on failure.
GLContext* createGLContext(DeviceContext* deviceContext);
// Device context and GL context null: no context is current.
bool makeCurrent(DeviceContext* deviceContext, GLContext* context);
// Deletes a context whose window has not been destroyed yet.
void deleteGLContext(GLContext* context);
void swapBuffers(DeviceContext* deviceContext);

void showCursor(bool show);

// Why the last registerWindowClass, createWindow, createGLContext or makeCurrent that failed did
// so, in the system's own words; empty when none has failed.
const char* windowSystemError();

}  // namespace platform
