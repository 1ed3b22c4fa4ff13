// The expression morph: its pace in frame time, the face's positions at the ends of the phases,
// the phase order, and tables of identical or mismatched faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "demo/expression_morph.h"
#include "demo/globals.h"
#include "tests/app_fixtures.h"

namespace {

// Positions after a whole phase agree with the file up to the rounding of 50 float additions.
constexpr float phaseEndTolerance = 1e-3f;

std::string dataFile(const char* name) { return std::string(FACEDEMO_DATA_DIR) + "/" + name; }

// The morph's inputs as the face scene leaves them, without the GL placement.
void loadFaces() {
    resetDemoGlobals();
    ASSERT_TRUE(smileMesh.load(dataFile("smile.sos").c_str()));
    ASSERT_TRUE(rageMesh.load(dataFile("rage.sos").c_str()));
    ASSERT_TRUE(closedMesh.load(dataFile("closed.sos").c_str()));
    copyMesh(closedMesh, faceMesh);
    ASSERT_TRUE(buildMorphTables());
}

// The largest difference of any position component between the two meshes.
float largestDifference(const Mesh& a, const Mesh& b) {
    float largest = 0.0f;
    const std::size_t n = std::min(a.vertices.size(), b.vertices.size());
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3& p = a.vertices[i].position;
        const Vec3& q = b.vertices[i].position;
        largest = std::max({largest, std::fabs(p.x - q.x), std::fabs(p.y - q.y), std::fabs(p.z - q.z)});
    }
    return largest;
}

void steps(int count) {
    for (int i = 0; i < count; ++i) {
        frameDelta = morphTickMs;
        advanceMorph();
    }
}

class MorphTest : public ::testing::Test {
protected:
    void SetUp() override { loadFaces(); }
    void TearDown() override { resetDemoGlobals(); }
};

}  // namespace

TEST_F(MorphTest, OneStepPerTwentyMillisecondsAtMostOnePerFrame) {
    ASSERT_EQ(smileDeltas.size(), faceMesh.getCounts().first) << "one table entry per vertex";
    ASSERT_EQ(rageDeltas.size(), faceMesh.getCounts().first);
    const Mesh neutral = faceMesh;

    frameDelta = 19;
    advanceMorph();
    EXPECT_EQ(morphStep, 0) << "19 ms: no step";
    EXPECT_EQ(morphElapsed, 19u);
    EXPECT_EQ(largestDifference(faceMesh, neutral), 0.0f) << "nothing moved";
    frameDelta = 1;
    advanceMorph();
    EXPECT_EQ(morphStep, 1) << "19 + 1 ms: one step";
    EXPECT_EQ(morphElapsed, 0u) << "the gathered time starts again";
    EXPECT_GT(largestDifference(faceMesh, neutral), 0.0f) << "the face moved";

    const Mesh afterOne = faceMesh;
    frameDelta = 1000;
    advanceMorph();
    EXPECT_EQ(morphStep, 2) << "a 1000 ms frame takes exactly one step";
    EXPECT_EQ(morphElapsed, 0u) << "the time beyond 20 ms is dropped";
    const Mesh afterTwo = faceMesh;

    frameDelta = 0;
    for (int i = 0; i < 5; ++i) advanceMorph();
    EXPECT_EQ(morphStep, 2) << "0 ms frames take no step";
    EXPECT_EQ(largestDifference(faceMesh, afterTwo), 0.0f) << "and change nothing";

    frameDelta = 10;
    advanceMorph();
    EXPECT_EQ(morphStep, 2) << "10 ms frames: no step after the first";
    advanceMorph();
    EXPECT_EQ(morphStep, 3) << "a step after the second";

    // The step is entry i of the smile table added to vertex i.
    const Vec3 before = afterOne.vertices[7].position;
    const Vec3 after = afterTwo.vertices[7].position;
    EXPECT_EQ(after.x, before.x + smileDeltas[7].x) << "vertex 7 moved by its smile step";
    EXPECT_EQ(after.y, before.y + smileDeltas[7].y);
    EXPECT_EQ(after.z, before.z + smileDeltas[7].z);
}

TEST_F(MorphTest, TheFaceReachesEachExpressionAtTheEndOfItsPhase) {
    ASSERT_GT(largestDifference(smileMesh, closedMesh), 0.5f) << "the smile differs visibly from the neutral face";
    ASSERT_GT(largestDifference(rageMesh, closedMesh), 0.5f) << "so does the rage";

    steps(50);
    EXPECT_EQ(morphPhase, MorphPhase::SmileIn);
    EXPECT_EQ(morphStep, 50);
    EXPECT_LT(largestDifference(faceMesh, smileMesh), phaseEndTolerance) << "after 50 steps: the smile";
    EXPECT_EQ(faceMesh.vertices[11].normal.y, closedMesh.vertices[11].normal.y) << "normals stay the neutral ones";
    EXPECT_EQ(faceMesh.vertices[11].texCoord[0], closedMesh.vertices[11].texCoord[0]) << "so do texture coordinates";

    steps(1);
    EXPECT_EQ(morphPhase, MorphPhase::SmileOut) << "step 51 is the first of SmileOut";
    EXPECT_EQ(morphStep, 1);
    steps(49);
    EXPECT_LT(largestDifference(faceMesh, closedMesh), phaseEndTolerance) << "after 100 steps: neutral";

    steps(50);
    EXPECT_EQ(morphPhase, MorphPhase::RageIn);
    EXPECT_EQ(morphStep, 50);
    EXPECT_LT(largestDifference(faceMesh, rageMesh), phaseEndTolerance) << "after 150 steps: the rage";

    steps(50);
    EXPECT_EQ(morphPhase, MorphPhase::RageOut) << "after 200 steps still RageOut";
    EXPECT_EQ(morphStep, 50);
    EXPECT_LT(largestDifference(faceMesh, closedMesh), phaseEndTolerance) << "after 200 steps: neutral again";

    steps(1);
    EXPECT_EQ(morphPhase, MorphPhase::SmileIn) << "the 201st step starts the next cycle";
    EXPECT_EQ(morphStep, 1);
    steps(49);
    EXPECT_LT(largestDifference(faceMesh, smileMesh), 2 * phaseEndTolerance) << "the second cycle smiles again";
}

TEST(MorphTables, IdenticalFacesGiveZeroStepsAndMismatchedOnesAreRefused) {
    ScopedWorkDir dir;
    const std::string face =
        "Vertices : 4\n"
        "0.5 1.25 -3.0\t0.0 0.0 1.0\t0.0 0.0\n"
        "1.5 0.25 2.0\t0.0 0.0 1.0\t1.0 0.0\n"
        "-2.0 4.0 0.125\t0.0 0.0 1.0\t1.0 1.0\n"
        "3.0 -1.0 7.5\t0.0 0.0 1.0\t0.0 1.0\n"
        "\nFaces : 2\n0 1 2\n0 2 3\n";
    dir.write("same.sos", face);
    resetDemoGlobals();
    ASSERT_TRUE(smileMesh.load("same.sos"));
    ASSERT_TRUE(rageMesh.load("same.sos"));
    ASSERT_TRUE(closedMesh.load("same.sos"));
    copyMesh(closedMesh, faceMesh);
    ASSERT_TRUE(buildMorphTables());
    ASSERT_EQ(smileDeltas.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(smileDeltas[i].x == 0 && smileDeltas[i].y == 0 && smileDeltas[i].z == 0) << "smile entry " << i;
        EXPECT_TRUE(rageDeltas[i].x == 0 && rageDeltas[i].y == 0 && rageDeltas[i].z == 0) << "rage entry " << i;
    }
    steps(137);
    EXPECT_EQ(largestDifference(faceMesh, closedMesh), 0.0f) << "the face never moves";

    // An expression with fewer vertices than the neutral face cannot give every vertex a step.
    dir.write("short.sos",
              "Vertices : 3\n"
              "0 0 0\t0 0 1\t0 0\n1 0 0\t0 0 1\t1 0\n0 1 0\t0 0 1\t0 1\n"
              "\nFaces : 1\n0 1 2\n");
    for (Mesh* shortMesh : {&smileMesh, &rageMesh}) {
        resetDemoGlobals();
        ASSERT_TRUE(smileMesh.load("same.sos"));
        ASSERT_TRUE(rageMesh.load("same.sos"));
        ASSERT_TRUE(closedMesh.load("same.sos"));
        ASSERT_TRUE(shortMesh->load("short.sos"));
        copyMesh(closedMesh, faceMesh);
        EXPECT_FALSE(buildMorphTables()) << (shortMesh == &smileMesh ? "smile" : "rage") << " with 3 of 4 vertices";
    }
    resetDemoGlobals();
}
