// A message queue with no window behind it: only the quit message is ever posted to it.
#include "platform/messages.h"

namespace platform {

namespace {

// As Windows keeps it: a flag and the last code posted, taken after every other message.
bool quitPosted = false;
int quitCode = 0;

}  // namespace

bool peekMessage(Message& message) {
    if (!quitPosted) return false;
    quitPosted = false;
    message = Message{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0};
    return true;
}

void translateMessage(const Message&) {}

// No window class was registered, so there is no procedure to hand a message to.
LRESULT dispatchMessage(const Message&) { return 0; }

// There is never a window to post to.
bool postMessage(Window*, std::uint32_t, WPARAM, LPARAM) { return false; }

void postQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

LRESULT defWindowProc(Window*, std::uint32_t, WPARAM, LPARAM) { return 0; }

LRESULT sendMessage(Window*, std::uint32_t, WPARAM, LPARAM) { return 0; }

}  // namespace platform
