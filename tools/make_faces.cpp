// Writes the three face meshes of the demo (smile.sos, rage.sos, closed.sos) into a directory.
#include <cstdio>
#include <string>

#include "tools/face_expressions.h"
#include "tools/face_grid.h"
#include "tools/face_mesh.h"

namespace {

// The two lower faces stand side by side, the smiling one on the left, as close as they can
// without touching.
constexpr double sideOffset = 36.0;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];

    faces::FaceMesh closed = faces::buildNeutralHead();
    faces::FaceMesh smile = faces::warped(closed, faces::smileWarp);
    faces::FaceMesh rage = faces::warped(closed, faces::rageWarp);
    faces::computeNormals(closed);
    faces::computeNormals(smile);
    faces::computeNormals(rage);
    faces::translate(smile, {-sideOffset, 0.0, 0.0});
    faces::translate(rage, {sideOffset, 0.0, 0.0});

    const struct {
        const faces::FaceMesh* mesh;
        const char* name;
    } outputs[] = {{&smile, "smile.sos"}, {&rage, "rage.sos"}, {&closed, "closed.sos"}};
    for (const auto& output : outputs) {
        std::string path = directory + "/" + output.name;
        if (!faces::writeSos(*output.mesh, path)) {
            std::fprintf(stderr, "make_faces: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
