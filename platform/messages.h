// The message queue: window-system events turned into Windows-style messages, with
// Windows' virtual-key codes and wParam/lParam packing, taken one at a time without blocking.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace platform {

constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;

// WM_ACTIVATE's low word
constexpr unsigned WA_INACTIVE = 0;
constexpr unsigned WA_ACTIVE = 1;
// WM_SIZE's wParam
constexpr unsigned SIZE_RESTORED = 0;
constexpr unsigned SIZE_MINIMIZED = 1;

// Virtual-key codes (letters are their capital ASCII code, digits their ASCII code)
constexpr unsigned VK_SHIFT = 0x10;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_PRIOR = 0x21;
constexpr unsigned VK_NEXT = 0x22;
constexpr unsigned VK_END = 0x23;
constexpr unsigned VK_HOME = 0x24;
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_F1 = 0x70;
constexpr unsigned VK_F4 = 0x73;
constexpr unsigned VK_F10 = 0x79;

struct Message {
    Window* window = nullptr;
    std::uint32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

constexpr std::uint16_t loWord(std::uintptr_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
constexpr std::uint16_t hiWord(std::uintptr_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFF); }
constexpr std::uintptr_t makeLong(unsigned lo, unsigned hi) { return (lo & 0xFFFF) | ((hi & 0xFFFF) << 16); }

// Takes the next message (PM_REMOVE) if one is waiting; never blocks. Pending window-system
// events are translated first. False when the queue is empty.
bool peekMessage(Message& message);
// Key translation is done while events are queued; kept for the loop's shape.
void translateMessage(const Message& message);
// Hands the message to the registered window procedure.
LRESULT dispatchMessage(const Message& message);
// Queues a message for the window behind what is already waiting, as PostMessage does; the
// window procedure receives it from dispatchMessage like any other. False without a window.
bool postMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
// Queues WM_QUIT with the exit code in wParam.
void postQuitMessage(int exitCode);
// Default handling: Alt+F4 (WM_SYSKEYDOWN of VK_F4 with the Alt bit) becomes WM_CLOSE.
LRESULT defWindowProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
// Calls the registered procedure directly, as Windows' SendMessage does.
LRESULT sendMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
