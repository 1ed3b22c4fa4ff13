// The multimedia clock.
#include "platform/clock.h"
#include "platform/backend.h"
#include "platform/win32/win32_internal.h"

#include <mmsystem.h>

namespace platform {

std::uint32_t backendTime() { return ::timeGetTime(); }

}  // namespace platform
