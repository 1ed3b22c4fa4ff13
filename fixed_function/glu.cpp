// GLU on the layer. So far gluPerspective, built in double as GLU builds it and handed to the
// current matrix as glMultMatrixd would be.
#include <cmath>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

void Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2 * 3.14159265358979323846 / 180;
    const double depth = zFar - zNear;
    const double sine = std::sin(radians);
    // GLU leaves the matrix alone where the projection would divide by zero.
    if (depth == 0 || sine == 0 || aspect == 0) return;
    const double cotangent = std::cos(radians) / sine;
    GLdouble m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / depth;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / depth;
    MultMatrixd(m);
}

}  // namespace ff
