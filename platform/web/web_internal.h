// What the browser backend's own files share about its objects. Included only inside platform/.
#pragma once

#include <emscripten/html5.h>

#include "platform/window.h"

namespace ff {
struct Context;
}

namespace platform {

// The one canvas every window of the page draws on, as a CSS selector.
constexpr const char* canvasTarget = "#canvas";

struct DeviceContext {
    Window* window = nullptr;
};

struct Window {
    // Messages name their window by this number, so that one that outlives its window (F1
    // destroys the window inside dispatch) never carries a dangling pointer.
    unsigned id = 0;
    DeviceContext deviceContext;  // the canvas draws through its window
    int width = 0;
    int height = 0;
    bool fullScreen = false;
    bool displayModeTaken = true;
    // Set while a context of this window is alive; the canvas has one at a time.
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl = 0;
};

// The GL context: the browser's WebGL context and the fixed-function layer's context on it.
struct GLContext {
    Window* window = nullptr;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl = 0;
    ff::Context* layer = nullptr;
};

// The page's events start flowing into the message queue for this window (the newest); null
// stops them.
void listenForEvents(Window* window);
// Whether the canvas is in the browser's full screen now.
bool canvasFullScreen();
// The live window with this number, or null.
Window* windowFromId(unsigned id);
// While a message box is open the page's keys are the box's.
void setMessageBoxOpen(bool open);
// Marks that a frame was presented: the message loop yielded to the browser for it.
void framePresented();

}  // namespace platform
