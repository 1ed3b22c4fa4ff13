// The .sos mesh file reader: a "Vertices" section and a "Faces" section of plain text numbers.
#include "assets/mesh_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "assets/load_failure.h"
#include "assets/text_scanner.h"
#include "platform/large_buffer.h"

namespace {

// The least text a record can take: every number is at least one character, and numbers may
// run together ("1-2", ".5.5"), so a vertex needs 8 characters and a face 3. A count that the
// whole file could not hold is refused before anything is allocated for it.
constexpr long minVertexChars = 8;
constexpr long minFaceChars = 3;

// Why a file is refused, as the run tells the user.
constexpr const char* cannotBeRead = "cannot be read";
constexpr const char* notAMeshFile = "not a mesh file it can read";

// The whole file in memory, read in one go in binary mode: the scanner treats a CR as white
// space, so CR LF line ends read as they would through a text-mode stream.
class FileText {
public:
    // Null when the whole file is held; otherwise why not: it cannot be opened, or it cannot be
    // measured (not a seekable file), held or read.
    const char* read(const char* path) {
        std::FILE* file = std::fopen(path, "rb");
        if (!file) return cannotBeOpened;
        const bool ok = readOpen(file);
        std::fclose(file);
        return ok ? nullptr : cannotBeRead;
    }

    const char* begin() const { return bytes_.get(); }
    const char* end() const { return bytes_.get() + size_; }
    long size() const { return static_cast<long>(size_); }

private:
    bool readOpen(std::FILE* file) {
        if (std::fseek(file, 0, SEEK_END) != 0) return false;
        const long length = std::ftell(file);
        if (length < 0 || std::fseek(file, 0, SEEK_SET) != 0) return false;
        // A directory opens and seeks like a file but states an absurd length: it fails to
        // read its first byte, which is tried before anything is allocated.
        if (std::fgetc(file) == EOF && std::ferror(file)) return false;
        if (std::fseek(file, 0, SEEK_SET) != 0) return false;
        // Left uninitialised: every byte used is overwritten by the read. A large file's buffer
        // sits on large pages where the system has them (one byte for an empty file).
        const auto capacity = std::max<std::size_t>(static_cast<std::size_t>(length), 1);
        bytes_.reset(static_cast<char*>(platform::allocateLargeBuffer(capacity)));
        if (!bytes_) return false;
        size_ = std::fread(bytes_.get(), 1, static_cast<std::size_t>(length), file);
        return !std::ferror(file);
    }

    struct Free {
        void operator()(char* bytes) const { std::free(bytes); }
    };
    std::unique_ptr<char, Free> bytes_;
    std::size_t size_ = 0;
};

bool countFits(int count, long fileSize, long minRecordChars) {
    return count >= 0 && count <= fileSize / minRecordChars;
}

// The first min(size, count) records of the old array, then new (zero) records up to count,
// each handed to scan as it is placed: a field that a scan does not store keeps the value it
// had, and every record of the new array is written once.
template <typename Record, typename Scan>
MeshArray<Record> scanRecords(const MeshArray<Record>& old, int count, Scan scan) {
    const std::size_t n = static_cast<std::size_t>(count);
    MeshArray<Record> result;
    result.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        Record record = i < old.size() ? old[i] : Record{};
        scan(record);
        result.push_back(record);
    }
    return result;
}

// Reads the whole file before the arrays are touched: a refused file leaves them as they were.
// Refused: a file that cannot be opened, measured or read, a header that does not match, a
// count that is negative or larger than the file could hold, and a triangle corner outside the
// vertex array. A face section that ends early is accepted; the faces it lacks keep their
// earlier values, (0, 0, 0) for new ones. The text is scanned with the stream reader's own
// formats and rules, so what stops a scan early stops it at the same character. Returns null
// when the arrays were filled, otherwise why the file was refused.
const char* readInto(const char* path, MeshArray<MeshVertex>& vertices, MeshArray<MeshTriangle>& triangles) {
    FileText text;
    if (const char* unread = text.read(path)) return unread;
    TextScanner scanner(text.begin(), text.end());

    int count = 0;
    if (scanner.scan("Vertices : %d\n", {&count}) != 1) return notAMeshFile;
    if (!countFits(count, text.size(), minVertexChars)) return notAMeshFile;
    const int vertexTotal = count;

    MeshArray<MeshVertex> newVertices = scanRecords(vertices, vertexTotal, [&scanner](MeshVertex& v) {
        scanner.scan("%f %f %f\t%f %f %f\t",
                     {&v.position.x, &v.position.y, &v.position.z, &v.normal.x, &v.normal.y, &v.normal.z});
        scanner.scan("%f %f\n", {&v.texCoord[0], &v.texCoord[1]});
    });

    if (scanner.scan("\nFaces : %d\n", {&count}) != 1) return notAMeshFile;
    if (!countFits(count, text.size(), minFaceChars)) return notAMeshFile;

    MeshArray<MeshTriangle> newTriangles = scanRecords(triangles, count, [&scanner](MeshTriangle& t) {
        int corners[3] = {0, 0, 0};
        const int stored = scanner.scan("%d %d %d\n", {&corners[0], &corners[1], &corners[2]});
        for (int j = 0; j < stored; ++j) t.indices[j] = static_cast<std::uint32_t>(corners[j]);
    });

    // GL would read outside the vertex array for any corner beyond it (a negative index is a
    // huge one once stored); this includes earlier faces that a short section left in place.
    const auto limit = static_cast<std::uint32_t>(vertexTotal);
    for (const MeshTriangle& t : newTriangles) {
        for (std::uint32_t index : t.indices) {
            if (index >= limit) return notAMeshFile;
        }
    }

    vertices = std::move(newVertices);
    triangles = std::move(newTriangles);
    return nullptr;
}

}  // namespace

bool readMeshFile(const char* path, MeshArray<MeshVertex>& vertices, MeshArray<MeshTriangle>& triangles) {
    loadFailure = LoadFailure();
    const char* refused = readInto(path, vertices, triangles);
    if (refused) loadFailure = LoadFailure{path, refused};
    return !refused;
}
