// What every backend keeps of the layer's windows in the same way: the windows alive, the
// procedure their messages go to, and whether rendering is off screen. Included only inside
// platform/.
#pragma once

#include <vector>

#include "platform/window.h"

namespace platform {

// The procedure given to registerWindowClass, or null.
WindowProc windowProcedure();
void setWindowProcedure(WindowProc procedure);

// The windows made and not yet destroyed, oldest first.
const std::vector<Window*>& liveWindows();
void addLiveWindow(Window* window);
void removeLiveWindow(Window* window);

// Whether useOffscreenRendering was called.
bool offscreenRendering();

}  // namespace platform
