// Message boxes: the test seam and the off-screen answer in front of the backend's box.
#include "platform/message_box.h"

#include <cstdio>

#include "platform/backend.h"
#include "platform/window_registry.h"

namespace platform {

namespace {

MessageBoxHandler handler = nullptr;

}  // namespace

int messageBox(Window* owner, const char* text, const char* caption, unsigned type) {
    if (handler) return handler(owner, text, caption, type);
    if (!text) text = "";
    if (!caption) caption = "";
    // Off screen no box is shown, even where the system could still show one.
    if (offscreenRendering()) return messageOnStandardError(text, caption, type);
    return backendMessageBox(owner, text, caption, type);
}

int messageOnStandardError(const char* text, const char* caption, unsigned type) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return (type & buttonGroupMask) == MB_YESNO ? IDYES : IDOK;
}

void setMessageBoxHandler(MessageBoxHandler newHandler) { handler = newHandler; }

}  // namespace platform
