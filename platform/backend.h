// The backend checklist: every function a backend of the layer supplies, with one line each on
// what it must do (the contract headers say more). The layer's shared files build the rest on
// these: the message-box seam, the clock's seam, the extension check, the window registry. A new
// backend copies this list. Included only inside platform/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/messages.h"
#include "platform/process.h"
#include "platform/window.h"

namespace platform {

// --- Called only by the shared files ---------------------------------------------------------
void* backendGLProcAddress(const char* name);  // the current context's address of a GL entry point, or null
int backendMessageBox(
    Window* owner, const char* text, const char* caption,
    unsigned type);                   // a modal box: the button pressed; messageOnStandardError where none can be shown
std::uint32_t backendTime();          // the system's millisecond clock, wrapping around at 2^32
void backendUseOffscreenRendering();  // windows made from now on are drawn off screen and never shown

// --- Windows, display modes and GL contexts (window.h) ---------------------------------------
Instance* moduleInstance();                                          // the program's module; never null
bool registerWindowClass(Instance* instance, WindowProc procedure);  // video started, setWindowProcedure; false without
                                                                     // a display that shows windows, unless off screen
void unregisterWindowClass(Instance* instance);  // undoes the registration; harmless when there is none
bool changeDisplayMode(
    int width, int height,
    int bitsPerPixel);      // the next full-screen window gets exactly this mode; false when the display refuses it
void restoreDisplayMode();  // the desktop's own mode again
bool desktopSize(int& width, int& height);  // the desktop's size on the window's display, before any window too
Window* createWindow(
    const char* title, int width, int height,
    bool fullScreen);  // hidden, client width x height at (0, 0) or covering its display; addLiveWindow
Borders windowBorders(Window* window);  // the frame around the client area, zero where none
void showWindow(Window* window);        // shown, raised, focused; WM_ACTIVATE sent before it returns
bool displayModeTaken(Window* window);  // a full-screen window got its mode once shown; true in windowed mode
void destroyWindow(Window* window);     // removeLiveWindow, then gone with its pending messages
void clientSize(Window* window, int& width, int& height);      // the drawable size
DeviceContext* getDC(Window* window);                          // what the window is drawn through, for its whole life
void releaseDC(Window* window, DeviceContext* deviceContext);  // gives it back
GLContext* createGLContext(
    DeviceContext* deviceContext);  // RGB 8-8-8, depth 16, double-buffered compatibility context; swaps unsynchronised
bool makeCurrent(DeviceContext* deviceContext, GLContext* context);  // both null: no context current
void deleteGLContext(GLContext* context);                            // gone, with its lists and textures
void swapBuffers(DeviceContext* deviceContext);                      // presents the back buffer
void showCursor(bool show);                                          // the pointer hidden over the window, or shown
const char* windowSystemError();  // why the last of the above that failed did, in the system's words

// --- The message queue (messages.h) ----------------------------------------------------------
bool peekMessage(Message& message);               // the next message, never blocking, in Windows' packing
void translateMessage(const Message& message);    // as TranslateMessage; may do nothing
LRESULT dispatchMessage(const Message& message);  // to windowProcedure(); WM_QUIT to none
void postQuitMessage(int exitCode);               // WM_QUIT with the code, after what is queued
LRESULT defWindowProc(Window* window, std::uint32_t message, WPARAM wParam,
                      LPARAM lParam);  // Alt+F4 becomes WM_CLOSE; the rest ignored
LRESULT sendMessage(Window* window, std::uint32_t message, WPARAM wParam,
                    LPARAM lParam);  // to windowProcedure() at once

// --- The rest of the contract ----------------------------------------------------------------
Window* focusWindow();       // (message_box.h) the window with the keyboard focus, or null
void raiseThreadPriority();  // (clock.h) the calling thread above normal; refusal ignored
bool buildFontBitmaps(DeviceContext* deviceContext, unsigned first, unsigned count,
                      unsigned listBase);  // (font.h) one glBitmap list per glyph of the system font
// FileView::open, FileView::close, FileView::~FileView                           // (file_view.h) a whole file
// read-only in memory, and its release
// (large_buffer.h) at least size bytes, uncleared, freed with std::free; on large pages where the system has them:
void* allocateLargeBuffer(std::size_t size);
bool largeBuffersOnHugePages();     // (large_buffer.h) whether allocateLargeBuffer asks for huge pages in this build
std::string executableDirectory();  // (process.h) the executable's folder, no trailing separator
void useParentConsole();            // (process.h) the starting console's streams, where the program has none
void endRunOnConsoleInterrupt();    // (process.h) a console's Ctrl+C and close post the quit message
const char* backendName();          // (process.h) "sdl", "win32", ...
const char* windowSystemName();     // (process.h) what the windows were drawn on

// --- Offered to the backends by the shared files ----------------------------------------------
// Where no box can be shown: the text on standard error, and the box's default answer.
int messageOnStandardError(const char* text, const char* caption, unsigned type);
// The live windows, the window procedure and the off-screen flag: platform/window_registry.h.

}  // namespace platform
