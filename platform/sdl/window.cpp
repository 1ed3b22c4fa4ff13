// Windows, display modes and GL contexts over SDL2.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/messages.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/seams.h"
#include "platform/window_registry.h"

#ifdef FACEDEMO_GLES2
#include "fixed_function/fixed_function.h"
#endif

namespace platform {

// The program's GL context: SDL's. In the build on the fixed-function layer, an OpenGL ES 2.0
// context with the layer's context over it, and the window both were made on: the layer gives
// its ES objects back with its ES context current.
struct GLContext {
    SDL_GLContext sdl = nullptr;
#ifdef FACEDEMO_GLES2
    SDL_Window* window = nullptr;
    ff::Context* layer = nullptr;
#endif
};

namespace {

bool fullScreenModeSet = false;
bool displayModesRefused = false;
bool layerContextsRefused = false;
SDL_DisplayMode fullScreenMode{};
std::string lastError;

// Keeps SDL's reason for the failure just seen; returns false for the caller to pass on.
bool failed(const char* what) {
    const char* why = SDL_GetError();
    lastError = std::string(what) + (why && *why ? std::string(": ") + why : std::string());
    return false;
}

// The display of the last window destroyed: a display-mode switch destroys the window before it
// asks for the desktop's size and the new mode.
int lastDisplay = 0;

// The display of the newest window, or of the last one destroyed.
int currentDisplay() {
    const int display = liveWindows().empty() ? lastDisplay : SDL_GetWindowDisplayIndex(liveWindows().back()->sdl);
    return display >= 0 && display < SDL_GetNumVideoDisplays() ? display : 0;
}

// The video drivers that show a window on a display. When no display answers, SDL falls through
// to its off-screen driver, and a program on it would run on with nothing anyone can see: that
// driver is only for off-screen rendering asked for.
bool showsWindows(const char* driver) {
    return driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
}

// The kind of GL context every window's context is: OpenGL 1.1 in a compatibility context or, on
// the fixed-function layer, OpenGL ES 2.0.
void askForContextKind() {
#ifdef FACEDEMO_GLES2
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
#else
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
#endif
}

// Starts the video subsystem, which stays up for the whole process, with its GL library loaded
// for good: SDL would otherwise unload and load the driver again with every window (each F1
// switch), and a driver unloaded before the process ends hides what it keeps from leak checks.
bool startVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
#ifdef FACEDEMO_GLES2
    // ES through EGL under X11 too (SDL would take GLX there), as off screen; SDL reads the hint
    // as it loads the GL library below.
    SDL_SetHint(SDL_HINT_VIDEO_X11_FORCE_EGL, "1");
#endif
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return failed("no video driver could start");
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!offscreenRendering() && !showsWindows(driver)) {
        lastError = std::string("no display answered (SDL's video driver would be '") + (driver ? driver : "") +
                    "', which shows no window)";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    // A library that cannot be loaded shows later, as a window or context that cannot be made.
    // Which library SDL loads (GL, or ES) follows the context asked for.
    askForContextKind();
    SDL_GL_LoadLibrary(nullptr);
    return true;
}

}  // namespace

// The programs's one instance: SDL has no modules to tell apart.
struct Instance {};
Instance programInstance;

void backendUseOffscreenRendering() { SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen"); }

Instance* moduleInstance() { return &programInstance; }

Window* windowFromId(Uint32 id) {
    for (Window* w : liveWindows()) {
        if (SDL_GetWindowID(w->sdl) == id) return w;
    }
    return nullptr;
}

bool registerWindowClass(Instance*, WindowProc windowProc) {
    // SDL would turn SIGINT and SIGTERM into SDL_QUIT, which the message queue does not translate
    // (the window's close is what ends the program): leave the signals their default action.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (!startVideo()) return false;
    setWindowProcedure(windowProc);
    return true;
}

void unregisterWindowClass(Instance*) {}

bool changeDisplayMode(int width, int height, int bitsPerPixel) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    SDL_DisplayMode closest{};
    if (!SDL_GetClosestDisplayMode(currentDisplay(), &wanted, &closest)) return false;
    if (closest.w != width || closest.h != height) return false;
    if (bitsPerPixel > 0 && static_cast<int>(SDL_BITSPERPIXEL(closest.format)) < std::min(bitsPerPixel, 24))
        return false;
    fullScreenMode = closest;
    fullScreenModeSet = true;
    return true;
}

void restoreDisplayMode() { fullScreenModeSet = false; }

bool desktopSize(int& width, int& height) {
    SDL_DisplayMode mode{};
    // Asked before any window exists, the video subsystem starts here.
    if (!startVideo()) return false;
    if (SDL_GetDesktopDisplayMode(currentDisplay(), &mode) != 0) return false;
    width = mode.w;
    height = mode.h;
    return true;
}

Window* createWindow(const char* title, int width, int height, bool fullScreen) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    askForContextKind();

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    flags |= fullScreen ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_RESIZABLE;
    // A window starts at the desktop's corner; a full-screen one covers the display it is for.
    SDL_Rect origin{0, 0, 0, 0};
    if (fullScreen) SDL_GetDisplayBounds(currentDisplay(), &origin);
    SDL_Window* sdl = SDL_CreateWindow(title, origin.x, origin.y, width, height, flags);
    if (!sdl) {
        failed("the window could not be made");
        return nullptr;
    }
    if (fullScreen && fullScreenModeSet && SDL_SetWindowDisplayMode(sdl, &fullScreenMode) != 0) {
        failed("the display refused the full-screen mode");
        SDL_DestroyWindow(sdl);
        return nullptr;
    }
    auto* window = new Window{sdl, DeviceContext{sdl}};
    addLiveWindow(window);
    return window;
}

Borders windowBorders(Window* window) {
    Borders b;
    // A window manager announces the frame of a window it has just mapped in an event (X11's
    // _NET_FRAME_EXTENTS): take the pending events in first. They stay queued for peekMessage.
    SDL_PumpEvents();
    if (!window || SDL_GetWindowBordersSize(window->sdl, &b.top, &b.left, &b.bottom, &b.right) != 0) return Borders{};
    return b;
}

void showWindow(Window* window) {
    if (!window) return;
    SDL_ShowWindow(window->sdl);
    SDL_RaiseWindow(window->sdl);
    // SDL changes the display mode of a full-screen window as it shows it, and says nothing when
    // the display refuses: the mode the display has now tells.
    if (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_FULLSCREEN) {
        SDL_DisplayMode wanted{};
        SDL_DisplayMode current{};
        const int display = SDL_GetWindowDisplayIndex(window->sdl);
        window->displayModeTaken = !displayModesRefused && SDL_GetWindowDisplayMode(window->sdl, &wanted) == 0 &&
                                   display >= 0 && SDL_GetCurrentDisplayMode(display, &current) == 0 &&
                                   current.w == wanted.w && current.h == wanted.h;
    }
    // Windows activates a window while showing it; the application relies on that.
    sendMessage(window, WM_ACTIVATE, makeLong(WA_ACTIVE, 0), 0);
}

Window* focusWindow() {
    SDL_Window* focused = SDL_GetKeyboardFocus();
    return focused ? windowFromId(SDL_GetWindowID(focused)) : nullptr;
}

bool displayModeTaken(Window* window) { return !window || window->displayModeTaken; }

void refuseDisplayModes(bool refuse) { displayModesRefused = refuse; }

void refuseLayerContexts(bool refuse) { layerContextsRefused = refuse; }

void destroyWindow(Window* window) {
    if (!window) return;
    lastDisplay = SDL_GetWindowDisplayIndex(window->sdl);
    removeLiveWindow(window);
    forgetWindowState(SDL_GetWindowID(window->sdl));
    SDL_DestroyWindow(window->sdl);
    delete window;
}

void clientSize(Window* window, int& width, int& height) {
    width = height = 0;
    if (window) SDL_GL_GetDrawableSize(window->sdl, &width, &height);
}

DeviceContext* getDC(Window* window) { return window ? &window->deviceContext : nullptr; }

void releaseDC(Window*, DeviceContext*) {}

GLContext* createGLContext(DeviceContext* deviceContext) {
    if (!deviceContext) return nullptr;
    SDL_GLContext sdl = SDL_GL_CreateContext(deviceContext->sdl);
    if (!sdl) {
        failed("the GL context could not be made");
        return nullptr;
    }
    // Frames run as fast as the machine allows.
    SDL_GL_SetSwapInterval(0);
    auto* context = new GLContext{sdl};
#ifdef FACEDEMO_GLES2
    // The layer's context over the ES context, which SDL has made current, in GL's initial state:
    // a new window's context (each F1 switch) starts from scratch, as a new GL context does.
    const char* why = nullptr;
    context->window = deviceContext->sdl;
    context->layer = ff::createContext(
        [](const char* name) { return layerContextsRefused ? nullptr : SDL_GL_GetProcAddress(name); }, &why);
    if (!context->layer) {
        // The program says only that no window could be made: the reason goes to standard error.
        lastError = std::string("the fixed-function layer could not start on OpenGL ES 2.0: ") +
                    (why && *why ? why : "no reason given");
        std::fprintf(stderr, "%s\n", lastError.c_str());
        SDL_GL_MakeCurrent(deviceContext->sdl, nullptr);
        SDL_GL_DeleteContext(sdl);
        delete context;
        return nullptr;
    }
    ff::makeCurrent(context->layer);
#endif
    return context;
}

bool makeCurrent(DeviceContext* deviceContext, GLContext* context) {
    SDL_Window* sdl = deviceContext ? deviceContext->sdl : nullptr;
    if (SDL_GL_MakeCurrent(sdl, context ? context->sdl : nullptr) != 0)
        return failed("the GL context could not be made current");
#ifdef FACEDEMO_GLES2
    ff::makeCurrent(context ? context->layer : nullptr);
#endif
    return true;
}

void deleteGLContext(GLContext* context) {
    if (!context) return;
#ifdef FACEDEMO_GLES2
    // The layer gives its ES objects back in its own ES context, made current for that while; the
    // context current before (none, as a rule) is current again after.
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    if (SDL_GL_MakeCurrent(context->window, context->sdl) == 0) {
        ff::destroyContext(context->layer);
        if (previous != context->sdl) SDL_GL_MakeCurrent(previousWindow, previous);
    } else {
        // Where its ES context cannot be made current, the layer's objects go with that context
        // below, and the layer's record alone goes here, its ES calls made with no context current
        // (where they do nothing) rather than in another context.
        SDL_GL_MakeCurrent(nullptr, nullptr);
        ff::destroyContext(context->layer);
    }
#endif
    SDL_GL_DeleteContext(context->sdl);
    delete context;
}

void swapBuffers(DeviceContext* deviceContext) {
    if (deviceContext) SDL_GL_SwapWindow(deviceContext->sdl);
}

void showCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

const char* windowSystemError() { return lastError.c_str(); }

}  // namespace platform
