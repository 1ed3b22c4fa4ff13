// The first step of the bitmap loader: a bitmap file's bytes taken apart into its normalised
// header, colour table and pixel bytes, every size checked against the file. Shows nothing and
// allocates nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/dib_conversion.h"

// Why a bitmap could not be loaded; reportDibError turns each into the user's message.
enum class DibError { none, openFailed, unknownFormat, conversionError, outOfMemory };

// A run-length bitmap can claim a huge, mostly empty picture in a few bytes; more pixels than
// this (4096 x 4096, 48 MiB decoded) are refused before anything is allocated for them.
constexpr std::uint64_t largestRunLengthPixels = 4096u * 4096u;

// A parsed bitmap: what the conversion reads, and the layout of the 24-bit rows it will write.
struct DibFile {
    static constexpr std::size_t tableCapacity = 256;  // no pixel of 8 bits or fewer indexes further

    BitmapInfoHeader header{};            // the 40-byte form, image size and colour count filled in
    std::uint32_t entries = 0;            // colour-table entries the file holds
    RgbQuad colours[tableCapacity] = {};  // the first of them, 3-byte entries widened
    std::uint32_t masks[3] = {0, 0, 0};   // BI_BITFIELDS only
    const unsigned char* bits = nullptr;  // inside the bytes that were parsed
    std::size_t bitsLength = 0;
    DibTarget target;

    DibSource source() const;
};

// Parses bytes (with or without the "BM" file header). DibError::none when the conversion can
// run: the headers, colour table and pixel position lie inside the bytes, the pixels start
// after the headers, the target layout fits and a run-length picture is not larger than
// largestRunLengthPixels. The result points into bytes, which must outlive it.
DibError parseDib(const unsigned char* bytes, std::size_t size, DibFile& file);
