// The face mesh as the generator builds it: a closed grid wrapped round the head, its normals and
// its .sos text form.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/face_math.h"

namespace faces {

struct FaceMesh {
    std::vector<Point> positions;
    std::vector<std::array<double, 2>> texCoords;
    std::vector<std::array<std::uint32_t, 3>> triangles;
    // weldTarget[i] is the vertex whose normal vertex i shares (itself, or the first copy of a
    // vertex duplicated along the texture seam), so the seam does not show in the lighting.
    std::vector<std::uint32_t> weldTarget;
    std::vector<Point> normals;
};

// Smooth unit normals from the mesh's own triangles: area-weighted face normals summed per
// (welded) vertex.
void computeNormals(FaceMesh& mesh);

// Moves every position by offset (normals unchanged).
void translate(FaceMesh& mesh, Point offset);

// The mesh in the canonical .sos text layout.
std::string toSosText(const FaceMesh& mesh);

// Writes the .sos text to path; false when the file cannot be written.
bool writeSos(const FaceMesh& mesh, const std::string& path);

}  // namespace faces
