// The message queue: the thread's own Win32 queue. Windows delivers its messages already in the
// form the application expects, so the layer only names the window and hands them on.
#include "platform/messages.h"
#include "platform/win32/win32_internal.h"
#include "platform/window_registry.h"

namespace platform {

namespace {

MSG toMsg(const Message& message) {
    MSG msg{};
    msg.hwnd = message.window ? message.window->handle : nullptr;
    msg.message = message.message;
    msg.wParam = message.wParam;
    msg.lParam = message.lParam;
    return msg;
}

}  // namespace

bool peekMessage(Message& message) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        Window* window = windowFromHandle(msg.hwnd);
        // Messages of the thread's other windows (the system's helper windows) are not the
        // application's: they go to their own procedures at once.
        if (msg.hwnd && !window) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        // A GL window is drawn by every frame: a paint request is answered by the next one. Taken
        // here, it is settled, so that a caller that only takes messages is not handed it forever.
        if (msg.message == WM_PAINT && window) ValidateRect(window->handle, nullptr);
        message = Message{window, msg.message, msg.wParam, msg.lParam};
        return true;
    }
    return false;
}

void translateMessage(const Message& message) {
    const MSG msg = toMsg(message);
    TranslateMessage(&msg);
}

LRESULT dispatchMessage(const Message& message) {
    const MSG msg = toMsg(message);
    return DispatchMessageA(&msg);
}

bool postMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    return window && PostMessageA(window->handle, message, wParam, lParam) != 0;
}

void postQuitMessage(int exitCode) { PostQuitMessage(exitCode); }

// Windows' own default handling: Alt+F4 becomes WM_CLOSE through the system menu's close.
LRESULT defWindowProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (!window) return 0;
    return DefWindowProcA(window->handle, message, wParam, lParam);
}

LRESULT sendMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (window) return SendMessageA(window->handle, message, wParam, lParam);
    WindowProc procedure = windowProcedure();
    return procedure ? procedure(nullptr, message, wParam, lParam) : 0;
}

}  // namespace platform
