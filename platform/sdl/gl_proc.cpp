// GL entry points from SDL; on the fixed-function layer, the layer's own exports.
#include <SDL.h>

#include "platform/backend.h"

#ifdef FACEDEMO_GLES2
#include "fixed_function/gl_exports.h"
#endif

namespace platform {

#ifdef FACEDEMO_GLES2
// The driver under the layer speaks ES: its functions of the names asked for would bypass the
// layer and its state.
void* backendGLProcAddress(const char* name) { return ff::exportedProcAddress(name); }
#else
void* backendGLProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }
#endif

}  // namespace platform
