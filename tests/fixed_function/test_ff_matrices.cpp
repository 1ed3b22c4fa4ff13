// The layer's matrix stacks against Mesa's: the same transform calls must leave the same
// matrices, within float rounding, and the stacks must hold as deep as GL's.
#include <cmath>
#include <iostream>
#include <vector>

#include "tests/fixed_function/differential.h"

namespace {

using Matrices = std::vector<GLfloat>;

// A sequence like the scene graph's, which uses the modelview as its calculator: every transform
// call, nested pushes and pops, and both stacks; the matrices read back on the way are appended.
void transformSequence(const GlCalls& gl, Matrices& readBack) {
    auto read = [&](GLenum which) {
        GLfloat m[16];
        gl.GetFloatv(which, m);
        readBack.insert(readBack.end(), m, m + 16);
    };
    const GLfloat skew[16] = {1, 0.25f, 0, 0, 0.5f, 1, 0, 0, 0, 0, 1, 0, 3, -2, 1, 1};
    const GLdouble loaded[16] = {0.5, 0, 0, 0, 0, 2, 0, 0, 0, 0, -1, 0, 0.125, 0.25, -7, 1};
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.Frustum(-1.2, 1.2, -0.9, 0.9, 1.5, 120);
    read(GL_PROJECTION_MATRIX);
    gl.PushMatrix();
    gl.LoadIdentity();
    gl.Ortho(0, 700, 0, 500, -1, 1);
    read(GL_PROJECTION_MATRIX);
    gl.PopMatrix();
    read(GL_PROJECTION_MATRIX);
    gl.PushMatrix();
    gl.LoadIdentity();
    gl.Perspective(45, 700.0 / 500.0, 0.1, 1000);  // as the program's projection
    read(GL_PROJECTION_MATRIX);
    gl.Perspective(60, 0, 1, 10);  // no aspect: left as it was
    gl.Perspective(30, 1, 5, 5);   // no depth: left as it was
    read(GL_PROJECTION_MATRIX);
    gl.PopMatrix();
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
    gl.Rotatef(-17.5f, 1, 0, 0);
    gl.Rotatef(90, 0, 1, 0);
    gl.Translatef(-3.25f, -1.5f, -12);
    read(GL_MODELVIEW_MATRIX);
    gl.PushMatrix();
    gl.Rotatef(33, 0.3f, -0.7f, 0.2f);
    gl.Scalef(1.5f, 0.75f, -2);
    gl.MultMatrixf(skew);
    read(GL_MODELVIEW_MATRIX);
    gl.PushMatrix();
    gl.Rotated(-123.4, 0, 0, -1);
    gl.Translated(0.1, 0.2, 0.3);
    gl.Scaled(2, 2, 2);
    gl.MultMatrixd(loaded);
    read(GL_MODELVIEW_MATRIX);
    gl.PopMatrix();
    read(GL_MODELVIEW_MATRIX);
    gl.PopMatrix();
    read(GL_MODELVIEW_MATRIX);
    gl.LoadMatrixd(loaded);
    gl.Rotatef(0, 1, 0, 0);   // no turn at all
    gl.Rotatef(45, 0, 0, 0);  // no axis: GL leaves the matrix as it is
    read(GL_MODELVIEW_MATRIX);
    gl.LoadMatrixf(skew);
    gl.Rotatef(270, -1, 0, 0);
    read(GL_MODELVIEW_MATRIX);
}

// Relative agreement within a few float roundings of the largest element of the matrix.
void expectMatricesAgree(const Matrices& mesa, const Matrices& layer) {
    ASSERT_EQ(mesa.size(), layer.size());
    float largest = 0;  // the largest difference, in roundings of its matrix's largest element
    for (std::size_t m = 0; m < mesa.size(); m += 16) {
        float scale = 1;
        for (int k = 0; k < 16; ++k) scale = std::max(scale, std::fabs(mesa[m + k]));
        const float rounding = scale * 1.2e-7f;
        for (int k = 0; k < 16; ++k) {
            EXPECT_NEAR(layer[m + k], mesa[m + k], 4 * rounding) << "matrix " << m / 16 << ", element " << k;
            largest = std::max(largest, std::fabs(layer[m + k] - mesa[m + k]) / rounding);
        }
    }
    std::cout << "[ matrices ] " << mesa.size() / 16 << " matrices; largest difference " << largest
              << " float roundings\n";
}

class MatricesTest : public DifferentialTest {};

TEST_F(MatricesTest, TransformsAndStacksAgreeWithMesa) {
    Matrices mesa, layer;
    onMesa([&](const GlCalls& gl) { transformSequence(gl, mesa); });
    onLayer([&](const GlCalls& gl) { transformSequence(gl, layer); });
    expectMatricesAgree(mesa, layer);

    // The stacks: as deep as GL's, depth reported as each level is pushed, and untouched by an
    // overflow or an underflow; the matrix below a push comes back unchanged by what was done above it.
    struct Depths {
        std::vector<GLint> values;
        std::vector<GLenum> errors;
    } mesaDepths, layerDepths;
    const auto stacks = [](Depths& d) {
        return [&d](const GlCalls& gl) {
            for (GLenum limit : {GLenum(GL_MAX_MODELVIEW_STACK_DEPTH), GLenum(GL_MAX_PROJECTION_STACK_DEPTH)}) {
                GLint value = 0;
                gl.GetIntegerv(limit, &value);
                d.values.push_back(value);
            }
            for (GLenum mode : {GLenum(GL_MODELVIEW), GLenum(GL_PROJECTION)}) {
                gl.MatrixMode(mode);
                const GLenum depthName = mode == GL_MODELVIEW ? GL_MODELVIEW_STACK_DEPTH : GL_PROJECTION_STACK_DEPTH;
                for (int level = 0; level < 40; ++level) {
                    gl.Translatef(1, 0, 0);
                    gl.PushMatrix();
                    GLint depth = 0;
                    gl.GetIntegerv(depthName, &depth);
                    d.values.push_back(depth);
                    d.errors.push_back(gl.GetError());
                }
                for (int level = 0; level < 40; ++level) {
                    gl.PopMatrix();
                    d.errors.push_back(gl.GetError());
                }
                GLfloat m[16];
                gl.GetFloatv(mode == GL_MODELVIEW ? GL_MODELVIEW_MATRIX : GL_PROJECTION_MATRIX, m);
                d.values.push_back(static_cast<GLint>(m[12]));
            }
        };
    };
    onMesa(stacks(mesaDepths));
    onLayer(stacks(layerDepths));
    EXPECT_GE(layerDepths.values[0], 32) << "the scene graph nests the modelview this deep";
    EXPECT_EQ(layerDepths.values, mesaDepths.values) << "limits, depths and the matrix left at the bottom";
    EXPECT_EQ(layerDepths.errors, mesaDepths.errors) << "GL_STACK_OVERFLOW and GL_STACK_UNDERFLOW where Mesa has them";
}

}  // namespace
