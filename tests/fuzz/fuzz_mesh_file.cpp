// libFuzzer target for the mesh file reader: any bytes as a .sos file, through Mesh::load.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "scene/mesh.h"

namespace {

const std::string& inputPath() {
    static const std::string path = "/tmp/fuzz_mesh_file_" + std::to_string(getpid()) + ".sos";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The reader opens files by name, as the program does.
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    Mesh mesh;
    if (mesh.load(inputPath().c_str())) {
        // An accepted mesh must be safe to draw: every corner inside the vertex array.
        for (const MeshTriangle& t : mesh.triangles) {
            for (std::uint32_t index : t.indices) {
                if (index >= mesh.vertices.size()) __builtin_trap();
            }
        }
    }
    return 0;
}
