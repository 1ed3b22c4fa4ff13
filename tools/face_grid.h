// Wraps a latitude-longitude grid round the neutral head: every grid direction from a point inside
// the head is pushed out to where it leaves the head's surface.
#pragma once

#include "tools/face_mesh.h"

namespace faces {

constexpr int gridColumns = 150;  // around the head
constexpr int gridRows = 96;      // from the crown to the bottom of the neck

// The neutral head, centred on x = 0, with texture coordinates and triangles but no normals yet.
FaceMesh buildNeutralHead();

}  // namespace faces
