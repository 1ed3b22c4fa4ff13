// A read-only memory mapping of a whole file over POSIX open, fstat and mmap.
#include "platform/file_view.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileView::~FileView() { close(); }

bool FileView::open(const char* path) {
    close();
    if (!path) return false;
    fd_ = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;

    struct stat info {};
    // Only regular files have a length to map; an empty one cannot be mapped at all.
    if (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        close();
        return false;
    }
    std::size_t length = static_cast<std::size_t>(info.st_size);
    void* view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd_, 0);
    if (view == MAP_FAILED) {
        close();
        return false;
    }
    data_ = static_cast<const unsigned char*>(view);
    size_ = length;
    return true;
}

void FileView::close() {
    if (data_) munmap(const_cast<unsigned char*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace platform
