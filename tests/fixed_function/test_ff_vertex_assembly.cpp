// Immediate mode through the layer against Mesa: every primitive type, quadrilaterals and their
// strips with colours that show which diagonal each quad was cut along, and glRecti.
#include "tests/fixed_function/differential.h"

namespace {

void orthoView(const GlCalls& gl) {
    gl.ClearColor(0.1f, 0.1f, 0.2f, 1);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.Ortho(0, sceneSide, 0, sceneSide, -1, 1);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
}

class VertexAssemblyTest : public DifferentialTest {};

TEST_F(VertexAssemblyTest, QuadsAndQuadStripsAsMesaDrawsThem) {
    // Large quads whose corners differ in colour: a quad cut along the other diagonal would tint
    // its middle another way. The last quad lacks a vertex and is dropped.
    expectSamePicture("quads", [](const GlCalls& gl) {
        orthoView(gl);
        gl.Begin(GL_QUADS);
        gl.Color3f(1, 0, 0), gl.Vertex2i(4, 4);
        gl.Color3f(0, 0, 0), gl.Vertex2i(60, 4);
        gl.Color3f(0, 0, 0), gl.Vertex2i(60, 60);
        gl.Color3f(0, 0, 0), gl.Vertex2i(4, 60);
        gl.Color3ub(0, 255, 0), gl.Vertex3i(68, 68, 0);
        gl.Color3ub(0, 0, 0), gl.Vertex3i(124, 68, 0);
        gl.Color3ub(0, 0, 255), gl.Vertex3i(124, 124, 0);
        gl.Color3ub(0, 0, 0), gl.Vertex3i(68, 124, 0);
        gl.Vertex2i(0, 128), gl.Vertex2i(10, 128), gl.Vertex2i(10, 100);
        gl.End();
    });
    expectSamePicture("quad-strip", [](const GlCalls& gl) {
        orthoView(gl);
        gl.Begin(GL_QUAD_STRIP);
        for (int k = 0; k <= 3; ++k) {
            const GLfloat bottom[3] = {k % 2 ? 1.0f : 0.0f, 0, 0},
                          top[3] = {0, k % 3 ? 1.0f : 0.0f, k == 2 ? 1.0f : 0.0f};
            gl.Color3fv(bottom), gl.Vertex2f(8 + 37.0f * k, 10);
            gl.Color3fv(top), gl.Vertex2f(8 + 37.0f * k, 118 - 10.0f * k);
        }
        gl.End();
    });
}

TEST_F(VertexAssemblyTest, EveryPrimitiveTypeAndRect) {
    expectSamePicture("primitives", [](const GlCalls& gl) {
        orthoView(gl);
        const GLenum modes[] = {GL_POINTS,    GL_LINES,          GL_LINE_STRIP,   GL_LINE_LOOP,
                                GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN, GL_POLYGON};
        int cell = 0;
        for (GLenum mode : modes) {
            const float x = 4 + 40.0f * (cell % 3), y = 4 + 40.0f * (cell / 3);
            ++cell;
            gl.Begin(mode);
            for (int k = 0; k < 6; ++k) {
                const GLfloat colour[4] = {k % 2 ? 1.0f : 0.3f, k % 3 ? 1.0f : 0.2f, k > 2 ? 1.0f : 0.0f, 1};
                gl.Color4fv(colour);
                // A convex hexagon's corners, in order, so that every mode draws something whole.
                const float dx[6] = {12, 28, 36, 28, 12, 0}, dy[6] = {0, 0, 16, 32, 32, 16};
                const GLfloat v[3] = {x + dx[k], y + dy[k], 0};
                if (mode == GL_POINTS) {
                    // Points are single pixels: 3 x 3 of them, so that the blocks see them.
                    for (int p = 0; p < 9; ++p) gl.Vertex3f(v[0] + p % 3 - 1, v[1] + p / 3 - 1, 0);
                } else {
                    gl.Vertex3fv(v);
                }
            }
            gl.End();
        }
        gl.Color4f(1, 0.5f, 0.25f, 1);
        gl.Recti(84, 88, 124, 124);
        gl.Color3f(0.2f, 0.9f, 0.4f);
        gl.Recti(120, 84, 96, 100);  // corners given the other way round
    });
}

}  // namespace
