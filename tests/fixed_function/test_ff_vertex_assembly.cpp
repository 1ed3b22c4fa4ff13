// Immediate mode through the layer against Mesa: every primitive type, quadrilaterals and their
// strips with colours that show which diagonal each quad was cut along, and glRecti.
#include <vector>

#include <cmath>

#include "fixed_function/context.h"
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

TEST_F(VertexAssemblyTest, PolygonModesDrawEdgesAndCorners) {
    // Each polygon primitive in outline: a quad shows its four edges and not its diagonal; then
    // wide lines, and corners as points, as the demo's wireframe and axes draw them.
    const auto outlines = [](GLenum mode, GLfloat width) {
        return [mode, width](const GlCalls& gl) {
            orthoView(gl);
            gl.PolygonMode(GL_FRONT_AND_BACK, mode);
            gl.LineWidth(width);
            gl.Color3f(1, 1, 0.5f);
            gl.Begin(GL_QUADS);
            gl.Vertex2i(6, 6), gl.Vertex2i(58, 10), gl.Vertex2i(54, 58), gl.Vertex2i(10, 50);
            gl.End();
            gl.Begin(GL_QUAD_STRIP);
            for (int k = 0; k < 4; ++k)
                gl.Color3f(0.3f * k, 1, 1), gl.Vertex2i(70 + 16 * k, 6), gl.Vertex2i(66 + 16 * k, 56);
            gl.End();
            gl.Begin(GL_TRIANGLE_STRIP);
            for (int k = 0; k < 5; ++k) gl.Color3f(1, 0.2f * k, 1), gl.Vertex2i(6 + 12 * k, 70 + 20 * (k % 2));
            gl.End();
            gl.Begin(GL_TRIANGLE_FAN);
            gl.Vertex2i(96, 96);
            for (int k = 0; k < 5; ++k) gl.Color3f(0.2f * k, 0.5f, 1), gl.Vertex2i(70 + 12 * k, 122 - (k % 2) * 6);
            gl.End();
            gl.Color3f(1, 0.4f, 0.3f);
            gl.Recti(8, 100, 60, 124);
        };
    };
    expectSamePicture("polygon-mode-line", outlines(GL_LINE, 1));
    expectSamePicture("polygon-mode-wide-line", outlines(GL_LINE, 3));
    // Where ES draws lines one pixel wide alone (WebGL), wider ones are quads the layer widens as
    // GL 1.1 does: the same outlines, and lines in perspective as the demo's axes are drawn.
    const auto narrowEs = [](const GlCalls& gl) {
        if (gl.name == layerCalls.name) ff::currentContext()->lineWidthRange[1] = 1;
    };
    expectSamePicture("wide-lines-as-quads", [&](const GlCalls& gl) {
        narrowEs(gl);
        outlines(GL_LINE, 3)(gl);
    });
    expectSamePicture("wide-lines-in-perspective", [&](const GlCalls& gl) {
        narrowEs(gl);
        gl.MatrixMode(GL_PROJECTION);
        gl.Perspective(60, 1, 0.5, 50);
        gl.MatrixMode(GL_MODELVIEW);
        gl.Translatef(0, -1, -6);
        gl.Rotatef(25, 1, 0, 0), gl.Rotatef(-30, 0, 1, 0);
        gl.Enable(GL_FOG);
        gl.Fogf(GL_FOG_DENSITY, 0.08f);
        for (GLfloat width : {2.0f, 5.0f}) {
            gl.LineWidth(width);
            gl.Begin(GL_LINES);
            gl.Color3f(1, 0, 0), gl.Vertex3i(0, 0, 0), gl.Vertex3i(3, 0, 0);
            gl.Color3f(0, 1, 0), gl.Vertex3i(0, 0, 0), gl.Vertex3i(0, 3, 0);
            gl.Color3f(0, 0, 1), gl.Vertex3i(0, 0, 0), gl.Vertex3i(0, 0, 3);
            gl.End();
            gl.Translatef(-2, 0.5f, 0);
        }
        gl.LineWidth(3);
        gl.Begin(GL_LINE_LOOP);
        for (int k = 0; k < 5; ++k) gl.Color3f(0.2f * k, 1, 0.5f), gl.Vertex3f(std::cos(k * 1.3f), std::sin(k * 1.3f), 0.3f * k);
        gl.End();
    });
    expectSamePicture("polygon-mode-point", outlines(GL_POINT, 1));
}

TEST_F(VertexAssemblyTest, ClientArraysAsMesaReadsThem) {
    // A lit, bumpy grid of quads from float positions and normals and byte colours, by 32-bit
    // indices, as the demo draws its meshes; then a strip from doubles with the colour array off,
    // so that the current colour stands in for it.
    constexpr int side = 9;
    std::vector<GLfloat> positions, normals;
    std::vector<GLubyte> colours;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const float height = 0.15f * float((x * 7 + y * 3) % 5);
            positions.insert(positions.end(), {x - 4.0f, y - 4.0f, height});
            normals.insert(normals.end(), {0.3f * float(x % 3 - 1), 0.3f * float(y % 3 - 1), 1});
            colours.insert(colours.end(), {GLubyte(x * 30), GLubyte(255 - y * 25), GLubyte(128), GLubyte(255)});
        }
    std::vector<GLuint> quads;
    for (int y = 0; y + 1 < side; ++y)
        for (int x = 0; x + 1 < side; ++x) {
            const GLuint corner = y * side + x;
            quads.insert(quads.end(), {corner, corner + 1, corner + side + 1, corner + side});
        }
    const GLdouble strip[8] = {-4, 4.5, -4, 5.5, 4, 4.5, 4, 5.5};
    // The same grid as triangles from one interleaved block, as the demo's meshes are laid out,
    // by indices that start far from 0 and, for a second draw, span more than 16 bits.
    struct Interleaved {
        GLfloat position[3], normal[3], texCoord[2];
    };
    std::vector<Interleaved> block(70000 + side * side);
    for (int k = 0; k < side * side; ++k) {
        Interleaved& v = block[70000 + k];
        std::copy(&positions[3 * k], &positions[3 * k] + 3, v.position);
        std::copy(&normals[3 * k], &normals[3 * k] + 3, v.normal);
        v.texCoord[0] = float(k % side) / 4 + 0.1f, v.texCoord[1] = float(k / side) / 4 + 0.1f;
        v.position[1] -= 1.5f, v.position[2] -= 1;
    }
    block[0] = block[70000];  // the far corner again, at the start of the block
    std::vector<GLuint> triangles, wideTriangles;
    for (std::size_t k = 0; k + 3 < quads.size(); k += 4)
        for (std::size_t c : {0, 1, 2, 0, 2, 3})
            (k < quads.size() / 2 ? triangles : wideTriangles).push_back(70000 + quads[k + c]);
    wideTriangles.insert(wideTriangles.end(), {0, 70000 + side - 1, 70000 + side * side - 1});
    const GLushort fan[5] = {40, 41, 50, 49, 48};
    expectSamePicture("client-arrays", [&](const GlCalls& gl) {
        gl.ClearColor(0, 0, 0, 1);
        gl.Clear(GL_COLOR_BUFFER_BIT);
        gl.MatrixMode(GL_PROJECTION);
        gl.Ortho(-5, 5, -5, 6, -5, 5);
        gl.MatrixMode(GL_MODELVIEW);
        gl.Rotatef(-20, 1, 0.3f, 0);
        gl.Enable(GL_LIGHTING);
        gl.Enable(GL_LIGHT0);
        gl.Enable(GL_COLOR_MATERIAL);
        gl.Enable(GL_NORMALIZE);
        gl.VertexPointer(3, GL_FLOAT, 0, positions.data());
        gl.NormalPointer(GL_FLOAT, 0, normals.data());
        gl.ColorPointer(4, GL_UNSIGNED_BYTE, 0, colours.data());
        gl.EnableClientState(GL_VERTEX_ARRAY);
        gl.EnableClientState(GL_NORMAL_ARRAY);
        gl.EnableClientState(GL_COLOR_ARRAY);
        gl.DrawElements(GL_QUADS, static_cast<GLsizei>(quads.size()), GL_UNSIGNED_INT, quads.data());
        gl.DrawArrays(GL_QUAD_STRIP, 2 * side, 2 * side);  // rows 2 and 3 read as one strip, twisted
        gl.DrawElements(GL_TRIANGLE_FAN, 5, GL_UNSIGNED_SHORT, fan);
        gl.DrawArrays(GL_LINE_STRIP, 3, 12);
        gl.PolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        gl.DrawArrays(GL_TRIANGLES, 60, 9);
        gl.PolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        gl.DisableClientState(GL_COLOR_ARRAY);
        gl.Color3ub(200, 90, 220);
        gl.VertexPointer(3, GL_FLOAT, sizeof(Interleaved), block[0].position);
        gl.NormalPointer(GL_FLOAT, sizeof(Interleaved), block[0].normal);
        gl.TexCoordPointer(2, GL_FLOAT, sizeof(Interleaved), block[0].texCoord);
        gl.EnableClientState(GL_TEXTURE_COORD_ARRAY);
        const GLubyte checker[4 * 4] = {255, 255, 255, 255, 40, 40, 40, 255, 40, 40, 40, 255, 255, 255, 255, 255};
        GLuint texture = 0;
        gl.GenTextures(1, &texture);
        gl.BindTexture(GL_TEXTURE_2D, texture);
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        gl.TexImage2D(GL_TEXTURE_2D, 0, 4, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, checker);
        gl.Enable(GL_TEXTURE_2D);
        gl.DrawElements(GL_TRIANGLES, static_cast<GLsizei>(triangles.size()), GL_UNSIGNED_INT, triangles.data());
        gl.Translatef(0, 0, 0.5f);
        gl.DrawElements(GL_TRIANGLES, static_cast<GLsizei>(wideTriangles.size()), GL_UNSIGNED_INT,
                        wideTriangles.data());
        gl.Disable(GL_TEXTURE_2D);
        gl.DisableClientState(GL_TEXTURE_COORD_ARRAY);
        gl.EnableClientState(GL_COLOR_ARRAY);
        gl.VertexPointer(3, GL_FLOAT, 0, positions.data());
        gl.NormalPointer(GL_FLOAT, 0, normals.data());
        gl.DisableClientState(GL_COLOR_ARRAY);
        gl.DisableClientState(GL_NORMAL_ARRAY);
        gl.Disable(GL_LIGHTING);
        gl.Color3f(0.9f, 0.8f, 0.1f);
        gl.VertexPointer(2, GL_DOUBLE, 2 * sizeof(GLdouble), strip);
        gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        gl.DisableClientState(GL_VERTEX_ARRAY);
        gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);  // no vertex array: nothing drawn
    });
}

}  // namespace
