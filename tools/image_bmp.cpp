// The header fields each generated bitmap carries; the bytes are laid out by the shared writer.
#include "tools/image_bmp.h"

namespace images {

namespace {

constexpr std::uint32_t biRle8 = 1;

}  // namespace

bmp::Bytes encodeInfo24(const RgbPicture& picture) {
    bmp::BitmapFile file;
    file.width = picture.width;
    file.height = picture.height;
    file.bits = bmp::rows24(picture.rgb, picture.width, picture.height);
    file.sizeImage = static_cast<std::uint32_t>(file.bits.size());
    return bmp::encode(file);
}

bmp::Bytes encodeCore24(const RgbPicture& picture) {
    bmp::BitmapFile file;
    file.headerSize = bmp::coreHeaderSize;
    file.width = picture.width;
    file.height = picture.height;
    file.bits = bmp::rows24(picture.rgb, picture.width, picture.height);
    return bmp::encode(file);
}

bmp::Bytes encodeRle8(const IndexedPicture& picture) {
    bmp::BitmapFile file;
    file.width = picture.width;
    file.height = picture.height;
    file.bitCount = 8;
    file.compression = biRle8;
    std::vector<std::uint32_t> colours;
    for (std::size_t i = 0; i + 2 < picture.paletteRgb.size(); i += 3)
        colours.push_back(picture.paletteRgb[i] << 16 | picture.paletteRgb[i + 1] << 8 | picture.paletteRgb[i + 2]);
    file.palette = bmp::palette(colours);
    file.clrUsed = file.clrImportant = static_cast<std::uint32_t>(colours.size());
    file.bits = bmp::rle8Stream(picture.indices, picture.width, picture.height);
    file.sizeImage = static_cast<std::uint32_t>(file.bits.size());
    return bmp::encode(file);
}

}  // namespace images
