// The neutral head as a signed distance field: negative inside, positive outside.
#pragma once

#include "tools/face_math.h"

namespace faces {

// Landmarks of the neutral face in file units (chin near y = 0, crown near y = 90, facing +z).
constexpr double eyeX = 11.5;  // half the distance between the eye centres
constexpr double eyeY = 45.5;
constexpr double eyeZ = 23.5;  // centre of the eyeball
constexpr double eyeRadius = 5.2;
constexpr double browY = 53.5;
constexpr double mouthY = 18.0;          // where the lips meet
constexpr double mouthHalfWidth = 10.5;  // centre to mouth corner
constexpr double noseBaseY = 28.0;

// Approximate signed distance from p to the surface of the neutral head.
double headField(Point p);

}  // namespace faces
