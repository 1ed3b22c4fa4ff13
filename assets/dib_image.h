// Windows bitmap (DIB) files decoded into packed 24-bit RGB rows, bottom row first, in three
// steps: parse (dib_file.h), convert, and report what went wrong.
#pragma once

#include <cstddef>

#include "assets/dib_file.h"

// Allocated for free (the record with malloc, the pixels with platform::allocateLargeBuffer); the
// caller frees pixels, then the record, with free.
struct DibImage {
    int width;
    int height;
    unsigned char* pixels;  // width * height * 3 bytes: red, green, blue; bottom row first
};

// Null on any failure, after one message box (caption "Error") that says why; loadFailure then
// names the file and the reason.
DibImage* loadDibImage(const char* fileName);
// The same for the bytes of a whole bitmap file already in memory.
DibImage* decodeDibImage(const unsigned char* bytes, std::size_t size);

// Converts a parsed bitmap's pixels into the image loadDibImage hands out, in one pass into the
// image's own buffer. Shows nothing; image is null unless the result is none.
DibError convertDib(const DibFile& file, DibImage*& image);
// The user's text for a failure (the message box of an open failure adds the file's name).
const char* dibErrorText(DibError error);
// The one message box for a failure (owned by the window with the keyboard focus); the file
// name goes into the text of an open failure.
void reportDibError(DibError error, const char* fileName);
