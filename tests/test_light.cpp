// Light: defaults, claiming a GL light, what upload and place leave in GL, and the light's frame.
#include <GL/gl.h>

#include <cmath>

#include "scene/camera.h"
#include "scene/light.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

constexpr float nearly = 1e-5f;
constexpr double radiansPerDegree = 3.14159265358979323846 / 180.0;

// The angle, in degrees, of the rotation in a matrix's upper 3x3 (from its trace).
double rotationAngle(const Matrix4& m) {
    const double cosine = (double(m[0]) + m[5] + m[10] - 1.0) / 2.0;
    return std::acos(std::fmax(-1.0, std::fmin(1.0, cosine))) / radiansPerDegree;
}

Vec3 lightVector(GLenum light, GLenum parameter) {
    float v[4] = {};
    glGetLightfv(light, parameter, v);
    return Vec3{v[0], v[1], v[2]};
}

float lightValue(GLenum light, GLenum parameter) {
    float v[4] = {};
    glGetLightfv(light, parameter, v);
    return v[0];
}

}  // namespace

TEST(LightDefaults, AreGlDefaultsAndComeBackOnReset) {
    Light light;
    light.setPosition(Vec3{-5.0f, -10.0f, 5.0f}, true);
    EXPECT_EQ(light.position[3], 1.0f) << "a spot light is positional";
    light.setColours(Rgba{0.1f, 0.1f, 0.1f, 1.0f}, Rgba{0.7f, 0.5f, 0.5f, 1.0f}, Rgba{0.2f, 0.2f, 0.2f, 1.0f});
    light.glLight = GL_LIGHT3;
    light.spotCutoff = 30.0f;
    light.resetToDefaults();

    EXPECT_EQ(light.glLight, static_cast<GLenum>(GL_LIGHT3)) << "resetToDefaults keeps the claimed GL light";
    EXPECT_EQ(light.position[2], 1.0f) << "default position (0, 0, 1, 0)";
    EXPECT_EQ(light.position[3], 0.0f) << "default light is directional";
    EXPECT_FALSE(light.spot) << "default is not a spot";
    EXPECT_EQ(light.ambient.r, 0.0f) << "ambient black";
    EXPECT_EQ(light.ambient.a, 1.0f) << "ambient alpha 1";
    EXPECT_EQ(light.diffuse.g, 1.0f) << "diffuse white";
    EXPECT_EQ(light.specular.b, 1.0f) << "specular white";
    EXPECT_EQ(light.spotDirection.z, -1.0f) << "spot direction (0, 0, -1)";
    EXPECT_EQ(light.spotCutoff, 180.0f) << "cut-off 180";
    EXPECT_EQ(light.constantAttenuation, 1.0f) << "constant attenuation 1";

    Light fresh;
    EXPECT_EQ(fresh.glLight, static_cast<GLenum>(GL_LIGHT0)) << "a new light names GL_LIGHT0";
    expectMatrixNear(fresh.matrix, Matrix4{}, 0.0f, "a new light's frame is the identity");
}

TEST_F(GlTest, AcquireClaimsTheFirstFreeGlLight) {
    Light first;
    Light second;
    EXPECT_TRUE(first.acquireGlLight()) << "a fresh context has free lights";
    EXPECT_EQ(first.glLight, static_cast<GLenum>(GL_LIGHT0)) << "the first free one is GL_LIGHT0";
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0)) << "the claimed light is enabled";
    EXPECT_TRUE(second.acquireGlLight()) << "a second light finds another";
    EXPECT_EQ(second.glLight, static_cast<GLenum>(GL_LIGHT1)) << "the next one is GL_LIGHT1";

    GLint count = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &count);
    for (GLint i = 0; i < count; ++i) glEnable(GL_LIGHT0 + i);
    Light late;
    late.glLight = GL_LIGHT2;
    EXPECT_FALSE(late.acquireGlLight()) << "no light is free once all are enabled";
    EXPECT_EQ(late.glLight, static_cast<GLenum>(GL_LIGHT2)) << "a failed claim keeps the old GL light";
}

TEST_F(GlTest, UploadSendsTheParametersAndBuildsTheFrame) {
    Light directional;
    directional.setPosition(Vec3{-5.0f, -10.0f, 5.0f}, false);
    directional.setColours(Rgba{0.1f, 0.2f, 0.3f, 1.0f}, Rgba{0.7f, 0.5f, 0.5f, 1.0f}, Rgba{0.4f, 0.4f, 0.4f, 1.0f});
    directional.spotCutoff = 45.0f;
    directional.linearAttenuation = 0.5f;
    glLoadIdentity();
    directional.upload();

    float sent[4] = {};
    glGetLightfv(GL_LIGHT0, GL_POSITION, sent);
    EXPECT_FLOAT_EQ(sent[0], -5.0f) << "position x, sent under the identity";
    EXPECT_FLOAT_EQ(sent[1], -10.0f) << "position y";
    EXPECT_FLOAT_EQ(sent[3], 0.0f) << "directional: w = 0";
    EXPECT_FLOAT_EQ(lightVector(GL_LIGHT0, GL_AMBIENT).z, 0.3f) << "ambient sent";
    EXPECT_FLOAT_EQ(lightVector(GL_LIGHT0, GL_DIFFUSE).x, 0.7f) << "diffuse sent";
    EXPECT_FLOAT_EQ(lightVector(GL_LIGHT0, GL_SPECULAR).y, 0.4f) << "specular sent";
    EXPECT_FLOAT_EQ(lightValue(GL_LIGHT0, GL_LINEAR_ATTENUATION), 0.5f) << "attenuation sent";
    EXPECT_FLOAT_EQ(lightValue(GL_LIGHT0, GL_SPOT_CUTOFF), 180.0f) << "a directional light sends no spot cut-off";

    // arccos(-5 / sqrt(150)) with the light's degree factor 57.30659 instead of 180/pi.
    EXPECT_NEAR(rotationAngle(directional.matrix), 114.11637, 1e-3) << "the frame's angle uses the light's factor";
    expectMatrixNear(directional.matrix, glProduct([] { glRotatef(114.11637f, 10.0f, -5.0f, 0.0f); }), nearly,
                     "a directional light's frame is R(114.11637, 10, -5, 0) with no translation");
    expectMatrixNear(currentModelview(), directional.matrix, 0.0f, "the frame is left loaded");

    Light spot;
    spot.glLight = GL_LIGHT1;
    spot.setPosition(Vec3{1.0f, 2.0f, 3.0f}, true);
    spot.spotDirection = Vec3{1.0f, 0.0f, 0.0f};
    spot.spotCutoff = 30.0f;
    spot.spotExponent = 2.0f;
    glLoadIdentity();
    spot.upload();
    EXPECT_FLOAT_EQ(lightValue(GL_LIGHT1, GL_SPOT_CUTOFF), 30.0f) << "a spot light sends its cut-off";
    EXPECT_FLOAT_EQ(lightValue(GL_LIGHT1, GL_SPOT_EXPONENT), 2.0f) << "and its exponent";
    expectVecNear(lightVector(GL_LIGHT1, GL_SPOT_DIRECTION), Vec3{1.0f, 0.0f, 0.0f}, nearly, "and its direction");
    expectMatrixNear(spot.matrix, glProduct([] {
                         glTranslatef(1.0f, 2.0f, 3.0f);
                         glRotatef(90.01698f, 0.0f, -1.0f, 0.0f);
                     }),
                     nearly, "a spot light's frame is T(position) x R(90.01698, 0, -1, 0)");
    const Vec3 beam = transformed(spot.matrix, 0.0f, 0.0f, -1.0f, 0.0f);
    EXPECT_NEAR(beam.x, 1.0f, 1e-6f) << "the frame's -Z points along the beam";
    EXPECT_NEAR(beam.z, 0.0f, 1e-3f) << "to within the angle factor";
}

TEST_F(GlTest, OrientTurnsTheDirectionOntoMinusZ) {
    Light light;
    light.orient(1.0f, 2.0f, 3.0f, 0.0f, 0.0f, -2.0f);
    expectMatrixNear(light.matrix, glProduct([] { glTranslatef(-1.0f, -2.0f, -3.0f); }), 0.0f,
                     "a direction along -Z needs no turn: M = T(-a)");

    light.orient(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 3.0f);
    EXPECT_NEAR(light.matrix[5], -1.0f, 1e-6f) << "+Z is turned half round";
    EXPECT_NEAR(light.matrix[6], float(std::sin(180.03397 * radiansPerDegree)), 1e-6f)
        << "by 180.03397 degrees, overshooting the half turn by 0.034";
    EXPECT_EQ(light.matrix[0], 1.0f) << "the axis is X";

    light.orient(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_NEAR(rotationAngle(light.matrix), 90.01698, 1e-3) << "+X turns by 90.01698 degrees";
    EXPECT_NEAR(light.matrix[8], 1.0f, 1e-6f) << "about the Y axis: +X goes to -Z";
    EXPECT_NEAR(light.matrix[0], float(std::cos(90.01698 * radiansPerDegree)), 1e-6f) << "the angle's cosine";

    const Matrix4 before = light.matrix;
    light.orient(4.0f, 5.0f, 6.0f, 0.0f, 0.0f, 0.0f);
    expectMatrixNear(light.matrix, before, 0.0f, "a zero direction leaves the frame as it was");
    Light nowhere;
    nowhere.setPosition(Vec3{0.0f, 0.0f, 0.0f}, false);
    nowhere.upload();
    expectMatrixNear(nowhere.matrix, Matrix4{}, 0.0f, "a directional light at the origin keeps its frame");
    EXPECT_FALSE(std::isnan(nowhere.matrix[0])) << "no NaN from the zero length";
}

TEST_F(GlTest, PlaceSendsThePositionUnderTheCamera) {
    Camera camera;
    camera.translate(0.0f, -3.0f, -25.0f);
    camera.yaw(30.0f);
    camera.addPitch(10.0f);
    glLoadIdentity();
    camera.apply();
    const Matrix4 view = currentModelview();

    Light directional;
    directional.setPosition(Vec3{-5.0f, -10.0f, 5.0f}, false);
    directional.place(camera);
    expectMatrixNear(currentModelview(), view, 0.0f, "a directional light leaves the view loaded");
    expectVecNear(lightVector(GL_LIGHT0, GL_POSITION), transformed(view, -5.0f, -10.0f, 5.0f, 0.0f), 1e-4f,
                  "GL holds the direction turned into eye space");

    Light spot;
    spot.glLight = GL_LIGHT1;
    spot.setPosition(Vec3{1.0f, 2.0f, 3.0f}, true);
    spot.spotDirection = Vec3{1.0f, 0.0f, 0.0f};
    spot.upload();
    spot.place(camera);
    expectVecNear(lightVector(GL_LIGHT1, GL_POSITION), transformed(view, 1.0f, 2.0f, 3.0f, 1.0f), 1e-4f,
                  "the spot's position in eye space");
    expectVecNear(lightVector(GL_LIGHT1, GL_SPOT_DIRECTION), transformed(view, 1.0f, 0.0f, 0.0f, 0.0f), 1e-5f,
                  "the spot's direction in eye space");
    const Matrix4 frame = spot.matrix;
    expectMatrixNear(currentModelview(), glProduct([&] {
                         glMultMatrixf(view.data());
                         glMultMatrixf(frame.data());
                     }),
                     1e-4f, "a spot light leaves view x M loaded");
}

TEST_F(GlTest, DrawColourIsTheDiffuseWithTheGivenAlpha) {
    Light light;
    light.setColours(Rgba{0.0f, 0.0f, 0.0f, 1.0f}, Rgba{0.7f, 0.5f, 0.5f, 0.3f}, Rgba{1.0f, 1.0f, 1.0f, 1.0f});
    light.setDrawColour(1.0f);
    float colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.7f) << "red from the diffuse colour";
    EXPECT_FLOAT_EQ(colour[1], 0.5f) << "green from the diffuse colour";
    EXPECT_FLOAT_EQ(colour[3], 1.0f) << "alpha is the argument, not the diffuse alpha";
}
