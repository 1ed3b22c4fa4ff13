// Memory for one large buffer that is filled soon after it is made: a whole file's bytes, a
// decoded picture. Filling fresh memory costs a page fault per page the first time each page is
// touched, and on a virtual machine each of those is dear: where the system offers large pages
// (Linux: transparent huge pages on request), a buffer of largeBufferMinimum bytes or more is
// asked for in them, whole 2 MiB pages, so that filling 6 MiB takes three faults instead of
// 1,536. Elsewhere, and for smaller sizes, it is plain malloc memory.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>

namespace platform {

// Below this a buffer is too small to be worth a whole large page.
constexpr std::size_t largeBufferMinimum = 512 * 1024;

// At least size bytes, not cleared; released with std::free. Null when out of memory.
void* allocateLargeBuffer(std::size_t size);
// Whether this build asks for huge pages at all (never on Windows, nor under the address
// sanitizer, whose buffers are exactly the size asked for so that an overrun is caught).
bool largeBuffersOnHugePages();

// The allocator of a std::vector that may grow large (a mesh's vertices): every block it holds
// is a large buffer.
template <typename T>
struct LargeBufferAllocator {
    using value_type = T;

    LargeBufferAllocator() = default;
    template <typename U>
    LargeBufferAllocator(const LargeBufferAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
        void* block = allocateLargeBuffer(count * sizeof(T));
        if (!block) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t) noexcept { std::free(block); }

    friend bool operator==(const LargeBufferAllocator&, const LargeBufferAllocator&) { return true; }
    friend bool operator!=(const LargeBufferAllocator&, const LargeBufferAllocator&) { return false; }
};

}  // namespace platform
