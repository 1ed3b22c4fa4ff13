// Large buffers on whole transparent huge pages where the kernel offers them (Linux, with
// transparent huge pages set to "always" or "madvise"); plain malloc memory elsewhere (the
// browser's in-memory files included).
#include "platform/large_buffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

// A browser's memory is one flat array with no pages to advise the system about.
#if defined(MADV_HUGEPAGE) && !defined(__EMSCRIPTEN__)
#define HUGE_PAGE_ADVICE 1
#endif

namespace platform {

#ifdef HUGE_PAGE_ADVICE
namespace {

constexpr std::size_t hugePageSize = 2 * 1024 * 1024;

// Under the address sanitizer a buffer is exactly the size asked for, so that a write past its
// end is caught rather than landing unseen in the rounding.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool hugePages = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool hugePages = false;
#else
constexpr bool hugePages = true;
#endif
#else
constexpr bool hugePages = true;
#endif

}  // namespace
#endif

bool largeBuffersOnHugePages() {
#ifdef HUGE_PAGE_ADVICE
    return hugePages;
#else
    return false;
#endif
}

void* allocateLargeBuffer(std::size_t size) {
#ifdef HUGE_PAGE_ADVICE
    if (hugePages && size >= largeBufferMinimum && size <= SIZE_MAX - hugePageSize) {
        // Aligned and rounded up to whole huge pages, so that every page of it can be one (the
        // rounding, never written, is memory of the last one).
        const std::size_t rounded = (size + hugePageSize - 1) / hugePageSize * hugePageSize;
        void* block = nullptr;
        if (posix_memalign(&block, hugePageSize, rounded) != 0) return nullptr;
        // Only advice: where the kernel has no huge pages to give, the block is ordinary memory.
        madvise(block, rounded, MADV_HUGEPAGE);
        return block;
    }
#endif
    return std::malloc(size);
}

}  // namespace platform
