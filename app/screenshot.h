// A frame read back from the GL back buffer before it is presented, kept until it is saved as
// a PNG picture.
#pragma once

#include <string>
#include <vector>

class FrameCapture {
public:
    // Reads the back buffer's lower-left width x height pixels (the current context's).
    void capture(int width, int height);
    bool empty() const { return rgb_.empty(); }
    // Writes the last capture as an 8-bit RGB PNG, top row first; false when it cannot.
    bool savePng(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> rgb_;  // bottom row first, as GL reads it
};
