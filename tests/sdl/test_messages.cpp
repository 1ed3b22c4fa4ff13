// The message queue's contract with SDL: synthetic SDL events in, Windows-style messages out.
#include <SDL.h>

#include <vector>

#include "platform/messages.h"
#include "platform/sdl/sdl_internal.h"
#include "tests/gl_test_context.h"

using namespace platform;

namespace {

constexpr std::uint32_t contextCodeBit = 1u << 29;
constexpr std::uint32_t previousStateBit = 1u << 30;
constexpr std::uint32_t transitionStateBit = 1u << 31;

std::vector<Message> received;

LRESULT recordingProcedure(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    received.push_back(Message{window, message, wParam, lParam});
    return defWindowProc(window, message, wParam, lParam);
}

std::uint32_t bits(LPARAM lParam) { return static_cast<std::uint32_t>(lParam); }

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = offscreenWindow();
        ASSERT_NE(window, nullptr) << "the offscreen video driver did not start";
        ASSERT_TRUE(registerWindowClass(moduleInstance(), recordingProcedure));
        drain();
        received.clear();
    }

    Uint32 id() const { return SDL_GetWindowID(window->sdl); }

    void pushKey(Uint32 type, SDL_Keycode key, SDL_Scancode scanCode, Uint16 mod = KMOD_NONE, Uint8 repeat = 0,
                 Uint32 windowId = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = windowId ? windowId : id();
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = scanCode;
        event.key.keysym.mod = mod;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void pushWindowEvent(Uint8 kind, Uint32 windowId = 0) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = windowId ? windowId : id();
        event.window.event = kind;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    // Everything waiting, in order.
    static std::vector<Message> drain() {
        std::vector<Message> messages;
        Message message;
        while (peekMessage(message)) messages.push_back(message);
        return messages;
    }

    Window* window = nullptr;
};

TEST_F(MessagesTest, KeysBecomeVirtualKeyCodesWithWindowsPacking) {
    pushKey(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A);
    pushKey(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 1);
    pushKey(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A);
    std::vector<Message> m = drain();
    ASSERT_EQ(m.size(), 3u);

    EXPECT_EQ(m[0].message, WM_KEYDOWN) << "a press is WM_KEYDOWN";
    EXPECT_EQ(m[0].wParam, 0x41u) << "the letter A is its capital's code";
    EXPECT_EQ(m[0].window, window) << "the message names the window of the event";
    EXPECT_EQ(loWord(m[0].lParam), 1u) << "repeat count 1";
    EXPECT_EQ((bits(m[0].lParam) >> 16) & 0xFF, static_cast<std::uint32_t>(SDL_SCANCODE_A)) << "scan code field";
    EXPECT_EQ(bits(m[0].lParam) & (contextCodeBit | previousStateBit | transitionStateBit), 0u)
        << "a first press: no Alt, key was up, going down";

    EXPECT_EQ(m[1].message, WM_KEYDOWN) << "SDL's key repeat is another WM_KEYDOWN";
    EXPECT_EQ(m[1].wParam, 0x41u);
    EXPECT_NE(bits(m[1].lParam) & previousStateBit, 0u) << "a repeat says the key was already down";
    EXPECT_EQ(bits(m[1].lParam) & transitionStateBit, 0u) << "a repeat is still a press";

    EXPECT_EQ(m[2].message, WM_KEYUP) << "a release is WM_KEYUP";
    EXPECT_EQ(m[2].wParam, 0x41u);
    EXPECT_EQ(loWord(m[2].lParam), 1u) << "a release also counts once";
    EXPECT_NE(bits(m[2].lParam) & previousStateBit, 0u) << "a release: the key was down";
    EXPECT_NE(bits(m[2].lParam) & transitionStateBit, 0u) << "a release: going up";
    EXPECT_GT(m[2].lParam, 0) << "the packed value is not sign-extended into a negative LPARAM";

    struct Case {
        SDL_Keycode key;
        SDL_Scancode scanCode;
        unsigned virtualKey;
        const char* name;
    };
    const Case cases[] = {
        {SDLK_z, SDL_SCANCODE_Z, 0x5A, "Z"},
        {SDLK_0, SDL_SCANCODE_0, 0x30, "0"},
        {SDLK_9, SDL_SCANCODE_9, 0x39, "9"},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, VK_ESCAPE, "Escape"},
        {SDLK_F1, SDL_SCANCODE_F1, VK_F1, "F1"},
        {SDLK_F12, SDL_SCANCODE_F12, 0x7B, "F12"},
        {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, VK_SHIFT, "left Shift"},
        {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, VK_SHIFT, "right Shift"},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 0x11, "right Ctrl"},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, VK_LEFT, "Left"},
        {SDLK_UP, SDL_SCANCODE_UP, VK_UP, "Up"},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, VK_RIGHT, "Right"},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, VK_DOWN, "Down"},
        {SDLK_SPACE, SDL_SCANCODE_SPACE, VK_SPACE, "Space"},
        {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, VK_PRIOR, "Page Up"},
        {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, VK_NEXT, "Page Down"},
        {SDLK_HOME, SDL_SCANCODE_HOME, VK_HOME, "Home"},
        {SDLK_END, SDL_SCANCODE_END, VK_END, "End"},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, 0x0D, "Return"},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, 0x60, "keypad 0 (not next to keypad 1 in SDL's numbering)"},
    };
    for (const Case& c : cases) pushKey(SDL_KEYDOWN, c.key, c.scanCode);
    m = drain();
    ASSERT_EQ(m.size(), std::size(cases));
    for (std::size_t i = 0; i < m.size(); ++i) {
        EXPECT_EQ(m[i].message, WM_KEYDOWN) << cases[i].name;
        EXPECT_EQ(m[i].wParam, cases[i].virtualKey) << cases[i].name;
    }

    pushKey(SDL_KEYDOWN, SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY);
    pushKey(SDL_KEYDOWN, SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN);
    pushKey(SDL_KEYDOWN, SDLK_b, SDL_SCANCODE_B);
    m = drain();
    ASSERT_EQ(m.size(), 1u) << "keys without a virtual-key code are dropped";
    EXPECT_EQ(m[0].wParam, 0x42u) << "and the keys after them still come through";
}

TEST_F(MessagesTest, AltCombinationsAndF10AreSystemKeysAndAltF4Closes) {
    pushKey(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
    pushKey(SDL_KEYDOWN, SDLK_l, SDL_SCANCODE_L, KMOD_LALT);
    pushKey(SDL_KEYUP, SDLK_l, SDL_SCANCODE_L, KMOD_LALT);
    pushKey(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE);
    pushKey(SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10);
    pushKey(SDL_KEYUP, SDLK_F10, SDL_SCANCODE_F10);
    pushKey(SDL_KEYDOWN, SDLK_q, SDL_SCANCODE_Q, KMOD_LCTRL | KMOD_RALT);
    std::vector<Message> m = drain();
    ASSERT_EQ(m.size(), 7u);
    EXPECT_EQ(m[0].message, WM_SYSKEYDOWN) << "pressing Alt is a system key";
    EXPECT_EQ(m[1].message, WM_SYSKEYDOWN) << "a letter with Alt held is a system key";
    EXPECT_EQ(m[1].wParam, 0x4Cu);
    EXPECT_NE(bits(m[1].lParam) & contextCodeBit, 0u) << "the context code says Alt is held";
    EXPECT_EQ(m[2].message, WM_SYSKEYUP) << "releasing it with Alt held is a system key too";
    EXPECT_EQ(m[3].message, WM_SYSKEYUP) << "releasing Alt itself";
    EXPECT_EQ(m[4].message, WM_SYSKEYDOWN) << "F10 alone is a system key";
    EXPECT_EQ(bits(m[4].lParam) & contextCodeBit, 0u) << "F10 without Alt has no context code";
    EXPECT_EQ(m[5].message, WM_SYSKEYUP) << "so is its release";
    EXPECT_EQ(m[6].message, WM_KEYDOWN) << "Ctrl+Alt (AltGr) is an ordinary key, as on Windows";

    pushKey(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4);
    pushKey(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4, KMOD_RALT);
    m = drain();
    ASSERT_EQ(m.size(), 2u);
    for (const Message& message : m) dispatchMessage(message);
    ASSERT_EQ(received.size(), 3u) << "both keys dispatched, and Alt+F4's default handling sent one more message";
    EXPECT_EQ(received[0].message, WM_KEYDOWN) << "F4 alone is an ordinary key and closes nothing";
    EXPECT_EQ(received[1].message, WM_SYSKEYDOWN);
    EXPECT_EQ(received[1].wParam, VK_F4);
    EXPECT_EQ(received[2].message, WM_CLOSE) << "Alt+F4 through defWindowProc becomes WM_CLOSE";
    EXPECT_EQ(received[2].window, window) << "sent to the window of the key";

    received.clear();
    defWindowProc(window, WM_SYSKEYDOWN, VK_F4, 0);
    EXPECT_TRUE(received.empty()) << "a system F4 without the Alt bit does not close";
}

TEST_F(MessagesTest, WindowEventsBecomeActivationSizeAndClose) {
    int width = 0;
    int height = 0;
    clientSize(window, width, height);
    const LPARAM drawableSize = static_cast<LPARAM>(makeLong(width, height));

    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    std::vector<Message> m = drain();
    ASSERT_EQ(m.size(), 8u);

    EXPECT_EQ(m[0].message, WM_ACTIVATE) << "minimising deactivates";
    EXPECT_EQ(loWord(m[0].wParam), WA_INACTIVE);
    EXPECT_NE(hiWord(m[0].wParam), 0u) << "with the minimised flag";
    EXPECT_EQ(m[1].message, WM_SIZE) << "then reports the size";
    EXPECT_EQ(m[1].wParam, SIZE_MINIMIZED);
    EXPECT_EQ(m[1].lParam, 0) << "of 0 x 0";
    EXPECT_EQ(m[2].message, WM_ACTIVATE) << "focus lost after minimising";
    EXPECT_NE(hiWord(m[2].wParam), 0u) << "still says minimised, so frames stay stopped";

    EXPECT_EQ(m[3].message, WM_ACTIVATE) << "restoring activates";
    EXPECT_EQ(loWord(m[3].wParam), WA_ACTIVE);
    EXPECT_EQ(hiWord(m[3].wParam), 0u) << "without the minimised flag";
    EXPECT_EQ(m[4].message, WM_SIZE) << "and reports the real size again after the 0 x 0";
    EXPECT_EQ(m[4].wParam, SIZE_RESTORED);
    EXPECT_EQ(m[4].lParam, drawableSize);

    EXPECT_EQ(m[5].message, WM_ACTIVATE) << "focus lost";
    EXPECT_EQ(loWord(m[5].wParam), WA_INACTIVE);
    EXPECT_EQ(hiWord(m[5].wParam), 0u) << "a window that is not minimised";
    EXPECT_EQ(m[6].message, WM_ACTIVATE) << "focus gained";
    EXPECT_EQ(loWord(m[6].wParam), WA_ACTIVE);
    EXPECT_EQ(hiWord(m[6].wParam), 0u);
    EXPECT_EQ(m[7].message, WM_CLOSE) << "the window manager's close; SDL_QUIT adds nothing";
    EXPECT_EQ(m[7].window, window);

    // A real resize through SDL: the size message carries the new drawable size.
    SDL_SetWindowSize(window->sdl, 80, 48);
    m = drain();
    SDL_SetWindowSize(window->sdl, width, height);
    drain();
    ASSERT_FALSE(m.empty()) << "SDL reported the resize";
    EXPECT_EQ(m.back().message, WM_SIZE);
    EXPECT_EQ(m.back().lParam, static_cast<LPARAM>(makeLong(80, 48))) << "width in the low word, height in the high";
}

TEST_F(MessagesTest, QuitComesInOrderAndMessagesOfADestroyedWindowCarryNoPointer) {
    pushKey(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A);
    pushKey(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A);
    Message message;
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.message, WM_KEYDOWN);
    postQuitMessage(3);
    pushKey(SDL_KEYDOWN, SDLK_b, SDL_SCANCODE_B);
    std::vector<Message> m = drain();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].message, WM_KEYUP) << "what was waiting before the quit request comes first";
    EXPECT_EQ(m[1].message, WM_QUIT) << "then the quit message";
    EXPECT_EQ(m[1].wParam, 3u) << "carrying the exit code";
    EXPECT_EQ(m[1].window, nullptr) << "and no window";
    EXPECT_EQ(m[2].message, WM_KEYDOWN) << "events that arrive later come after it";
    EXPECT_FALSE(peekMessage(message)) << "an empty queue answers at once";

    // F1 destroys the window inside dispatch while its events wait in the queue.
    Window* second = createWindow("second", 32, 32, false);
    ASSERT_NE(second, nullptr);
    const Uint32 secondId = SDL_GetWindowID(second->sdl);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, secondId);
    pushKey(SDL_KEYUP, SDLK_F1, SDL_SCANCODE_F1, KMOD_NONE, 0, secondId);
    pushWindowEvent(SDL_WINDOWEVENT_CLOSE, secondId);
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.window, second) << "while it lives, its messages name it";
    destroyWindow(second);
    m = drain();
    ASSERT_EQ(m.size(), 1u) << "size, activation and close of a window that is gone are dropped";
    EXPECT_EQ(m[0].message, WM_KEYUP) << "but a key release still reaches the key table";
    EXPECT_EQ(m[0].window, nullptr) << "without a pointer to the destroyed window";
}

}  // namespace
