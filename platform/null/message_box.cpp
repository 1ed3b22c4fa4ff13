// No box can be shown: the text goes to standard error, and the box gives its default answer.
#include "platform/backend.h"

namespace platform {

int backendMessageBox(Window*, const char* text, const char* caption, unsigned type) {
    return messageOnStandardError(text, caption, type);
}

}  // namespace platform
