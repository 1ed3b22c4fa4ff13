// A read-only view of a whole file over CreateFileA, CreateFileMappingA and MapViewOfFile.
#include "platform/file_view.h"
#include "platform/win32/win32_internal.h"

namespace platform {

FileView::~FileView() { close(); }

bool FileView::open(const char* path) {
    close();
    if (!path) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;

    LARGE_INTEGER length{};
    void* view = nullptr;
    // Only files have a length to map (a directory cannot be opened this way); an empty one
    // cannot be mapped at all, and one beyond the address space cannot be viewed whole.
    if (GetFileSizeEx(file, &length) && length.QuadPart > 0 &&
        static_cast<unsigned long long>(length.QuadPart) <= SIZE_MAX) {
        HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping) {
            view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
            // The view keeps the mapping and the file open by itself.
            CloseHandle(mapping);
        }
    }
    CloseHandle(file);
    if (!view) return false;
    data_ = static_cast<const unsigned char*>(view);
    size_ = static_cast<std::size_t>(length.QuadPart);
    return true;
}

void FileView::close() {
    if (data_) UnmapViewOfFile(data_);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace platform
