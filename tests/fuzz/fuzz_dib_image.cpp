// libFuzzer target for the bitmap loader: any bytes through the loader's own parse and convert
// steps (the report step only shows a box).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

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
    std::free(image->pixels);
    std::free(image);
    return 0;
}
