// Windows, display modes and GL contexts: the layer's counterpart of window classes,
// CreateWindowEx, ChangeDisplaySettings, WGL and SwapBuffers. No SDL type leaks out.
#pragma once

#include <cstdint>

namespace platform {

struct Window;     // a top-level window with a GL-capable surface
struct GLContext;  // an OpenGL compatibility context

using LRESULT = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using WindowProc = LRESULT (*)(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

// Called before the first registerWindowClass: windows are then drawn off screen and never
// appear on a display, and message boxes write their text to standard error instead.
void useOffscreenRendering();

// "Registers the window class": starts the video subsystem and remembers the procedure that
// dispatchMessage hands every message of the layer's windows to. False when video cannot start.
bool registerWindowClass(WindowProc procedure);
void unregisterWindowClass();

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
void destroyWindow(Window* window);
void clientSize(Window* window, int& width, int& height);

GLContext* createGLContext(Window* window);
// Window and context null: no context is current.
bool makeCurrent(Window* window, GLContext* context);
void deleteGLContext(GLContext* context);
void swapBuffers(Window* window);

void showCursor(bool show);

// Why the last registerWindowClass, createWindow, createGLContext or makeCurrent that failed did
// so, in the system's own words; empty when none has failed.
const char* windowSystemError();

}  // namespace platform
