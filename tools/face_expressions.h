// The two expressions as smooth displacements of the neutral face: every vertex keeps its identity
// and only moves, so the three meshes share one vertex order and one triangle list.
#pragma once

#include "tools/face_mesh.h"

namespace faces {

// Where a point of the neutral face moves to in the smiling face: mouth corners up and back,
// lips parted in a grin, cheeks raised, eyes narrowed.
Point smileWarp(Point p);

// Where a point of the neutral face moves to in the angry face: brows down and drawn together,
// mouth corners down, lips bared in a snarl, nostrils flared.
Point rageWarp(Point p);

// A copy of the neutral mesh with every position moved by warp (normals still to be computed).
FaceMesh warped(const FaceMesh& neutral, Point (*warp)(Point));

}  // namespace faces
