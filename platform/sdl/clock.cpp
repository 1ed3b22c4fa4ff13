// The millisecond clock and thread priority over SDL.
#include "platform/clock.h"

#include <SDL.h>

namespace platform {

namespace {
ClockSource clockSource = nullptr;
}

std::uint32_t timeGetTime() {
    if (clockSource) return clockSource();
    return SDL_GetTicks();
}

void setClockSource(ClockSource source) { clockSource = source; }

void raiseThreadPriority() { SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH); }

}  // namespace platform
