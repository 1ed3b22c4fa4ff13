// Message boxes: the test seam in front of the backend's box.
#include "platform/message_box.h"

#include "platform/backend.h"

namespace platform {

namespace {
MessageBoxHandler handler = nullptr;
}

int messageBox(Window* owner, const char* text, const char* caption, unsigned type) {
    if (handler) return handler(owner, text, caption, type);
    return backendMessageBox(owner, text ? text : "", caption ? caption : "", type);
}

void setMessageBoxHandler(MessageBoxHandler newHandler) { handler = newHandler; }

}  // namespace platform
