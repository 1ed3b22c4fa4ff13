// No file mapping: every file is refused, as one that cannot be mapped.
#include "platform/file_view.h"

namespace platform {

FileView::~FileView() { close(); }

bool FileView::open(const char*) {
    close();
    return false;
}

void FileView::close() {
    data_ = nullptr;
    size_ = 0;
}

}  // namespace platform
