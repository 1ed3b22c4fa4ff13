// The block comparison of pictures: what it lets pass, what it catches, what it leaves out,
// and where it says the pictures differ.
#include <gtest/gtest.h>

#include "check/picture_compare.h"

namespace {

constexpr int side = 80;  // 10 x 10 blocks

Picture grey(unsigned char level) {
    Picture p;
    p.width = p.height = side;
    p.rgb.assign(static_cast<std::size_t>(side) * side * 3, level);
    return p;
}

void fill(Picture& p, int x0, int y0, int w, int h, unsigned char r, unsigned char g, unsigned char b) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            unsigned char* px = &p.rgb[(static_cast<std::size_t>(y) * side + x) * 3];
            px[0] = r;
            px[1] = g;
            px[2] = b;
        }
}

const std::vector<PictureRegion> regions = {{"left", 0, 0, 40, 80}, {"hidden", 40, 0, 24, 80, RegionRule::skipped}};

TEST(PictureCompare, PassesSmallDifferencesCatchesMissingFeatures) {
    Picture reference = grey(100);
    fill(reference, 10, 10, 2, 60, 255, 255, 255);  // a 2-pixel line
    BlockComparison same = compareBlocks(reference, reference, regions);
    EXPECT_TRUE(same.passed()) << "a picture matches itself";
    EXPECT_EQ(same.blocks, 70) << "the 30 blocks of the hidden region are left out";
    EXPECT_EQ(same.limit, 0) << "1% of 70 blocks: none may differ";

    // Edges a pixel off and dithering-sized noise change block means only a little.
    Picture shifted = grey(100);
    fill(shifted, 11, 11, 2, 60, 255, 255, 255);
    for (std::size_t i = 0; i < shifted.rgb.size(); i += 7) shifted.rgb[i] += 1;
    EXPECT_TRUE(compareBlocks(reference, shifted, regions).passed()) << "a line one pixel off passes";

    // What the hidden region shows does not count; elsewhere a missing patch fails and is placed.
    Picture changed = reference;
    fill(changed, 40, 0, 24, 80, 0, 0, 0);
    EXPECT_TRUE(compareBlocks(reference, changed, regions).passed()) << "the hidden region is not compared";
    fill(changed, 64, 40, 16, 16, 100, 100, 180);
    BlockComparison blue = compareBlocks(reference, changed, regions);
    EXPECT_FALSE(blue.passed()) << "a bluer patch of 2 x 2 blocks fails";
    EXPECT_EQ(blue.differing, 4) << "its four blocks";
    EXPECT_DOUBLE_EQ(blue.largest, 80.0) << "the largest channel difference";
    EXPECT_EQ(blue.where, "rest of the picture") << "outside the named regions";

    // Its picture of the differences: the four blocks marked, the rest the reference dimmed, the
    // regions outlined.
    const Picture marked = differencePicture(reference, blue, regions);
    ASSERT_EQ(marked.rgb.size(), reference.rgb.size()) << "the reference's size";
    EXPECT_EQ(marked.at(70, 50)[0], 255) << "a differing block filled";
    EXPECT_EQ(marked.at(70, 50)[1], 0);
    EXPECT_EQ(marked.at(79, 55)[2], 255) << "to its last pixel";
    EXPECT_LT(marked.at(20, 30)[0], 50) << "an unchanged block dimmed";
    EXPECT_NE(marked.at(20, 30)[0], 0) << "not blacked out";
    EXPECT_EQ(marked.at(0, 30)[2], 0) << "a region's outline (yellow)";
    EXPECT_EQ(marked.at(0, 30)[1], 255);
    EXPECT_EQ(marked.at(40, 30)[0], 128) << "a region left out, outlined in grey";
    fill(changed, 0, 0, 40, 8, 0, 0, 0);
    EXPECT_EQ(compareBlocks(reference, changed, regions).where, "left") << "the region with most differing blocks";

    // Text is compared by where it stands: other glyphs in the same cells pass, text that is
    // missing from more than a couple of cells fails.
    const std::vector<PictureRegion> textLine = {{"text", 0, 60, 80, 20, RegionRule::text}};
    Picture line = grey(40);
    for (int x = 2; x < 75; x += 4) fill(line, x, 64, 2, 10, 230, 230, 230);
    Picture otherFont = grey(40);
    for (int x = 3; x < 72; x += 6) fill(otherFont, x, 62, 3, 12, 230, 230, 230);
    BlockComparison font = compareBlocks(line, otherFont, textLine);
    EXPECT_EQ(font.textCells, 3) << "cells of 35 pixels across 80";
    EXPECT_EQ(font.textDiffering, 0) << "another font's glyphs in the same cells";
    EXPECT_EQ(font.blocks, 70) << "the text's blocks are not compared one by one";
    Picture noText = grey(40);
    BlockComparison missing = compareBlocks(line, noText, textLine);
    EXPECT_FALSE(missing.passed()) << "the line missing from all three cells fails";
    EXPECT_EQ(missing.where, "text") << "and is named";

    Picture small = grey(100);
    small.width = small.height = 40;
    small.rgb.resize(40 * 40 * 3);
    EXPECT_FALSE(compareBlocks(reference, small, regions).passed()) << "another size fails";
    EXPECT_FALSE(compareBlocks(Picture(), reference, regions).passed()) << "no reference fails";
}

}  // namespace
