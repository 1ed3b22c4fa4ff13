// Reading a frame back and writing it with the stb image writer.
#include "app/screenshot.h"

#include <GL/gl.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

void FrameCapture::capture(int width, int height) {
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    rgb_.resize(static_cast<std::size_t>(width) * height * 3);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb_.data());
    glPopClientAttrib();
}

bool FrameCapture::savePng(const std::string& path) const {
    if (rgb_.empty()) return false;
    // GL's rows run bottom to top; a PNG's top to bottom.
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path.c_str(), width_, height_, 3, rgb_.data(), width_ * 3) != 0;
}
