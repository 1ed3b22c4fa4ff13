// Memory for one large buffer that is filled soon after it is made: a whole file's bytes, a
// decoded picture. Filling fresh memory costs a page fault per page the first time each page is
// touched, and on a virtual machine each of those is dear: where the system offers large pages
// (Linux: transparent huge pages on request), a buffer of largeBufferMinimum bytes or more is
// asked for in them, whole 2 MiB pages, so that filling 6 MiB takes three faults instead of
// 1,536. Elsewhere, and for smaller sizes, it is plain malloc memory.
#pragma once

#include <cstddef>

namespace platform {

// Below this a buffer is too small to be worth a whole large page.
constexpr std::size_t largeBufferMinimum = 512 * 1024;

// At least size bytes, not cleared; released with std::free. Null when out of memory.
void* allocateLargeBuffer(std::size_t size);

}  // namespace platform
