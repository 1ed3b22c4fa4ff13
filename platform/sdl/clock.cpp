// The millisecond clock over SDL.
#include <SDL.h>

#include "platform/backend.h"
#include "platform/clock.h"

namespace platform {

std::uint32_t backendTime() { return SDL_GetTicks(); }

}  // namespace platform
