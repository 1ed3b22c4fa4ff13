// Pictures of what was drawn: read back from the GL back buffer before it is presented, and
// written to or read from PNG files.
#pragma once

#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // red, green, blue; top row first

    bool empty() const { return rgb.empty(); }
    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// The back buffer's lower-left width x height pixels, of the current GL context.
Picture readBackFrame(int width, int height);
// An 8-bit RGB PNG; false when it cannot be written.
bool savePng(const Picture& picture, const std::string& path);
// Any PNG, turned into 8-bit RGB; false (and picture empty) when it cannot be read.
bool loadPng(const std::string& path, Picture& picture);
