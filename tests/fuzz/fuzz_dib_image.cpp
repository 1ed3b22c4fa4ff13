// libFuzzer target for the bitmap loader: any bytes through the same decoder the loader uses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "assets/dib_decode.h"
#include "platform/message_box.h"

namespace {

int silentBox(platform::Window*, const char*, const char*, unsigned) { return platform::IDOK; }

// RLE streams may legally claim huge all-black pictures from a few bytes; such inputs only
// spend the fuzzer's time and memory, so pictures beyond this many pixels are passed over.
constexpr std::uint64_t largestRlePixels = 1u << 22;

std::uint32_t read32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool hugeRunLengthPicture(const std::uint8_t* data, std::size_t size) {
    std::size_t header = size >= 2 && data[0] == 'B' && data[1] == 'M' ? 14 : 0;
    if (size < header + 20 || read32(data + header) != 40) return false;
    std::uint32_t compression = read32(data + header + 16);
    if (compression != 1 && compression != 2) return false;
    std::int64_t width = static_cast<std::int32_t>(read32(data + header + 4));
    std::int64_t height = static_cast<std::int32_t>(read32(data + header + 8));
    return width > 0 && height > 0 && static_cast<std::uint64_t>(width * height) > largestRlePixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool silenced = (platform::setMessageBoxHandler(silentBox), true);
    (void)silenced;
    if (hugeRunLengthPicture(data, size)) return 0;
    DibImage* image = DecodeDibImage(data, size);
    if (image) {
        // Touch every pixel so that a short buffer shows up under the address sanitizer.
        volatile unsigned sum = 0;
        std::size_t bytes = static_cast<std::size_t>(image->width) * image->height * 3;
        for (std::size_t i = 0; i < bytes; ++i) sum = sum + image->pixels[i];
        std::free(image->pixels);
        std::free(image);
    }
    return 0;
}
