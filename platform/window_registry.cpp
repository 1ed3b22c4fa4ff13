// The live windows, the window procedure and the off-screen flag, shared by the backends.
#include "platform/window_registry.h"

#include <algorithm>

#include "platform/backend.h"

namespace platform {

namespace {

WindowProc procedure = nullptr;
std::vector<Window*> windows;
bool offscreen = false;

}  // namespace

WindowProc windowProcedure() { return procedure; }

void setWindowProcedure(WindowProc newProcedure) { procedure = newProcedure; }

const std::vector<Window*>& liveWindows() { return windows; }

void addLiveWindow(Window* window) { windows.push_back(window); }

void removeLiveWindow(Window* window) {
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

bool offscreenRendering() { return offscreen; }

void useOffscreenRendering() {
    offscreen = true;
    backendUseOffscreenRendering();
}

}  // namespace platform
