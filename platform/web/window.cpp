// The window, its display mode and GL contexts in a browser: the page's one canvas, the
// Fullscreen API and WebGL 1 with the fixed-function layer's context on it.
#include <emscripten.h>
#include <emscripten/html5.h>
#include <emscripten/html5_webgl.h>

#include <string>

#include "fixed_function/fixed_function.h"
#include "platform/backend.h"
#include "platform/messages.h"
#include "platform/web/web_internal.h"
#include "platform/window_registry.h"

namespace platform {

namespace {

std::string lastError;
// The full-screen size changeDisplayMode accepted, until restoreDisplayMode.
bool fullScreenModeSet = false;
// The number the next window gets.
unsigned nextWindowId = 1;
// Whether a window has drawn on the canvas: the next window gets a new one.
bool canvasUsed = false;

bool failed(const std::string& what) {
    lastError = what;
    return false;
}

// clang-format off
// The page's title, the canvas's size in pixels and its style size in CSS pixels (the window's
// client area is the canvas's backing store, one pixel to a CSS pixel in a window).
// A canvas that had a context before is replaced by a fresh one: a browser hands the same
// WebGL context out again for the same canvas, and a new window must start with a new context.
EM_JS(void, setCanvasPage, (const char* title, int width, int height, int fullScreen, int fresh), {
    document.title = UTF8ToString(title);
    var canvas = Module['canvas'] || document.getElementById('canvas');
    if (fresh) {
        var next = canvas.cloneNode(false);
        canvas.replaceWith(next);
        canvas = next;
        Module['canvas'] = next;
    }
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = fullScreen ? '100%' : width + 'px';
    canvas.style.height = fullScreen ? '100%' : height + 'px';
    canvas.hidden = false;
});

EM_JS(void, hideCanvas, (), {
    var canvas = Module['canvas'] || document.getElementById('canvas');
    canvas.hidden = true;
});

// The canvas in the browser's full screen: the request's promise, settled or given up after a
// while (a browser that neither grants nor refuses, as some do without a user's gesture).
EM_ASYNC_JS(int, requestCanvasFullScreen, (), {
    var canvas = Module['canvas'] || document.getElementById('canvas');
    if (!canvas.requestFullscreen || !document.fullscreenEnabled) return 0;
    try {
        var asked = canvas.requestFullscreen({navigationUI: 'hide'});
        var timeout = new Promise(function(resolve) { setTimeout(function() { resolve('timeout'); }, 2000); });
        var answer = await Promise.race([asked.then(function() { return 'granted'; }), timeout]);
        return answer === 'granted' && document.fullscreenElement === canvas ? 1 : 0;
    } catch (e) {
        console.warn('full screen refused: ' + e);
        return 0;
    }
});

EM_JS(void, leaveCanvasFullScreen, (), {
    if (document.fullscreenElement && document.exitFullscreen) document.exitFullscreen().catch(function() {});
});

EM_JS(int, screenWidth, (), { return screen.width | 0; });
EM_JS(int, screenHeight, (), { return screen.height | 0; });

EM_JS(void, setCursorShown, (int shown), {
    var canvas = Module['canvas'] || document.getElementById('canvas');
    canvas.style.cursor = shown ? 'auto' : 'none';
});
// clang-format on

// The layer looks its ES 2.0 entry points up here: WebGL's own functions under their GLES names.
void* loadWebGLFunction(const char* name) { return emscripten_webgl1_get_proc_address(name); }

}  // namespace

// The program's one instance: a page has no modules to tell apart.
struct Instance {};
Instance programInstance;

// A page shows what it draws only on its canvas: off-screen rendering changes nothing here.
void backendUseOffscreenRendering() {}

Instance* moduleInstance() { return &programInstance; }

bool registerWindowClass(Instance*, WindowProc windowProc) {
    setWindowProcedure(windowProc);
    return true;
}

void unregisterWindowClass(Instance*) {}

// The browser offers one full-screen size: the screen's.
bool changeDisplayMode(int width, int height, int) {
    int screenW = 0;
    int screenH = 0;
    if (!desktopSize(screenW, screenH) || width != screenW || height != screenH) return false;
    fullScreenModeSet = true;
    return true;
}

void restoreDisplayMode() {
    fullScreenModeSet = false;
    leaveCanvasFullScreen();
}

bool desktopSize(int& width, int& height) {
    const int w = screenWidth();
    const int h = screenHeight();
    if (w <= 0 || h <= 0) return false;
    width = w;
    height = h;
    return true;
}

Window* createWindow(const char* title, int width, int height, bool fullScreen) {
    if (width <= 0 || height <= 0) {
        failed("the canvas cannot be " + std::to_string(width) + " x " + std::to_string(height));
        return nullptr;
    }
    if (!liveWindows().empty()) {
        failed("the page has one canvas, and a window already draws on it");
        return nullptr;
    }
    setCanvasPage(title ? title : "", width, height, fullScreen ? 1 : 0, canvasUsed ? 1 : 0);
    canvasUsed = true;
    auto* window = new Window;
    window->id = nextWindowId++;
    window->deviceContext.window = window;
    window->width = width;
    window->height = height;
    window->fullScreen = fullScreen && fullScreenModeSet;
    addLiveWindow(window);
    listenForEvents(window);
    return window;
}

Window* windowFromId(unsigned id) {
    for (Window* window : liveWindows()) {
        if (window->id == id) return window;
    }
    return nullptr;
}

Borders windowBorders(Window*) { return Borders{}; }

void showWindow(Window* window) {
    if (!window) return;
    // The browser changes to full screen only when asked with the window shown, and may refuse.
    if (window->fullScreen) window->displayModeTaken = requestCanvasFullScreen() != 0;
    // As on Windows, showing the window activates it.
    sendMessage(window, WM_ACTIVATE, makeLong(WA_ACTIVE, 0), 0);
}

Window* focusWindow() {
    const bool pageFocused = EM_ASM_INT({ return document.hasFocus() ? 1 : 0; }) != 0;
    return pageFocused && !liveWindows().empty() ? liveWindows().back() : nullptr;
}

bool displayModeTaken(Window* window) { return !window || window->displayModeTaken; }

void destroyWindow(Window* window) {
    if (!window) return;
    listenForEvents(nullptr);
    removeLiveWindow(window);
    if (window->fullScreen) leaveCanvasFullScreen();
    hideCanvas();
    delete window;
}

void clientSize(Window* window, int& width, int& height) {
    width = height = 0;
    if (!window) return;
    width = window->width;
    height = window->height;
}

DeviceContext* getDC(Window* window) { return window ? &window->deviceContext : nullptr; }

void releaseDC(Window*, DeviceContext*) {}

GLContext* createGLContext(DeviceContext* deviceContext) {
    if (!deviceContext || !deviceContext->window) return nullptr;
    Window* window = deviceContext->window;
    if (window->webgl) {
        failed("the canvas already has a GL context");
        return nullptr;
    }
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    // The program reads a frame back before it presents it (the validation, screenshots).
    attributes.preserveDrawingBuffer = EM_TRUE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    attributes.enableExtensionsByDefault = EM_TRUE;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl = emscripten_webgl_create_context(canvasTarget, &attributes);
    if (webgl <= 0) {
        failed("the browser gave no WebGL context (error " + std::to_string(webgl) + ")");
        return nullptr;
    }
    window->webgl = webgl;
    return new GLContext{window, webgl, nullptr};
}

// The layer's context is made the first time its WebGL context is current: the layer looks its
// entry points up and compiles its first program there.
bool makeCurrent(DeviceContext* deviceContext, GLContext* context) {
    if (!deviceContext && !context) {
        ff::makeCurrent(nullptr);
        emscripten_webgl_make_context_current(0);
        return true;
    }
    if (!deviceContext || !context || deviceContext->window != context->window)
        return failed("a GL context is made current only on its own window");
    if (emscripten_webgl_make_context_current(context->webgl) != EMSCRIPTEN_RESULT_SUCCESS)
        return failed("the WebGL context could not be made current");
    if (!context->layer) {
        const char* why = nullptr;
        context->layer = ff::createContext(loadWebGLFunction, &why);
        if (!context->layer)
            return failed(std::string("the fixed-function layer could not start on WebGL: ") + (why ? why : "?"));
    }
    ff::makeCurrent(context->layer);
    return true;
}

void deleteGLContext(GLContext* context) {
    if (!context) return;
    // The layer gives its ES objects back on its own WebGL context.
    if (context->layer && emscripten_webgl_make_context_current(context->webgl) == EMSCRIPTEN_RESULT_SUCCESS)
        ff::destroyContext(context->layer);
    if (ff::currentContext() == context->layer) ff::makeCurrent(nullptr);
    emscripten_webgl_make_context_current(0);
    emscripten_webgl_destroy_context(context->webgl);
    for (Window* window : liveWindows()) {
        if (window == context->window) window->webgl = 0;
    }
    delete context;
}

// The browser presents the canvas once the program yields to it: once per frame.
void swapBuffers(DeviceContext* deviceContext) {
    if (!deviceContext) return;
    framePresented();
    emscripten_sleep(0);
}

void showCursor(bool show) { setCursorShown(show ? 1 : 0); }

const char* windowSystemError() { return lastError.c_str(); }

}  // namespace platform
