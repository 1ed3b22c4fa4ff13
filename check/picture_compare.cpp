// Block means per channel, their differences, and where the differing blocks lie.
#include "check/picture_compare.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Means of red, green and blue over the block whose top-left pixel is (x0, y0).
void blockMeans(const Picture& p, int x0, int y0, double means[3]) {
    const int x1 = std::min(x0 + compareBlockSide, p.width);
    const int y1 = std::min(y0 + compareBlockSide, p.height);
    double sums[3] = {0, 0, 0};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c) sums[c] += p.at(x, y)[c];
    const double count = static_cast<double>((x1 - x0) * (y1 - y0));
    for (int c = 0; c < 3; ++c) means[c] = sums[c] / count;
}

// Whether the cell [x0, x1) x [y0, y1) holds some of the overlay's near-white text.
bool holdsText(const Picture& p, int x0, int x1, int y0, int y1) {
    int ink = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* px = p.at(x, y);
            if (px[0] > textInkLevel && px[1] > textInkLevel && px[2] > textInkLevel) ++ink;
        }
    return ink >= textInkPixels;
}

const PictureRegion* regionOf(const std::vector<PictureRegion>& regions, int x, int y) {
    for (const PictureRegion& r : regions)
        if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) return &r;
    return nullptr;
}

}  // namespace

BlockComparison compareBlocks(const Picture& reference, const Picture& picture,
                              const std::vector<PictureRegion>& regions) {
    BlockComparison result;
    result.sameSize = !reference.empty() && reference.width == picture.width && reference.height == picture.height &&
                      picture.rgb.size() == reference.rgb.size();
    if (!result.sameSize) return result;

    std::map<std::string, int> perRegion;
    for (int y = 0; y < picture.height; y += compareBlockSide) {
        for (int x = 0; x < picture.width; x += compareBlockSide) {
            const PictureRegion* region = regionOf(regions, x + compareBlockSide / 2, y + compareBlockSide / 2);
            if (region && region->rule != RegionRule::blocks) continue;
            double a[3], b[3];
            blockMeans(reference, x, y, a);
            blockMeans(picture, x, y, b);
            double difference = 0.0;
            for (int c = 0; c < 3; ++c) difference = std::max(difference, std::fabs(a[c] - b[c]));
            result.largest = std::max(result.largest, difference);
            ++result.blocks;
            if (difference <= blockTolerance) continue;
            ++result.differing;
            result.differingAreas.push_back(PictureArea{x, y, std::min(compareBlockSide, picture.width - x),
                                                        std::min(compareBlockSide, picture.height - y)});
            ++perRegion[region ? region->name : "rest of the picture"];
        }
    }
    for (const PictureRegion& r : regions) {
        if (r.rule != RegionRule::text) continue;
        const int x1 = std::min(r.x + r.width, picture.width);
        const int y0 = std::max(r.y, 0);
        const int y1 = std::min(r.y + r.height, picture.height);
        for (int x = std::max(r.x, 0); x < x1; x += textCellWidth) {
            const int cellEnd = std::min(x + textCellWidth, x1);
            ++result.textCells;
            if (holdsText(reference, x, cellEnd, y0, y1) == holdsText(picture, x, cellEnd, y0, y1)) continue;
            ++result.textDiffering;
            result.differingAreas.push_back(PictureArea{x, y0, cellEnd - x, y1 - y0});
            ++perRegion[r.name];
        }
    }
    result.limit = static_cast<int>(differingBlockShare * result.blocks);
    int most = 0;
    for (const auto& [name, count] : perRegion) {
        if (count > most) {
            most = count;
            result.where = name;
        }
    }
    return result;
}

namespace {

constexpr double dimmedShare = 0.35;                          // of the reference's brightness
constexpr unsigned char differenceColour[3] = {255, 0, 255};  // magenta: no scene colour is near it
constexpr unsigned char regionColour[3] = {255, 255, 0};
constexpr unsigned char skippedRegionColour[3] = {128, 128, 128};

void fill(Picture& p, const PictureArea& a, const unsigned char colour[3]) {
    const int x0 = std::max(a.x, 0), y0 = std::max(a.y, 0);
    const int x1 = std::min(a.x + a.width, p.width), y1 = std::min(a.y + a.height, p.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            unsigned char* px = &p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
            px[0] = colour[0];
            px[1] = colour[1];
            px[2] = colour[2];
        }
}

void outline(Picture& p, const PictureRegion& r, const unsigned char colour[3]) {
    fill(p, {r.x, r.y, r.width, 1}, colour);
    fill(p, {r.x, r.y + r.height - 1, r.width, 1}, colour);
    fill(p, {r.x, r.y, 1, r.height}, colour);
    fill(p, {r.x + r.width - 1, r.y, 1, r.height}, colour);
}

}  // namespace

Picture differencePicture(const Picture& reference, const BlockComparison& comparison,
                          const std::vector<PictureRegion>& regions) {
    Picture picture = reference;
    for (unsigned char& channel : picture.rgb) channel = static_cast<unsigned char>(channel * dimmedShare);
    for (const PictureArea& area : comparison.differingAreas) fill(picture, area, differenceColour);
    for (const PictureRegion& region : regions)
        outline(picture, region, region.rule == RegionRule::skipped ? skippedRegionColour : regionColour);
    return picture;
}
