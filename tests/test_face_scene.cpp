// Face scene set-up: what the scene holds, where the faces, the light and the camera stand, and
// what is left when a mesh file is missing or does not match the neutral face.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "assets/load_failure.h"
#include "demo/face_scene.h"
#include "demo/globals.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

constexpr float nearly = 1e-6f;

class FaceSceneTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        resetDemoGlobals();
    }
    void TearDown() override {
        resetDemoGlobals();
        GlTest::TearDown();
    }
};

void expectColour(const Rgba& c, const Rgba& expected, const std::string& what) {
    EXPECT_EQ(c.r, expected.r) << what;
    EXPECT_EQ(c.g, expected.g) << what;
    EXPECT_EQ(c.b, expected.b) << what;
    EXPECT_EQ(c.a, expected.a) << what;
}

// A face of `count` vertices along a line, one triangle per three vertices.
std::string smallFace(int count, float offset) {
    std::string text = "Vertices : " + std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i) {
        text += std::to_string(i + offset) + " " + std::to_string(i * 0.5f) + " 1.0\t0 0 1\t0 0\n";
    }
    text += "\nFaces : 1\n0 1 2\n";
    return text;
}

}  // namespace

TEST_F(FaceSceneTest, SetUpFillsTheSceneAndPlacesFacesLightAndCamera) {
    ScopedWorkDir dir;
    dir.copyData({"smile.sos", "rage.sos", "closed.sos"});
    ASSERT_TRUE(buildFaceScene());

    const std::vector<Mesh*> meshes = {&smileMesh, &rageMesh, &faceMesh};
    EXPECT_EQ(scene.meshes, meshes) << "exactly smile, rage and the morphing face, in that order";
    ASSERT_EQ(scene.lights.size(), 1u) << "one light";
    EXPECT_EQ(scene.lights[0], &light);
    EXPECT_EQ(scene.activeCamera, &camera);

    EXPECT_GT(closedMesh.vertices.size(), 0u) << "the neutral face was read";
    EXPECT_EQ(faceMesh.getCounts().first, closedMesh.vertices.size()) << "the morphing face has the neutral counts";
    EXPECT_EQ(faceMesh.getCounts().second, closedMesh.triangles.size());
    EXPECT_EQ(faceMesh.vertices.size(), closedMesh.vertices.size());
    EXPECT_EQ(faceMesh.vertices[100].position.x, closedMesh.vertices[100].position.x) << "a copy of the neutral face";
    EXPECT_EQ(smileDeltas.size(), closedMesh.vertices.size()) << "the morph tables are built";
    EXPECT_EQ(rageDeltas.size(), closedMesh.vertices.size());
    for (const Mesh* mesh : {&smileMesh, &rageMesh, &closedMesh, &faceMesh}) {
        expectColour(mesh->colour, faceColour, "every face has the face colour");
    }

    const Matrix4 scaled = glProduct([] { glScalef(faceScale, faceScale, faceScale); });
    expectMatrixNear(smileMesh.matrix, scaled, nearly, "the smiling face is scaled to 1/30 only");
    expectMatrixNear(rageMesh.matrix, scaled, nearly, "the angry face is scaled to 1/30 only");
    expectMatrixNear(closedMesh.matrix, Matrix4{}, 0.0f, "the neutral face is never placed");
    expectMatrixNear(faceMesh.matrix, glProduct([] {
                         glTranslatef(0.0f, 10.0f, 0.0f);
                         glScalef(faceScale, faceScale, faceScale);
                         glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
                     }),
                     nearly, "the morphing face: T(0, 10, 0) S(1/30) Rx(30)");
    // A point of the file's +y axis: tilted 30 degrees towards +z, shrunk and lifted.
    expectVecNear(transformed(faceMesh.matrix, 0.0f, 30.0f, 0.0f, 1.0f), Vec3{0.0f, 10.0f + 0.8660254f, 0.5f}, 1e-5f,
                  "the file's (0, 30, 0) in the world");

    EXPECT_EQ(light.position[0], -5.0f) << "the light's direction";
    EXPECT_EQ(light.position[1], -10.0f);
    EXPECT_EQ(light.position[2], 5.0f);
    EXPECT_EQ(light.position[3], 0.0f) << "a directional light";
    EXPECT_FALSE(light.spot);
    expectColour(light.ambient, Rgba{0.2f, 0.2f, 0.2f, 1.0f}, "light ambient");
    expectColour(light.diffuse, Rgba{0.7f, 0.5f, 0.5f, 1.0f}, "light diffuse");
    expectColour(light.specular, Rgba{0.0f, 0.0f, 0.0f, 1.0f}, "light specular");

    expectVecNear(eyePosition(camera.matrix), Vec3{0.0f, 3.0f, 25.0f}, nearly, "the eye starts at (0, 3, 25)");
    expectMatrixNear(camera.matrix, glProduct([] { glTranslatef(0.0f, -3.0f, -25.0f); }), 0.0f,
                     "looking along -z without a turn");
    EXPECT_EQ(camera.pitch, 0.0f);
}

TEST_F(FaceSceneTest, AMissingMeshFileStopsSetUpAndKeepsWhatWasRead) {
    {
        ScopedWorkDir dir;
        dir.copyData({"smile.sos", "closed.sos"});
        EXPECT_FALSE(buildFaceScene()) << "rage.sos missing";
        EXPECT_GT(smileMesh.vertices.size(), 0u) << "smile.sos was read";
        EXPECT_EQ(scene.meshes, std::vector<Mesh*>{&smileMesh}) << "the smiling face is already in the scene";
        EXPECT_TRUE(rageMesh.vertices.empty());
        EXPECT_TRUE(closedMesh.vertices.empty()) << "nothing after the failure is read";
        EXPECT_TRUE(scene.lights.empty());
        EXPECT_EQ(scene.activeCamera, nullptr);
    }
    resetDemoGlobals();
    {
        ScopedWorkDir dir;
        dir.copyData({"smile.sos", "rage.sos"});
        EXPECT_FALSE(buildFaceScene()) << "closed.sos missing";
        EXPECT_EQ(scene.meshes, (std::vector<Mesh*>{&smileMesh, &rageMesh})) << "both expressions already added";
        EXPECT_TRUE(faceMesh.vertices.empty()) << "the morphing face is not made";
        EXPECT_TRUE(scene.lights.empty()) << "no light set up";
        EXPECT_EQ(light.position[0], 0.0f) << "the light keeps its defaults";
        expectMatrixNear(camera.matrix, Matrix4{}, 0.0f, "the camera is not placed");
        EXPECT_EQ(scene.activeCamera, nullptr);
    }
    resetDemoGlobals();
    {
        ScopedWorkDir dir;
        dir.copyData({"rage.sos", "closed.sos"});
        EXPECT_FALSE(buildFaceScene()) << "smile.sos missing";
        EXPECT_TRUE(scene.meshes.empty()) << "nothing in the scene";
        EXPECT_TRUE(rageMesh.vertices.empty());
    }
}

TEST_F(FaceSceneTest, AnExpressionWithFewerVerticesThanTheNeutralFaceIsRefused) {
    ScopedWorkDir dir;
    dir.write("closed.sos", smallFace(6, 0.0f));
    dir.write("smile.sos", smallFace(5, 1.0f));
    dir.write("rage.sos", smallFace(6, 2.0f));
    EXPECT_FALSE(buildFaceScene()) << "smile with 5 of 6 vertices";
    EXPECT_TRUE(loadFailure.reason.empty()) << "every file was read: no file is blamed for the refusal";
    EXPECT_TRUE(scene.lights.empty()) << "set-up stops before the light";
    EXPECT_EQ(scene.activeCamera, nullptr) << "and before the camera";

    resetDemoGlobals();
    dir.write("smile.sos", smallFace(6, 1.0f));
    dir.write("rage.sos", smallFace(4, 2.0f));
    EXPECT_FALSE(buildFaceScene()) << "rage with 4 of 6 vertices";

    resetDemoGlobals();
    dir.write("rage.sos", smallFace(8, 2.0f));
    ASSERT_TRUE(buildFaceScene()) << "extra vertices in an expression are ignored";
    ASSERT_EQ(rageDeltas.size(), 6u) << "one step per vertex of the neutral face";
    EXPECT_NEAR(rageDeltas[5].x, 2.0f / 50.0f, nearly) << "a fiftieth of the way to the rage";
    EXPECT_NEAR(smileDeltas[5].x, 1.0f / 50.0f, nearly) << "a fiftieth of the way to the smile";
}
