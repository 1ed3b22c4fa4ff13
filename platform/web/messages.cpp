// The message queue in a browser: the page's key, focus, visibility, full-screen and unload
// events become Windows-style messages in one FIFO. DOM key codes are Windows' virtual-key codes
// for every key the program knows (letters, digits, F1 to F12, arrows, Page Up/Down, Shift,
// Escape, Space), so they pass as they are.
#include "platform/messages.h"

#include <emscripten.h>
#include <emscripten/html5.h>


#include "platform/queue/message_queue.h"
#include "platform/web/web_internal.h"
#include "platform/window_registry.h"

namespace platform {

namespace {

constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12;
constexpr unsigned firstUnknownKey = 0x100;

// The keys the program acts on: the browser's own use of them (scrolling, searching, help) is
// kept from the page while they come without Ctrl, Alt or Meta.
bool programKey(unsigned virtualKey) {
    switch (virtualKey) {
    case VK_SHIFT:
    case VK_ESCAPE:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_F1:
    case 'A':
    case 'Z':
    case 'I':
    case 'T':
    case 'L':
    case 'F':
    case 'W': return true;
    default: return false;
    }
}

// Key messages' lParam fields (the page has no scan codes: that field stays 0).
constexpr std::uint32_t repeatCountOne = 1;
constexpr std::uint32_t contextCodeBit = 1u << 29;
constexpr std::uint32_t previousStateBit = 1u << 30;
constexpr std::uint32_t transitionStateBit = 1u << 31;

// How long the loop waits for the browser when it has nothing to draw (a hidden page).
constexpr unsigned idleWaitMs = 10;

// The window the page's events go to; 0 while none is alive.
unsigned listeningWindow = 0;
bool listenersSet = false;
bool messageBoxOpen = false;
bool presentedSinceIdle = false;
bool pageHidden = false;

void post(unsigned windowId, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    queueMessage(windowId, message, wParam, lParam);
}

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    if (messageBoxOpen || listeningWindow == 0) return EM_FALSE;
    const unsigned virtualKey = event->keyCode;
    if (virtualKey == 0 || virtualKey >= firstUnknownKey) return EM_FALSE;
    const bool down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
    const bool alt = event->altKey && !event->ctrlKey;
    // As on Windows: Alt combinations (not Ctrl+Alt, AltGr on many keyboards), Alt itself and F10
    // are system keys.
    const bool system = alt || (virtualKey == VK_MENU && !event->ctrlKey) || virtualKey == VK_F10;
    std::uint32_t lParam = repeatCountOne;
    if (alt) lParam |= contextCodeBit;
    if (!down || event->repeat) lParam |= previousStateBit;
    if (!down) lParam |= transitionStateBit;
    std::uint32_t message = down ? WM_KEYDOWN : WM_KEYUP;
    if (system) message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    post(listeningWindow, message, virtualKey, static_cast<LPARAM>(lParam));
    const bool browserShortcut = event->ctrlKey || event->altKey || event->metaKey || virtualKey == VK_CONTROL;
    return programKey(virtualKey) && !browserShortcut ? EM_TRUE : EM_FALSE;
}

EM_BOOL onFocus(int eventType, const EmscriptenFocusEvent*, void*) {
    if (listeningWindow == 0) return EM_FALSE;
    const unsigned state = eventType == EMSCRIPTEN_EVENT_FOCUS ? WA_ACTIVE : WA_INACTIVE;
    post(listeningWindow, WM_ACTIVATE, makeLong(state, pageHidden ? 1 : 0), 0);
    return EM_FALSE;
}

// A hidden page (another tab, a minimised browser) is a minimised window: no frames are drawn.
EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    pageHidden = event->hidden != 0;
    Window* window = windowFromId(listeningWindow);
    if (!window) return EM_FALSE;
    if (pageHidden) {
        post(window->id, WM_ACTIVATE, makeLong(WA_INACTIVE, 1), 0);
        post(window->id, WM_SIZE, SIZE_MINIMIZED, 0);
    } else {
        post(window->id, WM_ACTIVATE, makeLong(WA_ACTIVE, 0), 0);
        post(window->id, WM_SIZE, SIZE_RESTORED, static_cast<LPARAM>(makeLong(window->width, window->height)));
    }
    return EM_FALSE;
}

// Full screen left by the browser itself (its own Escape, another window taking the screen) is
// the way back to a window: the same as the F1 that switched to it.
EM_BOOL onFullScreenChange(int, const EmscriptenFullscreenChangeEvent* event, void*) {
    Window* window = windowFromId(listeningWindow);
    if (!window || !window->fullScreen || !window->displayModeTaken || event->isFullscreen) return EM_FALSE;
    post(window->id, WM_KEYDOWN, VK_F1, static_cast<LPARAM>(repeatCountOne));
    post(window->id, WM_KEYUP, VK_F1, static_cast<LPARAM>(repeatCountOne | previousStateBit | transitionStateBit));
    return EM_FALSE;
}

// Leaving the page closes the window, as the window manager's close does.
const char* onBeforeUnload(int, const void*, void*) {
    if (listeningWindow != 0) post(listeningWindow, WM_CLOSE, 0, 0);
    return nullptr;
}

void setListeners() {
    if (listenersSet) return;
    listenersSet = true;
    const char* const page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(page, nullptr, EM_TRUE, onKey);
    emscripten_set_focus_callback(page, nullptr, EM_TRUE, onFocus);
    emscripten_set_blur_callback(page, nullptr, EM_TRUE, onFocus);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, onVisibility);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onFullScreenChange);
    emscripten_set_beforeunload_callback(nullptr, onBeforeUnload);
}

}  // namespace

// The page's own Close button: the window's close, as the window manager's close button gives it.
extern "C" EMSCRIPTEN_KEEPALIVE void facedemo_close_window() {
    if (listeningWindow != 0) post(listeningWindow, WM_CLOSE, 0, 0);
}

void listenForEvents(Window* window) {
    setListeners();
    listeningWindow = window ? window->id : 0;
}

void setMessageBoxOpen(bool open) { messageBoxOpen = open; }

void framePresented() { presentedSinceIdle = true; }

bool peekMessage(Message& message) {
    // The page's events arrive only while the program yields. A loop that found nothing to do
    // and drew no frame since (a minimised window draws none) waits for them here: without a
    // yield the page would never run again.
    if (messageQueueEmpty()) {
        if (!presentedSinceIdle) emscripten_sleep(idleWaitMs);
        presentedSinceIdle = false;
    }
    return takeQueuedMessage(message, windowFromId);
}

void translateMessage(const Message&) {}

LRESULT dispatchMessage(const Message& message) {
    WindowProc procedure = windowProcedure();
    if (!procedure || message.message == WM_QUIT) return 0;
    return procedure(message.window, message.message, message.wParam, message.lParam);
}

bool postMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (!window) return false;
    post(window->id, message, wParam, lParam);
    return true;
}

void postQuitMessage(int exitCode) { post(0, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }

// Alt+F4 closes the window, as the system menu's Close would (where the browser lets it through).
LRESULT defWindowProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    const bool altHeld = (static_cast<std::uint32_t>(lParam) & contextCodeBit) != 0;
    if (message == WM_SYSKEYDOWN && wParam == VK_F4 && altHeld) sendMessage(window, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT sendMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    WindowProc procedure = windowProcedure();
    if (!procedure) return defWindowProc(window, message, wParam, lParam);
    return procedure(window, message, wParam, lParam);
}

}  // namespace platform
