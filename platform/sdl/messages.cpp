// The message queue: SDL events translated into Windows-style messages, kept in one FIFO.
#include "platform/messages.h"

#include <algorithm>
#include <vector>

#include "platform/queue/message_queue.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/window_registry.h"

namespace platform {

namespace {

// Virtual-key codes that only this file needs (messages.h carries the ones the application uses).
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12;
constexpr unsigned VK_PAUSE = 0x13;
constexpr unsigned VK_CAPITAL = 0x14;
constexpr unsigned VK_SNAPSHOT = 0x2C;
constexpr unsigned VK_INSERT = 0x2D;
constexpr unsigned VK_DELETE = 0x2E;
constexpr unsigned VK_LWIN = 0x5B;
constexpr unsigned VK_RWIN = 0x5C;
constexpr unsigned VK_APPS = 0x5D;
constexpr unsigned VK_NUMPAD0 = 0x60;
constexpr unsigned VK_MULTIPLY = 0x6A;
constexpr unsigned VK_ADD = 0x6B;
constexpr unsigned VK_SUBTRACT = 0x6D;
constexpr unsigned VK_DECIMAL = 0x6E;
constexpr unsigned VK_DIVIDE = 0x6F;
constexpr unsigned VK_NUMLOCK = 0x90;
constexpr unsigned VK_SCROLL = 0x91;
constexpr unsigned VK_OEM_1 = 0xBA;  // ;:
constexpr unsigned VK_OEM_PLUS = 0xBB;
constexpr unsigned VK_OEM_COMMA = 0xBC;
constexpr unsigned VK_OEM_MINUS = 0xBD;
constexpr unsigned VK_OEM_PERIOD = 0xBE;
constexpr unsigned VK_OEM_2 = 0xBF;  // /?
constexpr unsigned VK_OEM_3 = 0xC0;  // `~
constexpr unsigned VK_OEM_4 = 0xDB;  // [{
constexpr unsigned VK_OEM_5 = 0xDC;  // backslash
constexpr unsigned VK_OEM_6 = 0xDD;  // ]}
constexpr unsigned VK_OEM_7 = 0xDE;  // '"

struct KeyMapping {
    SDL_Keycode key;
    unsigned virtualKey;
};

// SDL key -> Windows virtual-key code. Letters and digits are ranges and are handled in virtualKeyOf.
constexpr KeyMapping keyTable[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},
    {SDLK_APPLICATION, VK_APPS},
    {SDLK_KP_0, VK_NUMPAD0},
    {SDLK_KP_1, VK_NUMPAD0 + 1},
    {SDLK_KP_2, VK_NUMPAD0 + 2},
    {SDLK_KP_3, VK_NUMPAD0 + 3},
    {SDLK_KP_4, VK_NUMPAD0 + 4},
    {SDLK_KP_5, VK_NUMPAD0 + 5},
    {SDLK_KP_6, VK_NUMPAD0 + 6},
    {SDLK_KP_7, VK_NUMPAD0 + 7},
    {SDLK_KP_8, VK_NUMPAD0 + 8},
    {SDLK_KP_9, VK_NUMPAD0 + 9},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_F1, VK_F1},
    {SDLK_F2, VK_F1 + 1},
    {SDLK_F3, VK_F1 + 2},
    {SDLK_F4, VK_F1 + 3},
    {SDLK_F5, VK_F1 + 4},
    {SDLK_F6, VK_F1 + 5},
    {SDLK_F7, VK_F1 + 6},
    {SDLK_F8, VK_F1 + 7},
    {SDLK_F9, VK_F1 + 8},
    {SDLK_F10, VK_F1 + 9},
    {SDLK_F11, VK_F1 + 10},
    {SDLK_F12, VK_F1 + 11},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_SEMICOLON, VK_OEM_1},
    {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},
    {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

// The virtual-key code of an SDL key, or 0 for a key that has none (such keys are dropped).
unsigned virtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<unsigned>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<unsigned>(key - SDLK_0);
    for (const KeyMapping& m : keyTable) {
        if (m.key == key) return m.virtualKey;
    }
    return 0;
}

// Key messages' lParam fields.
constexpr std::uint32_t repeatCountOne = 1;
constexpr int scanCodeShift = 16;
constexpr std::uint32_t scanCodeMask = 0xFF;
constexpr std::uint32_t contextCodeBit = 1u << 29;
constexpr std::uint32_t previousStateBit = 1u << 30;
constexpr std::uint32_t transitionStateBit = 1u << 31;

// Windows that the event stream last reported minimised: WM_ACTIVATE's high word says so.
std::vector<Uint32> minimisedWindows;

bool isMinimised(Uint32 id) {
    return std::find(minimisedWindows.begin(), minimisedWindows.end(), id) != minimisedWindows.end();
}

void setMinimised(Uint32 id, bool minimised) {
    minimisedWindows.erase(std::remove(minimisedWindows.begin(), minimisedWindows.end(), id), minimisedWindows.end());
    if (minimised) minimisedWindows.push_back(id);
}

void post(Uint32 windowId, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    queueMessage(windowId, message, wParam, lParam);
}

void translateKey(const SDL_KeyboardEvent& key) {
    const unsigned virtualKey = virtualKeyOf(key.keysym.sym);
    if (virtualKey == 0) return;
    const bool down = key.type == SDL_KEYDOWN;
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
    // As on Windows: Alt combinations (not Ctrl+Alt, which is AltGr on many keyboards), the Alt
    // key itself and F10 are system keys.
    const bool altContext = alt && !ctrl;
    const bool system = altContext || (virtualKey == VK_MENU && !ctrl) || virtualKey == VK_F10;

    std::uint32_t lParam = repeatCountOne | ((key.keysym.scancode & scanCodeMask) << scanCodeShift);
    if (altContext) lParam |= contextCodeBit;
    if (!down || key.repeat) lParam |= previousStateBit;
    if (!down) lParam |= transitionStateBit;

    std::uint32_t message = down ? WM_KEYDOWN : WM_KEYUP;
    if (system) message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    post(key.windowID, message, virtualKey, static_cast<LPARAM>(lParam));
}

void postDrawableSize(Uint32 windowId) {
    int width = 0;
    int height = 0;
    if (SDL_Window* sdl = SDL_GetWindowFromID(windowId)) SDL_GL_GetDrawableSize(sdl, &width, &height);
    post(windowId, WM_SIZE, SIZE_RESTORED, static_cast<LPARAM>(makeLong(width, height)));
}

void translateWindowEvent(const SDL_WindowEvent& event) {
    const Uint32 id = event.windowID;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: post(id, WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT_MINIMIZED:
        setMinimised(id, true);
        post(id, WM_ACTIVATE, makeLong(WA_INACTIVE, 1), 0);
        post(id, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        // Minimising reported a 0 x 0 size; the restored window reports its real one again.
        setMinimised(id, false);
        post(id, WM_ACTIVATE, makeLong(WA_ACTIVE, 0), 0);
        postDrawableSize(id);
        break;
    case SDL_WINDOWEVENT_SHOWN:
        setMinimised(id, false);
        post(id, WM_ACTIVATE, makeLong(WA_ACTIVE, 0), 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: post(id, WM_ACTIVATE, makeLong(WA_ACTIVE, isMinimised(id) ? 1 : 0), 0); break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        // A window that loses the focus because it was minimised is still minimised.
        post(id, WM_ACTIVATE, makeLong(WA_INACTIVE, isMinimised(id) ? 1 : 0), 0);
        break;
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: postDrawableSize(id); break;
    default: break;
    }
}

// SDL_QUIT is not translated: the window's own close event is what ends the program.
void translateEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: translateKey(event.key); break;
    case SDL_WINDOWEVENT: translateWindowEvent(event.window); break;
    default: break;
    }
}

}  // namespace

void forgetWindowState(Uint32 id) { setMinimised(id, false); }

bool peekMessage(Message& message) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) translateEvent(event);

    return takeQueuedMessage(message, windowFromId);
}

void translateMessage(const Message&) {}

LRESULT dispatchMessage(const Message& message) {
    WindowProc procedure = windowProcedure();
    if (!procedure || message.message == WM_QUIT) return 0;
    return procedure(message.window, message.message, message.wParam, message.lParam);
}

bool postMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (!window || !window->sdl) return false;
    // The window system's own events come first, as they happened before this message.
    SDL_Event event;
    while (SDL_PollEvent(&event)) translateEvent(event);
    post(SDL_GetWindowID(window->sdl), message, wParam, lParam);
    return true;
}

void postQuitMessage(int exitCode) { post(0, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }

// Alt+F4 closes the window, as the system menu's Close would.
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
