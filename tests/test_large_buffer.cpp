// Large buffers: every byte asked for is there to write, freed with std::free, on every backend;
// where the system has huge pages, a large one starts on one. Vectors on them (a mesh's arrays)
// keep their elements through growth and copies.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/large_buffer.h"

TEST(LargeBuffer, EverySizeHoldsWhatWasAskedFor) {
    // Around the size where large pages begin, and a picture the size of the demo's sky.
    const std::size_t sizes[] = {1,
                                 4096,
                                 platform::largeBufferMinimum - 1,
                                 platform::largeBufferMinimum,
                                 2 * 1024 * 1024,
                                 2 * 1024 * 1024 + 1,
                                 2048 * 1024 * 3};
    for (std::size_t size : sizes) {
        SCOPED_TRACE(size);
        auto* bytes = static_cast<unsigned char*>(platform::allocateLargeBuffer(size));
        ASSERT_NE(bytes, nullptr);
        // Written end to end (the address sanitizer build catches a short block) and read back.
        std::memset(bytes, 0x5A, size);
        EXPECT_EQ(bytes[0], 0x5A);
        EXPECT_EQ(bytes[size - 1], 0x5A);
        std::free(bytes);
    }
}

TEST(LargeBuffer, VectorsKeepTheirElements) {
    using Array = std::vector<std::uint32_t, platform::LargeBufferAllocator<std::uint32_t>>;
    Array grown;
    // Past the size where its blocks become large buffers, one element at a time.
    const std::uint32_t count = platform::largeBufferMinimum / sizeof(std::uint32_t) * 3;
    for (std::uint32_t i = 0; i < count; ++i) grown.push_back(i * 7u);
    Array copy = grown;
    Array moved = std::move(grown);
    ASSERT_EQ(copy.size(), count);
    ASSERT_EQ(moved.size(), count);
    for (std::uint32_t i = 0; i < count; i += 4099) {
        EXPECT_EQ(copy[i], i * 7u);
        EXPECT_EQ(moved[i], i * 7u);
    }
    EXPECT_EQ(copy.back(), (count - 1) * 7u);
    copy.clear();
    copy.shrink_to_fit();
    EXPECT_EQ(moved.back(), (count - 1) * 7u) << "the copy's release leaves the other alone";
}

TEST(LargeBuffer, LargeOnesStartOnAHugePage) {
    if (!platform::largeBuffersOnHugePages()) GTEST_SKIP() << "this build asks for no huge pages";
    constexpr std::uintptr_t hugePage = 2 * 1024 * 1024;
    void* large = platform::allocateLargeBuffer(platform::largeBufferMinimum);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(large) % hugePage, 0u) << "a large buffer can be one huge page";
    std::free(large);
}
