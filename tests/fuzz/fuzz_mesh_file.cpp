// Differential libFuzzer target for the mesh file reader: any bytes as a .sos file, read by
// Mesh::load and by the fscanf reader it replaced, into a new mesh and into one that already
// holds data. Both must return the same and leave the same arrays, bit for bit; an accepted
// mesh must also be safe to draw.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

#include "scene/mesh.h"
#include "tests/fuzz/fscanf_mesh_reader.h"

namespace {

const std::string& inputPath() {
    static const std::string path = "/tmp/fuzz_mesh_file_" + std::to_string(getpid()) + ".sos";
    return path;
}

// A mesh with data of its own, none of it zero, so that every field a scan leaves alone shows.
Mesh filledMesh() {
    Mesh mesh;
    mesh.vertices.resize(4);
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        float* fields = &mesh.vertices[i].position.x;
        for (int j = 0; j < 12; ++j) fields[j] = 0.5f + static_cast<float>(i * 12 + j);
    }
    mesh.triangles = {MeshTriangle{{1, 2, 3}}, MeshTriangle{{3, 2, 1}}};
    return mesh;
}

// Byte for byte, so that not-a-number values compare too (an empty array has no data pointer).
bool sameBytes(const void* a, const void* b, std::size_t size) { return size == 0 || std::memcmp(a, b, size) == 0; }

bool sameArrays(const Mesh& a, const Mesh& b) {
    return a.vertices.size() == b.vertices.size() && a.triangles.size() == b.triangles.size() &&
           sameBytes(a.vertices.data(), b.vertices.data(), a.vertices.size() * sizeof(MeshVertex)) &&
           sameBytes(a.triangles.data(), b.triangles.data(), a.triangles.size() * sizeof(MeshTriangle));
}

void compareReaders(const Mesh& before) {
    Mesh ours = before;
    Mesh reference = before;
    const bool loaded = ours.load(inputPath().c_str());
    if (loaded != loadWithFscanf(reference, inputPath().c_str())) {
        std::fprintf(stderr, "the readers disagree: Mesh::load returned %d\n", loaded);
        __builtin_trap();
    }
    if (!sameArrays(ours, reference)) {
        std::fprintf(stderr, "the readers leave different arrays (%zu and %zu vertices, %zu and %zu triangles)\n",
                     ours.vertices.size(), reference.vertices.size(), ours.triangles.size(),
                     reference.triangles.size());
        __builtin_trap();
    }
    if (!loaded) return;
    // Every corner inside the vertex array.
    for (const MeshTriangle& t : ours.triangles) {
        for (std::uint32_t index : t.indices) {
            if (index >= ours.vertices.size()) __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Both readers open files by name, as the program does.
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    static const Mesh filled = filledMesh();
    compareReaders(Mesh());
    compareReaders(filled);
    return 0;
}
