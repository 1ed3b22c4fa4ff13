// The floor under the program's start-up: the same 700 x 500 window and GL context, opened
// through the platform layer as the program opens them, one frame cleared and shown, then
// everything closed again. bench/startup_ratio.sh times it from launch to exit beside the
// program itself.
//
//   bare_window [--offscreen]
#include <GL/gl.h>

#include <cstdio>
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
    if (argc > 1 && std::strcmp(argv[1], "--offscreen") == 0) platform::useOffscreenRendering();
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
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    platform::swapBuffers(deviceContext);
    glFinish();

    platform::makeCurrent(nullptr, nullptr);
    platform::deleteGLContext(context);
    platform::releaseDC(window, deviceContext);
    platform::destroyWindow(window);
    platform::unregisterWindowClass(instance);
    return 0;
}
