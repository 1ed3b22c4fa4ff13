// Textures: a decoded bitmap handed to GL, sized to powers of two, with or without mipmaps.
#include "assets/texture.h"

#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

#include "assets/dib_image.h"

namespace {

constexpr GLint levelZeroFormat = 3;  // level 0 is always uploaded as three components
constexpr GLint packedRowAlignment = 1;

// The largest power of two not above side: 2 to the truncated base-2 logarithm.
int powerOfTwoBelow(int side) {
    int exponent = static_cast<int>(std::log(static_cast<double>(side)) / std::log(2.0));
    int size = static_cast<int>(std::pow(2.0, exponent));
    // The logarithm of an exact power of two may land a hair low or high; correct by one step.
    if (size * 2 <= side) size *= 2;
    if (size > side) size /= 2;
    return size;
}

}  // namespace

bool Texture::load(const char* fileName, bool mipmapped, int components) {
    DibImage* image = loadDibImage(fileName);
    if (!image) return false;

    width = powerOfTwoBelow(image->width);
    height = powerOfTwoBelow(image->height);
    glGenTextures(1, &glName);
    glBindTexture(GL_TEXTURE_2D, glName);

    if (mipmapped) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }

    // The decoder packs rows without padding, so rows are read (and scaled) byte-aligned.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, packedRowAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, packedRowAlignment);

    // A picture whose sides are not powers of two is scaled to the texture's size rather than
    // read with the wrong row length (which would shear it).
    unsigned char* texels = image->pixels;
    unsigned char* scaled = nullptr;
    if (width != image->width || height != image->height) {
        scaled = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(width) * height * 3));
        if (scaled && gluScaleImage(GL_RGB, image->width, image->height, GL_UNSIGNED_BYTE, image->pixels, width, height,
                                    GL_UNSIGNED_BYTE, scaled) == 0)
            texels = scaled;
    }

    glTexImage2D(GL_TEXTURE_2D, 0, levelZeroFormat, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    if (mipmapped) gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, GL_RGB, GL_UNSIGNED_BYTE, texels);

    glPopClientAttrib();

    std::free(scaled);
    std::free(image->pixels);
    std::free(image);
    return true;
}
