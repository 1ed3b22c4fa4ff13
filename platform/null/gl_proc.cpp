// No GL context, so no entry points.
#include "platform/backend.h"

namespace platform {

void* backendGLProcAddress(const char*) { return nullptr; }

}  // namespace platform
