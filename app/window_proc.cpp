// The window procedure: each message handled here returns 0, all others get the default handling.
#include "app/window_proc.h"

#include "app/globals.h"
#include "app/key_input.h"
#include "app/projection.h"
#include "demo/globals.h"
#include "platform/clock.h"
#include "platform/messages.h"

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
    case platform::WM_KEYDOWN: keyDown(wParam); return 0;
    case platform::WM_KEYUP: keyUp(wParam); return 0;
    default: return platform::defWindowProc(window, message, wParam, lParam);
    }
}
