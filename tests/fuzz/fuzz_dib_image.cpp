// libFuzzer target for the bitmap loader: any bytes through the loader's own parse and convert
// steps (the report step only shows a box).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "assets/dib_file.h"
#include "assets/dib_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DibFile file;
    if (parseDib(data, size, file) != DibError::none) return 0;
    DibImage* image = nullptr;
    if (convertDib(file, image) != DibError::none) return 0;
    // Touch every pixel so that a short buffer shows up under the address sanitizer.
    volatile unsigned sum = 0;
    const std::size_t bytes = static_cast<std::size_t>(image->width) * image->height * 3;
    for (std::size_t i = 0; i < bytes; ++i) sum = sum + image->pixels[i];
    // The loader converts into memory it has not cleared: the same conversion into a buffer of
    // zeros and into one of 0xFF bytes must give the loader's picture byte for byte, or some
    // byte was left unwritten. Pictures up to 1 MiB reach every path of the conversion; larger
    // ones (an RLE file may claim 48 MiB) would only slow the search down.
    constexpr std::size_t comparedBytes = 1u << 20;
    const unsigned char fills[] = {0x00, 0xFF};
    for (std::size_t i = 0; bytes <= comparedBytes && i < sizeof fills; ++i) {
        std::vector<unsigned char> target(file.target.size, fills[i]);
        if (convertDibBits(file.source(), file.target, target.data()) != file.target.height ||
            std::memcmp(target.data(), image->pixels, bytes) != 0)
            std::abort();
    }
    std::free(image->pixels);
    std::free(image);
    return 0;
}
