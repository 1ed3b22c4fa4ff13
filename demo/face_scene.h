// The demo's one scene: three faces, the light and the camera.
#pragma once

#include "scene/types.h"

constexpr Rgba faceColour{0.7804f, 0.5412f, 0.5098f, 1.0f};
constexpr float faceScale = 1.0f / 30.0f;

// Loads the three face meshes, places them, builds the morph tables, sets up the light and
// the camera and fills the scene. False as soon as a mesh file cannot be read, or when the
// expressions do not match the neutral face.
bool buildFaceScene();
