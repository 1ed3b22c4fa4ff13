// The millisecond clock from the C++ library's steady clock.
#include <chrono>

#include "platform/backend.h"

namespace platform {

std::uint32_t backendTime() {
    static const auto start = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

}  // namespace platform
