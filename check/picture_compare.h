// Comparing a drawn picture with a reference in coarse blocks, so that what drivers may draw
// differently (edge pixels of lines and polygons, texel choice at GL_NEAREST boundaries,
// dithering) passes while a feature that is missing or wrong does not. Text is compared by
// where it stands; where a driver may legitimately draw something quite differently, the
// caller leaves that region out.
#pragma once

#include <string>
#include <vector>

#include "check/picture.h"

// How a region is compared: block by block; as text, by where it has text and not by the
// shapes of its glyphs (each platform draws the overlay in its own system font); or not at all.
enum class RegionRule { blocks, text, skipped };

// A named part of the picture, for saying where the pictures differ (pixels, top-left origin).
// A block belongs to the first region that holds its centre, and follows that region's rule.
struct PictureRegion {
    const char* name;
    int x, y, width, height;
    RegionRule rule = RegionRule::blocks;
};

constexpr int compareBlockSide = 8;           // pixels; the blocks at the right and bottom edges may be smaller
constexpr double blockTolerance = 24.0;       // largest difference of a block's mean in any channel (of 255)
constexpr double differingBlockShare = 0.01;  // of all blocks, how many may exceed the tolerance
// Text regions are cut into cells of this width across their whole height. A cell holds text
// when it has a few near-white pixels; fonts differ in width, so a couple of cells at the end
// of a line may hold text in one picture and not in the other.
constexpr int textCellWidth = 35;
constexpr int textInkLevel = 160;  // all three channels above it: a pixel of the overlay's text
constexpr int textInkPixels = 4;
constexpr int textCellsMayDiffer = 2;

// A rectangle of the picture (pixels, top-left origin).
struct PictureArea {
    int x, y, width, height;
};

struct BlockComparison {
    bool sameSize = false;
    int blocks = 0;        // blocks compared
    int differing = 0;     // blocks beyond the tolerance
    int limit = 0;         // how many may be
    double largest = 0.0;  // the largest difference of any block's mean in any channel
    int textCells = 0;
    int textDiffering = 0;  // cells with text in only one of the pictures
    std::string where;      // the region with the most differing blocks or cells; empty when none differ
    std::vector<PictureArea> differingAreas;  // each block over the tolerance and each text cell that differs

    bool passed() const { return sameSize && differing <= limit && textDiffering <= textCellsMayDiffer; }
};

BlockComparison compareBlocks(const Picture& reference, const Picture& picture,
                              const std::vector<PictureRegion>& regions);

// Where a comparison found differences, to look at: the reference dimmed, each differing block
// and text cell filled in a bright colour, and the regions outlined (those left out in grey).
Picture differencePicture(const Picture& reference, const BlockComparison& comparison,
                          const std::vector<PictureRegion>& regions);
