// No window system: the window class is refused, so no window or GL context is ever made, and
// every call about one answers as for none.
#include "platform/window.h"
#include "platform/backend.h"

namespace platform {

// The program's one instance: nothing here tells modules apart.
struct Instance {};

namespace {

Instance programInstance;
// Why the last call that failed did so.
const char* lastError = "";

}  // namespace

void backendUseOffscreenRendering() {}

Instance* moduleInstance() { return &programInstance; }

bool registerWindowClass(Instance*, WindowProc) {
    lastError = "the null backend has no window system";
    return false;
}

void unregisterWindowClass(Instance*) {}

bool changeDisplayMode(int, int, int) { return false; }

void restoreDisplayMode() {}

bool desktopSize(int&, int&) { return false; }

Window* createWindow(const char*, int, int, bool) {
    lastError = "the null backend makes no windows";
    return nullptr;
}

Borders windowBorders(Window*) { return Borders{}; }

void showWindow(Window*) {}

Window* focusWindow() { return nullptr; }

bool displayModeTaken(Window*) { return true; }

void destroyWindow(Window*) {}

void clientSize(Window*, int& width, int& height) { width = height = 0; }

DeviceContext* getDC(Window*) { return nullptr; }

void releaseDC(Window*, DeviceContext*) {}

GLContext* createGLContext(DeviceContext*) {
    lastError = "the null backend makes no GL contexts";
    return nullptr;
}

// No context is current, which is all that can be asked of it.
bool makeCurrent(DeviceContext* deviceContext, GLContext* context) {
    if (!deviceContext && !context) return true;
    lastError = "the null backend has no GL context to make current";
    return false;
}

void deleteGLContext(GLContext*) {}

void swapBuffers(DeviceContext*) {}

void showCursor(bool) {}

const char* windowSystemError() { return lastError; }

}  // namespace platform
