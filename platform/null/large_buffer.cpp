// Large buffers as plain malloc memory: no large pages.
#include "platform/large_buffer.h"

#include <cstdlib>

namespace platform {

bool largeBuffersOnHugePages() { return false; }

void* allocateLargeBuffer(std::size_t size) { return std::malloc(size); }

}  // namespace platform
