// Large buffers on Windows: large pages need a privilege that a program does not normally hold,
// so the buffer is plain malloc memory.
#include "platform/large_buffer.h"

#include <cstdlib>

namespace platform {

bool largeBuffersOnHugePages() { return false; }

void* allocateLargeBuffer(std::size_t size) { return std::malloc(size); }

}  // namespace platform
