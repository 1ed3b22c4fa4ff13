// The millisecond clock.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since the layer started, as an unsigned 32-bit count that wraps around.
std::uint32_t timeGetTime();

}  // namespace platform

namespace platform {

// Test seam: while a source is set, timeGetTime returns what it returns.
using ClockSource = std::uint32_t (*)();
void setClockSource(ClockSource source);

}  // namespace platform
