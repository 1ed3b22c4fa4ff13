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
    bool instanceHandle = false;  // the window class is registered
    platform::Window* windowHandle = nullptr;
    platform::GLContext* renderContext = nullptr;
    platform::Window* deviceContext = nullptr;
    bool fullScreen = false;
    bool active = false;
    std::int32_t colorBits = 0;
    std::string title;
};

// Keeps the viewport and the perspective projection in step with the client size.
void resizeView(int width, int height);

platform::LRESULT windowProc(platform::Window* window, std::uint32_t message, platform::WPARAM wParam,
                             platform::LPARAM lParam);
