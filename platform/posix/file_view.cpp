// A read-only memory mapping of a whole file over POSIX open, fstat and mmap.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_view.h"

namespace platform {

FileView::~FileView() { close(); }

bool FileView::open(const char* path) {
    close();
    if (!path) return false;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;

    struct stat info {};
    void* view = MAP_FAILED;
    std::size_t length = 0;
    // Only regular files have a length to map; an empty one cannot be mapped at all.
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        length = static_cast<std::size_t>(info.st_size);
        view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
    }
    // The mapping keeps the file open by itself.
    ::close(fd);
    if (view == MAP_FAILED) return false;
    data_ = static_cast<const unsigned char*>(view);
    size_ = length;
    return true;
}

void FileView::close() {
    if (data_) munmap(const_cast<unsigned char*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace platform
