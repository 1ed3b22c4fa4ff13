// The millisecond clock, with its test seam.
#include "platform/clock.h"

#include "platform/backend.h"

namespace platform {

namespace {
ClockSource clockSource = nullptr;
}

std::uint32_t timeGetTime() {
    if (clockSource) return clockSource();
    return backendTime();
}

void setClockSource(ClockSource source) { clockSource = source; }

}  // namespace platform
