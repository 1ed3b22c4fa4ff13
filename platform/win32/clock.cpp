// The multimedia clock and thread priority.
#include "platform/clock.h"
#include "platform/backend.h"
#include "platform/win32/win32_internal.h"

#include <mmsystem.h>

namespace platform {

std::uint32_t backendTime() { return ::timeGetTime(); }

void raiseThreadPriority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST); }

}  // namespace platform
