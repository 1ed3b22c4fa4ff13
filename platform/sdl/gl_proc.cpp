// GL entry points from SDL.
#include <SDL.h>

#include "platform/backend.h"

namespace platform {

void* backendGLProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

}  // namespace platform
