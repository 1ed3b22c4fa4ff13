// GL entry points in a browser: the program's extension functions are the fixed-function
// layer's own exports, as WebGL has no GL 1.1 entry points of its own to hand out.
#include "fixed_function/gl_exports.h"
#include "platform/backend.h"

namespace platform {

void* backendGLProcAddress(const char* name) { return ff::exportedProcAddress(name); }

}  // namespace platform
