// The floor under the program's start-up: the same 700 x 500 window and GL context, opened
// through the platform layer as the program opens them, one frame cleared and shown, then
// everything closed again. bench/startup_ratio.sh times it from launch to exit beside the
// program itself. With --frames N it clears and shows N frames and prints how many it showed a
// second: what presenting alone costs on this window system (bench/layer_ratio.sh compares the
// direct build's path with the layer's).
//
//   bare_window [--offscreen] [--frames N]
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/messages.h"
#include "platform/window.h"

namespace {

constexpr int windowWidth = 700;
constexpr int windowHeight = 500;
constexpr const char* windowTitle = "OpenGL Window";

platform::LRESULT procedure(platform::Window* window, std::uint32_t message, platform::WPARAM wParam,
                            platform::LPARAM lParam) {
    return platform::defWindowProc(window, message, wParam, lParam);
}

// The messages that showing the window queued, handled as the program's loop would.
void drainMessages() {
    platform::Message message;
    while (platform::peekMessage(message)) {
        platform::translateMessage(message);
        platform::dispatchMessage(message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int frames = 1;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--offscreen") == 0) platform::useOffscreenRendering();
        if (std::strcmp(argv[k], "--frames") == 0 && k + 1 < argc) frames = std::max(1, std::atoi(argv[++k]));
    }
    platform::Instance* instance = platform::moduleInstance();
    if (!platform::registerWindowClass(instance, procedure)) return 1;
    platform::Window* window = platform::createWindow(windowTitle, windowWidth, windowHeight, false);
    platform::DeviceContext* deviceContext = window ? platform::getDC(window) : nullptr;
    platform::GLContext* context = deviceContext ? platform::createGLContext(deviceContext) : nullptr;
    if (!context || !platform::makeCurrent(deviceContext, context)) {
        std::fprintf(stderr, "bare_window: no window or GL context\n");
        return 1;
    }
    platform::showWindow(window);
    drainMessages();

    glViewport(0, 0, windowWidth, windowHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < frames; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        platform::swapBuffers(deviceContext);
    }
    glFinish();
    if (frames > 1) {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::printf("frames_per_second %.1f\n", frames / elapsed.count());
    }

    platform::makeCurrent(nullptr, nullptr);
    platform::deleteGLContext(context);
    platform::releaseDC(window, deviceContext);
    platform::destroyWindow(window);
    platform::unregisterWindowClass(instance);
    return 0;
}
