// GL entry points in a browser: the program's extension functions are the fixed-function
// layer's own, as WebGL has no GL 1.1 entry points of its own to hand out.
#include <cstring>

#include "fixed_function/fixed_function.h"
#include "platform/backend.h"

namespace platform {

namespace {

struct EntryPoint {
    const char* name;
    void* address;
};

}  // namespace

void* backendGLProcAddress(const char* name) {
    static const EntryPoint entryPoints[] = {
        {"glActiveTextureARB", reinterpret_cast<void*>(&ff::ActiveTextureARB)},
        {"glMultiTexCoord2fARB", reinterpret_cast<void*>(&ff::MultiTexCoord2fARB)},
        {"glMultiTexCoord2fvARB", reinterpret_cast<void*>(&ff::MultiTexCoord2fvARB)},
    };
    if (!name) return nullptr;
    for (const EntryPoint& entry : entryPoints) {
        if (std::strcmp(entry.name, name) == 0) return entry.address;
    }
    return nullptr;
}

}  // namespace platform
