// The bitmap loader: maps a .bmp file, parses it, converts its pixels into packed RGB rows and
// tells the user in one message box when any of it fails.
#include "assets/dib_image.h"

#include <cstdio>
#include <cstdlib>

#include "assets/dib_conversion.h"
#include "assets/load_failure.h"
#include "platform/file_view.h"
#include "platform/large_buffer.h"
#include "platform/message_box.h"
#include "platform/window.h"

namespace {

constexpr std::size_t openFailureTextSize = 256;

// Parses and converts a whole bitmap file's bytes; image is null unless the result is none.
DibError decode(const unsigned char* bytes, std::size_t size, DibImage*& image) {
    DibFile file;
    image = nullptr;
    const DibError error = parseDib(bytes, size, file);
    return error == DibError::none ? convertDib(file, image) : error;
}

}  // namespace

// The pixels are converted straight into the buffer handed out (and then to GL): no cleared
// working copy, no second pass. The conversion writes every byte, so the memory is used as it
// comes; a large picture's buffer sits on large pages where the system has them.
DibError convertDib(const DibFile& file, DibImage*& image) {
    image = nullptr;
    const DibTarget& target = file.target;
    auto* pixels = static_cast<unsigned char*>(platform::allocateLargeBuffer(target.size));
    if (!pixels) return DibError::outOfMemory;
    if (convertDibBits(file.source(), target, pixels) == 0) {
        std::free(pixels);
        return DibError::conversionError;
    }
    image = static_cast<DibImage*>(std::malloc(sizeof(DibImage)));
    if (!image) {
        std::free(pixels);
        return DibError::outOfMemory;
    }
    image->width = target.width;
    image->height = target.height;
    image->pixels = pixels;
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
    DibImage* image = nullptr;
    reportDibError(decode(bytes, size, image), nullptr);
    return image;
}

DibImage* loadDibImage(const char* fileName) {
    loadFailure = LoadFailure();
    platform::FileView view;
    if (!view.open(fileName)) {
        loadFailure = LoadFailure{fileName ? fileName : "", cannotBeOpened};
        reportDibError(DibError::openFailed, fileName);
        return nullptr;
    }
    DibImage* image = nullptr;
    const DibError error = decode(view.data(), view.size(), image);
    if (error != DibError::none) loadFailure = LoadFailure{fileName, dibErrorText(error)};
    reportDibError(error, nullptr);
    return image;
}
