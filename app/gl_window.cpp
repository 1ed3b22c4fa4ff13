// The window with its GL context, the display-mode switch, the view's projection and the
// window procedure.
#include "app/gl_window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/application.h"
#include "app/globals.h"
#include "app/run_record.h"
#include "demo/globals.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/messages.h"

namespace {

constexpr double fieldOfView = 60.0;
constexpr double nearPlane = 0.2;
constexpr double farPlane = 350.0;
constexpr int windowedWidthAfterFullScreen = 500;
constexpr int windowedHeightAfterFullScreen = 500;

const char* const fullScreenRefused =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";

}  // namespace

bool GLWindow::create(const char* newTitle, int newWidth, int newHeight, int newColorBits, bool wantFullScreen) {
    windowRect = WindowRect{0, 0, newWidth, newHeight};
    width = newWidth;
    height = newHeight;

    if (!platform::registerWindowClass(windowProc)) return false;
    instanceHandle = true;

    if (wantFullScreen && !platform::changeDisplayMode(newWidth, newHeight, newColorBits)) {
        int answer = platform::messageBox(nullptr, fullScreenRefused, "GLWindow",
                                          platform::MB_YESNO | platform::MB_ICONEXCLAMATION);
        if (answer != platform::IDYES) return false;
        wantFullScreen = false;
    }
    fullScreen = wantFullScreen;
    if (fullScreen) platform::showCursor(false);

    windowHandle = platform::createWindow(newTitle, newWidth, newHeight, fullScreen);
    if (!windowHandle) {
        destroy();
        return false;
    }
    renderContext = platform::createGLContext(windowHandle);
    if (!renderContext || !platform::makeCurrent(windowHandle, renderContext)) {
        destroy();
        return false;
    }
    deviceContext = windowHandle;
    platform::showWindow(windowHandle);
    // The outer rectangle: the client area grown by the frame around it, known once the window
    // is shown (a window manager frames a window when it maps it).
    platform::Borders borders = platform::windowBorders(windowHandle);
    windowRect.left -= borders.left;
    windowRect.top -= borders.top;
    windowRect.right += borders.right;
    windowRect.bottom += borders.bottom;

    resizeView(newWidth, newHeight);

    title = newTitle;
    colorBits = newColorBits;
    return true;
}

void GLWindow::destroy() {
    releaseGLResources();
    if (fullScreen) {
        platform::restoreDisplayMode();
        platform::showCursor(true);
    }
    if (renderContext) {
        platform::makeCurrent(nullptr, nullptr);
        platform::deleteGLContext(renderContext);
        renderContext = nullptr;
    }
    deviceContext = nullptr;
    if (windowHandle) {
        platform::destroyWindow(windowHandle);
        windowHandle = nullptr;
    }
    platform::unregisterWindowClass();
    instanceHandle = false;
}

// False when the new window or its GL initialisation failed; the caller ends the program.
bool GLWindow::enterFullScreen() {
    if (fullScreen) return true;
    destroy();
    int desktopWidth = 0;
    int desktopHeight = 0;
    if (!platform::desktopSize(desktopWidth, desktopHeight)) return false;
    if (!create(title.c_str(), desktopWidth, desktopHeight, colorBits, true)) return false;
    return initGL();
}

bool GLWindow::leaveFullScreen(int newWidth, int newHeight) {
    if (!fullScreen) return true;
    destroy();
    if (!create(title.c_str(), newWidth, newHeight, colorBits, false)) return false;
    return initGL();
}

void resizeView(int newWidth, int newHeight) {
    // A size message can arrive before the new context is current; it only updates the size.
    bool hasContext = appWindow.renderContext != nullptr;
    if (hasContext) glViewport(0, 0, newWidth, newHeight);
    appWindow.width = newWidth;
    appWindow.height = newHeight;
    if (!hasContext) return;
    double aspect = static_cast<double>(newWidth) / static_cast<double>(newHeight == 0 ? 1 : newHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, aspect, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
}

namespace {

// F1: full screen at the desktop's size, or back to a 500 x 500 window. A switch that cannot
// make its window or its GL state ends the program as a failed start does.
void switchDisplayMode() {
    if (!appWindow.windowHandle) return;
    bool switched = appWindow.fullScreen
                        ? appWindow.leaveFullScreen(windowedWidthAfterFullScreen, windowedHeightAfterFullScreen)
                        : appWindow.enterFullScreen();
    if (switched) return;
    if (!appWindow.windowHandle) {
        platform::messageBox(nullptr, "Window could not be open! Program is about to close.", "PROGRAM FAILURE",
                             platform::MB_OK);
        couldNotRun("the window could not be made again after a display-mode switch");
    } else {
        platform::messageBox(appWindow.windowHandle, "Failed to initialize!", "ERROR", platform::MB_OK);
        couldNotRun("the initialisation failed again after a display-mode switch");
    }
    platform::postQuitMessage(0);
}

}  // namespace

platform::LRESULT windowProc(platform::Window* window, std::uint32_t message, platform::WPARAM wParam,
                             platform::LPARAM lParam) {
    switch (message) {
    case platform::WM_SIZE:
        resizeView(platform::loWord(static_cast<std::uintptr_t>(lParam)),
                   platform::hiWord(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case platform::WM_ACTIVATE:
        appWindow.active = platform::hiWord(wParam) == 0;
        if (appWindow.active) {
            // Restart the frame clock so that time spent minimised is never seen.
            lastFrameTime = platform::timeGetTime();
            frameDelta = 0;
        }
        return 0;
    case platform::WM_CLOSE: platform::postQuitMessage(0); return 0;
    case platform::WM_KEYDOWN:
        if (wParam == platform::VK_ESCAPE) {
            platform::postQuitMessage(0);
        } else if (wParam == platform::VK_F1) {
            switchDisplayMode();
        }
        keyState[static_cast<unsigned>(wParam)] = 1;
        return 0;
    case platform::WM_KEYUP: keyState[static_cast<unsigned>(wParam)] = 0; return 0;
    default: return platform::defWindowProc(window, message, wParam, lParam);
    }
}
