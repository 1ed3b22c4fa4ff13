// A read-only view of a whole file in memory (the mapping behind the bitmap loader).
#pragma once

#include <cstddef>

namespace platform {

class FileView {
public:
    FileView() = default;
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;
    ~FileView();

    // Opens and maps the file read-only. False when it cannot be opened or mapped
    // (an empty file cannot be mapped).
    bool open(const char* path);
    void close();

    const unsigned char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    // Only the view is kept: the system keeps the file open for as long as the view lasts.
    const unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace platform
