// The one top-level window with its GL context, and its switch into and out of full screen.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// What the window calls of the shell above it: the procedure its messages are dispatched to, the
// view's set-up for a new client size once the window is made, and what runs on its GL context
// after every re-creation in the other display mode and first thing on destroy while the context
// is still current. Any may be null.
struct WindowHandlers {
    platform::WindowProc procedure = nullptr;
    void (*resize)(int width, int height) = nullptr;
    bool (*initialise)() = nullptr;
    void (*release)() = nullptr;
};
void setWindowHandlers(const WindowHandlers& handlers);

// Construction and destruction do nothing: all work is in create and destroy.
class GLWindow {
public:
    bool create(const char* title, int width, int height, int colorBits, bool fullScreen);
    // Releases everything create made, in reverse; safe on a partly made or destroyed window.
    void destroy();
    bool enterFullScreen();
    bool leaveFullScreen(int width, int height);

    WindowRect windowRect;
    std::int32_t width = 0;
    std::int32_t height = 0;
    platform::Instance* instanceHandle = nullptr;
    platform::Window* windowHandle = nullptr;
    platform::GLContext* renderContext = nullptr;
    platform::DeviceContext* deviceContext = nullptr;
    bool fullScreen = false;
    bool active = false;
    std::int32_t colorBits = 0;
    std::string title;
};
