// Block means per channel, their differences, and where the differing blocks lie.
#include "app/picture_compare.h"

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
