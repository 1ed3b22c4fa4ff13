// One GL 2D texture made from a bitmap file.
#pragma once

#include <GL/gl.h>

class Texture {
public:
    // Decodes the file, uploads it (with the mipmap chain when asked) and frees the image.
    // False when no image could be loaded; the loader has already told the user.
    bool load(const char* fileName, bool mipmapped, int components);
    void bind() const { glBindTexture(GL_TEXTURE_2D, glName); }

    GLuint glName = 0;
    int width = 0;
    int height = 0;
};
