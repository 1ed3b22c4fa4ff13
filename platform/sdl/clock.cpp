// The millisecond clock and thread priority over SDL.
#include <SDL.h>

#include "platform/backend.h"
#include "platform/clock.h"

namespace platform {

std::uint32_t backendTime() { return SDL_GetTicks(); }

void raiseThreadPriority() { SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH); }

}  // namespace platform
