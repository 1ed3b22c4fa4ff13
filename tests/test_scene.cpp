// Scene render pass: lights before meshes, both last-added first, and the GL state it leaves.
#include <GL/gl.h>

#include "assets/texture.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "scene/mesh.h"
#include "scene/scene.h"
#include "tests/gl_feedback.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

constexpr int surfaceSize = 64;
constexpr float pixelTolerance = 1e-3f;

MeshVertex vertexAt(float x, float y) {
    MeshVertex v;
    v.position = Vec3{x, y, 0.0f};
    v.normal = Vec3{0.0f, 0.0f, 1.0f};
    v.texCoord[0] = x + 0.5f;
    v.texCoord[1] = y + 0.5f;
    return v;
}

// A square of two triangles, 1 unit wide, around the mesh's origin.
void fillSquare(Mesh& mesh, Rgba colour) {
    mesh.vertices = {vertexAt(-0.5f, -0.5f), vertexAt(0.5f, -0.5f), vertexAt(0.5f, 0.5f), vertexAt(-0.5f, 0.5f)};
    mesh.triangles = {MeshTriangle{{0, 1, 2}}, MeshTriangle{{0, 2, 3}}};
    mesh.colour = colour;
}

// A small triangle with its first corner at the mesh's origin.
void fillTriangle(Mesh& mesh, Rgba colour) {
    mesh.vertices = {vertexAt(0.0f, 0.0f), vertexAt(0.1f, 0.0f), vertexAt(0.0f, 0.1f)};
    mesh.triangles = {MeshTriangle{{0, 1, 2}}};
    mesh.colour = colour;
}

// Window x of a point at NDC x, on the 64-pixel surface with the identity projection.
float windowX(float ndcX) { return (ndcX + 1.0f) * surfaceSize / 2.0f; }

GLuint solidTexture(unsigned char r, unsigned char g, unsigned char b) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const unsigned char texel[4] = {r, g, b, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    return name;
}

struct Pixel {
    int r, g, b;
};

Pixel centrePixel() {
    unsigned char p[4] = {};
    glReadPixels(surfaceSize / 2, surfaceSize / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return Pixel{p[0], p[1], p[2]};
}

GLuint boundTexture() {
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return static_cast<GLuint>(name);
}

}  // namespace

TEST_F(GlTest, MeshesAreDrawnLastAddedFirstUnderAFreshView) {
    Camera camera;
    camera.translate(0.1f, 0.0f, 0.0f);
    Mesh first, second, third;
    fillTriangle(first, Rgba{1.0f, 0.0f, 0.0f, 1.0f});
    fillTriangle(second, Rgba{0.0f, 1.0f, 0.0f, 1.0f});
    fillTriangle(third, Rgba{0.0f, 0.0f, 1.0f, 1.0f});
    first.translate(-0.6f, 0.0f, 0.0f);
    second.translate(0.0f, 0.0f, 0.0f);
    third.translate(0.4f, 0.0f, 0.0f);

    Scene scene;
    scene.addMesh(nullptr);
    scene.addLight(nullptr);
    EXPECT_TRUE(scene.meshes.empty()) << "a null mesh is not listed";
    EXPECT_TRUE(scene.lights.empty()) << "a null light is not listed";
    scene.addMesh(&first);
    scene.addMesh(&second);
    scene.addMesh(&third);
    scene.setCamera(&camera);

    const auto polygons = capturePolygons([&] { scene.render(false); });
    ASSERT_EQ(polygons.size(), 3u) << "one triangle per mesh";
    EXPECT_EQ(polygons[0].vertices[0].colour[2], 1.0f) << "the third mesh is drawn first";
    EXPECT_EQ(polygons[1].vertices[0].colour[1], 1.0f) << "then the second";
    EXPECT_EQ(polygons[2].vertices[0].colour[0], 1.0f) << "the first mesh last";
    EXPECT_NEAR(polygons[0].vertices[0].x, windowX(0.5f), pixelTolerance) << "third mesh under view x its matrix";
    EXPECT_NEAR(polygons[1].vertices[0].x, windowX(0.1f), pixelTolerance) << "second mesh under a fresh view";
    EXPECT_NEAR(polygons[2].vertices[0].x, windowX(-0.5f), pixelTolerance) << "first mesh under a fresh view";

    scene.addMesh(&third);
    EXPECT_EQ(capturePolygons([&] { scene.render(false); }).size(), 4u) << "a mesh added twice is drawn twice";
}

TEST_F(GlTest, LightsArePlacedBeforeAnyMeshAndLastAddedFirst) {
    Camera camera;
    camera.translate(0.0f, 0.0f, -0.5f);
    Light front;
    front.setPosition(Vec3{0.0f, 0.0f, 1.0f}, false);
    front.acquireGlLight();
    front.upload();
    // GL's light starts out shining from behind the square: lit that way it shows only ambient.
    const float behind[4] = {0.0f, 0.0f, -1.0f, 0.0f};
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, behind);
    glEnable(GL_LIGHTING);

    Mesh square;
    fillSquare(square, Rgba{1.0f, 1.0f, 1.0f, 1.0f});
    Scene scene;
    scene.addMesh(&square);
    scene.addLight(&front);
    scene.setCamera(&camera);
    const auto polygons = capturePolygons([&] { scene.render(false); });
    ASSERT_FALSE(polygons.empty()) << "the square is drawn";
    // Default material: 0.2 x 0.2 scene ambient, plus 0.8 diffuse when the light faces the square.
    EXPECT_NEAR(polygons[0].vertices[0].colour[0], 0.84f, 0.01f) << "the square is lit from the placed light";

    Light back;
    back.setPosition(Vec3{0.0f, 1.0f, 0.0f}, false);
    Scene lightsOnly;
    lightsOnly.addLight(&front);
    lightsOnly.addLight(&back);
    lightsOnly.setCamera(&camera);
    lightsOnly.render(false);
    float sent[4] = {};
    glGetLightfv(GL_LIGHT0, GL_POSITION, sent);
    EXPECT_FLOAT_EQ(sent[2], 1.0f) << "the first light added is placed last";
    expectMatrixNear(currentModelview(), camera.matrix, 0.0f, "with no meshes the last light's view stays loaded");
}

TEST_F(GlTest, RenderRestoresTexturingAndLeavesClientArraysOn) {
    const GLuint red = solidTexture(255, 0, 0);
    const GLuint green = solidTexture(0, 255, 0);
    Texture meshTexture;
    meshTexture.glName = red;
    Camera camera;
    Mesh square;
    fillSquare(square, Rgba{1.0f, 1.0f, 1.0f, 1.0f});
    square.texture = &meshTexture;
    Scene scene;
    scene.addMesh(&square);
    scene.setCamera(&camera);

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, green);
    glClear(GL_COLOR_BUFFER_BIT);
    scene.render(false);
    const Pixel untextured = centrePixel();
    EXPECT_EQ(untextured.g, 255) << "render(false) draws untextured: the white colour shows";
    EXPECT_EQ(untextured.b, 255) << "render(false) draws untextured";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing is on again afterwards";
    EXPECT_EQ(boundTexture(), green) << "the earlier binding is back";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY)) << "render(false) never enables the texture coordinates";
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY)) << "the vertex array stays enabled";
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY)) << "the normal array stays enabled";

    glClear(GL_COLOR_BUFFER_BIT);
    scene.render(true);
    const Pixel textured = centrePixel();
    EXPECT_EQ(textured.r, 255) << "render(true) shows the mesh's own texture";
    EXPECT_EQ(textured.g, 0) << "not the texture bound before";
    EXPECT_EQ(boundTexture(), green) << "the earlier binding is back after a textured pass";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY)) << "render(true) leaves the texture coordinates enabled";

    const GLuint names[2] = {red, green};
    glDeleteTextures(2, names);
}

TEST_F(GlTest, EmptyOrCameralessScenesAreHarmless) {
    Scene empty;
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    const Matrix4 loaded = currentModelview();
    EXPECT_TRUE(capturePolygons([&] { empty.render(false); }).empty()) << "an empty scene draws nothing";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing comes back after an empty pass";
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY)) << "the client states are enabled even so";
    expectMatrixNear(currentModelview(), loaded, 0.0f, "nothing placed, nothing drawn: the matrix is untouched");

    Mesh triangle;
    fillTriangle(triangle, Rgba{1.0f, 1.0f, 1.0f, 1.0f});
    triangle.translate(0.25f, 0.0f, 0.0f);
    Scene noCamera;
    noCamera.addMesh(&triangle);
    const auto polygons = capturePolygons([&] { noCamera.render(false); });
    ASSERT_EQ(polygons.size(), 1u) << "a scene without a camera still draws";
    EXPECT_NEAR(polygons[0].vertices[0].x, windowX(0.25f), pixelTolerance) << "seen from the origin";
}
