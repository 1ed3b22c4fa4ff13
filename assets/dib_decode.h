// Decoding a bitmap that is already in memory: the loader's work after the file is mapped.
#pragma once

#include <cstddef>

#include "assets/dib_image.h"

// The bytes of a whole bitmap file (with or without the "BM" file header). Null on any
// failure, after one message box (caption "Error") that says why; otherwise a DibImage
// allocated with malloc, as LoadDibImage returns it.
DibImage* DecodeDibImage(const unsigned char* bytes, std::size_t size);
