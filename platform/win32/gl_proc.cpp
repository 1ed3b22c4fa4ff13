// GL entry points from WGL.
#include "platform/backend.h"
#include "platform/win32/win32_internal.h"

namespace platform {

void* backendGLProcAddress(const char* name) { return reinterpret_cast<void*>(wglGetProcAddress(name)); }

}  // namespace platform
