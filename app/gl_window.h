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

// What the window runs on its GL context: after every re-creation in the other display mode, and
// first thing on destroy while the context is still current. Either may be null.
struct ContextHandlers {
    bool (*initialise)() = nullptr;
    void (*release)() = nullptr;
};
void setContextHandlers(const ContextHandlers& handlers);

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
