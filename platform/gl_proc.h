// GL extension entry points.
#pragma once

namespace platform {

// The address of an ARB_multitexture entry point of the current context, or null unless
// the context lists GL_ARB_multitexture (some drivers hand out an address for any name).
void* getGLProcAddress(const char* name);

}  // namespace platform
