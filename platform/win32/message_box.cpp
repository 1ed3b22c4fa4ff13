// Modal message boxes: MessageBoxA with the caller's flags, owned by the caller's window.
#include "platform/message_box.h"
#include "platform/backend.h"
#include "platform/win32/win32_internal.h"

namespace platform {

int backendMessageBox(Window* owner, const char* text, const char* caption, unsigned type) {
    const int answer = MessageBoxA(owner ? owner->handle : nullptr, text, caption, type);
    if (answer != 0) return answer;
    // The box could not be shown (no desktop to show it on): the text must still reach the user.
    return messageOnStandardError(text, caption, type);
}

}  // namespace platform
