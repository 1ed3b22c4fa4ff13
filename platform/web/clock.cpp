// The millisecond clock from the browser's high-resolution time.
#include <emscripten.h>

#include <cmath>

#include "platform/backend.h"

namespace platform {

// Whole milliseconds since the page started, wrapping around at 2^32 as the other clocks do.
std::uint32_t backendTime() {
    constexpr double wrap = 4294967296.0;
    return static_cast<std::uint32_t>(std::fmod(std::floor(emscripten_get_now()), wrap));
}

}  // namespace platform
