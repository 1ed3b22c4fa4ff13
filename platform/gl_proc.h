// GL extension entry points.
#pragma once

namespace platform {

// The address of an entry point of the current context, or null unless the context lists the
// extension that brings it (some drivers hand out an address for any name).
void* getGLProcAddress(const char* name, const char* extension);

}  // namespace platform
