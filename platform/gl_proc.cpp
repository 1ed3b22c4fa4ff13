// GL extension entry points, handed out only when the current context offers the extension.
#include "platform/gl_proc.h"

#include <GL/gl.h>

#include <cstring>

#include "platform/backend.h"

namespace platform {

namespace {

// True when the space-separated list holds exactly this name (not merely a name that starts with it).
bool listsExtension(const char* list, const char* name) {
    const std::size_t length = std::strlen(name);
    for (const char* p = list; *p;) {
        while (*p == ' ') ++p;
        const char* end = p;
        while (*end && *end != ' ') ++end;
        if (static_cast<std::size_t>(end - p) == length && std::strncmp(p, name, length) == 0) return true;
        p = end;
    }
    return false;
}

}  // namespace

void* getGLProcAddress(const char* name, const char* extension) {
    if (!name || !extension) return nullptr;
    // Null without a current context, too.
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions || !listsExtension(extensions, extension)) return nullptr;
    return backendGLProcAddress(name);
}

}  // namespace platform
