// Comparing a drawn picture with a reference in coarse blocks, so that what drivers may draw
// differently (edge pixels of lines and polygons, texel choice at GL_NEAREST boundaries,
// dithering) passes while a feature that is missing or wrong does not. Where a driver may
// legitimately draw something quite differently, the caller leaves that region out.
#pragma once

#include <string>
#include <vector>

#include "app/picture.h"

// A named part of the picture, for saying where the pictures differ (pixels, top-left origin).
// A block belongs to the first region that holds its centre; the blocks of a region that is
// not compared are left out altogether.
struct PictureRegion {
    const char* name;
    int x, y, width, height;
    bool compared = true;
};

constexpr int compareBlockSide = 8;           // pixels; the blocks at the right and bottom edges may be smaller
constexpr double blockTolerance = 24.0;       // largest difference of a block's mean in any channel (of 255)
constexpr double differingBlockShare = 0.01;  // of all blocks, how many may exceed the tolerance

struct BlockComparison {
    bool sameSize = false;
    int blocks = 0;        // blocks compared
    int differing = 0;     // blocks beyond the tolerance
    int limit = 0;         // how many may be
    double largest = 0.0;  // the largest difference of any block's mean in any channel
    std::string where;     // the region with the most differing blocks; empty when none differ

    bool passed() const { return sameSize && differing <= limit; }
};

BlockComparison compareBlocks(const Picture& reference, const Picture& picture,
                              const std::vector<PictureRegion>& regions);
