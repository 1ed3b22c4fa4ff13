// What the layer's own files share about its SDL objects. Included only inside platform/.
#pragma once

#include <SDL.h>

#include "platform/window.h"

namespace platform {

struct DeviceContext {
    SDL_Window* sdl = nullptr;
};

struct Window {
    SDL_Window* sdl = nullptr;
    DeviceContext deviceContext;  // SDL draws through the window itself
    bool displayModeTaken = true;
};
// The layer's window with this SDL window id, or null.
Window* windowFromId(Uint32 id);
// Drops what the message queue remembers of a window that is being destroyed.
void forgetWindowState(Uint32 id);

}  // namespace platform
