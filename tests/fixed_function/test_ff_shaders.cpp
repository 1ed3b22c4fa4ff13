// The layer's generated shaders against Mesa's fixed function: per-vertex lighting (ambient,
// diffuse, specular, attenuation, spot, the light model, colour material, normalization, light
// positions fixed in eye space when given) and fog on the eye distance in each of GL's modes.
#include <cmath>

#include "tests/fixed_function/differential.h"

namespace {

constexpr float pi = 3.14159265f;

void perspectiveView(const GlCalls& gl) {
    gl.ClearColor(0.05f, 0.05f, 0.1f, 1);
    gl.ClearDepth(1);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.Enable(GL_DEPTH_TEST);
    gl.DepthFunc(GL_LEQUAL);
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.Frustum(-0.5, 0.5, -0.5, 0.5, 1, 30);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
}

// A sphere of radius r in quad strips, with its normals of length `normalLength` (1: unit) and,
// when `colourful`, a colour per vertex that varies over it.
void sphere(const GlCalls& gl, float r, float normalLength, bool colourful) {
    constexpr int stacks = 16, slices = 24;
    for (int i = 0; i < stacks; ++i) {
        gl.Begin(GL_QUAD_STRIP);
        for (int j = 0; j <= slices; ++j) {
            for (int k : {i + 1, i}) {
                const float phi = pi * k / stacks - pi / 2, theta = 2 * pi * j / slices;
                const float n[3] = {std::cos(phi) * std::cos(theta), std::sin(phi), std::cos(phi) * std::sin(theta)};
                if (colourful) gl.Color3f(0.5f + 0.5f * n[0], 0.4f + 0.3f * n[1], 0.9f - 0.6f * n[2] * n[2]);
                gl.Normal3f(n[0] * normalLength, n[1] * normalLength, n[2] * normalLength);
                gl.Vertex3f(r * n[0], r * n[1], r * n[2]);
            }
        }
        gl.End();
    }
}

class ShadersTest : public DifferentialTest {};

TEST_F(ShadersTest, LitColourMaterialSphere) {
    // One light as the demo has it, placed while the modelview held a turn, so that its position
    // must have been taken into eye space then; colour material drives ambient and diffuse.
    expectSamePicture("lit-sphere", [](const GlCalls& gl) {
        perspectiveView(gl);
        const GLfloat position[4] = {-4, 5, 6, 1}, diffuse[4] = {1, 0.95f, 0.8f, 1},
                      ambient[4] = {0.15f, 0.1f, 0.1f, 1};
        const GLfloat specular[4] = {0.9f, 0.9f, 0.9f, 1}, shininess = 24, modelAmbient[4] = {0.1f, 0.1f, 0.25f, 1};
        gl.PushMatrix();
        gl.Rotatef(30, 0, 1, 0);
        gl.Lightfv(GL_LIGHT0, GL_POSITION, position);
        gl.PopMatrix();
        gl.Lightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        gl.Lightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        gl.Lightfv(GL_LIGHT0, GL_SPECULAR, specular);
        gl.LightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);
        gl.Materialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
        gl.Materialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
        gl.ColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        gl.Enable(GL_COLOR_MATERIAL);
        gl.Enable(GL_LIGHTING);
        gl.Enable(GL_LIGHT0);
        gl.Translatef(0, 0, -5);
        gl.Rotatef(20, 1, 0, 0);
        sphere(gl, 1.6f, 1, true);
    });
    // The higher lights each have their own program: a sphere lit by the first light, then one lit
    // by the first and the seventh (whose program the first draw's must not stand in for).
    expectSamePicture("lights-five-to-seven", [](const GlCalls& gl) {
        perspectiveView(gl);
        const GLfloat green[4] = {0.1f, 0.9f, 0.2f, 1}, side[4] = {1, 0, 0.3f, 0};
        gl.Lightfv(GL_LIGHT6, GL_DIFFUSE, green);
        gl.Lightfv(GL_LIGHT6, GL_POSITION, side);
        gl.Enable(GL_LIGHTING);
        gl.Enable(GL_LIGHT0);
        gl.Translatef(-1.2f, 0, -6);
        sphere(gl, 1, 1, false);
        gl.Enable(GL_LIGHT6);
        gl.Translatef(2.4f, 0, 0);
        sphere(gl, 1, 1, false);
    });
    // A squashed sphere whose normals are three times too long, set right by GL_NORMALIZE; a second light, positional
    // with attenuation and a spot cone, and one directional; colour material on the diffuse alone, and a local viewer.
    expectSamePicture("spot-attenuation-normalize", [](const GlCalls& gl) {
        perspectiveView(gl);
        const GLfloat spotPosition[4] = {0, 0, 0, 1}, spotDirection[3] = {0.1f, -0.1f, -1}, red[4] = {1, 0.3f, 0.2f, 1};
        const GLfloat direction[4] = {1, 1, 0.5f, 0}, blue[4] = {0.2f, 0.3f, 0.9f, 1},
                      emission[4] = {0.05f, 0.1f, 0, 1};
        const GLfloat materialAmbient[4] = {0.3f, 0.3f, 0.3f, 1}, specular[4] = {1, 1, 1, 1};
        gl.Lightfv(GL_LIGHT1, GL_POSITION, spotPosition);
        gl.Lightfv(GL_LIGHT1, GL_SPOT_DIRECTION, spotDirection);
        gl.Lightf(GL_LIGHT1, GL_SPOT_CUTOFF, 12);
        gl.Lightf(GL_LIGHT1, GL_SPOT_EXPONENT, 6);
        gl.Lightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 0.5f);
        gl.Lightf(GL_LIGHT1, GL_LINEAR_ATTENUATION, 0.08f);
        gl.Lightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 0.01f);
        gl.Lightfv(GL_LIGHT1, GL_DIFFUSE, red);
        gl.Lightfv(GL_LIGHT1, GL_SPECULAR, specular);
        gl.Lightfv(GL_LIGHT3, GL_POSITION, direction);
        gl.Lightfv(GL_LIGHT3, GL_DIFFUSE, blue);
        gl.LightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
        gl.Materialfv(GL_FRONT, GL_AMBIENT, materialAmbient);
        gl.Materialfv(GL_FRONT, GL_EMISSION, emission);
        gl.Materialfv(GL_FRONT, GL_SPECULAR, specular);
        gl.Materialf(GL_FRONT, GL_SHININESS, 60);
        gl.ColorMaterial(GL_FRONT, GL_DIFFUSE);
        gl.Enable(GL_COLOR_MATERIAL);
        gl.Enable(GL_NORMALIZE);
        gl.Enable(GL_LIGHTING);
        gl.Enable(GL_LIGHT1);
        gl.Enable(GL_LIGHT3);
        gl.Translatef(0.3f, -0.2f, -4.5f);
        gl.Rotatef(40, 0.2f, 1, 0.1f);
        gl.Scalef(1.3f, 0.8f, 1);  // normals need the inverse transpose to stay normal
        sphere(gl, 1.5f, 3, true);
    });
    // Colour material switched off again: the material keeps the last colour it took.
    expectSamePicture("colour-material-kept", [](const GlCalls& gl) {
        perspectiveView(gl);
        gl.Enable(GL_LIGHTING);
        gl.Enable(GL_LIGHT0);
        gl.Enable(GL_COLOR_MATERIAL);
        gl.Color3f(0.9f, 0.6f, 0.1f);
        gl.Disable(GL_COLOR_MATERIAL);
        gl.Color3f(0, 0, 1);  // no longer the material
        gl.Translatef(0, 0, -5);
        sphere(gl, 1.6f, 1, false);
    });
}

TEST_F(ShadersTest, FogOnEyeDistanceInEachMode) {
    // A floor running from near to far, so that each mode's curve shows along its length.
    const auto foggyFloor = [](GLenum mode) {
        return [mode](const GlCalls& gl) {
            perspectiveView(gl);
            const GLfloat fogColour[4] = {0.6f, 0.65f, 0.7f, 1};
            gl.Fogfv(GL_FOG_COLOR, fogColour);
            gl.Fogi(GL_FOG_MODE, static_cast<GLint>(mode));
            gl.Fogf(GL_FOG_DENSITY, mode == GL_EXP2 ? 0.15f : 0.22f);
            gl.Fogf(GL_FOG_START, 2);
            gl.Fogf(GL_FOG_END, 16);
            gl.Enable(GL_FOG);
            gl.Rotatef(8, 0, 1, 0);
            // Many small quads, as the demo's ground is fogged per fragment by both.
            for (int row = 0; row < 20; ++row) {
                gl.Begin(GL_QUAD_STRIP);
                for (int column = 0; column <= 8; ++column) {
                    gl.Color3f(column % 2 ? 0.9f : 0.2f, 0.5f, row % 2 ? 0.1f : 0.8f);
                    gl.Vertex3f(-4 + column, -1.5f, -1.0f - row);
                    gl.Vertex3f(-4 + column, -1.5f, -2.0f - row);
                }
                gl.End();
            }
            gl.Color3f(1, 0.2f, 0.2f);
            gl.Begin(GL_TRIANGLES);
            gl.Vertex3f(-1, 0, -3), gl.Vertex3f(1, 0, -9), gl.Vertex3f(0, 2, -14);
            gl.End();
        };
    };
    expectSamePicture("fog-exp", foggyFloor(GL_EXP));
    expectSamePicture("fog-exp2", foggyFloor(GL_EXP2));
    expectSamePicture("fog-linear", foggyFloor(GL_LINEAR));
}

}  // namespace
