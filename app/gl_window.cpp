// The window with its GL context and the display-mode switch.
#include "app/gl_window.h"

#include "platform/message_box.h"

namespace {

WindowHandlers handlers;

const char* const fullScreenRefused =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";

// The display's answer to a full-screen mode it cannot take: go on in a window (Yes) or not.
bool windowedInstead() {
    return platform::messageBox(nullptr, fullScreenRefused, "GLWindow",
                                platform::MB_YESNO | platform::MB_ICONEXCLAMATION) == platform::IDYES;
}

}  // namespace

void setWindowHandlers(const WindowHandlers& newHandlers) { handlers = newHandlers; }

bool GLWindow::create(const char* newTitle, int newWidth, int newHeight, int newColorBits, bool wantFullScreen) {
    windowRect = WindowRect{0, 0, newWidth, newHeight};
    width = newWidth;
    height = newHeight;
    instanceHandle = platform::moduleInstance();

    if (!platform::registerWindowClass(instanceHandle, handlers.procedure)) return false;

    if (wantFullScreen && !platform::changeDisplayMode(newWidth, newHeight, newColorBits)) {
        if (!windowedInstead()) return false;
        wantFullScreen = false;
    }
    fullScreen = wantFullScreen;
    if (fullScreen) platform::showCursor(false);

    windowHandle = platform::createWindow(newTitle, newWidth, newHeight, fullScreen);
    if (!windowHandle) {
        destroy();
        return false;
    }
    platform::DeviceContext* windowDeviceContext = platform::getDC(windowHandle);
    renderContext = windowDeviceContext ? platform::createGLContext(windowDeviceContext) : nullptr;
    if (!renderContext || !platform::makeCurrent(windowDeviceContext, renderContext)) {
        if (windowDeviceContext) platform::releaseDC(windowHandle, windowDeviceContext);
        destroy();
        return false;
    }
    deviceContext = windowDeviceContext;
    platform::showWindow(windowHandle);
    // A display that takes a full-screen mode only once the window shows it may still refuse it
    // then: the same question as a refusal up front, and the same answers.
    if (fullScreen && !platform::displayModeTaken(windowHandle)) {
        destroy();
        if (!windowedInstead()) return false;
        return create(newTitle, newWidth, newHeight, newColorBits, false);
    }
    // The outer rectangle: the client area grown by the frame around it, known once the window
    // is shown (a window manager frames a window when it maps it).
    platform::Borders borders = platform::windowBorders(windowHandle);
    windowRect.left -= borders.left;
    windowRect.top -= borders.top;
    windowRect.right += borders.right;
    windowRect.bottom += borders.bottom;

    if (handlers.resize) handlers.resize(newWidth, newHeight);

    title = newTitle;
    colorBits = newColorBits;
    return true;
}

void GLWindow::destroy() {
    if (handlers.release) handlers.release();
    if (fullScreen) {
        platform::restoreDisplayMode();
        platform::showCursor(true);
    }
    if (renderContext) {
        platform::makeCurrent(nullptr, nullptr);
        platform::deleteGLContext(renderContext);
        renderContext = nullptr;
    }
    if (deviceContext) {
        platform::releaseDC(windowHandle, deviceContext);
        deviceContext = nullptr;
    }
    if (windowHandle) {
        platform::destroyWindow(windowHandle);
        windowHandle = nullptr;
    }
    platform::unregisterWindowClass(instanceHandle);
    instanceHandle = nullptr;
}

// False when the new window or its GL initialisation failed; the caller ends the program.
bool GLWindow::enterFullScreen() {
    if (fullScreen) return true;
    destroy();
    int desktopWidth = 0;
    int desktopHeight = 0;
    if (!platform::desktopSize(desktopWidth, desktopHeight)) return false;
    if (!create(title.c_str(), desktopWidth, desktopHeight, colorBits, true)) return false;
    return !handlers.initialise || handlers.initialise();
}

bool GLWindow::leaveFullScreen(int newWidth, int newHeight) {
    if (!fullScreen) return true;
    destroy();
    if (!create(title.c_str(), newWidth, newHeight, colorBits, false)) return false;
    return !handlers.initialise || handlers.initialise();
}
