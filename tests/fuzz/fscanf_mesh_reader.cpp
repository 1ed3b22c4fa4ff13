// The .sos reader over fscanf, kept as the reference for the differential fuzzer: the same
// refusals, resize rule and return value as Mesh::load, every number scanned by the C library.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "tests/fuzz/fscanf_mesh_reader.h"

namespace {

// The least text a record can take: every number is at least one character, and numbers may
// run together ("1-2", ".5.5"), so a vertex needs 8 characters and a face 3. A count that the
// whole file could not hold is refused before anything is allocated for it.
constexpr long minVertexChars = 8;
constexpr long minFaceChars = 3;

// Closes the file whichever way the reader leaves.
class InputFile {
public:
    explicit InputFile(const char* path) : file_(std::fopen(path, "r")) {}
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() {
        if (file_) std::fclose(file_);
    }

    std::FILE* get() const { return file_; }

    // The file's length in bytes, or -1 when it cannot be told (not a seekable file).
    long size() const {
        if (std::fseek(file_, 0, SEEK_END) != 0) return -1;
        const long length = std::ftell(file_);
        if (std::fseek(file_, 0, SEEK_SET) != 0) return -1;
        return length;
    }

private:
    std::FILE* file_;
};

bool countFits(int count, long fileSize, long minRecordChars) {
    return count >= 0 && count <= fileSize / minRecordChars;
}

// The first min(size, count) records of the old array, then new (zero) records up to count:
// a field that a scan does not store keeps the value it had.
template <typename Record>
MeshArray<Record> resized(const MeshArray<Record>& old, int count) {
    const std::size_t n = static_cast<std::size_t>(count);
    MeshArray<Record> result(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(std::min(old.size(), n)));
    result.resize(n);
    return result;
}

}  // namespace

// Reads the whole file before the mesh is touched: a refused file leaves the mesh as it was.
// Refused: a file that cannot be opened or measured, a header that does not match, a count
// that is negative or larger than the file could hold, a read error, and a triangle corner
// outside the vertex array. A face section that ends early is accepted; the faces it lacks
// keep their earlier values, (0, 0, 0) for new ones.
bool loadWithFscanf(Mesh& mesh, const char* path) {
    InputFile input(path);
    std::FILE* file = input.get();
    if (!file) return false;
    const long fileSize = input.size();
    if (fileSize < 0) return false;

    int count = 0;
    if (std::fscanf(file, "Vertices : %d\n", &count) != 1) return false;
    if (!countFits(count, fileSize, minVertexChars)) return false;
    const int vertexTotal = count;

    MeshArray<MeshVertex> newVertices = resized(mesh.vertices, vertexTotal);
    for (MeshVertex& v : newVertices) {
        std::fscanf(file, "%f %f %f\t%f %f %f\t", &v.position.x, &v.position.y, &v.position.z, &v.normal.x, &v.normal.y,
                    &v.normal.z);
        std::fscanf(file, "%f %f\n", &v.texCoord[0], &v.texCoord[1]);
    }
    if (std::ferror(file)) return false;

    if (std::fscanf(file, "\nFaces : %d\n", &count) != 1) return false;
    if (!countFits(count, fileSize, minFaceChars)) return false;

    MeshArray<MeshTriangle> newTriangles = resized(mesh.triangles, count);
    for (MeshTriangle& t : newTriangles) {
        int corners[3] = {0, 0, 0};
        const int stored = std::fscanf(file, "%d %d %d\n", &corners[0], &corners[1], &corners[2]);
        for (int j = 0; j < stored; ++j) t.indices[j] = static_cast<std::uint32_t>(corners[j]);
    }
    if (std::ferror(file)) return false;

    // GL would read outside the vertex array for any corner beyond it (a negative index is a
    // huge one once stored); this includes earlier faces that a short section left in place.
    const auto limit = static_cast<std::uint32_t>(vertexTotal);
    for (const MeshTriangle& t : newTriangles) {
        for (std::uint32_t index : t.indices) {
            if (index >= limit) return false;
        }
    }

    mesh.vertices = std::move(newVertices);
    mesh.triangles = std::move(newTriangles);
    return true;
}
