// The generated face meshes: they load, share one vertex order and one triangle list, form a closed
// outward-facing head, stand where the scene expects them, and show their expressions in the shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "scene/mesh.h"

namespace {

constexpr float sideOffset = 36.0f;  // the smiling face stands at -x, the angry one at +x

struct Box {
    Vec3 low{1e9f, 1e9f, 1e9f};
    Vec3 high{-1e9f, -1e9f, -1e9f};
    float centreX() const { return 0.5f * (low.x + high.x); }
};

Box boundsOf(const Mesh& mesh) {
    Box box;
    for (const MeshVertex& v : mesh.vertices) {
        box.low = {std::min(box.low.x, v.position.x), std::min(box.low.y, v.position.y),
                   std::min(box.low.z, v.position.z)};
        box.high = {std::max(box.high.x, v.position.x), std::max(box.high.y, v.position.y),
                    std::max(box.high.z, v.position.z)};
    }
    return box;
}

Vec3 minus(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(Vec3 a, Vec3 b) { return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z; }

// Triangles whose geometric normal (from the winding) points against their corners' stored normals.
int trianglesFacingInwards(const Mesh& mesh) {
    int count = 0;
    for (const MeshTriangle& t : mesh.triangles) {
        Vec3 a = mesh.vertices[t.indices[0]].position;
        Vec3 face =
            cross(minus(mesh.vertices[t.indices[1]].position, a), minus(mesh.vertices[t.indices[2]].position, a));
        double agreement = 0.0;
        for (std::uint32_t i : t.indices) agreement += dot(face, mesh.vertices[i].normal);
        if (agreement < 0.0) ++count;
    }
    return count;
}

// Volume enclosed by the triangles: positive when they turn counter-clockwise seen from outside.
double signedVolume(const Mesh& mesh) {
    double volume = 0.0;
    for (const MeshTriangle& t : mesh.triangles) {
        Vec3 a = mesh.vertices[t.indices[0]].position;
        Vec3 b = mesh.vertices[t.indices[1]].position;
        Vec3 c = mesh.vertices[t.indices[2]].position;
        volume += dot(a, cross(b, c)) / 6.0;
    }
    return volume;
}

// Directed edges, with corners that share a position counted as one point, that do not have
// exactly one partner running the other way: 0 for a closed, consistently wound surface.
int unpairedEdges(const Mesh& mesh) {
    std::map<std::array<float, 3>, int> pointOf;
    std::vector<int> point(mesh.vertices.size());
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        Vec3 p = mesh.vertices[i].position;
        point[i] = pointOf.emplace(std::array<float, 3>{p.x, p.y, p.z}, static_cast<int>(pointOf.size())).first->second;
    }
    std::map<std::pair<int, int>, int> edges;
    for (const MeshTriangle& t : mesh.triangles) {
        for (int k = 0; k < 3; ++k) ++edges[{point[t.indices[k]], point[t.indices[(k + 1) % 3]]}];
    }
    int unpaired = 0;
    for (const auto& [edge, count] : edges) {
        auto reverse = edges.find({edge.second, edge.first});
        if (count != 1 || reverse == edges.end() || reverse->second != 1) ++unpaired;
    }
    return unpaired;
}

// Mean movement, relative to the neutral face, of the vertices whose neutral position passes the filter.
template <typename Filter>
Vec3 meanMove(const Mesh& neutral, const Mesh& expression, float offsetX, Filter inRegion) {
    double sum[3] = {0.0, 0.0, 0.0};
    int n = 0;
    for (std::size_t i = 0; i < neutral.vertices.size(); ++i) {
        Vec3 c = neutral.vertices[i].position;
        if (!inRegion(c)) continue;
        Vec3 e = expression.vertices[i].position;
        sum[0] += e.x - offsetX - c.x;
        sum[1] += e.y - c.y;
        sum[2] += e.z - c.z;
        ++n;
    }
    if (n == 0) return {};
    return {float(sum[0] / n), float(sum[1] / n), float(sum[2] / n)};
}

class FaceFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string dir = FACEDEMO_DATA_DIR;
        ASSERT_TRUE(smile.load((dir + "/smile.sos").c_str())) << "smile.sos loads";
        ASSERT_TRUE(rage.load((dir + "/rage.sos").c_str())) << "rage.sos loads";
        ASSERT_TRUE(closed.load((dir + "/closed.sos").c_str())) << "closed.sos loads";
    }

    Mesh smile, rage, closed;
};

TEST_F(FaceFiles, ShareOneVertexOrderAndOneTriangleList) {
    const std::size_t vertices = closed.vertices.size();
    EXPECT_GE(vertices, 5000u) << "enough vertices to look smooth under per-vertex lighting";
    EXPECT_LE(vertices, 20000u) << "few enough vertices to morph every frame";
    EXPECT_EQ(smile.vertices.size(), vertices) << "smile has the neutral vertex count";
    EXPECT_EQ(rage.vertices.size(), vertices) << "rage has the neutral vertex count";
    EXPECT_EQ(smile.triangles.size(), closed.triangles.size()) << "smile has the neutral triangle count";
    EXPECT_EQ(rage.triangles.size(), closed.triangles.size()) << "rage has the neutral triangle count";

    bool sameTriangles = true;
    bool inRange = true;
    bool degenerate = false;
    const std::size_t common = std::min({closed.triangles.size(), smile.triangles.size(), rage.triangles.size()});
    for (std::size_t i = 0; i < common; ++i) {
        const auto& c = closed.triangles[i].indices;
        const auto& s = smile.triangles[i].indices;
        const auto& r = rage.triangles[i].indices;
        sameTriangles = sameTriangles && std::equal(c, c + 3, s) && std::equal(c, c + 3, r);
        inRange = inRange && std::all_of(c, c + 3, [&](std::uint32_t k) { return k < vertices; });
        degenerate = degenerate || c[0] == c[1] || c[1] == c[2] || c[0] == c[2];
    }
    EXPECT_TRUE(sameTriangles) << "all three files list the neutral face's triangles in the same order";
    EXPECT_TRUE(inRange) << "every corner names a vertex of the file";
    EXPECT_FALSE(degenerate) << "no triangle repeats a corner";

    // Vertex i is the same point of the face: far from the features it has not moved at all.
    const Vec3 backOfHead = meanMove(closed, smile, -sideOffset, [](Vec3 c) { return c.z < -15.0f; });
    EXPECT_NEAR(backOfHead.x, 0.0f, 1e-3f) << "the back of the smiling head is the neutral one, moved left";
    EXPECT_NEAR(backOfHead.y, 0.0f, 1e-3f) << "the back of the smiling head keeps its height";
    const Vec3 backOfRage = meanMove(closed, rage, sideOffset, [](Vec3 c) { return c.z < -15.0f; });
    EXPECT_NEAR(backOfRage.x, 0.0f, 1e-3f) << "the back of the angry head is the neutral one, moved right";
}

TEST_F(FaceFiles, EachIsAClosedHeadWithOutwardUnitNormals) {
    for (const auto& [mesh, name] :
         {std::pair<const Mesh*, const char*>{&closed, "closed"}, {&smile, "smile"}, {&rage, "rage"}}) {
        double worstLength = 0.0;
        for (const MeshVertex& v : mesh->vertices) {
            worstLength = std::max(worstLength, std::fabs(std::sqrt(dot(v.normal, v.normal)) - 1.0));
        }
        EXPECT_LT(worstLength, 1e-5) << name << ": every normal has unit length";
        EXPECT_GT(signedVolume(*mesh), 100000.0) << name << ": triangles wind counter-clockwise seen from outside";
        EXPECT_EQ(unpairedEdges(*mesh), 0) << name << ": the surface is closed and wound the same way throughout";
        EXPECT_EQ(trianglesFacingInwards(*mesh), 0) << name << ": the normals are this file's own, pointing outwards";
    }
}

TEST_F(FaceFiles, StandWhereTheSceneExpectsThem) {
    const Box c = boundsOf(closed);
    const Box s = boundsOf(smile);
    const Box r = boundsOf(rage);
    EXPECT_NEAR(c.high.y, 90.0f, 4.0f) << "the top of the head is about 90 units up";
    EXPECT_NEAR(c.centreX(), 0.0f, 0.5f) << "the neutral face is centred on x = 0";
    EXPECT_NEAR(s.centreX(), -sideOffset, 1.0f) << "the smiling face stands to the left";
    EXPECT_NEAR(r.centreX(), sideOffset, 1.0f) << "the angry face stands to the right";
    EXPECT_NEAR(c.high.x - c.low.x, 62.0f, 8.0f) << "the head is about 60 units wide";
    EXPECT_LT(s.high.x, r.low.x) << "the two lower faces do not overlap";
    EXPECT_LT(r.low.x - s.high.x, 12.0f) << "and stand close together";
    EXPECT_NEAR(0.5f * (c.low.z + c.high.z), 0.0f, 6.0f) << "the head is centred on z = 0";
    EXPECT_GT(c.high.z, 35.0f) << "the face (the nose) points towards +z";

    // The chin: the lowest point of the front of the face.
    float chin = 1e9f;
    for (const MeshVertex& v : closed.vertices) {
        if (v.position.z > 18.0f) chin = std::min(chin, v.position.y);
    }
    EXPECT_NEAR(chin, 0.0f, 4.0f) << "the chin is at about y = 0";
}

TEST_F(FaceFiles, ExpressionsShowInTheShape) {
    // Regions of the neutral face, by position: x across, y up, z out of the face.
    auto region = [](float xFrom, float xTo, float yFrom, float yTo, float zFrom) {
        return [=](Vec3 c) {
            return std::fabs(c.x) >= xFrom && std::fabs(c.x) < xTo && c.y > yFrom && c.y < yTo && c.z > zFrom;
        };
    };
    auto mouthCorners = region(8.0f, 13.0f, 14.0f, 22.0f, 20.0f);
    auto lipsMiddle = region(0.0f, 3.0f, 12.0f, 16.5f, 28.0f);
    auto brows = region(3.0f, 14.0f, 51.0f, 57.0f, 22.0f);
    auto nostrilWings = region(5.0f, 8.0f, 27.0f, 32.0f, 30.0f);

    EXPECT_GT(meanMove(closed, smile, -sideOffset, mouthCorners).y, 2.0f) << "smile: the mouth corners rise";
    EXPECT_LT(meanMove(closed, smile, -sideOffset, mouthCorners).z, -1.0f) << "smile: the mouth corners draw back";
    EXPECT_LT(meanMove(closed, smile, -sideOffset, lipsMiddle).y, -1.0f) << "smile: the lower lip drops, the lips part";
    EXPECT_LT(meanMove(closed, rage, sideOffset, mouthCorners).y, -2.0f) << "rage: the mouth corners fall";
    EXPECT_LT(meanMove(closed, rage, sideOffset, brows).y, -2.0f) << "rage: the brows come down";

    // Brows drawn together: each side moves towards the middle.
    Vec3 leftBrow = meanMove(closed, rage, sideOffset, [&](Vec3 c) { return brows(c) && c.x < 0.0f; });
    Vec3 rightBrow = meanMove(closed, rage, sideOffset, [&](Vec3 c) { return brows(c) && c.x > 0.0f; });
    EXPECT_GT(leftBrow.x, 0.5f) << "rage: the left brow moves towards the middle";
    EXPECT_LT(rightBrow.x, -0.5f) << "rage: the right brow moves towards the middle";

    Vec3 leftWing = meanMove(closed, rage, sideOffset, [&](Vec3 c) { return nostrilWings(c) && c.x < 0.0f; });
    Vec3 rightWing = meanMove(closed, rage, sideOffset, [&](Vec3 c) { return nostrilWings(c) && c.x > 0.0f; });
    EXPECT_LT(leftWing.x, -0.3f) << "rage: the left nostril flares outwards";
    EXPECT_GT(rightWing.x, 0.3f) << "rage: the right nostril flares outwards";
}

}  // namespace
