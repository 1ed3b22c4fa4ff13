// The hidden GL window shared by the GL-touching tests: on SDL's offscreen driver, or under Wine
// a WGL window that is never shown.
#include "tests/gl_test_context.h"

#include <GL/gl.h>

#include "platform/messages.h"
#include "platform/window.h"

namespace {

platform::LRESULT ignoreMessages(platform::Window* w, std::uint32_t m, platform::WPARAM wp, platform::LPARAM lp) {
    return platform::defWindowProc(w, m, wp, lp);
}

}  // namespace

platform::Window* offscreenWindow(int width, int height) {
    static platform::Window* window = nullptr;
    if (!window) {
#ifndef _WIN32
        // SDL's offscreen driver, asked for as the program's --offscreen asks for it.
        platform::useOffscreenRendering();
#endif
        if (!platform::registerWindowClass(platform::moduleInstance(), ignoreMessages)) return nullptr;
        window = platform::createWindow("test", width, height, false);
    }
    return window;
}

GLenum polygonMode(int face) {
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    return static_cast<GLenum>(modes[face]);
}

void GlTest::SetUp() {
    window = offscreenWindow();
    ASSERT_NE(window, nullptr) << "the offscreen video driver did not start";
    context = platform::createGLContext(platform::getDC(window));
    ASSERT_NE(context, nullptr) << "no GL context from the offscreen driver";
    ASSERT_TRUE(platform::makeCurrent(platform::getDC(window), context));
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_MODELVIEW);
}

void GlTest::TearDown() {
    platform::makeCurrent(nullptr, nullptr);
    platform::deleteGLContext(context);
}
