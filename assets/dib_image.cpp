// The bitmap loader: maps a .bmp file, parses it, converts its pixels into packed RGB rows and
// tells the user in one message box when any of it fails.
#include "assets/dib_image.h"

#include <cstdio>
#include <cstdlib>

#include "assets/dib_conversion.h"
#include "platform/file_view.h"
#include "platform/message_box.h"

namespace {

constexpr std::size_t openFailureTextSize = 256;

// Everything the conversion allocates on the way; released whatever the outcome.
struct Work {
    unsigned char* section = nullptr;
    unsigned char* pixels = nullptr;
    ~Work() {
        std::free(section);
        std::free(pixels);
    }
};

}  // namespace

DibError convertDib(const DibFile& file, DibImage*& image) {
    image = nullptr;
    Work work;
    const DibTarget& target = file.target;
    work.section = static_cast<unsigned char*>(std::calloc(1, target.size));
    if (!work.section) return DibError::outOfMemory;
    if (convertDibBits(file.source(), target, work.section) == 0) return DibError::conversionError;

    const std::size_t packedRow = static_cast<std::size_t>(target.width) * 3;
    work.pixels = static_cast<unsigned char*>(std::malloc(packedRow * target.height));
    if (!work.pixels) return DibError::outOfMemory;
    // Copy out with red and blue swapped, dropping each row's padding.
    unsigned char* out = work.pixels;
    for (int y = 0; y < target.height; ++y) {
        const unsigned char* rowIn = work.section + static_cast<std::size_t>(y) * target.rowBytes;
        for (int x = 0; x < target.width; ++x, rowIn += 3, out += 3) {
            out[0] = rowIn[2];
            out[1] = rowIn[1];
            out[2] = rowIn[0];
        }
    }

    image = static_cast<DibImage*>(std::malloc(sizeof(DibImage)));
    if (!image) return DibError::outOfMemory;
    image->width = target.width;
    image->height = target.height;
    image->pixels = work.pixels;
    work.pixels = nullptr;
    return DibError::none;
}

const char* dibErrorText(DibError error) {
    switch (error) {
    case DibError::none: return "";
    case DibError::openFailed: return "Failed to open DIB file.";
    case DibError::unknownFormat: return "Unknown DIB file format.";
    case DibError::conversionError: return "Image file conversion error.";
    case DibError::outOfMemory: return "Out of memory.";
    }
    return "";
}

void reportDibError(DibError error, const char* fileName) {
    if (error == DibError::none) return;
    // snprintf cuts very long names short rather than overrunning the text buffer.
    char openFailure[openFailureTextSize];
    const char* text = dibErrorText(error);
    if (error == DibError::openFailed) {
        std::snprintf(openFailure, sizeof openFailure, "Failed to open DIB file %s.\n", fileName ? fileName : "");
        text = openFailure;
    }
    platform::messageBox(platform::focusWindow(), text, "Error", platform::MB_OK);
}

DibImage* decodeDibImage(const unsigned char* bytes, std::size_t size) {
    DibFile file;
    DibImage* image = nullptr;
    DibError error = parseDib(bytes, size, file);
    if (error == DibError::none) error = convertDib(file, image);
    reportDibError(error, nullptr);
    return image;
}

DibImage* loadDibImage(const char* fileName) {
    platform::FileView view;
    if (!view.open(fileName)) {
        reportDibError(DibError::openFailed, fileName);
        return nullptr;
    }
    return decodeDibImage(view.data(), view.size());
}
